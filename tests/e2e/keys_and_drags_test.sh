#!/bin/bash
# Keys and drags in the main window change the picture as a user expects.
. "$(dirname "$0")/lib.sh" "$1"

start_x_server
start_viewer

screenshot before
read -r coloured grey _ <<<"$(pixel_classes before)"

press_keys g
screenshot no_grid
read -r _ grey_off _ <<<"$(pixel_classes no_grid)"
echo "grid: $grey grey pixels on, $grey_off off"
[ "$grey_off" -lt $((grey / 4)) ] || fail "'g' left the grid on"
press_keys g

press_keys w
screenshot wire
read -r coloured_wire _ _ <<<"$(pixel_classes wire)"
echo "coloured pixels: $coloured solid, $coloured_wire wire-frame"
[ "$coloured_wire" -lt $((coloured / 2)) ] || fail "'w' did not switch to wire-frame"
press_keys w

press_keys p
screenshot perspective
changed=$(pixels_changed before perspective)
echo "perspective changed $changed pixels"
[ "$changed" -gt 5000 ] || fail "'p' did not change the projection"
press_keys o
screenshot ortho_again
changed=$(pixels_changed before ortho_again)
[ "$changed" -eq 0 ] || fail "'o' did not bring back the same picture ($changed pixels differ)"

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
