#!/usr/bin/env bash
# Renders the 52 card faces in assets/faces/ (c1.jpg .. c52.jpg, 280 x 328: four times the
# table's 70 x 82, so the window can decode them at the size it draws them).
#
# Source: the CC0 playing-card SVGs by Adrian Kennard, as shipped in the npm
# package below (directory src/images/2color/). The package is unpacked in a
# temporary directory; nothing from it is kept except the rendered JPEGs.
#
# Order: c1..c13 diamonds, c14..c26 hearts, c27..c39 clubs, c40..c52 spades;
# within a suit: ace, 2..10, jack, queen, king.
#
# Needs: npm, rsvg-convert (librsvg2-bin), convert (imagemagick),
#        cjpeg (libjpeg-turbo-progs).
set -euo pipefail

PKG="@heruka_urgyen/react-playing-cards@0.5.0"
WIDTH=280
HEIGHT=328
QUALITY=90

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$here/../assets/faces"
mkdir -p "$out"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

(cd "$tmp" && npm pack --silent "$PKG" >/dev/null)
tar -xzf "$tmp"/*.tgz -C "$tmp"
svgdir="$tmp/package/src/images/2color"

n=0
for suit in D H C S; do
    for rank in A 2 3 4 5 6 7 8 9 T J Q K; do
        n=$((n + 1))
        svg="$svgdir/$rank$suit.svg"
        [[ -f "$svg" ]] || { echo "missing $svg" >&2; exit 1; }
        rsvg-convert -w "$WIDTH" -h "$HEIGHT" -b white -f png -o "$tmp/card.png" "$svg"
        convert "$tmp/card.png" -background white -alpha remove -alpha off ppm:- \
            | cjpeg -quality "$QUALITY" -optimize > "$out/c$n.jpg"
    done
done

echo "wrote $n faces to $out"
