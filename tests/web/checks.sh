# shellcheck shell=bash
# Sourced by web_check.sh: the checks, each a function that opens its own
# page and fails (lib.sh's fail) at the first thing wrong. Their helpers
# are page.sh's and lib.sh's.

# In the order they run: those that start the browser anew (another ratio
# in WebKit, no WebGL) come last.
CHECKS=(windows views drags spin camera panel clicks buttons keyboard help offline installable lost_context touch touch_scroll
  second_finger pen phone ratio ratio_change no_webgl frame_rate)

# What a check needs of the engine's driver beyond mouse and keys, as the
# driver's "engine" command names it.
check_needs() {
  case $1 in
    touch | second_finger) echo touch ;;
    touch_scroll) echo touch-scroll ;;
    pen) echo pen ;;
    phone) echo phone ;;
    no_webgl) echo no-webgl ;;
    installable) echo installable ;;
    ratio_change) echo ratio-change ;;
  esac
}

check_windows() {
  open_page
  local windows
  windows=$(page windows)
  echo "windows: $windows"
  # The page keeps its own title; each canvas is titled and named as its
  # window, at the window's size, the panel beside the main view.
  [ "$windows" = "[\"Vehicle Viewer\", [\"Oskavel's Lab 2\", \"Oskavel's Lab 2\", 600, 600, 8, 45], [\"GLUI\", \"GLUI\", 159, 105, 624, 45]]" ] ||
    fail "the canvases are not named as their windows, at 600 x 600 and 159 x 105, the panel beside the main view"
  expect_no_errors
}

# The start-up view, the keys' views, each undone, and keys that do nothing.
check_views() {
  open_page
  expect_reference start_up
  check_view_switches "press_keys g" "press_keys w" "press_keys p" "press_keys o"
  press_keys G W P 6 1
  expect_reference other_keys
  expect_no_errors
}

# Drags, with each motion event at the pointer's new position: thirty of 10
# pixels drive the vehicle 0.9; five to the right turn the body 45 degrees,
# five straight down back by 9 each. The joints step by 9, 9 and 6 and stop
# at -90, which the steps back from it show, and at 0. Each view's
# neighbours are one motion event either way (0.03 of travel, 9 or 6
# degrees); at a clamp, the step beyond it. (Folded to -90 the beam lies
# flat on the post, where the two pictures' depths fight.)
check_drags() {
  open_page
  drag 150 500 450 10
  expect_view driven "vehicle 0.9" "vehicle 0.87" "vehicle 0.93"
  drag 450 500 150 10
  expect_view driven_back "" "vehicle -0.03" "vehicle 0.03"
  press_keys 2
  drag 300 500 350 10
  expect_view turned "yaw 45" "yaw 36" "yaw 54"
  page down "$MAIN" 350 500
  for y in 510 520 530 540 550; do page move "$MAIN" 350 "$y"; done
  page up "$MAIN" 350 550
  expect_view turned_back "" "yaw -9" "yaw 9"
  press_keys 3
  drag 300 500 270 10
  expect_view first_joint_stepped "joints -27 0 0" "joints -18 0 0" "joints -36 0 0"
  drag 270 500 100 10
  expect_view first_joint_clamped "joints -90 0 0" "joints -81 0 0" "joints -99 0 0"
  drag 100 500 400 10
  expect_view first_joint_straight "" "joints -9 0 0" "joints 9 0 0"
  press_keys 4
  drag 300 500 150 10
  drag 150 500 200 10
  expect_view second_joint_back_from_clamp "joints 0 -45 0" "joints 0 -36 0" "joints 0 -54 0"
  press_keys 5
  drag 300 500 280 5
  expect_view end_block_stepped "joints 0 -45 -24" "joints 0 -45 -18" "joints 0 -45 -30"
  drag 280 500 100 5
  drag 100 500 125 5
  expect_view end_block_back_from_clamp "joints 0 -45 -60" "joints 0 -45 -54" "joints 0 -45 -66"
  drag 125 500 300 5
  expect_view end_block_straight "joints 0 -45 0" "joints 0 -45 -6" "joints 0 -45 6"
  press_keys 4
  drag 100 500 300 10
  expect_view all_straight "" "joints 0 -9 0" "joints 0 9 0"
  expect_no_errors
}

