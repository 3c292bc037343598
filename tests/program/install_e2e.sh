#!/usr/bin/env bash
# The installer the way a user runs it: TARNWELL.EXE in a fresh Wine prefix, keys and clicks
# sent to its real windows.
# Usage: install_e2e.sh TARNWELL.EXE FOLDER_WITH_ART SCRATCH_FOLDER
set -uo pipefail
exe=$1 art=$2 scratch=$3
source "$(dirname "$0")/driver.sh"

rm -rf "$scratch"
mkdir -p "$scratch/drive_d"
export WINEPREFIX=$scratch/prefix
wineboot -i >/dev/null 2>&1
wineserver -w
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -p
trap 'wineserver -k 2>/dev/null' EXIT
target=$WINEPREFIX/drive_c/TARNWELL
failures=0

run_with_keys() { # run_with_keys KEY...: starts the program, types the keys, waits for its end
  cd "$art"
  start_program "$exe"
  local window
  window=$(find_window /tarnwell) || { echo "no monitor window"; kill "$PROGRAM_PID"; return 1; }
  sleep 0.3
  KEY_TIME=$(date +%s.%N)
  press "$window" "$@"
  wait_end 60
  echo "exit code after $*: $EXIT_CODE"
  END_TIME=$(date +%s.%N)
}

# Escape: nothing is written.
run_with_keys Escape
check "Escape ends the program with 0" test "$EXIT_CODE" = 0
check "Escape installs nothing" test ! -e "$target"

# The close box: the program ends without installing.
cd "$art"
start_program "$exe"
window=$(find_window /tarnwell) && sleep 0.3 && click_close_box "$window"
wait_end 20
check "the close box ends the program with 0" test "$EXIT_CODE" = 0
check "the close box installs nothing" test ! -e "$target"

# Enter: the product is installed into C:\TARNWELL.
run_with_keys Return
echo "time from Enter to the end: $(awk "BEGIN{print $END_TIME - $KEY_TIME}") s"
check "Enter ends the program with 0" test "$EXIT_CODE" = 0
for f in README.TXT DOCS/GUIDE.TXT DOCS/LICENSE.TXT DATA/SAMPLES.DAT TWLGENWI.BAT; do
  check "C:\\TARNWELL\\$f installed" test -f "$target/$f"
done
product=$(cd "$(dirname "$0")/../../payload" && pwd)
for f in README.TXT DOCS/GUIDE.TXT TWLGENWI.BAT; do
  check "C:\\TARNWELL\\$f is the product's own" cmp -s "$product/$f" "$target/$f"
done
check "the payload program was deleted" test ! -e "$target/TWLSETUP.EXE"
check "the batch file ran" grep -qi "README.TXT" "$target/INSTALL.LOG"

# Enter again, with C:\TARNWELL there: the message box, and nothing installed.
before=$(cd "$target" && find . -printf '%p %s %T@\n' | sort)
cd "$art"
start_program "$exe"
window=$(find_window /tarnwell) && sleep 0.3 && press "$window" Return
box=$(find_window setupbox 100)
check "the message box appears" test -n "$box"
[ -n "$box" ] && press "$box" Return
wait_end 20
check "after the message box the program ends with 0" test "$EXIT_CODE" = 0
after=$(cd "$target" && find . -printf '%p %s %T@\n' | sort)
check "nothing was written into the existing folder" test "$before" = "$after"

# 'd' then Enter: installed into D:\TARNWELL.
ln -sfn "$scratch/drive_d" "$WINEPREFIX/dosdevices/d:"
run_with_keys d Return
check "the D: installation ends with 0" test "$EXIT_CODE" = 0
check "D:\\TARNWELL\\README.TXT installed" test -f "$scratch/drive_d/TARNWELL/README.TXT"
check "D:\\TARNWELL\\DATA\\SAMPLES.DAT installed" test -f "$scratch/drive_d/TARNWELL/DATA/SAMPLES.DAT"

echo "$failures failed"
exit "$failures"
