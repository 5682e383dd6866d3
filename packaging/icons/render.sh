#!/usr/bin/env bash
# Renders the icon's PNG sizes and the Windows .ico from vlnokan.svg. Run once after changing the
# drawing and commit the results; building needs none of these tools.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"

palette=$(mktemp --suffix=.png)
trap 'rm -f "$palette"' EXIT
# The sixteen standard colours the small images are drawn in.
convert -size 16x1 xc: \
    -fill '#000000' -draw 'point 0,0' -fill '#800000' -draw 'point 1,0' \
    -fill '#008000' -draw 'point 2,0' -fill '#808000' -draw 'point 3,0' \
    -fill '#000080' -draw 'point 4,0' -fill '#800080' -draw 'point 5,0' \
    -fill '#008080' -draw 'point 6,0' -fill '#c0c0c0' -draw 'point 7,0' \
    -fill '#808080' -draw 'point 8,0' -fill '#ff0000' -draw 'point 9,0' \
    -fill '#00ff00' -draw 'point 10,0' -fill '#ffff00' -draw 'point 11,0' \
    -fill '#0000ff' -draw 'point 12,0' -fill '#ff00ff' -draw 'point 13,0' \
    -fill '#00ffff' -draw 'point 14,0' -fill '#ffffff' -draw 'point 15,0' \
    "$palette"

for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" vlnokan.svg -o "vlnokan-$size.png"
done

# The 16 and 32 pixel images: sixteen colours, each pixel opaque or transparent.
for size in 16 32; do
    convert "vlnokan-$size.png" \
        \( +clone -alpha extract -threshold 50% \) \
        \( -clone 0 -alpha off +dither -remap "$palette" \) \
        -delete 0 +swap -alpha off -compose copy_opacity -composite \
        -strip "PNG32:vlnokan-$size.png"
done
for size in 48 64 128 256; do
    convert "vlnokan-$size.png" -strip "PNG32:vlnokan-$size.png"
done

convert vlnokan-16.png vlnokan-32.png vlnokan-48.png vlnokan-256.png vlnokan.ico
