# shellcheck shell=bash
# Sourced by web_check.sh after lib.sh: the page driver started and spoken
# to, lib.sh's input and screenshots done in the page, and the browsers'
# picture comparison, which replaces lib.sh's fixed bar of 50 pixels.
# Window 1 is the main window, 2 the panel; keys go to the canvas that last
# took a press. Uses ENGINE, page_dir, WORK, WORK_ALL, REFERENCES,
# REFERENCE_FRAME and PICTURE_DISTANCE; the benchmark uses the driver alone.

MAIN=1 PANEL=2
web_tests=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The driver answers each command with one line: "ok [result]" or "error
# ...". Its standard input and output are kept on descriptors of our own,
# which outlive the coprocess's when it ends.
start_page_driver() {
  coproc PAGE { exec /usr/bin/python3 "$web_tests/page_driver.py" "$ENGINE" "$page_dir" 2>>"$WORK_ALL/viewer.log"; }
  VIEWER_PID=$PAGE_PID
  exec {PAGE_IN}<&"${PAGE[0]}" {PAGE_OUT}>&"${PAGE[1]}"
}

# Asks the driver to end, which closes its browser, and waits a minute at
# most for it; lib.sh's exit stops it too, as it would the viewer.
stop_page_driver() {
  echo quit >&"$PAGE_OUT" || true
  local tenth
  for ((tenth = 0; tenth < 600; tenth++)); do
    kill -0 "$VIEWER_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill "$VIEWER_PID" 2>/dev/null || true
  wait "$VIEWER_PID" 2>/dev/null || true
  exec {PAGE_IN}<&- {PAGE_OUT}>&-
  VIEWER_PID=
}

page() {
  echo "$*" >&"$PAGE_OUT"
  # A browser's start and a page load take seconds; nothing takes 90.
  read -r -t 90 answer <&"$PAGE_IN" || fail "the page driver ($ENGINE) gave no answer to '$*' within 90 s"
  case $answer in
    ok) ;;
    ok\ *) echo "${answer#ok }" ;;
    *) fail "$ENGINE: $*: $answer" ;;
  esac
}

# lib.sh's input, in the page. POINTER (mouse, touch or pen) says what
# drags: POINTER=touch drag 300 500 350 10. lib.sh's drag, as one command:
# the driver sends the whole row of motions.
POINTER=mouse
screenshot() { page shot "$MAIN" "$WORK/$1.png"; }
settle() { :; } # a shot waits for the page to draw what came before it
press_keys() { page keys "$@"; }
keyboard_to_main_window() { page click "$MAIN" $((MAIN_SIDE / 2)) $((MAIN_SIDE / 2)); }
drag() { page drag "$POINTER" "$MAIN" "$@"; }
click_checkbox() { page click "$PANEL" "$BOX_MIDDLE_X" "${BOX_MIDDLE_Y[$1]}"; }
open_page() {
  page open "$@"
  keyboard_to_main_window
}

# The side of the reference pictures: the main window's device pixels.
REFERENCE_SIDE=$MAIN_SIDE

# The reference picture of the view the words describe (reference-frame's
# words), drawn once a run and side.
reference_picture() {
  local file
  file=$REFERENCES/${REFERENCE_SIDE}_$(echo "${1:-default}" | tr ' ' '_').ppm
  if [ ! -s "$file" ]; then
    # shellcheck disable=SC2086  # the words are words
    "$REFERENCE_FRAME" --size "$REFERENCE_SIDE" $1 >"$file.new" || fail "reference-frame could not draw '$1'"
    mv "$file.new" "$file"
  fi
  echo "$file"
}

# Counts of the pixels of picture $1 off by more than 8 in any channel
# from each reference picture of the views that follow, one a line.
distances() {
  local shot=$1 references=() view file
  shift
  for view in "$@"; do
    file=$(reference_picture "$view")
    references+=("$file")
  done
  "$PICTURE_DISTANCE" "$shot" "${references[@]}" || fail "picture-distance could not compare $shot"
}

