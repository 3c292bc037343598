# Sourced: drives TARNWELL.EXE under Wine from outside, with the real keyboard and mouse (XTEST).

# start_program EXE [ARGS...]: starts the program in the background; sets PROGRAM_PID.
start_program() {
  wine "$@" &
  PROGRAM_PID=$!
}

# find_window NAME [TRIES]: prints the id of the first window whose title is exactly NAME.
find_window() {
  local name=$1 tries=${2:-100} id
  for _ in $(seq 1 "$tries"); do
    id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# press WINDOW KEY...: focuses the window and types the keys. A window that has only just
# appeared may not take the focus yet: try again for a while.
press() {
  local window=$1
  shift
  for _ in $(seq 1 20); do
    if xdotool windowfocus --sync "$window" 2>/dev/null; then
      xdotool key "$@"
      return
    fi
    sleep 0.1
  done
  return 1
}

# click_close_box WINDOW: clicks the close box at the right end of the caption.
click_close_box() {
  local window=$1 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove "$((X + WIDTH - 12))" "$((Y + 12))" click 1
}

# drag WINDOW X1 Y1 X2 Y2: the left button held from one window-relative position to another.
drag() {
  local window=$1 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove "$((X + $2))" "$((Y + $3))" && sleep 0.2 && xdotool mousedown 1 && sleep 0.2
  xdotool mousemove "$((X + $4))" "$((Y + $5))" && sleep 0.2 && xdotool mouseup 1
}

# wait_end [SECONDS]: waits for the program to end and sets EXIT_CODE to its exit code, or
# kills it and sets 124 when it is still running after SECONDS.
wait_end() {
  local seconds=${1:-20}
  for _ in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
      EXIT_CODE=0
      wait "$PROGRAM_PID" || EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  kill "$PROGRAM_PID" 2>/dev/null
  wait "$PROGRAM_PID" 2>/dev/null
  EXIT_CODE=124
}

# check DESCRIPTION COMMAND...: runs the command, prints ok or FAILED and counts the failures
# in `failures`.
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

# visible NAME: the id of the mapped window titled exactly NAME, waiting up to 5 s for it.
visible() {
  local id
  for _ in $(seq 1 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no visible window $1" >&2
  return 1
}
