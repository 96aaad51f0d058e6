#!/bin/sh
# Renders the committed pictures from kustel.svg: the PNG sizes of the hicolor theme and the
# Windows icon (16, 32 and 48 as bitmaps, 256 as PNG, the way Windows Vista and later read it).
# They are committed so that building and packaging need neither librsvg nor icoutils; run this
# (`make icons`) after changing the drawing. Needs rsvg-convert (librsvg2-bin) and icotool
# (icoutils).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$here/kustel.svg" -o "$here/kustel-$size.png"
done
icotool --create --output "$here/../kustel.ico" \
  "$here/kustel-16.png" "$here/kustel-32.png" "$here/kustel-48.png" --raw="$here/kustel-256.png"
