#!/usr/bin/env bash
# TWLDEMO.EXE the way a user runs it: in a fresh Wine prefix under the X display, switched
# through its screens with clicks on the next-screen zone, typed into, and checked by the
# pixels of its real windows. LPT1 is mapped to a file, so the hardcopy lands there.
# Usage: twldemo_e2e.sh TWLDEMO.EXE FOLDER_WITH_ART SCRATCH_FOLDER
set -uo pipefail
exe=$1 art=$2 scratch=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../program/driver.sh"

rm -rf "$scratch"
mkdir -p "$scratch/run"
scratch=$(cd "$scratch" && pwd)
export WINEPREFIX=$scratch/prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
export CUPS_SERVER=$scratch/no-print-server.sock # no printer: the hardcopy goes to LPT1
wineboot -i >/dev/null 2>&1
wineserver -w
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
: >"$scratch/LPT1.OUT"
ln -sfn "$scratch/LPT1.OUT" "$WINEPREFIX/dosdevices/lpt1"
trap 'wineserver -k 2>/dev/null' EXIT
cp "$exe" "$art/TARNWELL.ICO" "$art/TARNWELL.ICM" "$scratch/run/"
failures=0

# pixels WINDOW SHOT_NAME CHECK...: a screenshot, then the checks of twldemo_pixels.py on it.
pixels() {
  local window=$1 name=$2 X Y WIDTH HEIGHT SCREEN
  shift 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root "$scratch/$name.png"
  convert "$scratch/$name.png" "$scratch/$name.ppm"
  python3 "$here/twldemo_pixels.py" "$scratch/$name.ppm" "$X" "$Y" "$@"
}

# click WINDOW X Y: a left click at a window-relative position.
click() {
  local window=$1 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove "$((X + $2))" "$((Y + $3))" click 1
}

# typing WINDOW TEXT: types TEXT into the focused window.
typing() {
  xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool type --delay 60 "$2"
}

# status_row WINDOW SHOT OUT: the live view's line "Time ... page written N times", cut out of a
# screenshot. Its first 46 columns stay on a 1024-pixel display wherever the window is docked;
# the running block further right may lie beyond the display's edge.
status_row() {
  local window=$1 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  convert "$scratch/$2.png" -crop "368x16+$((X + 15 + 4 * 8))+$((Y + 88 + 6 * 16))" "$scratch/$3.ppm"
}

shown() { visible "$1" >/dev/null; }
cx() { echo $((15 + $1 * 8)); } # left pixel of a column
cy() { echo $((88 + $1 * 16)); } # top pixel of a row
next_screen() { click "$1" 30 60; sleep 1; }

cd "$scratch/run"
start_program ./TWLDEMO.EXE

# Screen 1: highlighted text, etched line drawing and the labels of the click band.
w1=$(visible /tarnwell1) || { echo "FAILED: screen 1 never shown"; kill "$PROGRAM_PID"; exit 1; }
sleep 1.5
check "screen 1: highlight blue, an etched line, the Close label" \
  pixels "$w1" screen1 "blue,$(cx 15),$(cy 3),8,16" "is,$(($(cx 5) + 3)),$(($(cy 7) + 7)),FFFFFF" \
  "is,$(($(cx 5) + 3)),$(($(cy 7) + 6)),808080" "is,244,48,F5C8C8"

# Copy and paste on screen 1: a drag over "highlighted" puts it on the clipboard; the system menu
# (its zone in the click band) pastes it into the typing line, whose first cells were empty.
drag "$w1" $(($(cx 15) + 4)) $(($(cy 3) + 8)) $(($(cx 25) + 4)) $(($(cy 3) + 8))
sleep 1
check "a drag over screen 1 copies the word under it" test "$(timeout 10 xclip -o -selection clipboard)" = highlighted
check "the typing line is empty before the paste" \
  pixels "$w1" paste0 "plain,$(cx 5),$(cy 19),72,11,E0E0E0"
click "$w1" 90 60
sleep 1
xdotool key e
sleep 1.5
check "the system menu's paste item typed the text into screen 1" \
  pixels "$w1" paste1 "dark,$(cx 5),$(cy 19),72,11"

