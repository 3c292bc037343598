#!/usr/bin/env bash
# Runs the C example under Wine and works it from outside with the real keyboard and mouse
# (XTEST), as a person would. Usage: hello_c_run.sh HELLO_C_EXE WORK_DIR ACTION
#   key:   types a letter into the screen's window; the program must end with 0
#   close: clicks the close box of the monitor window; the screen is asked to close, and the
#          program must end with 1 (closed before a key came)
set -uo pipefail
exe=$1 work=$2 action=$3
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../program/driver.sh
source "$here/../program/driver.sh"

mkdir -p "$work" && cd "$work" || exit 1
start_program "$exe"
screen=$(find_window /tarnwell0 300) || { echo "the screen window /tarnwell0 did not appear"; kill "$PROGRAM_PID"; exit 1; }
sleep 0.3
case $action in
  key)
    press "$screen" x || { echo "the screen window did not take the focus"; kill "$PROGRAM_PID"; exit 1; }
    expected=0 ;;
  close)
    monitor=$(find_window /tarnwell) || { echo "no monitor window"; kill "$PROGRAM_PID"; exit 1; }
    click_close_box "$monitor"
    expected=1 ;;
  *) echo "unknown action $action"; kill "$PROGRAM_PID"; exit 2 ;;
esac
wait_end 30
echo "hello_c exit code: $EXIT_CODE (expected $expected)"
[ "$EXIT_CODE" -eq "$expected" ]
