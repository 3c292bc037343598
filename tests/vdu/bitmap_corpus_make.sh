#!/usr/bin/env bash
# Makes BMP files the way users get them, with ImageMagick, netpbm and rle_encode.py (RLE4, and
# RLE8 with literal runs and deltas, which ImageMagick does not write), into FOLDER: for each
# NAME.bmp the pixels as ImageMagick decodes that very file (NAME.rgb, 8-bit RGB, top row
# first) and a line "NAME.bmp WIDTH HEIGHT" in corpus.txt.
# Usage: bitmap_corpus_make.sh FOLDER
set -euo pipefail
out=${1:?usage: bitmap_corpus_make.sh FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
cd "$out"
rm -f ./*.bmp ./*.rgb corpus.txt
src=$(mktemp -d)
trap 'rm -rf "$src"' EXIT

# The pictures: few colours on white, up to 256 colours, many colours, two colours.
convert -size 37x11 xc:white +antialias -fill red -draw 'rectangle 3,2 12,5' -fill blue -draw 'line 0,10 36,0' \
  -fill '#208040' -draw 'rectangle 20,7 30,9' "$src/few.png"
convert -size 45x13 xc:white \( -size 4x30 gradient:red-blue -rotate 90 \) -geometry +3+3 -composite +antialias \
  -fill '#208040' -draw 'rectangle 36,0 40,12' -depth 8 "$src/palette.png"
convert -size 37x11 gradient:red-blue \( -size 11x37 gradient:yellow-black -rotate 90 \) -compose multiply \
  -composite -depth 8 "$src/many.png"
convert "$src/few.png" -threshold 60% -type bilevel "$src/two.png"
convert -size 300x5 xc:white +antialias -fill red -draw 'rectangle 0,1 280,2' -fill blue -draw 'rectangle 290,0 299,4' \
  -draw 'point 5,4' -fill '#208040' -draw 'rectangle 100,3 101,4' -depth 8 "$src/wide.png"
convert "$src/palette.png" -crop 1x13+40+0 +repage "$src/narrow.png"

# ImageMagick: RLE8 as it writes 17 to 256 colours unless told otherwise (124-byte header), and
# with the 40-byte header at widths 1 and 300; the 12-byte OS/2 header at 1, 4, 8 and 24 bits.
convert "$src/palette.png" im_rle8_default.bmp
convert "$src/narrow.png" -type palette -compress RLE BMP3:im_rle8_width1.bmp
convert "$src/wide.png" -type palette -compress RLE BMP3:im_rle8_width300.bmp
convert "$src/two.png" BMP2:im_os2_1bit.bmp
convert "$src/few.png" -type palette BMP2:im_os2_4bit.bmp
convert "$src/palette.png" -type palette BMP2:im_os2_8bit.bmp
convert "$src/many.png" -type truecolor BMP2:im_os2_24bit.bmp

# netpbm: the OS/2 header at each depth.
convert "$src/two.png" ppm:- | ppmtobmp -os2 -bpp 1 >pbm_os2_1bit.bmp 2>/dev/null
convert "$src/few.png" ppm:- | ppmtobmp -os2 -bpp 4 >pbm_os2_4bit.bmp 2>/dev/null
convert "$src/palette.png" ppm:- | ppmtobmp -os2 -bpp 8 >pbm_os2_8bit.bmp 2>/dev/null
convert "$src/many.png" ppm:- | ppmtobmp -os2 -bpp 24 >pbm_os2_24bit.bmp 2>/dev/null

# Streams of our own from ImageMagick's uncompressed palette files: runs, literal runs, deltas
# over white (across rows too), the last row with or without its end of line.
convert "$src/few.png" -type palette -compress none BMP3:"$src/few4.bmp"
convert "$src/palette.png" -type palette -compress none BMP3:"$src/palette8.bmp"
convert "$src/wide.png" -type palette -compress none BMP3:"$src/wide8.bmp"
encode() { python3 "$here/rle_encode.py" "$@"; }
encode "$src/few4.bmp" rle4_runs.bmp 4
encode "$src/few4.bmp" rle4_deltas.bmp 4 --deltas
encode "$src/few4.bmp" rle4_no_last_eol.bmp 4 --no-last-eol
encode "$src/few4.bmp" rle8_from_16_colours.bmp 8 --deltas
encode "$src/palette8.bmp" rle8_literals.bmp 8
encode "$src/palette8.bmp" rle8_deltas.bmp 8 --deltas
encode "$src/palette8.bmp" rle8_no_last_eol.bmp 8 --no-last-eol
encode "$src/wide8.bmp" rle8_wide_deltas.bmp 8 --deltas

for f in *.bmp; do
  convert "$f" -depth 8 "rgb:${f%.bmp}.rgb"
  echo "$f $(identify -format '%w %h' "$f")" >>corpus.txt
done
