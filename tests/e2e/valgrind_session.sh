#!/bin/bash
# A short scripted session of the real viewer under valgrind's memcheck:
# keys, drags in every mode and panel clicks, then a window-manager close.
# Fails on any invalid read or write, and on any definite leak, outside the
# GL driver, X and GLUT (tests/valgrind.supp says what is left out and why).
# Usage (on a private display): valgrind_session.sh VIEWER CLOSE_WINDOW
set -euo pipefail
. "$(dirname "$0")/lib.sh" "$1" "$2"

SUPPRESSIONS="$(cd "$(dirname "$0")/.." && pwd)/valgrind.supp"
REAL_VIEWER=$VIEWER
VIEWER="$WORK/viewer-under-valgrind"
# keep-debuginfo: the GL driver is unloaded before the leak check, and its
# leaks keep their names only if its symbols are kept.
cat >"$VIEWER" <<SCRIPT
#!/bin/sh
exec valgrind --tool=memcheck --keep-debuginfo=yes --leak-check=full --errors-for-leak-kinds=definite \\
  --show-leak-kinds=definite --suppressions="$SUPPRESSIONS" --error-exitcode=99 \\
  --log-file="$WORK/valgrind.log" "$REAL_VIEWER" "\$@"
SCRIPT
chmod +x "$VIEWER"

# Everything is slower under valgrind.
settle() { sleep 3; }
WINDOW_WAIT_SECONDS=120

start_viewer
sleep 5
press_keys g w p o x y z
for mode in 1 2 3 4 5; do
  press_keys "$mode"
  drag 300 300 360 20
  drag 360 300 240 30
done
press_keys x y z
click_checkbox "$ROW_GRID"
click_checkbox "$ROW_WIREFRAME"
panel_keys Tab space Tab space

close_and_wait "$MAIN"
sed -n '/HEAP SUMMARY/,$p' "$WORK/valgrind.log"
if grep -E "Invalid (read|write)" "$WORK/valgrind.log"; then fail "invalid memory access"; fi
[ "$EXIT_STATUS" -eq 0 ] || fail "valgrind found errors (status $EXIT_STATUS); see above"
echo "ok"
