#!/bin/bash
# Closing either window the way a window manager asks ends the viewer
# cleanly, with status 0 and no sanitizer report.
. "$(dirname "$0")/lib.sh" "$1" "$2"

start_x_server
for which in "Oskavel's Lab 2" GLUI; do
  start_viewer
  press_keys y w 3
  close_and_wait "$(window_id "$which")"
  echo "closing \"$which\": exit status $EXIT_STATUS"
  [ "$EXIT_STATUS" -eq 0 ] || fail "closing \"$which\" ended with status $EXIT_STATUS"
  reports=$(sanitizer_reports)
  [ -z "$reports" ] || fail "sanitizer reports: $reports"
done
echo "ok"
