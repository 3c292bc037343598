#!/usr/bin/env bash
# Seeds of the bitmap check's fuzz target in FOLDER: the files of the seed writer named by
# BITMAP_CHECK_SEEDS and the BMP files of the corpus that common tools make.
# Usage: BITMAP_CHECK_SEEDS=WRITER bitmap_fuzz_seeds.sh FOLDER
set -euo pipefail
folder=${1:?usage: BITMAP_CHECK_SEEDS=WRITER bitmap_fuzz_seeds.sh FOLDER}
"${BITMAP_CHECK_SEEDS:?the seed writer}" "$folder"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
"$(dirname "$0")/bitmap_corpus_make.sh" "$corpus"
cp "$corpus"/*.bmp "$folder"/
