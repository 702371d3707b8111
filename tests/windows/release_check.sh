#!/bin/bash
# The Windows zip as a user gets it: exactly the .exe, LICENSE.txt and
# README.txt; both texts with Windows line endings, the README naming the
# version and every key of the controls; the .exe with its icon and version
# resource (what Explorer's Properties show). Then the .exe unpacked from the
# zip goes through the check under Wine (wine_check.sh).
# freeglut and winpthread are linked in, so LICENSE.txt carries their
# licences too.
# Usage: tests/windows/release_check.sh path/to/vehicle-viewer-VERSION-windows-x64.zip path/to/close-window path/to/reference-frame
set -eu
zip=$1
here=$(cd "$(dirname "$0")" && pwd)
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
version=$(basename "$zip" | sed -n 's/^vehicle-viewer-\(.*\)-windows-x64\.zip$/\1/p')
[ -n "$version" ] || fail "$zip is not named vehicle-viewer-VERSION-windows-x64.zip"

# Unpacked beside the zip, in a folder emptied first, with CMake's own
# unpacker: no unzip needed.
unpacked=$(dirname "$zip")/unpacked
rm -rf "$unpacked"
mkdir -p "$unpacked"
zip=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")
(cd "$unpacked" && cmake -E tar xf "$zip")
contents=$(cd "$unpacked" && find . -type f | sort | tr '\n' ' ')
echo "$(basename "$zip"): $(du -k "$zip" | cut -f1) KiB, holds $contents"
[ "$contents" = "./LICENSE.txt ./README.txt ./vehicle-viewer.exe " ] ||
  fail "the zip holds $contents, not the .exe, LICENSE.txt and README.txt alone"

for text in LICENSE.txt README.txt; do
  lines=$(wc -l <"$unpacked/$text")
  crlf=$(grep -c $'\r$' "$unpacked/$text" || true)
  [ "$lines" -gt 0 ] && [ "$crlf" -eq "$lines" ] || fail "$text: $crlf of its $lines lines end in CR LF"
done
grep -q "^Vehicle Viewer $version for 64-bit Windows" "$unpacked/README.txt" || fail "README.txt does not name version $version"
grep -q "^MIT License" "$unpacked/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence"
grep -q "^vehicle-viewer.exe contains freeglut, under these terms:" "$unpacked/LICENSE.txt" &&
  grep -q "Copyright.*Pawel W. Olszta" "$unpacked/LICENSE.txt" || fail "LICENSE.txt lacks freeglut's licence"
# winpthread is linked in too: its files' copyright, and the licence text
# that its paragraph names only.
grep -q "^vehicle-viewer.exe contains winpthread, from MinGW-w64, under these terms" "$unpacked/LICENSE.txt" &&
  grep -q "^Files: mingw-w64-libraries/winpthreads/\*"$'\r$' "$unpacked/LICENSE.txt" &&
  grep -q "^Copyright: .*mingw-w64 project"$'\r$' "$unpacked/LICENSE.txt" &&
  grep -q "^ Permission is hereby granted, free of charge" "$unpacked/LICENSE.txt" ||
  fail "LICENSE.txt lacks winpthread's copyright and licence"
# Every key the viewer reads, each on its line of the controls.
for key in x y z o p g w 1 2 3 4 5 "drag with any button"; do
  grep -q "^  $key"$'\r$' "$unpacked/README.txt" || fail "README.txt does not list '$key' among the controls"
done

# The resource types at the top of the .rsrc directory: 3 icon images, 14 the
# icon group Explorer shows, 16 the version information.
exe=$unpacked/vehicle-viewer.exe
types=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/^0[0-9a-f]*   Entry: ID:/ {print $4}' | tr '\n' ' ')
echo "vehicle-viewer.exe: resource types $types"
for type in 0x000003 0x00000e 0x000010; do
  case " $types" in
    *" $type,"* | *" $type "*) ;;
    *) fail "the .exe has no resource of type $type (3 icon, 14 icon group, 16 version)" ;;
  esac
done
strings=$(strings -el "$exe")
for field in "ProductName" "ProductVersion" "FileVersion" "LegalCopyright"; do
  value=$(echo "$strings" | grep -A1 -x "$field" | sed -n 2p)
  echo "  $field: $value"
  [ -n "$value" ] || fail "the version resource has no $field"
done
echo "$strings" | grep -A1 -x ProductVersion | grep -qx "$version" || fail "the .exe's ProductVersion is not $version"
echo "$strings" | grep -A1 -x LegalCopyright | grep -q "MIT License" || fail "the .exe's copyright does not name the MIT licence"

WINE_DIR=$(dirname "$zip")/wine exec "$here/wine_check.sh" "$exe" "$2" "$3"