# The turn about y: started, frozen at the degrees it got to (one a frame,
# counted), and going on from there.
check_spin() {
  open_page
  page key-frames >/dev/null
  press_keys y
  expect_turning turning
  # Stopped 120 frames after it started, not where the machine's speed
  # leaves it: at a few turns (13, 44, 46 and 176 degrees) some of the
  # grid's lines run exactly along pixel edges, and Chromium's rasteriser
  # puts them in the column beside Mesa's, up to 1.3 % of the picture.
  local first second frames
  read -r first <<<"$(page key-frames)"
  page until-frame $((first + 120))
  press_keys y
  read -r second <<<"$(page key-frames)"
  frames=$((second - first))
  expect_still frozen
  expect_turned frozen_turn "$frames"
  press_keys y
  expect_turning resumed
  local changed
  changed=$(pixels_changed frozen_b resumed_a)
  [ "$changed" -gt 0 ] || fail "the turn did not go on from where it stopped"
  expect_no_errors
}

# The query string is the command line: nine numbers place the camera and
# light; any other count is ignored.
check_camera() {
  open_page 2 1 2 0 0 0 0 1 0
  expect_reference camera camera 2 1 2 0 0 0 0 1 0 light 2 1 2
  open_page 2 1 2
  expect_reference eight_numbers_ignored
  expect_no_errors
}

# The panel, fresh: its pictures after each step of tests/glui_pictures.h
# as GL's rules draw them (GLUI's own but for two focus marks' dots),
# played with real input; a click on its empty corner
# first gives it the keyboard and changes nothing. Then keys typed there:
# the main window's never reach it, Space clicks the focused row, Tab and
# Shift-Tab move the focus.
check_panel() {
  open_page
  local first=yes name events hash got
  while IFS='|' read -r name events hash; do
    if [ -z "$first" ]; then
      # shellcheck disable=SC2086  # the events are words
      page glui-step $events
    fi
    got=$(panel_hash)
    echo "panel, $name: $got"
    [ "$got" = "$hash" ] || fail "the panel, $name, is not the picture GL's rules give: hash $got, not $hash"
    [ -n "$first" ] && page click "$PANEL" 150 102
    first=
  done < <(sed -n 's/^ *{"\([^"]*\)", "\([^"]*\)", 0x[0-9a-f]*, \(0x[0-9a-f]*\)},$/\1|\2|\3/p' "$web_tests/../glui_pictures.h")
  # The last steps clicked "Wireframe View" on, and Space, on the row the
  # click focused, cleared it again.
  expect_reference panel_steps_done
  screenshot before_typing
  page keys w g
  screenshot typed_in_panel
  local changed
  changed=$(pixels_changed before_typing typed_in_panel)
  [ "$changed" -eq 0 ] || fail "keys typed in the panel reached the main window ($changed pixels changed)"
  page keys space
  expect_reference space_on_wireframe wireframe
  # Tab on to none, then twice more: row 2; shift and Tab back: row 1;
  # Space: the x turn starts, and a second Space stops it.
  page keys Tab Tab Tab shift+Tab space
  expect_turning x_turn_by_tab_and_space
  page keys space
  expect_still x_turn_stopped_by_space
  expect_no_errors
}

# Clicks: the grid's row takes them from its box's corner to the far corner
# of its label, edges included; a release outside the row cancels. The
# panel does not follow the keyboard: with the grid hidden by 'g', the
# still-ticked box clears on its click and writes 0, so the grid stays off.
check_clicks() {
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
  keyboard_to_main_window
  press_keys g
  click_checkbox "$ROW_GRID"
  expect_reference cleared_after_key no-grid
  expect_no_errors
}

# The page's buttons for the keys send them as typing them does: the views
# of g, w, p and o; the drag modes 1 to 5; the turns about x, y and z.
check_buttons() {
  open_page
  page button g
  expect_reference button_g no-grid
  page button g
  page button w
  expect_reference button_w wireframe
  page button w
  page button p
  expect_reference button_p perspective
  page button o
  expect_reference button_o
  page button 2
  drag 300 500 350 10
  expect_view button_2 "yaw 45" "yaw 36" "yaw 54"
  page button 3
  drag 300 500 270 10
  expect_view button_3 "yaw 45 joints -27 0 0" "yaw 45 joints -18 0 0" "yaw 45 joints -36 0 0"
  page button 4
  drag 300 500 270 10
  expect_view button_4 "yaw 45 joints -27 -27 0" "yaw 45 joints -27 -18 0" "yaw 45 joints -27 -36 0"
  page button 5
  drag 300 500 280 5
  expect_view button_5 "yaw 45 joints -27 -27 -24" "yaw 45 joints -27 -27 -18" "yaw 45 joints -27 -27 -30"
  page button 1
  drag 150 500 450 10
  expect_view button_1 "vehicle 0.9 yaw 45 joints -27 -27 -24" "vehicle 0.87 yaw 45 joints -27 -27 -24" \
    "vehicle 0.93 yaw 45 joints -27 -27 -24"
  local axis
  for axis in x y z; do
    page button "$axis"
    expect_turning "button_$axis"
    page button "$axis"
    expect_still "button_${axis}_again"
  done
  expect_no_errors
}

