#!/bin/bash
# The panel's checkboxes drive the scene: a click on a row changes that row's
# flag and no other, and auto-rotation runs by itself.
set -euo pipefail
. "$(dirname "$0")/lib.sh" "$@"

start_viewer

# "Show Gridlines", "Wireframe View", "Orthogonal View": after each click the
# picture is the reference picture of that one setting changed.
check_view_switches "click_checkbox $ROW_GRID" "click_checkbox $ROW_WIREFRAME" \
  "click_checkbox $ROW_ORTHO" "click_checkbox $ROW_ORTHO"

# "Rotation along x / y / z axis": a click starts a turn that goes on with
# the pointer resting in the panel; the key of the same axis then stops it,
# which it can only if the row set that axis's flag and no other.
for row_and_key in "$ROW_SPIN_X x" "$ROW_SPIN_Y y" "$ROW_SPIN_Z z"; do
  read -r row key <<<"$row_and_key"
  click_checkbox "$row"
  expect_turning "row${row}_clicked"
  press_keys "$key"
  expect_still "row${row}_stopped_by_$key"
  click_checkbox "$row"  # clears the box, writing 0: the turn stays stopped
done

# Keys typed into the panel belong to the panel: 'g' there leaves the grid.
screenshot before_typing
panel_keys g
screenshot typed_in_panel
changed=$(pixels_changed before_typing typed_in_panel)
[ "$changed" -eq 0 ] || fail "a key typed in the panel reached the main window"

# Space clicks the focused row, the last one clicked: "Rotation along z axis".
panel_keys space
expect_turning space_on_z
panel_keys space
# Tab moves the focus on to "Show Gridlines", and Space hides the grid.
screenshot before_tab
panel_keys Tab space
panel_screenshot "$WORK/panel_focus.png"
screenshot after_tab
changed=$(pixels_changed before_tab after_tab)
[ "$changed" -gt 5000 ] || fail "Tab and Space did not hide the grid ($changed pixels changed)"

# The panel does not follow the keyboard: with the grid shown again by 'g',
# the still-clear "Show Gridlines" ticks on its next click and writes 1, so
# the grid stays; the click after that hides it.
press_keys g
screenshot shown_by_key
click_checkbox "$ROW_GRID"
screenshot after_click
changed=$(pixels_changed shown_by_key after_click)
[ "$changed" -eq 0 ] || fail "the click changed the picture ($changed pixels): the grid went"
click_checkbox "$ROW_GRID"
screenshot hidden_again
changed=$(pixels_changed after_click hidden_again)
[ "$changed" -gt 5000 ] || fail "a second click did not hide the grid"

viewer_running || fail "the viewer stopped"
echo "ok"
