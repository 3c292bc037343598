#!/usr/bin/env bash
# lha_pack.exe under Wine packs a folder into a self-extractor with its built-in stub: the same
# bytes as the native packer gives with TWLSTUB.EXE named as the stub; lhasa extracts the
# archive after the stub, and the self-extractor itself extracts the folder, both unchanged.
# usage: self_extractor_check.sh LHA_PACK_EXE NATIVE_LHA_PACK TWLSTUB.EXE WORK_DIR [WINE]
set -euo pipefail
packer_exe=$1 packer_native=$2 stub=$3 work=$4 wine=${5:-wine}
here=$(cd "$(dirname "$0")" && pwd)
command -v lhasa >/dev/null || { echo "lhasa is not installed"; exit 1; }

rm -rf "$work"
mkdir -p "$work/in"
cd "$work"
python3 "$here/make_inputs.py" in
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$wine" "$packer_exe" --self-extractor --output SETUP.EXE --folder in || fail "lha_pack.exe --self-extractor"
"$packer_native" --stub "$stub" --output native.exe --folder in || fail "native lha_pack --stub"
cmp -s SETUP.EXE native.exe || fail "lha_pack.exe and the native packer with TWLSTUB wrote different bytes"

tail -c +$(($(stat -c %s "$stub") + 1)) SETUP.EXE >archive.lzh
mkdir lhasa.out
(cd lhasa.out && lhasa xq ../archive.lzh) || fail "lhasa x"
diff -r in lhasa.out >/dev/null || fail "lhasa extracted other files than were packed"

mkdir run.out
(cd run.out && "$wine" ../SETUP.EXE >../run.log 2>&1) || fail "SETUP.EXE: $(cat run.log)"
diff -r in run.out >/dev/null || fail "the self-extractor extracted other files than were packed"

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "the self-extractor holds the folder"
