#!/bin/bash
# The browser build, served from 127.0.0.1 and run in Debian's headless
# Chromium, driven with real input events (tests/web/page_driver.py) and
# checked as the end-to-end tests check the Linux build: both canvases with
# their titles and sizes; the reference picture at start-up, after keys,
# drags in every mode with their steps and clamps, and panel clicks; the
# scene turning by itself, frozen and turning on; the camera from the query
# string; the panel as GLUI draws it, to the pixel, step by step; clicks,
# Tab and Space in the panel, and keys there kept from the main window. It
# ends with the frame rate the page reaches.
# Usage, on a private display (scripts/on-virtual-display), where
# reference-frame draws: tests/web/web_check.sh build/web path/to/reference-frame
# (reference-frame: the end-to-end tests' tool, built for Linux)
set -euo pipefail

page_dir=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/lib.sh" true "" "$2"

# The page driver answers each command with one line: "ok [result]" or
# "error ...". lib.sh stops it with the check, as it would the viewer.
coproc PAGE { exec /usr/bin/python3 "$here/page_driver.py" "$page_dir" 2>"$WORK/viewer.log"; }
VIEWER_PID=$PAGE_PID
page() {
  echo "$*" >&"${PAGE[1]}"
  # Chromium's start and a page load take seconds; nothing takes a minute.
  read -r -t 60 answer <&"${PAGE[0]}" || fail "the page driver gave no answer to '$*'"
  case $answer in
    ok) ;;
    ok\ *) echo "${answer#ok }" ;;
    *) fail "$*: $answer" ;;
  esac
}

# lib.sh's input and screenshots, done in the page: window 1 is the main
# window, 2 the panel. Keys go to the canvas that last took a click.
MAIN=1 PANEL=2
screenshot() { page shot "$MAIN" "$WORK/$1.png"; }
settle() { :; }  # a shot waits for the page to draw what came before it
press_keys() { page keys "$@"; }
keyboard_to_main_window() { page click "$MAIN" $((MAIN_SIDE / 2)) $((MAIN_SIDE / 2)); }
pointer_down() { page down "$MAIN" "$1" "$2"; }
pointer_move() { page move "$MAIN" "$1" "$2"; }
pointer_up() { page up "$MAIN" "$1" "$2"; }
click_checkbox() { page click "$PANEL" "$BOX_MIDDLE_X" "${BOX_MIDDLE_Y[$1]}"; }
open_page() {
  page open "$@"
  keyboard_to_main_window
}

open_page
windows=$(page windows)
echo "windows: $windows"
[ "$windows" = "[\"Oskavel's Lab 2\", [\"Oskavel's Lab 2\", 600, 600, 8, 8], [\"GLUI\", 159, 105, 616, 8]]" ] ||
  fail "the page is not titled as the main window, with a 600 x 600 canvas and the 159 x 105 panel beside it"
expect_reference start_up

check_view_switches "press_keys g" "press_keys w" "press_keys p" "press_keys o"

# Drags, with each motion event at the pointer's new position: thirty of
# 10 pixels drive the vehicle 0.9; five to the right turn the body 45
# degrees, five straight down back by 9 each. The joints step by 9, 9 and 6
# and stop at -90, which the steps back from it show, and at 0. (Folded to
# -90 the beam lies flat on the post, where the two pictures' depths fight.)
drag 150 500 450 10
expect_reference driven vehicle 0.9
drag 450 500 150 10
expect_reference driven_back
press_keys 2
drag 300 500 350 10
expect_reference turned yaw 45
page down "$MAIN" 350 500
for y in 510 520 530 540 550; do page move "$MAIN" 350 "$y"; done
page up "$MAIN" 350 550
expect_reference turned_back
press_keys 3
drag 300 500 270 10
expect_reference first_joint_stepped joints -27 0 0
drag 270 500 100 10
expect_reference first_joint_clamped joints -90 0 0
drag 100 500 400 10
expect_reference first_joint_straight
press_keys 4
drag 300 500 150 10
drag 150 500 200 10
expect_reference second_joint_back_from_clamp joints 0 -45 0
press_keys 5
drag 300 500 280 5
expect_reference end_block_stepped joints 0 -45 -24
drag 280 500 100 5
drag 100 500 125 5
expect_reference end_block_back_from_clamp joints 0 -45 -60
drag 125 500 300 5
press_keys 4
drag 100 500 300 10
expect_reference all_straight
press_keys G W P 6 1
expect_reference other_keys

