#!/usr/bin/env bash
# Starts TARNWELL.EXE, types Escape into its monitor window with the real keyboard (XTEST)
# and expects the program to end by itself with exit code 0.
# Usage: escape_ends_program.sh TARNWELL.EXE FOLDER_WITH_ART
set -uo pipefail
exe=$1 folder=$2
cd "$folder"
wine "$exe" &
pid=$!
window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^/tarnwell$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "no monitor window appeared"
  kill "$pid" 2>/dev/null
  exit 1
fi
sleep 0.5
xdotool windowfocus --sync "$window" && xdotool key Escape
for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    status=$?
    echo "program exit code: $status"
    exit "$status"
  fi
  sleep 0.1
done
echo "program still running 10 s after Escape"
kill "$pid" 2>/dev/null
exit 1
