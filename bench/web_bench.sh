#!/bin/bash
# The page in the browser: its animation frames a second against a blank
# page with two canvases of the same sizes and nothing drawn
# (web_blank_page.html), run alternately, twice each, in one browser of each
# engine, with the ratio; and the WebAssembly memory and the JavaScript heap
# (where the engine tells it: Chromium, after a forced collection) at the
# start and after a minute of the scene turning. Prints figures and asserts
# nothing: a browser's frame rate is the display's and the machine's.
# Usage, on a private display (scripts/on-virtual-display):
#   bench/web_bench.sh PAGE_DIR [ENGINE...]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
built=$1
shift
[ $# -gt 0 ] || set -- chromium firefox webkit
# lib.sh for fail and its clean-up, page.sh for the page driver.
# shellcheck source=tests/e2e/lib.sh
. "$here/../tests/e2e/lib.sh" true
# shellcheck source=tests/web/page.sh
. "$here/../tests/web/page.sh"
WORK_ALL=$WORK
# The page and the blank one, served side by side.
page_dir=$WORK/page
mkdir -p "$page_dir"
cp -r "$built"/. "$page_dir/"
cp "$here/web_blank_page.html" "$page_dir/blank.html"
SECONDS_A_RUN=5

for ENGINE in "$@"; do
  start_page_driver
  page_rates=()
  blank_rates=()
  for round in 1 2; do
    page open >/dev/null
    page_rates+=("$(page frame-rate "$SECONDS_A_RUN")")
    page open page=blank.html >/dev/null
    blank_rates+=("$(page frame-rate "$SECONDS_A_RUN")")
    echo "$ENGINE, round $round: the page ${page_rates[-1]} frames/s, the blank page ${blank_rates[-1]}"
  done
  awk -v engine="$ENGINE" -v p="${page_rates[*]}" -v b="${blank_rates[*]}" 'BEGIN {
    split(p, pr, " "); split(b, br, " ")
    page = (pr[1] + pr[2]) / 2; blank = (br[1] + br[2]) / 2
    printf "%s: the page %.1f frames/s, the blank page %.1f: ratio %.2f\n", engine, page, blank, page / blank }'
  page open >/dev/null
  page click "$MAIN" 300 300
  echo "$ENGINE memory at the start: $(page memory)"
  page keys y
  sleep 60
  echo "$ENGINE memory after a minute of turning: $(page memory)"
  stop_page_driver
done
