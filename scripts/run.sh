#!/usr/bin/env bash
# Builds TARNWELL.EXE and starts it under Wine. Without a display it runs on its own Xvfb,
# saves a screenshot a few seconds after start-up and then ends the program with Escape.
set -euo pipefail
"$(dirname "$0")/deps.sh"
source "$(dirname "$0")/env.sh"

configure_and_build tarnwell tarnwell_art # the program and what it shows, not the tests
headless=""
[ -z "${DISPLAY:-}" ] && headless=1
start_display
trap stop_session EXIT
prepare_prefix

cd "$BUILD_DIR" # TARNWELL.ICO and TARNWELL.ICM are looked up in the current folder
if [ -z "$headless" ]; then
  wine ./TARNWELL.EXE "$@"
  exit $?
fi

wine ./TARNWELL.EXE "$@" &
pid=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^/tarnwell$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
sleep 3
shot="$BUILD_DIR/screenshot.png"
import -window root "$shot"
echo "screenshot: $shot"
[ -n "$window" ] && xdotool windowfocus --sync "$window" && xdotool key Escape
status=0
wait "$pid" || status=$?
echo "TARNWELL.EXE exit code: $status"
exit "$status"
