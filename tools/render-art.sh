#!/usr/bin/env bash
# Renders the hand-drawn SVGs in assets/src/ to PNGs in assets/art/.
# Each picture is rendered at four times its size on the table as designed, so the
# table stays sharp when it is drawn larger (the icon is rendered at 32 and 128 pixels).
#
# Needs: rsvg-convert (librsvg2-bin) and the Noto Sans font (fonts-noto-core),
# which the "King" markers and the icon use for their lettering.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$here/../assets/src"
out="$here/../assets/art"
mkdir -p "$out"

render() { # name width height [output-name]
    rsvg-convert -w "$2" -h "$3" -f png -o "$out/${4:-$1}.png" "$src/$1.svg"
}

render back1 240 336                       # shown at 60 x 84
for n in 2 3 4 5 6; do render "back$n" 224 324; done   # shown at 56 x 81
for n in 1 2 3 4; do render "king$n" 240 184; done     # shown at 60 x 46
for n in 1 2 3 4; do render "hand$n" 120 120; done     # shown at 30 x 30
render pass 132 132                        # shown at 25 x 33 (stretched)
render icon 32 32
render icon 128 128 icon-128

echo "wrote $(ls "$out" | wc -l) images to $out"

# The desktop's icon theme: the same drawing at the usual sizes, and the drawing itself.
icons="$here/../data/icons"
for size in 16 32 48 64 128 256; do
    mkdir -p "$icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" -f png -o "$icons/${size}x${size}/io.morvel.morvel.png" \
        "$src/icon.svg"
done
mkdir -p "$icons/scalable"
cp "$src/icon.svg" "$icons/scalable/io.morvel.morvel.svg"
echo "wrote the desktop icons to $icons"
