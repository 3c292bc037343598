# Sourced by test scripts: use_private_prefix DIR makes DIR/prefix a Wine prefix of the test's
# own (created on first use, windows unmanaged so that hiding one does not stall) that sees no
# print server, so "LPT1" and the COM ports reach the raw devices.
use_private_prefix() {
  export WINEPREFIX=$1/prefix
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  export CUPS_SERVER=$1/no-print-server.sock
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
  fi
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}
