#!/usr/bin/env bash
# Installs what building, running and testing TARNWELL needs on Debian 12, as root.
# Idempotent, and quick when everything is there.
set -euo pipefail

packages=(cmake make g++ clang libclang-rt-14-dev g++-mingw-w64-i686 wine wine32:i386 xvfb xdotool xclip googletest python3 imagemagick netpbm lhasa jlha-utils socat)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" >/dev/null
fi

"$(dirname "$0")/i386_emulation.sh"
