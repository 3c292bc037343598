#!/usr/bin/env bash
# Regenerates the pictures in docs/images/: the installer (TARNWELL.EXE) and the example client
# (TWLDEMO.EXE) run under an Xvfb of their own, driven with xdotool, and photographed.
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER]   (default: docs/images)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(mkdir -p "${1:-$here/../docs/images}" && cd "${1:-$here/../docs/images}" && pwd)
source "$here/env.sh"
source "$here/../tests/program/driver.sh"

cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT_DIR/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_DIR" --target tarnwell twldemo tarnwell_art -j2 -- --no-print-directory >/dev/null

# A display of a fixed size: wide enough for the monitor window and a whole display window, and
# low enough for the 24-row layout that the monitor window's thumbnails are placed for.
unset DISPLAY
for n in $(seq 150 199); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1600x500x24 -nolisten tcp >/dev/null 2>&1 &
  STARTED_XVFB=$!
  export DISPLAY=":$n"
  break
done
[ -n "${DISPLAY:-}" ] || { echo "no free display number" >&2; exit 1; }
trap stop_session EXIT
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
  sleep 0.1
done

# A prefix of its own without printers: the demo's hardcopy goes to LPT1, mapped to a file.
work=$BUILD_DIR/screenshots
rm -rf "$work/run"
mkdir -p "$work/run"
export WINEPREFIX=$work/prefix
export CUPS_SERVER=$work/no-print-server.sock
prepare_prefix
: >"$work/run/LPT1.OUT"
ln -sfn "$work/run/LPT1.OUT" "$WINEPREFIX/dosdevices/lpt1"
cp "$BUILD_DIR/TARNWELL.EXE" "$BUILD_DIR/TWLDEMO.EXE" "$BUILD_DIR/TARNWELL.ICO" "$BUILD_DIR/TARNWELL.ICM" "$work/run/"
cd "$work/run"

# geometry WINDOW: sets X, Y, WIDTH, HEIGHT of a window.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

# shot FILE LEFT TOP RIGHT BOTTOM: the screen area as a PNG in the output folder.
shot() {
  import -window root -crop "$(($4 - $2))x$(($5 - $3))+$2+$3" +repage "$out/$1"
  echo "$out/$1"
}

# demo_shot FILE WINDOW: the monitor window and the display window beside it.
demo_shot() {
  geometry "$monitor"
  local left=$X top=$Y bottom=$((Y + HEIGHT))
  geometry "$2"
  [ $((Y + HEIGHT)) -gt "$bottom" ] && bottom=$((Y + HEIGHT))
  shot "$1" "$left" "$top" $((X + WIDTH)) "$bottom"
}

click() { # click WINDOW X Y: a left click at a window-relative position
  geometry "$1"
  xdotool mousemove "$((X + $2))" "$((Y + $3))" click 1
}

typing() { # typing WINDOW TEXT
  xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool type --delay 40 "$2"
}

next_screen() { click "$1" 30 60; sleep 1.2; }

# The installer: its monitor window with the splash picture and the key legend. The pointer
# waits in a corner, away from the legend's hover frames.
xdotool mousemove 1590 490
start_program ./TARNWELL.EXE
window=$(find_window /tarnwell)
sleep 2.5
geometry "$window"
shot installer.png "$X" "$Y" $((X + WIDTH)) $((Y + HEIGHT))
press "$window" Escape
wait_end 20

# The demo, screen by screen.
start_program ./TWLDEMO.EXE
monitor=$(find_window /tarnwell)
xdotool mousemove 1590 490
w=$(visible /tarnwell1)
sleep 2.5
typing "$w" "Typed into screen 1"
press "$w" Return
typing "$w" "Pasted: "
# Copy "highlighted in blue" with a drag, paste it with the system menu (its click-band zone).
drag "$w" $((15 + 15 * 8 + 4)) $((88 + 3 * 16 + 8)) $((15 + 33 * 8 + 4)) $((88 + 3 * 16 + 8))
click "$w" 90 60
sleep 0.8
xdotool key e
xdotool mousemove 1590 490
sleep 1
demo_shot demo-text.png "$w"

press "$w" F2
sleep 1.2
demo_shot demo-embossed.png "$(visible /tarnwell0)"
press "$(visible /tarnwell0)" Escape
sleep 0.5
press "$(visible /tarnwell1)" F3
sleep 1.2
w=$(visible /tarnwell1)
demo_shot demo-bitmap.png "$w"
press "$w" Escape
sleep 0.8

w=$(visible /tarnwell1)
next_screen "$w"
w=$(visible /tarnwell2)
typing "$w" "Ann Example"
press "$w" Tab
typing "$w" "Tarnwell"
press "$w" Tab
typing "$w" "secret"
click "$w" $((15 + 30 * 8 + 4)) $((88 + 11 * 16 + 8)) # the colour button 2
sleep 0.3
press "$w" Return
sleep 1.2
demo_shot demo-forms.png "$w"

next_screen "$w"
w=$(visible /tarnwell3)
for point in "180 420" "260 400" "340 432" "420 404" "500 432" "580 410"; do
  read -r x y <<<"$point"
  click "$w" "$x" "$y"
  sleep 0.2
done
press "$w" space space space
sleep 1.2
demo_shot demo-graphics.png "$w"

next_screen "$w"
w=$(visible /tarnwell4)
press "$w" F5
w=$(visible /tarnwell5)
press "$w" h
sleep 1.5
box=$(xdotool search --name '^setupbox$' 2>/dev/null | head -n 1 || true)
if [ -n "$box" ]; then # the hardcopy found no printer: answer its message box
  echo "hardcopy: $(xdotool getwindowname "$box") box answered" >&2
  press "$box" Return
fi
press "$w" s s s r l p x
sleep 5
demo_shot demo-services.png "$w"
press "$w" Escape
w=$(visible /tarnwell4)
sleep 1.5
demo_shot demo-view.png "$w"

press "$w" Escape
w=$(visible /tarnwell1)
sleep 0.5
click "$w" 260 60 # the close zone
wait_end 20
echo "TWLDEMO.EXE exit code: $EXIT_CODE"
[ "$EXIT_CODE" = 0 ]
