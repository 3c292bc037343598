#!/usr/bin/env bash
# Runs port_device_test in a Wine prefix of its own that sees no print server (so that "LPT1"
# reaches the raw port): first with LPT1 mapped to a file and COM7 to one end of a
# pseudo-terminal pair made by socat, whose other end is read here; then with neither a printer
# nor LPT1.
# Usage: port_device_test.sh TEST_EXE WORK_DIR
set -euo pipefail
exe=$1
work=$2
mkdir -p "$work"
work=$(cd "$work" && pwd)
source "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/../common/private_prefix.sh"
cd "$work"
use_private_prefix "$work"

tty_dir=$work/tty
socat_pid=""
reader_pid=""
cleanup() {
  [ -n "$reader_pid" ] && kill "$reader_pid" 2>/dev/null || true
  [ -n "$socat_pid" ] && kill "$socat_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

rm -rf "$tty_dir"
mkdir -p "$tty_dir"
socat pty,raw,echo=0,link="$tty_dir/ttyA" pty,raw,echo=0,link="$tty_dir/ttyB" 2>"$work/socat.log" &
socat_pid=$!
for _ in $(seq 1 100); do
  [ -e "$tty_dir/ttyA" ] && [ -e "$tty_dir/ttyB" ] && break
  sleep 0.05
done
[ -e "$tty_dir/ttyA" ] || { echo "socat made no pseudo-terminal" >&2; exit 1; }
# A speed the open must change (a pseudo-terminal keeps 8 data bits, no parity, whatever is asked).
stty -F "$tty_dir/ttyA" 2400

: >LPT1.OUT
ln -sfn "$work/LPT1.OUT" "$WINEPREFIX/dosdevices/lpt1"
ln -sfn "$tty_dir/ttyA" "$WINEPREFIX/dosdevices/com7"
rm -f SERIAL.TXT received.txt
cat "$tty_dir/ttyB" >received.txt &
reader_pid=$!

status=0
wine "$exe" --gtest_filter='HardcopyOnPort.*:SerialPort.*' || status=1

settings=$(stty -F "$tty_dir/ttyA" -a)
for want in "speed 9600 baud" "cs8" "-parenb" "-cstopb"; do
  if ! grep -qw -- "$want" <<<"$settings"; then
    echo "FAILED: COM7 line settings lack '$want': $settings" >&2
    status=1
  fi
done
for _ in $(seq 1 50); do
  [ -f SERIAL.TXT ] && cmp -s SERIAL.TXT received.txt && break
  sleep 0.1
done
if ! [ -f SERIAL.TXT ] || ! cmp -s SERIAL.TXT received.txt; then
  echo "FAILED: bytes read from the other end of COM7 differ from those sent" >&2
  od -c received.txt | head -20 >&2
  status=1
fi

rm -f "$WINEPREFIX/dosdevices/lpt1"
wine "$exe" --gtest_filter='HardcopyWithoutPrinter.*' || status=1
exit $status
