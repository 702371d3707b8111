#!/bin/bash
# Random input, the kind an impatient user gives: keys, drags in every mode,
# clicks and Tab / Space in the panel. The viewer keeps running, reports
# nothing and still closes cleanly. The seed fixes every event sent, so a
# failure replays exactly; VIEWER_FUZZ_SEED chooses another.
set -euo pipefail
. "$(dirname "$0")/lib.sh" "$@"

SEED=${VIEWER_FUZZ_SEED:-20261208}
EVENTS=600
KEYS=(x y z o p g w 1 2 3 4 5 X G 0 6 9 a q space Tab Return Escape BackSpace Up F1 Shift_L)
echo "random input: $EVENTS events from seed $SEED"
# Every number below is drawn in this shell, never in a subshell, whose
# draws would not advance the sequence.
RANDOM=$SEED

start_viewer

for ((event = 1; event <= EVENTS; event++)); do
  case $((RANDOM % 4)) in
    0)  # a key in the main window
      xdotool mousemove $((MAIN_X + RANDOM % MAIN_SIDE)) $((MAIN_Y + RANDOM % MAIN_SIDE)) \
        key "${KEYS[RANDOM % ${#KEYS[@]}]}"
      ;;
    1)  # a drag with any button, sometimes leaving the window
      xdotool mousemove $((MAIN_X + RANDOM % (MAIN_SIDE + 100))) $((MAIN_Y + RANDOM % MAIN_SIDE)) \
        mousedown $((1 + RANDOM % 3))
      for ((step = 0, steps = 1 + RANDOM % 8; step < steps; step++)); do
        xdotool mousemove $((RANDOM % (PANEL_X + 200))) $((MAIN_Y + RANDOM % MAIN_SIDE))
      done
      xdotool mouseup 1 mouseup 2 mouseup 3
      ;;
    2)  # a click somewhere on the panel, boxes and margins alike
      xdotool mousemove $((PANEL_X + RANDOM % 160)) $((PANEL_Y + RANDOM % 110)) click 1
      ;;
    3)  # the keyboard in the panel
      xdotool mousemove $((PANEL_X + 40)) $((PANEL_Y + 40))
      case $((RANDOM % 4)) in
        0) xdotool key Tab ;;
        1) xdotool key shift+Tab ;;
        2) xdotool key space ;;
        3) xdotool key "${KEYS[RANDOM % ${#KEYS[@]}]}" ;;
      esac
      ;;
  esac
  viewer_running || fail "the viewer died after $event input events"
done
echo "$EVENTS input events sent"

close_cleanly "Oskavel's Lab 2"
echo "ok"
