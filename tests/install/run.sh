#!/usr/bin/env bash
# Installs the main build into a scratch prefix, moves the prefix elsewhere (an installed copy
# must not depend on where it was put, nor on the source tree), then configures, builds and
# runs the client project of this folder against it; the examples build against it too.
# Usage: run.sh MAIN_BUILD_DIR SCRATCH_DIR TOOLCHAIN_FILE
set -euo pipefail
main_build=$1 scratch=$2 toolchain=$3
here=$(cd "$(dirname "$0")" && pwd)
checkout=$(cd "$here/../.." && pwd)
rm -rf "$scratch"
mkdir -p "$scratch"
log=$scratch/log

cmake --install "$main_build" --prefix "$scratch/staged" >"$log" 2>&1 || { cat "$log"; exit 1; }
for file in lib/libtarnwell_host.a lib/cmake/tarnwell/tarnwellConfig.cmake \
            lib/cmake/tarnwell/tarnwellConfigVersion.cmake lib/cmake/tarnwell/tarnwellTargets.cmake \
            include/tarnwell/host/host_api.h include/tarnwell/host/host_context.h \
            include/tarnwell/host/layout_assert.h include/tarnwell/vdu/vdu_block.h \
            include/tarnwell/print/print_block.h share/tarnwell/manifest.rc share/tarnwell/program.manifest; do
  [ -f "$scratch/staged/$file" ] || { echo "not installed: $file"; exit 1; }
done
# Every header the installed headers include is installed too.
for header in $(find "$scratch/staged/include/tarnwell" -name '*.h'); do
  for included in $(sed -n 's/^#include "\(.*\)"/\1/p' "$header"); do
    [ -f "$scratch/staged/include/tarnwell/$included" ] || { echo "$header includes $included, not installed"; exit 1; }
  done
done
if grep -rl "$checkout" "$scratch/staged/lib/cmake"; then
  echo "the package configuration refers to the source tree"
  exit 1
fi
mv "$scratch/staged" "$scratch/prefix"

cmake -S "$here" -B "$scratch/build" -DCMAKE_PREFIX_PATH="$scratch/prefix" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release >>"$log" 2>&1 || { cat "$log"; exit 1; }
cmake --build "$scratch/build" -j2 >>"$log" 2>&1 || { cat "$log"; exit 1; }
# The C example builds on its own against the installed copy as well.
cmake -S "$checkout/examples" -B "$scratch/examples" -DCMAKE_PREFIX_PATH="$scratch/prefix" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >>"$log" 2>&1 || { cat "$log"; exit 1; }
cmake --build "$scratch/examples" --target hello_c -j2 >>"$log" 2>&1 || { cat "$log"; exit 1; }
status=0
(cd "$scratch" && wine "$scratch/build/client.exe") || status=$?
echo "installed client exit code: $status"
exit "$status"
