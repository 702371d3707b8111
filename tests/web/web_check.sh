#!/bin/bash
# The browser build, served from 127.0.0.1 and run in three engines
# (Chromium, Firefox, WebKitGTK), driven with real input events
# (tests/web/page_driver.py) and checked as the end-to-end tests check the
# Linux build: every 3D view against its reference picture within the
# browsers' tolerance, and nearer it than the pictures of the views one
# input step either side; the panel as GLUI draws it, to the pixel; and what
# a page adds: device pixel ratios, touch and pen, a phone's screen, a lost
# WebGL context, a browser without WebGL, the page's key buttons. Each check
# opens its own page and can run alone; one that fails is reported and the
# others still run. Speed is printed, never asserted.
# Usage, on a private display (scripts/on-virtual-display), where
# reference-frame draws and Firefox and WebKit have WebGL:
#   tests/web/web_check.sh [--engine ENGINE]... [--only CHECK]... PAGE_DIR REFERENCE_FRAME PICTURE_DISTANCE
# (the tools: the end-to-end tests', built for Linux; --list names the checks)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/web/checks.sh
. "$here/checks.sh"

engines=()
only=()
while [ $# -gt 0 ]; do
  case $1 in
    --engine) engines+=("$2"); shift 2 ;;
    --only) only+=("$2"); shift 2 ;;
    --list) echo "${CHECKS[*]}"; exit 0 ;;
    *) break ;;
  esac
done
[ $# -eq 3 ] || { echo "usage: $0 [--engine ENGINE]... [--only CHECK]... PAGE_DIR REFERENCE_FRAME PICTURE_DISTANCE" >&2; exit 2; }
[ ${#engines[@]} -gt 0 ] || engines=(chromium firefox webkit)
[ ${#only[@]} -gt 0 ] || only=("${CHECKS[@]}")
for check in "${only[@]}"; do
  case " ${CHECKS[*]} " in *" $check "*) ;; *) echo "no check named '$check' (--list names them)" >&2; exit 2 ;; esac
done
page_dir=$1
PICTURE_DISTANCE=$3
# shellcheck source=tests/e2e/lib.sh
. "$here/../e2e/lib.sh" true "" "$2"
# shellcheck source=tests/web/page.sh
. "$here/page.sh"

# Each engine's screenshots in a folder of its own; the reference pictures,
# the same for all, drawn once.
WORK_ALL=$WORK
REFERENCES=$WORK_ALL/references
mkdir -p "$REFERENCES"
finish_all() {
  local status=$?
  WORK=$WORK_ALL
  (exit "$status")
  finish
}
trap finish_all EXIT

passed=0
failed=()
skipped=()
for ENGINE in "${engines[@]}"; do
  WORK=$WORK_ALL/$ENGINE
  mkdir -p "$WORK"
  start_page_driver
  read -r _ CAN <<<"$(page engine)"
  for check in "${only[@]}"; do
    need=$(check_needs "$check")
    if [ -n "$need" ] && [[ " $CAN " != *" $need "* ]]; then
      skipped+=("$ENGINE:$check")
      echo "--- $ENGINE, $check: skipped, its driver cannot produce $need"
      continue
    fi
    echo "--- $ENGINE, $check"
    started=$SECONDS
    # In a job of its own, so that set -e holds in it (a condition would
    # switch it off), and a fail there ends that check alone.
    status=0
    ("check_$check") &
    wait $! || status=$?
    if [ "$status" -eq 0 ]; then
      passed=$((passed + 1))
      echo "--- $ENGINE, $check: passed in $((SECONDS - started)) s"
    else
      failed+=("$ENGINE:$check")
      echo "--- $ENGINE, $check: FAILED after $((SECONDS - started)) s"
      # What it left the driver in (a held button, an answer still to
      # come) is not the next check's: a fresh driver and browser.
      stop_page_driver
      start_page_driver
    fi
  done
  stop_page_driver
done
WORK=$WORK_ALL
[ ${#skipped[@]} -eq 0 ] || echo "skipped: ${skipped[*]}"
[ ${#failed[@]} -eq 0 ] || echo "failed: ${failed[*]}"
echo "$passed passed, ${#failed[@]} failed, ${#skipped[@]} skipped"
[ ${#failed[@]} -eq 0 ]
