#!/bin/bash
# The panel's checkboxes drive the scene, and auto-rotation runs by itself.
. "$(dirname "$0")/lib.sh" "$1"

start_x_server
start_viewer

SPIN_Y=1 SHOW_GRID=3 ORTHO=4 WIREFRAME=5

check_view_switches "click_checkbox $SHOW_GRID" "click_checkbox $WIREFRAME" \
  "click_checkbox $ORTHO" "click_checkbox $ORTHO"

# Spinning: with the pointer resting in the panel and no other input, the
# picture keeps changing; once stopped, it stays still.
click_checkbox $SPIN_Y
screenshot spin1
sleep 0.5
screenshot spin2
changed=$(pixels_changed spin1 spin2)
echo "spinning: $changed pixels changed in half a second"
[ "$changed" -gt 1000 ] || fail "auto-rotation did not run"
click_checkbox $SPIN_Y
screenshot stopped1
sleep 0.5
screenshot stopped2
changed=$(pixels_changed stopped1 stopped2)
[ "$changed" -eq 0 ] || fail "the scene kept turning after the spin was switched off"

# Keys typed into the panel belong to the panel: 'g' there leaves the grid.
xdotool mousemove $((PANEL_X + 40)) $((PANEL_Y + 40)) key g
settle
screenshot typed_in_panel
changed=$(pixels_changed stopped2 typed_in_panel)
[ "$changed" -eq 0 ] || fail "a key typed in the panel reached the main window"

# The last click left the focus on "Rotation along y axis"; Tab moves it to
# "Rotation along z axis" and Space ticks that: rotation about z runs.
xdotool key Tab space
settle
import -window root -crop 200x120+$PANEL_X+$PANEL_Y +repage "$WORK/panel_focus.png"
screenshot z_spin1
sleep 0.5
screenshot z_spin2
changed=$(pixels_changed z_spin1 z_spin2)
[ "$changed" -gt 1000 ] || fail "Tab and Space did not start the z rotation"
xdotool key space
settle

# The panel does not follow the keyboard: with the grid hidden by 'g', the
# still-ticked "Show Gridlines" clears on its next click and writes 0, so the
# grid stays hidden.
press_keys g
screenshot hidden_by_key
click_checkbox $SHOW_GRID
screenshot after_click
changed=$(pixels_changed hidden_by_key after_click)
[ "$changed" -eq 0 ] || fail "the click changed the picture ($changed pixels): the grid came back"
click_checkbox $SHOW_GRID
screenshot shown_again
# The grid's brightness depends on the scene's turn, so look for change.
changed=$(pixels_changed after_click shown_again)
[ "$changed" -gt 5000 ] || fail "a second click did not bring the grid back"

viewer_running || fail "the viewer stopped"
echo "ok"
