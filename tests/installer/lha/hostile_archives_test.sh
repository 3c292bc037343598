#!/usr/bin/env bash
# Hostile archives made here (make_hostile_archives.py) through the installer's extractor:
# natively (lha_extract) or as TWLSETUP under Wine (the stub with the archive appended).
# Links placed in the folder beforehand are never written through, impossible dates cost
# no file, a 300-level tree unpacks and one deeper than the file system holds is refused as
# too long, taken temporary names are stepped around, a directory header without its
# separator is a folder, a later member of one name wins and is reported, and every message
# names the member and says what is wrong.
#
#   hostile_archives_test.sh native LHA_EXTRACT WORKDIR
#   hostile_archives_test.sh stub TWLSTUB.EXE WORKDIR [WINE]
set -euo pipefail
usage="usage: hostile_archives_test.sh native|stub TOOL WORKDIR [WINE]"
mode=${1:?$usage}
tool=$(cd "$(dirname "${2:?$usage}")" && pwd)/$(basename "$2")
work=${3:?$usage}
wine=${4:-wine}
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work/archives"
python3 "$here/make_hostile_archives.py" "$work/archives"
failures=0
fail() { echo "FAIL: $case: $*" >&2; failures=$((failures + 1)); }
prefix=$([ "$mode" = stub ] && echo TWLSETUP || echo lha_extract)

# prepare CASE: a fresh $work/CASE/out to extract into (and $work/CASE/outside beside it).
prepare() {
  case=$1
  mkdir -p "$work/$case/out" "$work/$case/outside"
}

# run: extracts $case's archive in $work/$case/out; sets status, out, err.
run() {
  local dir=$work/$case
  status=0
  if [ "$mode" = stub ]; then
    cat "$tool" "$work/archives/$case.lzh" >"$dir/TWLSETUP.EXE"
    (cd "$dir/out" && "$wine" ../TWLSETUP.EXE >../stdout 2>../stderr) || status=$?
  else
    (cd "$dir/out" && "$tool" "$work/archives/$case.lzh" >../stdout 2>../stderr) || status=$?
  fi
  out=$(tr -d '\r' <"$dir/stdout")
  err=$(tr -d '\r' <"$dir/stderr")
}

expect_line() { grep -qxF "$prefix: $1" <<<"$err" || fail "no line '$prefix: $1' in: $err"; }
expect_file() { [ "$(cat "$work/$case/out/$1" 2>/dev/null)" = "$2" ] || fail "$1 does not hold '$2'"; }
no_temporaries() {
  [ -z "$(find "$work/$case" -name '~TWL*' ! -name '~TWL00[0-9][0-9].TMP')" ] || fail "a temporary file was left"
}

# Links made beforehand, to a folder, to a file and to nothing yet outside: refused, the
# outside untouched.
prepare link
echo theirs >"$work/link/outside/target.txt"
ln -s ../outside "$work/link/out/plink"
ln -s ../outside/target.txt "$work/link/out/flink"
ln -s ../outside/new.txt "$work/link/out/nlink"
ln -s ../outside/newdir "$work/link/out/ndir"
run
[ "$status" = 1 ] || fail "exit code $status"
for line in plink/evil:plink plink/evil2:plink flink:flink nlink:nlink ndir/evil3:ndir; do
  expect_line "${line%%:*}: refused: the path passes through a link at ${line#*:}"
done
[ "$(ls -A "$work/link/outside")" = target.txt ] || fail "written outside: $(ls -A "$work/link/outside")"
[ "$(cat "$work/link/outside/target.txt")" = theirs ] || fail "the file outside was changed"
for link in plink flink nlink ndir; do [ -L "$work/link/out/$link" ] || fail "the link $link was replaced"; done
expect_file ok.txt ok
grep -q "$prefix: 1 members written, 5 refused or failed" <<<"$out" || fail "summary: $out"