# Browsers rasterise alike but not to the pixel: a 3D view is right when at
# most 0.5 % of its pixels are off, and told apart from its neighbours when
# each of their pictures lies strictly farther off.
# Usage: expect_view NAME WORDS NEIGHBOUR_WORDS...
expect_view() {
  local name=$1 words=$2 counts own bar i
  shift 2
  page shot "$MAIN" "$WORK/$name.ppm"
  mapfile -t counts < <(distances "$WORK/$name.ppm" "$words" "$@")
  [ ${#counts[@]} -eq $(($# + 1)) ] || fail "$name: could not compare the shot with its reference pictures"
  own=${counts[0]}
  bar=$((REFERENCE_SIDE * REFERENCE_SIDE / 200))
  echo "$ENGINE $name: $own pixels off '${words:-default}'; neighbours: ${counts[*]:1}"
  [ "$own" -le "$bar" ] || fail "$name is not the picture of '${words:-default}': $own pixels off, more than $bar"
  for ((i = 1; i <= $#; i++)); do
    [ "$own" -lt "${counts[i]}" ] ||
      fail "$name lies as near the picture of '${!i}' (${counts[i]} pixels off) as its own ($own)"
  done
}

# lib.sh's comparison, for views that are not a pose (the grid off,
# perspective, wire-frame, the start-up view): their neighbours are the
# same view turned one degree about y either way.
expect_reference() {
  local name=$1
  shift
  expect_view "$name" "$*" "$* spin 0 1 0" "$* spin 0 -1 0"
}

# The scene, frozen after turning about y by itself, against the turns of
# one degree a frame the page drew between the two presses of the key
# (FRAMES): the nearest of a few degrees either way must be within the bar
# and nearer than the degree before and after it.
expect_turned() {
  local name=$1 frames=$2 views=() counts best=1 k first
  first=$((frames > 4 ? frames - 4 : 0))
  for ((k = first; k <= frames + 4; k++)); do views+=("spin 0 $k 0"); done
  page shot "$MAIN" "$WORK/$name.ppm"
  mapfile -t counts < <(distances "$WORK/$name.ppm" "${views[@]}")
  [ ${#counts[@]} -eq ${#views[@]} ] || fail "$name: could not compare the shot with its reference pictures"
  for ((k = 1; k < ${#counts[@]} - 1; k++)); do
    [ "${counts[k]}" -lt "${counts[best]}" ] && best=$k
  done
  echo "$ENGINE $name: ${counts[best]} pixels off '${views[best]}' ($frames frames counted); each degree from $first: ${counts[*]}"
  [ "${counts[best]}" -le $((REFERENCE_SIDE * REFERENCE_SIDE / 200)) ] ||
    fail "$name is no picture of a turn about y near $frames degrees"
  if [ "${counts[best]}" -ge "${counts[best - 1]}" ] || [ "${counts[best]}" -ge "${counts[best + 1]}" ]; then
    fail "$name lies as near a turn a degree away as '${views[best]}'"
  fi
}

# The page's errors since the last look, of any kind (KIND "") or those
# nothing caught (KIND uncaught): none.
expect_no_errors() {
  local messages
  messages=$(page console)
  [ "$messages" = "[]" ] && return 0
  case ${1:-} in
    uncaught) [[ $messages != *'"uncaught: '* ]] && return 0 ;;
  esac
  fail "the page reported errors: $messages"
}

# The panel's picture, hashed as tests/glui_pictures.h hashes GLUI's, each
# BLOCK x BLOCK square of device pixels taken for one pixel.
panel_hash() {
  page shot "$PANEL" "$WORK/panel.ppm"
  page panel-hash "$WORK/panel.ppm" "${1:-1}"
}

# The panel's picture after the step of tests/glui_pictures.h named $1, as
# GL's rules draw it.
glui_picture() {
  sed -n "s/^ *{\"$1\", \"[^\"]*\", 0x[0-9a-f]*, \(0x[0-9a-f]*\)},\$/\1/p" "$web_tests/../glui_pictures.h"
}

# A JSON array's numbers, one a line.
json_numbers() {
  tr -d '[]' <<<"$1" | tr ',' '\n' | tr -d ' '
}
