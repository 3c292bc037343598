#!/usr/bin/env bash
# Runs the spooler test in a scratch folder with a WINSPOOL.DRV planted beside it, Wine told to
# prefer the planted file as Windows prefers a DLL in the program's folder.
# usage: spooler_planted.sh SPOOLER_TEST.EXE PLANTED_DLL WORK_DIR [WINE]
set -euo pipefail
test_program=$1 planted=$2 work=$3 wine=${4:-wine}
rm -rf "$work"
mkdir -p "$work"
cp "$test_program" "$work/spooler_test.exe"
cp "$planted" "$work/winspool.drv"
cd "$work"
WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winspool.drv=n,b" "$wine" ./spooler_test.exe
