#!/bin/bash
# Sourced by the end-to-end tests, the screenshots and the Windows check, which
# run on a private X server (scripts/on-virtual-display): the real viewer on
# it, real input through xdotool, screenshots read back with ImageMagick and
# compared with reference pictures drawn by OpenGL's own calls. It sets no
# shell options; each script sets its own.
# Usage: . lib.sh VIEWER [CLOSE_WINDOW [REFERENCE_FRAME]]

VIEWER=$1
CLOSE_WINDOW=${2:-}
REFERENCE_FRAME=${3:-}

# Where the windows are. Without a window manager the main window's drawing
# area is where the viewer asks for it; the panel opens there too, and
# start_viewer moves it aside.
MAIN_X=40
MAIN_Y=40
MAIN_SIDE=600
PANEL_X=700
PANEL_Y=40
# The panel's rows, top to bottom, and the middle of each row's box: GLUI
# draws the boxes 13 pixels square, from (7, 7) and every 16 below.
ROW_SPIN_X=0 ROW_SPIN_Y=1 ROW_SPIN_Z=2 ROW_GRID=3 ROW_ORTHO=4 ROW_WIREFRAME=5
BOX_MIDDLE_X=13
BOX_MIDDLE_Y=(13 29 45 61 77 93)

# How long start_viewer waits for both windows; slower runs (valgrind, Wine)
# set more after sourcing this.
WINDOW_WAIT_SECONDS=15

[ -n "${DISPLAY:-}" ] || {
  echo "FAIL: no X display: run this under scripts/on-virtual-display" >&2
  exit 1
}

# At exit the GL driver is unloaded before LeakSanitizer looks, and leaks
# inside an unloaded module can't be told from ours; so the viewer's leaks
# are checked in-process (where the driver stays loaded) and under valgrind,
# and here the sanitizers watch for memory errors and undefined behaviour.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Mesa would otherwise keep a shader cache in the user's home.
export MESA_SHADER_CACHE_DISABLE=true

WORK=$(mktemp -d)
VIEWER_PID=
# ImageMagick 7 names its converter magick; its convert, where kept, may warn
# that it is deprecated.
CONVERT=convert
command -v magick >/dev/null && CONVERT=magick

finish() {
  local status=$?
  if [ -n "$VIEWER_PID" ] && kill "$VIEWER_PID" 2>/dev/null; then wait "$VIEWER_PID" 2>/dev/null || true; fi
  if [ "$status" -ne 0 ] && [ -f "$WORK/viewer.log" ]; then
    echo "--- viewer output ---"
    cat "$WORK/viewer.log"
  fi
  # KEEP_SHOTS=DIR keeps every screenshot and log of the run there.
  [ -n "${KEEP_SHOTS:-}" ] && cp -r "$WORK" "$KEEP_SHOTS"
  rm -rf "$WORK"
  exit "$status"
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The id of the window titled $1, or nothing while there is none.
window_id() {
  { xdotool search --name "^$1\$" 2>/dev/null || true; } | head -1
}

# A window's drawing area on the screen: "X Y WIDTH HEIGHT".
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
                           /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# "WIDTHxHEIGHT" of a window.
window_size() {
  local x y w h
  read -r x y w h <<<"$(window_geometry "$1")"
  echo "${w}x$h"
}

# Starts the viewer with the given arguments, waits for both windows and
# leaves their ids in MAIN and PANEL. The panel is moved aside so that the
# main window can be read.
start_viewer() {
  "$VIEWER" "$@" >"$WORK/viewer.log" 2>&1 &
  VIEWER_PID=$!
  local tenth
  for ((tenth = 0; tenth < 10 * WINDOW_WAIT_SECONDS; tenth++)); do
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
  fail "the viewer's windows did not appear within $WINDOW_WAIT_SECONDS s"
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
  local reports
  reports=$(grep -E "ERROR: AddressSanitizer|runtime error:" "$WORK/viewer.log" || true)
  [ -z "$reports" ] || fail "sanitizer reports: $reports"
}

# Real input, as a person gives it: the pointer goes to the window first,
# since with no window manager the keyboard follows the pointer.
press_keys() {
  xdotool mousemove $((MAIN_X + MAIN_SIDE / 2)) $((MAIN_Y + MAIN_SIDE / 2))
  local key
  for key in "$@"; do xdotool key "$key"; done
  settle
}

# The same, typed into the panel.
panel_keys() {
  xdotool mousemove $((PANEL_X + 40)) $((PANEL_Y + 40))
  local key
  for key in "$@"; do xdotool key "$key"; done
  settle
}

# The left button going down, the pointer moving and the button going up,
# at (x, y) of the main window. (The browser check gives them in the page.)
# The button goes up where the pointer is: a move to there would still be a
# motion event, which the viewer would count as a step to the left.
pointer_down() { xdotool mousemove $((MAIN_X + $1)) $((MAIN_Y + $2)) mousedown 1; }
pointer_move() { xdotool mousemove $((MAIN_X + $1)) $((MAIN_Y + $2)); }
pointer_up() { xdotool mouseup 1; }

# A left-button drag in the main window along the row y, from x to `to` in
# window coordinates, in steps of `step` pixels; the last step is cut short
# where the step does not divide the distance.
drag() {
  local x=$1 y=$2 to=$3 step=$4
  [ "$step" -gt 0 ] || fail "drag: a step of $step pixels never arrives"
  pointer_down "$x" "$y"
  while [ "$x" -ne "$to" ]; do
    if [ "$x" -lt "$to" ]; then
      x=$((x + step < to ? x + step : to))
    else
      x=$((x - step > to ? x - step : to))
    fi
    pointer_move "$x" "$y"
  done
  pointer_up "$x" "$y"
  settle
}

# A left click on the middle of the box in one of the panel's rows.
click_checkbox() {
  xdotool mousemove $((PANEL_X + BOX_MIDDLE_X)) $((PANEL_Y + BOX_MIDDLE_Y[$1])) click 1
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

# The main window's pixels, as a person sees them, as the screenshot NAME.
screenshot() {
  import -window root -crop "${MAIN_SIDE}x$MAIN_SIDE+$MAIN_X+$MAIN_Y" +repage "$WORK/$1.png"
}

# The panel window, whatever its size, as the picture FILE.
panel_screenshot() {
  import -window root -crop "$(window_size "$PANEL")+$PANEL_X+$PANEL_Y" +repage "$1"
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
  local name=$1 changed
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

# With no input, the picture turns by itself within half a second, or stays
# still; NAME names the screenshots and the message.
expect_turning() {
  local changed
  changed=$(changes_by_itself "$1")
  echo "$1: $changed pixels changed by themselves in half a second"
  [ "$changed" -gt 1000 ] || fail "$1: the picture did not turn by itself ($changed pixels changed)"
}
expect_still() {
  local changed
  changed=$(changes_by_itself "$1")
  [ "$changed" -eq 0 ] || fail "$1: the picture kept changing by itself ($changed pixels changed)"
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