# The turn: started, frozen where it got to, and going on from there.
press_keys y
expect_turning turning
press_keys y
expect_still frozen
press_keys y
expect_turning resumed
changed=$(pixels_changed frozen_b resumed_a)
[ "$changed" -gt 0 ] || fail "the turn did not go on from where it stopped"

# The query string is the command line: nine numbers place the camera and
# light; any other count is ignored.
open_page 2 1 2 0 0 0 0 1 0
expect_reference camera camera 2 1 2 0 0 0 0 1 0 light 2 1 2
open_page 2 1 2
expect_reference eight_numbers_ignored

# The panel, fresh: GLUI's own pictures after each step of tests/glui_pictures.h,
# played with real input; a click on its empty corner first gives it the
# keyboard and changes nothing.
open_page
first=yes
while IFS='|' read -r name events hash; do
  if [ -z "$first" ]; then
    # shellcheck disable=SC2086  # the events are words
    page glui-step $events
  fi
  page shot "$PANEL" "$WORK/panel.png"
  got=$(page panel-hash "$WORK/panel.png")
  echo "panel, $name: $got"
  [ "$got" = "$hash" ] || fail "the panel, $name, is not GLUI's picture: hash $got, not $hash"
  [ -n "$first" ] && page click "$PANEL" 150 102
  first=
done < <(sed -n 's/^ *{"\([^"]*\)", "\([^"]*\)", \(0x[0-9a-f]*\)},$/\1|\2|\3/p' "$here/../glui_pictures.h")
# The last steps clicked "Wireframe View" on, and Space, on the row the
# click focused, cleared it again.
expect_reference panel_steps_done

# Keys typed in the panel are the panel's: the main window's 'w' and 'g'
# change nothing there. Space clicks the focused row, the last one clicked.
screenshot before_typing
page keys w g
screenshot typed_in_panel
changed=$(pixels_changed before_typing typed_in_panel)
[ "$changed" -eq 0 ] || fail "keys typed in the panel reached the main window ($changed pixels changed)"
page keys space
expect_reference space_on_wireframe wireframe
# Tab on to none, then twice more: row 2; shift and Tab back: row 1; Space:
# the x turn starts, and a second Space stops it.
page keys Tab Tab Tab shift+Tab space
expect_turning x_turn_by_tab_and_space
page keys space
expect_still x_turn_stopped_by_space

# Clicks: the grid's row takes them from its box's corner to the far corner
# of its label, edges included; a release outside the row cancels.
open_page
check_view_switches "click_checkbox $ROW_GRID" "click_checkbox $ROW_WIREFRAME" \
  "click_checkbox $ROW_ORTHO" "click_checkbox $ROW_ORTHO"
page click "$PANEL" 6 54
expect_reference top_left_corner no-grid
page click "$PANEL" 5 54
page click "$PANEL" 6 53
expect_reference just_outside no-grid
page click "$PANEL" 6 67
expect_reference bottom_left_corner
page down "$PANEL" 13 61
page move "$PANEL" 13 68
page up "$PANEL" 13 68
expect_reference released_outside
# The panel does not follow the keyboard: with the grid hidden by 'g', the
# still-ticked box clears on its click and writes 0, so the grid stays off.
keyboard_to_main_window
press_keys g
click_checkbox "$ROW_GRID"
expect_reference cleared_after_key no-grid

messages=$(page console)
echo "console: $messages"
case $messages in
  *SEVERE*) fail "the page reported errors: $messages" ;;
esac
echo "frame rate: $(page frame-rate 3) frames a second"
echo quit >&"${PAGE[1]}"
wait "$VIEWER_PID" || fail "the page driver did not end cleanly"
VIEWER_PID=
echo "ok"
