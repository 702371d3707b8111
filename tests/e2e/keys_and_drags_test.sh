#!/bin/bash
# Keys and drags in the main window change the picture as a user expects:
# each result is the reference picture of the view it should give.
set -euo pipefail
. "$(dirname "$0")/lib.sh" "$@"

start_viewer

check_view_switches "press_keys g" "press_keys w" "press_keys p" "press_keys o"

# The first drag mode (key 1, the one the viewer starts in): thirty motion
# events of 10 pixels to the right drive the vehicle 0.9 along x.
drag 150 500 450 10
expect_reference driven vehicle 0.9
drag 450 500 150 10
expect_reference driven_back

# Mode 3: twenty events to the left would bend the first joint by -180; it
# stops at -90. Dragging far right again stops at 0, the unbent picture.
press_keys 3
drag 300 500 200 5
expect_reference bent joints -90 0 0
drag 200 500 500 5
expect_reference straight

# Upper-case letters do nothing.
press_keys G W P
expect_reference upper_case

viewer_running || fail "the viewer stopped"
echo "ok"
