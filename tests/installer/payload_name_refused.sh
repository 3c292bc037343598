#!/usr/bin/env bash
# Configuring with a payload whose name is no 8.3 ".EXE" name fails with a clear message.
# Usage: payload_name_refused.sh CHECKOUT BUILD_DIR TOOLCHAIN_FILE
set -uo pipefail
checkout=$1 build=$2 toolchain=$3
rm -rf "$build"
mkdir -p "$build"
for name in INSTALLER.EXE SETUP.COM; do
  touch "$build/$name"
  output=$(cmake -S "$checkout" -B "$build/tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTARNWELL_PAYLOAD="$build/$name" 2>&1)
  status=$?
  if [ "$status" -eq 0 ]; then
    echo "configure accepted $name"
    exit 1
  fi
  if ! grep -q "TARNWELL_PAYLOAD: \"$name\"" <<<"$output"; then
    echo "no clear message for $name:"
    echo "$output" | tail -n 5
    exit 1
  fi
  echo "refused: $name"
  rm -rf "$build/tree"
done
