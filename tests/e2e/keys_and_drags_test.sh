#!/bin/bash
# Keys and drags in the main window change the picture as a user expects.
. "$(dirname "$0")/lib.sh" "$1"

start_x_server
start_viewer

check_view_switches "press_keys g" "press_keys w" "press_keys p" "press_keys o"

# The first drag mode (key 1, the one the viewer starts in): a drag to the
# right drives the vehicle right.
x_before=$(coloured_centre_x before)
drag 150 500 450 10
screenshot driven
x_after=$(coloured_centre_x driven)
echo "vehicle centre x: $x_before -> $x_after"
[ "$x_after" -gt $((x_before + 15)) ] || fail "dragging right did not drive the vehicle right"

# Mode 3: the first joint bends; dragging far right again stops at 0, which is
# the picture before bending.
screenshot unbent
press_keys 3
drag 300 500 200 5
screenshot bent
changed=$(pixels_changed unbent bent)
echo "bending the arm changed $changed pixels"
[ "$changed" -gt 2000 ] || fail "a drag in mode 3 did not bend the arm"
drag 200 500 500 5
screenshot straight
changed=$(pixels_changed unbent straight)
[ "$changed" -eq 0 ] || fail "the arm did not straighten back to 0 ($changed pixels differ)"

# Upper-case letters do nothing.
press_keys G W P
screenshot upper_case
changed=$(pixels_changed straight upper_case)
[ "$changed" -eq 0 ] || fail "upper-case keys changed the picture"

viewer_running || fail "the viewer stopped"
echo "ok"
