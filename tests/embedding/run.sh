#!/usr/bin/env bash
# Configures, builds and runs the embedding project against the checkout.
# Usage: run.sh CHECKOUT BUILD_DIR TOOLCHAIN_FILE
set -euo pipefail
checkout=$1 build=$2 toolchain=$3
here=$(cd "$(dirname "$0")" && pwd)
cmake -S "$here" -B "$build" -DTARNWELL_CHECKOUT="$checkout" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release >"$build.log" 2>&1 || { cat "$build.log"; exit 1; }
cmake --build "$build" -j2 >>"$build.log" 2>&1 || { cat "$build.log"; exit 1; }
status=0
wine "$build/client.exe" || status=$?
echo "client exit code: $status"
exit "$status"