# Days past the end of their month: the files are kept with the time of extraction.
prepare dates
touch "$work/dates/start"
run
[ "$status" = 0 ] || fail "exit code $status: $err"
for name in feb30 feb29 apr31; do
  [ -f "$work/dates/out/$name.txt" ] || { fail "$name.txt is missing"; continue; }
  [ ! "$work/dates/out/$name.txt" -ot "$work/dates/start" ] || fail "$name.txt has an old time"
done
[ "$(stat -c %Y "$work/dates/out/leap.txt")" = "$(date -d '2020-02-29 12:00:00' +%s)" ] ||
  fail "leap.txt has the time $(stat -c %y "$work/dates/out/leap.txt")"

# A tree 300 folders deep, a file in each, paths of 3000 characters.
prepare deep
run
[ "$status" = 0 ] || fail "exit code $status: $(head -c 600 <<<"$err")"
[ "$(find "$work/deep/out" -name f.txt | wc -l)" = 300 ] || fail "$(find "$work/deep/out" -name f.txt | wc -l) files"
deepest=$(find "$work/deep/out" -name f.txt -path '*level_399/f.txt')
[ "$(cat "$deepest" 2>/dev/null)" = "level 299" ] || fail "the deepest file is wrong"

# Deeper than the file system goes (5000 characters): the folders it can hold are made, the
# members below them are refused as too long, each with its name.
prepare toodeep
run
[ "$status" = 1 ] || fail "exit code $status"
written=$(find "$work/toodeep/out" -name f.txt | wc -l)
[ "$written" -ge 30 ] && [ "$written" -lt 50 ] || fail "$written files"
[ "$(grep -c ': name too long$' <<<"$err")" = $((50 - written)) ] || fail "$(grep -v ': name too long$' <<<"$err" | head -3)"

# Someone else's files under the names temporary files once had: stepped around, kept.
prepare temps
for n in $(seq -w 0 99); do echo "someone's" >"$work/temps/out/~TWL00$n.TMP"; done
echo old >"$work/temps/out/a.txt"
run
[ "$status" = 0 ] || fail "exit code $status: $err"
expect_file a.txt new
expect_file b.txt b
[ "$(cat "$work/temps/out/"~TWL00*.TMP | sort -u)" = "someone's" ] || fail "someone's files were changed"
[ "$(ls "$work/temps/out" | wc -l)" = 102 ] || fail "out holds $(ls "$work/temps/out" | wc -l) files"
no_temporaries

# Directory headers with and without their closing separator.
prepare dirsep
run
[ "$status" = 0 ] || fail "exit code $status: $err"
expect_file sub/file 2
expect_file sub1/file1 1

# The later of two members of one name wins and is reported; under Windows names that differ
# in case only are one.
prepare dups
run
[ "$status" = 0 ] || fail "exit code $status: $err"
expect_file dup.txt second
expect_line "warning: dup.txt: replaces the earlier member dup.txt"
if [ "$mode" = stub ]; then
  expect_line "warning: CASE.TXT: replaces the earlier member Case.txt"
  [ "$(cat "$work/dups/out/"[Cc][Aa][Ss][Ee].[Tt][Xx][Tt])" = b ] || fail "Case.txt is not the later member"
else
  expect_file Case.txt a
  expect_file CASE.TXT b
fi
no_temporaries

# What is in the way, said for each member; a name too long for the file system.
prepare messages
mkdir "$work/messages/out/adir"
run
[ "$status" = 1 ] || fail "exit code $status"
expect_line "adir: a folder of that name exists"
expect_line "afile/x: could not make the folder afile: a file of that name exists"
long=$(grep -F "nnnnnnnnnn" <<<"$err" || true)
grep -qE "^$prefix: [^ ]{1,90}: could not create the file: name too long\$" <<<"$long" || fail "long name: $long"
expect_file fine.txt fine
no_temporaries

[ "$failures" = 0 ] && echo "every hostile archive was handled ($mode)"
exit "$failures"
