#!/bin/bash
# The viewer opens its two windows where and as it should, draws, from the
# nine numbers or without them, the picture OpenGL's own calls draw for that
# view, keeps redrawing without being asked, and ends cleanly when either
# window is closed.
set -euo pipefail
. "$(dirname "$0")/lib.sh" "$@"

start_viewer

geometry=$(window_geometry "$MAIN")
[ "$geometry" = "$MAIN_X $MAIN_Y $MAIN_SIDE $MAIN_SIDE" ] ||
  fail "the main window is at x y width height $geometry, not $MAIN_X $MAIN_Y $MAIN_SIDE $MAIN_SIDE"
[ -n "$PANEL" ] || fail "no GLUI panel window"

# The window's depth buffer and its lighting, material and depth state set
# at start-up all show in the default picture.
expect_reference start_up_state

# A key asks for no redraw: the picture goes on turning after 'y' only
# because the viewer keeps drawing frame after frame by itself.
press_keys y
for i in 1 2 3; do expect_turning "turning_$i"; done
press_keys y
expect_still stopped
close_cleanly "Oskavel's Lab 2"

# Nine numbers place the camera, and the light shines from the eye.
start_viewer 2 1 2 0 0 0 0 1 0
expect_reference camera camera 2 1 2 0 0 0 0 1 0 light 2 1 2
reference light_left_behind camera 2 1 2 0 0 0 0 1 0 light 1 1 1
changed=$(pixels_changed camera light_left_behind)
echo "camera: $changed pixels differ from the same view lit from (1, 1, 1)"
[ "$changed" -gt 1000 ] || fail "the light did not move with the eye"
close_cleanly GLUI

# GLUT's own options count towards the nine: "-display" and its value are
# read as two zeros, then seven numbers follow.
start_viewer -display "$DISPLAY" 2 0 0 0 0 1 0
expect_reference glut_options camera 0 0 2 0 0 0 0 1 0 light 0 0 2
close_cleanly "Oskavel's Lab 2"
echo "ok"
