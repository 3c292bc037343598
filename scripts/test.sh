#!/usr/bin/env bash
# Builds TARNWELL and runs its tests under Wine and Xvfb.
set -euo pipefail
"$(dirname "$0")/deps.sh"
"$(dirname "$0")/print_server.sh"
source "$(dirname "$0")/env.sh"

configure_and_build
start_display
trap stop_session EXIT
prepare_prefix
ctest --test-dir "$BUILD_DIR" --output-on-failure --timeout 300
