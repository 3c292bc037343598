# Sourced by the scripts: the build folder, a private Wine prefix inside it, and a display.
# Sets BUILD_DIR, WINEPREFIX and DISPLAY; starts Xvfb when there is no display.

ROOT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT_DIR/build}
export WINEPREFIX=$BUILD_DIR/wineprefix
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
STARTED_XVFB=""

start_display() {
  if [ -n "${DISPLAY:-}" ]; then
    return
  fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    STARTED_XVFB=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && return
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  exit 1
}

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
  fi
  # No window manager under Xvfb: unmanaged windows avoid a 2 s stall on every hide.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -p 2>/dev/null || true
}

stop_session() {
  wineserver -k 2>/dev/null || true
  if [ -n "$STARTED_XVFB" ]; then
    kill "$STARTED_XVFB" 2>/dev/null || true
  fi
}

# configure_and_build [TARGET...]: everything, or only the targets named.
configure_and_build() {
  cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_TOOLCHAIN_FILE="$ROOT_DIR/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD_DIR" -j"$(nproc)" ${1:+--target "$@"} -- --no-print-directory >/dev/null
}
