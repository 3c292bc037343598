#!/usr/bin/env bash
# Makes the BMP corpus in WORK_FOLDER and runs the corpus test program under Wine there.
# Usage: bitmap_corpus_test.sh BITMAP_CORPUS_TEST.EXE WORK_FOLDER
set -euo pipefail
exe=${1:?usage: bitmap_corpus_test.sh EXE WORK_FOLDER}
work=${2:?usage: bitmap_corpus_test.sh EXE WORK_FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
"$here/bitmap_corpus_make.sh" "$work"
cd "$work"
wine "$exe"