# Screen 2: the form. Typed name and city, a masked password, Enter sends it.
next_screen "$w1"
w2=$(visible /tarnwell2)
check "the next-screen zone shows screen 2" test -n "$w2"
check "and hides screen 1" test -z "$(xdotool search --onlyvisible --name '^/tarnwell1$' 2>/dev/null)"
typing "$w2" "Ann"
press "$w2" Tab
typing "$w2" "Oslo"
press "$w2" Tab
typing "$w2" "secret"
press "$w2" Return
sleep 1.5
check "screen 2: frame stroke, typed text in blue, white mask blocks, the answer" \
  pixels "$w2" screen2 "is,$(($(cx 30) + 3)),$(($(cy 2) + 4)),FFFFFF" "blue,$(cx 22),$(cy 5),8,16" \
  "blue,$(cx 22),$(cy 7),8,16" "plain,$(cx 22),$(cy 9),48,14,FFFFFF" "is,$(($(cx 28) + 3)),$(($(cy 9) + 6)),E0E0E0" \
  "dark,$(cx 6),$(cy 15),64,16"

# Screen 3: fills in their colours.
next_screen "$w2"
w3=$(visible /tarnwell3)
check "the next-screen zone shows screen 3" test -n "$w3"
sleep 0.5
check "screen 3: red and blue fills" \
  pixels "$w3" screen3 "is,$(($(cx 4) + 4)),$(($(cy 4) + 8)),FF0000" "is,$(($(cx 44) + 4)),$(($(cy 4) + 8)),0000FF"

# Screen 4: the live file view, redrawn as the demo's thread rewrites the page.
next_screen "$w3"
w4=$(visible /tarnwell4)
check "the next-screen zone shows screen 4" test -n "$w4"
sleep 1
check "screen 4: the page's double-line box drawn as grey bars" \
  pixels "$w4" screen4 "is,$(($(cx 1) + 4)),$(($(cy 1) + 6)),C0C0C0" "dark,$(cx 4),$(cy 6),64,16"
status_row "$w4" screen4 run_a
sleep 1.5
import -window root "$scratch/screen4b.png"
status_row "$w4" screen4b run_b
check "screen 4: the page was redrawn as rewritten between two looks" bash -c "! cmp -s '$scratch/run_a.ppm' '$scratch/run_b.ppm'"

# Screen 5, from the live view: hardcopy, records under locks, a program run.
press "$w4" F5
w5=$(visible /tarnwell5)
check "F5 on the live view shows the services page" test -n "$w5"
press "$w5" h
sleep 2
check "the hardcopy printed screen 5 on LPT1" grep -q "TWLDEMO  screen 5" "$scratch/LPT1.OUT"
press "$w5" s s r l p
sleep 2
check "two records saved in TWLDEMO.DAT" bash -c "grep -q 'Record 0, saved' TWLDEMO.DAT && grep -q 'Record 1, saved' TWLDEMO.DAT"
check "the print job put the records on LPT1" \
  bash -c "grep -q 'TWLDEMO records' '$scratch/LPT1.OUT' && grep -q 'Record 1, saved' '$scratch/LPT1.OUT'"
press "$w5" x
sleep 4
check "the execute service ran cmd.exe" grep -q "written by a program that TWLDEMO ran" TWLRUN.TXT
check "the services log shows the results" pixels "$w5" screen5 "dark,$(cx 1),$(cy 21),200,16"

# Escape goes back: services, live view, screen 1; the close zone there ends the program.
press "$w5" Escape
check "Escape on the services page returns to the live view" shown /tarnwell4
press "$(visible /tarnwell4)" Escape
w1=$(visible /tarnwell1)
check "Escape on the live view returns to screen 1" test -n "$w1"
sleep 0.5
click "$w1" 260 60
wait_end 20
check "the close zone ends the program with exit code 0" test "$EXIT_CODE" = 0

# Escape on the first screen ends it too, pressed once the demo has drawn it (under load its
# start-up can take longer than a fixed wait).
start_program ./TWLDEMO.EXE
if w1=$(visible /tarnwell1); then
  for _ in $(seq 1 20); do
    pixels "$w1" again1 "blue,$(cx 15),$(cy 3),8,16" >/dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 0.5
  press "$w1" Escape
fi
wait_end 20
check "Escape on screen 1 ends the program with exit code 0" test "$EXIT_CODE" = 0

# Closing the monitor window ends it as well.
start_program ./TWLDEMO.EXE
visible /tarnwell1 >/dev/null && sleep 1 && click_close_box "$(find_window /tarnwell)"
wait_end 20
check "closing the monitor window ends the program with exit code 0" test "$EXIT_CODE" = 0

echo "$failures failed"
exit "$failures"