# Both windows' WebGL contexts lost, and given back half a second later:
# nothing goes wrong meanwhile, and the next frames are drawn as before:
# the pose, the flags and the panel's focus, which then go on answering.
# The page as a keyboard and a screen reader meet it: Tab from its start
# reaches the key buttons in their order, real buttons each named by its
# key's effect as the README's controls say it, then the main view; there
# Tab is the window's, and Escape gives the keyboard back to the page.
check_keyboard() {
  page open
  local buttons key effect focused count=0
  buttons=$(page buttons)
  while IFS='|' read -r key effect; do
    count=$((count + 1))
    [[ $buttons == *"[\"$key\", \"$effect\", \"$effect\", "* ]] ||
      fail "the page's button $key is not named by its effect, '$effect': $buttons"
    page keys Tab
    focused=$(page focused)
    [ "$focused" = "[\"button\", \"$key\"]" ] || fail "Tab reached $focused, not the button $key"
  done < <(sed -n '/^## Controls$/,/^## [^C]/s/^| `\([^`]\)` | \(.*\) |$/\1|\2/p' "$web_tests/../../README.md" | tr -d '`')
  echo "$ENGINE keyboard: Tab reached the $count key buttons in order, each named by its effect"
  [ "$count" -eq 12 ] || fail "the README's controls gave $count keys, not 12"
  page keys Tab
  focused=$(page focused)
  [ "$focused" = '["canvas", "glut-window-1"]' ] || fail "Tab from the last button reached $focused, not the main view"
  page keys Tab
  [ "$(page focused)" = "$focused" ] || fail "Tab left the main view, whose key it is"
  page keys Escape
  [ "$(page focused)" = null ] || fail "Escape left the keyboard with $(page focused), not the page"
  expect_no_errors
}

# The README's controls on the page: each input's effect, as the table says it.
check_help() {
  open_page
  local text effect rows=0
  text=$(page element '#controls')
  while IFS= read -r effect; do
    rows=$((rows + 1))
    [[ $text == *"$effect"* ]] || fail "the page's controls do not say: $effect"
  done < <(sed -n '/^## Controls$/,/^## [^C]/s/^| .* | \(.*\) |$/\1/p' "$web_tests/../../README.md" | grep -v '^Effect$' | tr -d '`')
  echo "$ENGINE help: the page shows the $rows inputs of the README's controls"
  [ "$rows" -ge 13 ] || fail "the README's controls table gave $rows rows"
  expect_no_errors
}

# After one visit the page opens and draws with no network: its service
# worker keeps its files.
check_offline() {
  open_page
  page worker
  page network off
  open_page
  expect_reference offline_start_up
  press_keys g
  expect_reference offline_no_grid no-grid
  page network on
  expect_no_errors
}

# Chromium's own test of a page that can be installed as an app: nothing
# in its way once the service worker is there.
check_installable() {
  open_page
  page worker
  local errors
  errors=$(page installability)
  echo "$ENGINE installability errors: $errors"
  [ "$errors" = "[]" ] || fail "Chromium would not install the page: $errors"
  expect_no_errors
}

# (The panel is compared with itself: GLUI's pictures are check_panel's.)
check_lost_context() {
  open_page
  press_keys g 2
  drag 300 500 350 10
  page click "$PANEL" 150 102
  page keys Tab Tab
  local before after
  before=$(panel_hash)
  page lose "$MAIN"
  page lose "$PANEL"
  sleep 0.5
  expect_no_errors
  page restore "$MAIN"
  page restore "$PANEL"
  expect_view restored "no-grid yaw 45" "no-grid yaw 36" "no-grid yaw 54"
  after=$(panel_hash)
  [ "$after" = "$before" ] || fail "the panel after its context came back is $after, not $before as before"
  page keys Tab
  after=$(panel_hash)
  [ "$after" != "$before" ] || fail "the panel's focus did not move on after its context came back"
  keyboard_to_main_window
  press_keys g
  expect_view restored_grid_back "yaw 45" "yaw 36" "yaw 54"
  expect_no_errors
}

