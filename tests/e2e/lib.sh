# Shared by the end-to-end tests: a private X server, the real viewer on it,
# real input through xdotool, screenshots read back with ImageMagick and
# compared with reference pictures drawn by OpenGL's own calls.
# Usage: . lib.sh /path/to/vehicle-viewer /path/to/close-window /path/to/reference-frame

set -eu
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/virtual-screen"

# At exit the GL driver is unloaded before LeakSanitizer looks, and leaks
# inside an unloaded module can't be told from ours; so the viewer's leaks
# are checked in-process (where the driver stays loaded) and under valgrind,
# and here the sanitizers watch for memory errors and undefined behaviour.
export ASAN_OPTIONS=detect_leaks=0
# Mesa would otherwise keep a shader cache in the user's home.
export MESA_SHADER_CACHE_DISABLE=true

VIEWER=$1
CLOSE_WINDOW=${2:-}
REFERENCE_FRAME=${3:-}
WORK=$(mktemp -d)
VIEWER_PID=
XVFB_PID=
PANEL_X=700
PANEL_Y=40
# ImageMagick 7 names its converter magick; its convert, where kept, may warn
# that it is deprecated.
CONVERT=convert
command -v magick >/dev/null && CONVERT=magick

finish() {
  status=$?
  # Wait for both to be gone: a server still shutting down can hold on to its
  # display number and take the next test's connections.
  for pid in $VIEWER_PID $XVFB_PID; do
    if kill "$pid" 2>/dev/null; then wait "$pid" 2>/dev/null || true; fi
  done
  if [ "$status" -ne 0 ] && [ -f "$WORK/viewer.log" ]; then
    echo "--- viewer output ---"
    cat "$WORK/viewer.log"
  fi
  [ -n "${KEEP_SHOTS:-}" ] && cp -r "$WORK" "$KEEP_SHOTS"
  rm -rf "$WORK"
  exit "$status"
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A private X server on a display number it chooses itself, so that
# servers started side by side never collide. Without -noreset the server
# resets whenever its last client leaves, and a client connecting just then
# (the viewer after xdpyinfo, or a second viewer after the first) is refused.
start_x_server() {
  Xvfb -displayfd 3 -screen 0 "$VIRTUAL_SCREEN" -nolisten tcp -noreset 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$WORK/display" ]; then
      export DISPLAY=":$(head -1 "$WORK/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.1
  done
  fail "Xvfb did not start"
}

window_id() {
  xdotool search --name "^$1\$" 2>/dev/null | head -1
}

# Starts the viewer with the given arguments and waits for both windows.
# Without a window manager both open at (40, 40); the panel is moved aside
# so that the main window can be read.
start_viewer() {
  "$VIEWER" "$@" >"$WORK/viewer.log" 2>&1 &
  VIEWER_PID=$!
  for _ in $(seq "${WINDOW_WAIT_TENTHS:-150}"); do
    viewer_running || fail "the viewer ended before its windows appeared"
    MAIN=$(window_id "Oskavel's Lab 2")
    PANEL=$(window_id GLUI)
    if [ -n "$MAIN" ] && [ -n "$PANEL" ]; then
      xdotool windowmove "$PANEL" "$PANEL_X" "$PANEL_Y"
      sleep 1
      return 0
    fi
    sleep 0.1
  done
  fail "the viewer's windows did not appear"
}

viewer_running() {
  kill -0 "$VIEWER_PID" 2>/dev/null
}

# Asks a window to close as a window manager would, waits for the viewer to
# go and leaves its exit status in EXIT_STATUS.
close_and_wait() {
  "$CLOSE_WINDOW" "$1"
  EXIT_STATUS=0
  wait "$VIEWER_PID" || EXIT_STATUS=$?
  VIEWER_PID=
}

# Closes the window titled $1 as a window manager would: the viewer must end
# with status 0, having reported nothing through the sanitizers.
close_cleanly() {
  close_and_wait "$(window_id "$1")"
  echo "closing \"$1\": exit status $EXIT_STATUS"
  [ "$EXIT_STATUS" -eq 0 ] || fail "closing \"$1\" ended with status $EXIT_STATUS"
  reports=$(grep -E "ERROR: AddressSanitizer|runtime error:" "$WORK/viewer.log" || true)
  [ -z "$reports" ] || fail "sanitizer reports: $reports"
}

# Real input, as a person gives it: the pointer goes to the window first,
# since with no window manager the keyboard follows the pointer.
press_keys() {
  xdotool mousemove 340 340
  for key in "$@"; do xdotool key "$key"; done
  settle
}

# A left-button drag in the main window, from (x1, y) to (x2, y) in window
# coordinates, in steps of the given size.
drag() {
  x=$1 y=$2 x2=$3 step=$4
  xdotool mousemove $((40 + x)) $((40 + y)) mousedown 1
  while [ "$x" -ne "$x2" ]; do
    if [ "$x" -lt "$x2" ]; then x=$((x + step)); else x=$((x - step)); fi
    xdotool mousemove $((40 + x)) $((40 + y))
  done
  xdotool mouseup 1
  settle
}

# A left click on the middle of the panel's checkbox in row `index` (0 at the
# top): GLUI draws the boxes 13 pixels square, from (7, 7) and every 16 below.
BOX_MIDDLE_Y=(13 29 45 61 77 93)
click_checkbox() {
  xdotool mousemove $((PANEL_X + 13)) $((PANEL_Y + BOX_MIDDLE_Y[$1])) click 1
  settle
}

# Switches the grid off, to wire-frame and to perspective, each with the
# command given for it and undone before the next: each picture must be the
# reference picture of that view alone, and undoing them all the first one.
# Usage: check_view_switches TOGGLE_GRID TOGGLE_WIREFRAME TO_PERSPECTIVE TO_ORTHO
check_view_switches() {
  expect_reference before
  set -- "$1" "$1" no_grid no-grid "$2" "$2" wireframe wireframe "$3" "$4" perspective perspective
  while [ $# -gt 0 ]; do
    echo "$1:"
    $1
    expect_reference "$3" "$4"
    $2
    shift 4
  done
  expect_reference all_undone
}

# Enough time for a few frames to be drawn under software rendering.
settle() {
  sleep 0.7
}

# The main window's 600 x 600 pixels, as a person sees them.
screenshot() {
  import -window root -crop 600x600+40+40 +repage "$WORK/$1.png"
}

# The reference picture of a view, as the screenshot NAME: the view in
# reference-frame's words (perspective, no-grid, wireframe, vehicle X,
# joints A B C, camera followed by nine numbers, light X Y Z...).
reference() {
  local name=$1
  shift
  "$REFERENCE_FRAME" "$@" >"$WORK/$name.ppm" || fail "reference-frame could not draw '$*'"
  "$CONVERT" "$WORK/$name.ppm" "$WORK/$name.png"
}

# Takes the screenshot NAME and checks it against the reference picture of
# the view the words describe (none: the default view).
expect_reference() {
  local name=$1
  shift
  screenshot "$name"
  reference "${name}_reference" "$@"
  changed=$(pixels_changed "$name" "${name}_reference")
  echo "$name: $changed pixels differ from the reference picture${*:+ ($*)}"
  [ "$changed" -le 50 ] || fail "$name is not the reference picture${*:+ of '$*'}: $changed pixels differ"
}

# Pixels changed in half a second with no input at all, between the
# screenshots NAME_a and NAME_b.
changes_by_itself() {
  screenshot "$1_a"
  sleep 0.5
  screenshot "$1_b"
  pixels_changed "$1_a" "$1_b"
}

# Number of pixels that differ between two pictures by more than rounding.
# compare prints it last on stderr, after any warnings (passed on here), and
# exits with 1 when the pictures differ and 2 when it could not compare them.
pixels_changed() {
  local status=0 count
  compare -metric AE -fuzz 1% "$WORK/$1.png" "$WORK/$2.png" null: 2>"$WORK/compare.out" || status=$?
  sed '$d' "$WORK/compare.out" >&2
  # Some versions follow it with the share of the picture, in brackets.
  count=$(tail -n 1 "$WORK/compare.out" | cut -d ' ' -f 1)
  case $status:$count in
    [01]: | [01]:*[!0-9]*) ;;
    [01]:*)
      echo "$count"
      return 0
      ;;
  esac
  fail "compare could not count the pixels that differ between $1 and $2 (status $status): $(cat "$WORK/compare.out")"
}
