#!/bin/bash
# Thirty seconds of random input, the kind an impatient user gives: keys,
# drags in every mode, clicks and Tab / Space in the panel. The viewer keeps
# running, reports nothing and still closes cleanly.
. "$(dirname "$0")/lib.sh" "$@"

RANDOM=20261208  # a fixed seed, so that a failure can be replayed
SECONDS_OF_INPUT=${SECONDS_OF_INPUT:-30}
KEYS=(x y z o p g w 1 2 3 4 5 X G 0 6 9 a q space Tab Return Escape BackSpace Up F1 Shift_L)

start_x_server
start_viewer

events=0
end=$((SECONDS + SECONDS_OF_INPUT))
while [ "$SECONDS" -lt "$end" ]; do
  case $((RANDOM % 4)) in
    0)  # a key in the main window
      xdotool mousemove $((40 + RANDOM % 600)) $((40 + RANDOM % 600)) key "${KEYS[RANDOM % ${#KEYS[@]}]}"
      ;;
    1)  # a drag, sometimes leaving the window
      x=$((RANDOM % 700)) y=$((RANDOM % 600))
      xdotool mousemove $((40 + x)) $((40 + y)) mousedown $((1 + RANDOM % 3))
      for _ in $(seq $((1 + RANDOM % 8))); do
        xdotool mousemove $((RANDOM % 900)) $((40 + RANDOM % 600))
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
  events=$((events + 1))
  viewer_running || fail "the viewer died after $events input events"
done
echo "$events input events in $SECONDS_OF_INPUT seconds"

close_cleanly "Oskavel's Lab 2"
echo "ok"