# Fingers: a drag on the main view turns the body in drag mode 2, a tap on
# a checkbox toggles it.
check_touch() {
  open_page touch
  press_keys 2
  POINTER=touch drag 300 500 350 10
  expect_view finger_turned "yaw 45" "yaw 36" "yaw 54"
  page tap "$PANEL" "$BOX_MIDDLE_X" "${BOX_MIDDLE_Y[$ROW_GRID]}"
  expect_view finger_tapped_grid "no-grid yaw 45" "no-grid yaw 36" "no-grid yaw 54"
  expect_no_errors
}

# In a window too small for the page, a finger dragged up over a canvas
# leaves the page where it was, and one dragged up off the canvases and
# controls scrolls it.
check_touch_scroll() {
  page open touch size=480x400
  local layout spot x y step before
  mapfile -t layout < <(json_numbers "$(page layout)")
  [ "${layout[5]}" -gt "${layout[1]}" ] || fail "the page is no taller than a 480 x 400 window: ${layout[*]}"
  page touch down "$MAIN" 300 300
  for y in 280 260 240 220 200 180 160 140 120 100; do page touch move "$MAIN" 300 "$y"; done
  page touch up "$MAIN" 300 100
  mapfile -t layout < <(json_numbers "$(page layout)")
  echo "$ENGINE: a finger dragged 200 window pixels up the main view: the page scrolled to ${layout[2]}, ${layout[3]}"
  [ "${layout[3]}" = 0 ] || fail "a finger dragged on the main view scrolled the page to ${layout[3]}"
  spot=$(page spot-off-canvases)
  read -r x y <<<"$spot"
  mapfile -t layout < <(json_numbers "$(page layout)")
  before=${layout[3]%.*}
  page touch down page "$x" "$y"
  for step in 1 2 3 4 5 6 7 8 9 10; do page touch move page "$x" $((y - 15 * step)); done
  page touch up page "$x" $((y - 150))
  mapfile -t layout < <(json_numbers "$(page layout)")
  echo "$ENGINE: a finger dragged 150 pixels up from $spot, the page at $before: scrolled to ${layout[2]}, ${layout[3]}"
  [ "${layout[3]%.*}" -gt "$before" ] || fail "a finger dragged up the page off the canvases did not scroll it"
  expect_no_errors
}

# A second finger on the screen is not a pointer of the drag: only the
# first one's five steps right turn the body, the second one's five left
# and its lifting do nothing.
check_second_finger() {
  open_page touch
  press_keys 2
  page touch down "$MAIN" 300 500 0
  page touch down "$MAIN" 200 400 1
  local step
  for step in 1 2 3 4 5; do
    page touch move "$MAIN" $((300 + 10 * step)) 500 0
    page touch move "$MAIN" $((200 - 10 * step)) 400 1
  done
  page touch up "$MAIN" 150 400 1
  page touch up "$MAIN" 350 500 0
  expect_view two_fingers "yaw 45" "yaw 36" "yaw 54"
  expect_no_errors
}

# A pen's drag is a left-button drag.
check_pen() {
  open_page
  press_keys 2
  POINTER=pen drag 300 500 350 10
  expect_view pen_turned "yaw 45" "yaw 36" "yaw 54"
  expect_no_errors
}

