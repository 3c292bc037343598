#!/usr/bin/env bash
# Wine runs the 32-bit Windows programs inside 32-bit Linux processes. Some virtual machines
# give user programs no 32-bit code segment: there every i386 program ends with "Exec format
# error", Wine included. On such a machine this runs i386 programs under QEMU's user-mode
# emulator, registered with the kernel's binfmt_misc, and says so. Debian 12's own QEMU (7.2)
# cannot give Wine its shared user data page at its fixed address; the backported one can.
# Nothing is done where i386 programs run natively. As root; idempotent.
set -euo pipefail

loader=/lib/ld-linux.so.2
[ -x "$loader" ] || { echo "no i386 loader at $loader: install wine32:i386 first" >&2; exit 1; }
"$loader" --version >/dev/null 2>&1 && exit 0

binfmt=/proc/sys/fs/binfmt_misc
emulator=/usr/bin/qemu-i386-static
if [ ! -e "$binfmt/qemu-i386-exec" ] || [ ! -e "$binfmt/qemu-i386-dyn" ]; then
  echo "this machine cannot run i386 programs itself: running them under $emulator"
  if ! "$emulator" --version 2>/dev/null | grep -qE 'version ([89]|[1-9][0-9])\.'; then
    echo 'deb http://deb.debian.org/debian bookworm-backports main' >/etc/apt/sources.list.d/bookworm-backports.list
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq -t bookworm-backports qemu-user-static >/dev/null
  fi
  [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
  # ELF, 32-bit, little-endian, i386; executables (type 2) and shared objects (type 3, the
  # loader itself). F: the emulator is opened now, so it serves every mount namespace.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  [ -e "$binfmt/qemu-i386-exec" ] || echo ":qemu-i386-exec:M::${magic}\x02\x00\x03\x00:${mask}:${emulator}:FOC" >"$binfmt/register"
  [ -e "$binfmt/qemu-i386-dyn" ] || echo ":qemu-i386-dyn:M::${magic}\x03\x00\x03\x00:${mask}:${emulator}:FOC" >"$binfmt/register"
fi
"$loader" --version >/dev/null 2>&1 || { echo "i386 programs still do not run" >&2; exit 1; }
