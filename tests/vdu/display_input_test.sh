#!/usr/bin/env bash
# Runs display_input_test in a Wine prefix of its own without a printer, LPT1 mapped to the file
# LPT1.OUT of the working folder, and types, clicks and drags in the display window with xdotool;
# xclip reads what a drag copied from the X clipboard.
# Usage: display_input_test.sh TEST_EXE WORK_DIR
set -euo pipefail
exe=$1
work=$2
mkdir -p "$work"
work=$(cd "$work" && pwd)
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../common/private_prefix.sh"
cd "$work"
use_private_prefix "$work"

trap 'wineserver -k 2>/dev/null || true' EXIT

: >LPT1.OUT
ln -sfn "$work/LPT1.OUT" "$WINEPREFIX/dosdevices/lpt1"

status=0
wine "$exe" --gtest_filter='DisplayInput.TheHardcopyItem*:DisplayInput.NoStroke*' || status=1

rm -f READY
wine "$exe" --gtest_filter='DisplayInput.RealKeys*' &
test_pid=$!
for _ in $(seq 1 300); do
  [ -f READY ] && break
  sleep 0.1
done
if [ -f READY ]; then
  read -r left top < <(tr -d '\r' <READY)
  window=$(timeout 30 xdotool search --sync --name '^/tarnwell0$' | head -n 1 || true)
  [ -n "$window" ] || { echo "FAILED: no window /tarnwell0 on the display" >&2; exit 1; }
  timeout 30 xdotool windowfocus --sync "$window"
  sleep 0.3
  for keys in space ctrl+g alt+space alt+F4 Print; do
    xdotool key "$keys"
    sleep 0.1
  done
  # Alt+Print Screen with Alt held throughout ("key alt+Print" lets Alt go for the Print level).
  xdotool keydown Alt_L
  sleep 0.1
  xdotool key Print
  sleep 0.1
  xdotool keyup Alt_L
  sleep 0.1
  xdotool key F1
  sleep 0.1
  xdotool mousemove $((left + 60)) $((top + 200)) click 1
  sleep 0.1
  xdotool click 5
  sleep 0.1
  xdotool key Return
else
  echo "FAILED: the test program did not open its screen" >&2
  status=1
fi
wait "$test_pid" || status=1

# A real drag over text, and the X clipboard read by another program.
rm -f DRAG XCLIP.OUT
wine "$exe" --gtest_filter='DisplayInput.ARealDrag*' &
test_pid=$!
for _ in $(seq 1 300); do
  [ -f DRAG ] && break
  sleep 0.1
done
if [ -f DRAG ]; then
  read -r x1 y1 x2 y2 < <(tr -d '\r' <DRAG)
  xdotool mousemove "$x1" "$y1"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  xdotool mousemove $(((x1 + x2) / 2)) $(((y1 + y2) / 2))
  sleep 0.1
  xdotool mousemove "$x2" "$y2"
  sleep 0.2
  xdotool mouseup 1
  sleep 1
  timeout 10 xclip -o -selection clipboard -t UTF8_STRING >XCLIP.TMP || true
  mv XCLIP.TMP XCLIP.OUT
else
  echo "FAILED: the drag test did not open its screen" >&2
  status=1
fi
wait "$test_pid" || status=1
exit $status