# A phone, 390 x 844 CSS pixels with touch: the page fits its width and
# never scrolls sideways, and a tap on the scaled panel's "Wireframe View"
# box hits it (the main view's picture changes), a second one clears it.
check_phone() {
  page open phone
  local layout changed
  page scroll-to 200 0
  mapfile -t layout < <(json_numbers "$(page layout)")
  echo "$ENGINE phone: viewport ${layout[0]} x ${layout[1]}, scrolled to ${layout[2]}, ${layout[3]}, document ${layout[4]} x ${layout[5]}"
  [ "${layout[0]}" = 390 ] || fail "the phone's viewport is ${layout[0]} CSS pixels wide, not 390"
  [ "${layout[4]}" -le 390 ] || fail "the page is ${layout[4]} CSS pixels wide, wider than the phone's 390"
  [ "${layout[2]}" = 0 ] || fail "the page scrolled sideways on the phone, to ${layout[2]}"
  local canvas size
  canvas=$(page canvas "$MAIN")
  echo "$ENGINE phone: main canvas $canvas"
  mapfile -t layout < <(json_numbers "$canvas")
  [ "${layout[4]%.*}" -ge 300 ] || fail "the phone's main view is ${layout[4]} CSS pixels wide, less than 300"
  for size in $(page buttons | grep -o '[0-9]*, [0-9]*\]' | tr -d ' ]' ); do
    [ "${size%,*}" -ge 40 ] && [ "${size#*,}" -ge 40 ] || fail "a key button is $size CSS pixels, under 40 x 40"
  done
  page scroll-to 0 0
  screenshot phone_before
  page tap "$PANEL" "$BOX_MIDDLE_X" "${BOX_MIDDLE_Y[$ROW_WIREFRAME]}"
  screenshot phone_wireframe
  changed=$(pixels_changed phone_before phone_wireframe)
  echo "$ENGINE phone: a tap on Wireframe View changed $changed pixels"
  [ "$changed" -gt 1000 ] || fail "a tap on the phone's Wireframe View box did not change the view ($changed pixels)"
  page tap "$PANEL" "$BOX_MIDDLE_X" "${BOX_MIDDLE_Y[$ROW_WIREFRAME]}"
  screenshot phone_solid
  changed=$(pixels_changed phone_before phone_solid)
  [ "$changed" -eq 0 ] || fail "a second tap on Wireframe View did not bring the solid view back ($changed pixels)"
  expect_no_errors
}

# Two device pixels a CSS pixel: the main view drawn at 1200 x 1200 as the
# desktop viewer draws in a window of that size, one-pixel lines; the panel
# each of GLUI's pixels a 2 x 2 block, on 159 x 105 CSS pixels. A click
# still lands on the window's pixel it was aimed at.
check_ratio() {
  page open dpr=2
  local canvas hash
  canvas=$(page canvas "$MAIN")
  echo "$ENGINE ratio 2: main canvas $canvas, panel $(page canvas "$PANEL")"
  [[ $canvas == "[1200, 1200, "*", 600, 600]" ]] || fail "at ratio 2 the main canvas is $canvas, not 1200 x 1200 on 600 x 600"
  canvas=$(page canvas "$PANEL")
  [[ $canvas == "[318, 210, "*", 159, 105]" ]] || fail "at ratio 2 the panel is $canvas, not 318 x 210 on 159 x 105"
  REFERENCE_SIDE=1200 expect_reference ratio_2
  hash=$(panel_hash 2)
  local size
  size=$(identify -format %wx%h "$WORK/panel.ppm")
  [ "$size" = 318x210 ] || fail "the panel's shot at ratio 2 is $size device pixels, not 318 x 210"
  [ "$hash" = "$(glui_picture opened)" ] || fail "the panel at ratio 2 is not GLUI's picture: $hash"
  keyboard_to_main_window
  click_checkbox "$ROW_GRID"
  REFERENCE_SIDE=1200 expect_reference ratio_2_no_grid no-grid
  expect_no_errors
}

# Without WebGL the page says so in #webgl-missing, and nothing is thrown
# The ratio changed under an open page, as a zoom or another screen changes
# it: the buffers follow, and so do the pictures, the program none the wiser.
check_ratio_change() {
  open_page
  page ratio 2
  local canvas
  canvas=$(page canvas "$MAIN")
  echo "$ENGINE ratio changed to 2: main canvas $canvas, panel $(page canvas "$PANEL")"
  [[ $canvas == "[1200, 1200, "*", 600, 600]" ]] || fail "after the ratio went to 2 the main canvas is $canvas"
  REFERENCE_SIDE=1200 expect_reference ratio_changed_to_2
  [ "$(panel_hash 2)" = "$(glui_picture opened)" ] || fail "after the ratio went to 2 the panel is not its picture"
  page ratio 1
  canvas=$(page canvas "$MAIN")
  [[ $canvas == "[600, 600, "*", 600, 600]" ]] || fail "after the ratio went back to 1 the main canvas is $canvas"
  expect_reference ratio_changed_back
  [ "$(panel_hash)" = "$(glui_picture opened)" ] || fail "after the ratio went back to 1 the panel is not its picture"
  expect_no_errors
}

# that nobody catches.
check_no_webgl() {
  page open no-webgl
  local element
  element=$(page element "#webgl-missing")
  echo "$ENGINE without WebGL: #webgl-missing: $element"
  [[ $element == '{"shown": true, "text": "'?* ]] || fail "without WebGL the page shows no #webgl-missing with its text: $element"
  expect_no_errors uncaught
}

# How fast the page draws, for the record.
check_frame_rate() {
  page open
  echo "$ENGINE frame rate: $(page frame-rate 3) frames a second"
}
