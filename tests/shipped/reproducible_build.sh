#!/usr/bin/env bash
# Builds TARNWELL.EXE with its payload TWLSETUP.EXE twice from the same commit, in two folders
# of different names and depths, and checks that both builds give the same bytes: no time
# stamps, no build paths, archive members with the product files' own times.
# The second build never uses a compiler cache, so that a cache cannot hand both builds the
# same objects and hide a difference.
# usage: reproducible_build.sh CHECKOUT WORK_DIR
set -euo pipefail
checkout=$1 work=$2
commit=$(git -C "$checkout" rev-parse HEAD)
if [ -n "$(git -C "$checkout" status --porcelain --untracked-files=no)" ]; then
  echo "note: building the commit $commit, not the uncommitted changes"
fi
rm -rf "$work"
mkdir -p "$work"

build() { # build FOLDER [ENV...]
  local src=$work/$1
  shift
  git clone -q --shared --no-checkout "$checkout" "$src"
  git -C "$src" checkout -q --detach "$commit"
  env "$@" cmake -S "$src" -B "$src/build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >"$src.log" 2>&1 || { cat "$src.log"; exit 1; }
  env "$@" cmake --build "$src/build" --target tarnwell -j"$(nproc)" >>"$src.log" 2>&1 || { cat "$src.log"; exit 1; }
}
build a
build b/longer-folder-name -u CMAKE_C_COMPILER_LAUNCHER -u CMAKE_CXX_COMPILER_LAUNCHER CCACHE_DISABLE=1

failures=0
for file in TARNWELL.EXE TWLSTUB.exe payload/TWLSETUP.EXE; do
  if ! cmp "$work/a/build/$file" "$work/b/longer-folder-name/build/$file"; then
    echo "FAIL: $file differs in $(cmp -l "$work/a/build/$file" "$work/b/longer-folder-name/build/$file" | wc -l) bytes"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || exit 1
rm -rf "$work"
echo "both builds are byte for byte the same"
