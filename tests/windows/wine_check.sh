#!/bin/bash
# The Windows build, run under Wine on a private X server and checked as the
# end-to-end tests check the Linux one: a single .exe that needs only
# Windows' own DLLs, both windows with their titles and sizes, the reference
# picture at start-up and after keys and panel clicks, the scene turning by
# itself, the panel keeping its fitted size, and exit status 0 when the main
# window is closed.
# Usage, on a private display (scripts/on-virtual-display):
#   tests/windows/wine_check.sh path/to/vehicle-viewer.exe path/to/close-window path/to/reference-frame
# (close-window and reference-frame: the tests' tools, built for Linux)
set -euo pipefail

exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
# Debian's package wine64 installs the 64-bit loader here, and no command in
# PATH. lib.sh starts the viewer as its first argument followed by
# start_viewer's: the loader, then the .exe.
wine=/usr/lib/wine/wine64
. "$(dirname "$0")/../e2e/lib.sh" "$wine" "$2" "$3"

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print toupper($3)}' | sort | tr '\n' ' ')
echo "$(basename "$exe"): $(du -k "$exe" | cut -f1) KiB, imports $imports"
for dll in $imports; do
  case $dll in
    ADVAPI32.DLL | GDI32.DLL | GLU32.DLL | KERNEL32.DLL | MSVCRT.DLL | OPENGL32.DLL | USER32.DLL | WINMM.DLL) ;;
    *) fail "the .exe needs $dll, which is not part of Windows" ;;
  esac
done

# A prefix (Wine's C: drive and registry) and a home of Wine's own, kept in
# the build tree: a new prefix takes seconds to make, and Wine writes menu
# entries and file types into the home.
wine_dir=${WINE_DIR:-$(dirname "$exe")/wine}
export WINEPREFIX=$wine_dir/prefix HOME=$wine_dir/home WINEDEBUG=-all
# No offer to install Wine's stand-ins for .NET and Internet Explorer, which
# the viewer does not use, and no menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$HOME"

# Moves and resizes the viewer's windows through Windows itself: without a
# window manager, Wine 10 does not follow a window moved from the X side (as
# start_viewer moves the panel), and its clicks then land wrong.
x86_64-w64-mingw32-g++-posix -std=c++17 -Wall -Wextra -Wpedantic -O2 -static \
  -o "$WORK/place-window.exe" "$(dirname "$0")/place_window.cpp"
place_window() {
  "$wine" "$WORK/place-window.exe" "$@" || fail "could not place the window '$1'"
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "making a Wine prefix in $WINEPREFIX"
  "$wine" wineboot -i >"$WORK/wineboot.log" 2>&1 || { cat "$WORK/wineboot.log"; fail "Wine made no prefix"; }
  /usr/lib/wine/wineserver -w
fi

# Wine takes seconds to start a program.
WINDOW_WAIT_SECONDS=30
start_viewer "$exe"
[ "$(window_size "$MAIN")" = "${MAIN_SIDE}x$MAIN_SIDE" ] ||
  fail "the main window is $(window_size "$MAIN"), not ${MAIN_SIDE}x$MAIN_SIDE"
[ "$(window_size "$PANEL")" = 159x105 ] || fail "the panel is $(window_size "$PANEL"), not 159x105"
# GLUT on Windows places the window's frame at (40, 40), and its drawing
# area inside the frame. Moved to where they are on X11, the windows are
# where lib.sh reads and drives them.
read -r x y _ <<<"$(window_geometry "$MAIN")"
echo "the main window's drawing area opened at $x,$y"
place_window "Oskavel's Lab 2" "$MAIN_X" "$MAIN_Y"
place_window GLUI "$PANEL_X" "$PANEL_Y"
settle
import -window root "$WORK/screen.png"  # both windows, kept with KEEP_SHOTS
expect_reference start_up

# Wine gives a window the keyboard once it is clicked; a click in the main
# window changes nothing but where the next drag starts.
keyboard_to_main_window() {
  xdotool mousemove $((MAIN_X + MAIN_SIDE / 2)) $((MAIN_Y + MAIN_SIDE / 2)) click 1
}
keyboard_to_main_window
check_view_switches "press_keys g" "press_keys w" "press_keys p" "press_keys o"

check_view_switches "click_checkbox $ROW_GRID" "click_checkbox $ROW_WIREFRAME" \
  "click_checkbox $ROW_ORTHO" "click_checkbox $ROW_ORTHO"

# Last, as the turn leaves the scene turned: the viewer keeps drawing by
# itself, frame after frame.
keyboard_to_main_window
press_keys y
expect_turning turning
press_keys y
expect_still stopped

# GLUI keeps a panel at its fitted size whoever resizes it; on Windows
# through GLUT alone.
place_window GLUI "$PANEL_X" "$PANEL_Y" 300 200
settle
echo "the panel, resized to 300x200: $(window_size "$PANEL")"
[ "$(window_size "$PANEL")" = 159x105 ] ||
  fail "the panel kept the size it was given, $(window_size "$PANEL"), not its fitted 159x105"

close_cleanly "Oskavel's Lab 2"
# Wine's server and services go a few seconds after the program.
/usr/lib/wine/wineserver -w
echo "ok"
