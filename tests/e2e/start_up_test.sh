#!/bin/bash
# The viewer opens its two windows where and as it should, and draws the
# scene without being asked.
. "$(dirname "$0")/lib.sh" "$1"

start_x_server
start_viewer

geometry=$(xwininfo -id "$MAIN")
echo "$geometry" | grep -q "Absolute upper-left X:  40" || fail "main window x: $geometry"
echo "$geometry" | grep -q "Absolute upper-left Y:  40" || fail "main window y: $geometry"
echo "$geometry" | grep -q "Width: 600" || fail "main window width: $geometry"
echo "$geometry" | grep -q "Height: 600" || fail "main window height: $geometry"
[ -n "$PANEL" ] || fail "no GLUI panel window"

screenshot default
read -r coloured grey bright <<<"$(pixel_classes default)"
echo "default view: $coloured coloured, $grey grey, $bright bright pixels"
[ "$coloured" -gt 5000 ] || fail "the vehicle is missing"
[ "$grey" -gt 2000 ] || fail "the grid is missing"

# Left alone, it keeps drawing the same still picture.
sleep 1
screenshot later
changed=$(pixels_changed default later)
[ "$changed" -eq 0 ] || fail "a still scene changed by $changed pixels"
viewer_running || fail "the viewer stopped"
echo "ok"
