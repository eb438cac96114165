#!/usr/bin/env bash
# Renders the icon drawings in src/ into the PNG files installed under the
# hicolor theme and into the Windows icon. Run it after changing a drawing and
# commit what it writes; the build itself needs none of these tools.
# Needs: librsvg2-bin (rsvg-convert), imagemagick (convert), icoutils (icotool).
set -euo pipefail
cd "$(dirname "$0")"

# ImageMagick writes the time into PNG files unless told not to: keep the
# output the same from one run to the next.
png_from_xpm() {
    convert "$1" -define png:exclude-chunks=date,time,tIME -strip "PNG32:$2"
}

mkdir -p hicolor/16x16 hicolor/32x32
png_from_xpm src/rubrio-16.xpm hicolor/16x16/rubrio.png
# 32 x 32 is the About box's own picture, kept in one place.
png_from_xpm ../../src/look/rubrio.xpm hicolor/32x32/rubrio.png
for size in 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "src/rubrio-$size.svg" -o "hicolor/${size}x${size}/rubrio.png"
done

# The Windows icon: the small sizes as bitmaps, 256 x 256 as PNG data.
icotool -c -o ../windows/rubrio.ico \
    hicolor/16x16/rubrio.png hicolor/32x32/rubrio.png hicolor/48x48/rubrio.png \
    -r hicolor/256x256/rubrio.png
