#!/usr/bin/env bash
# Makes the game's font, Morvel Sans, from the Noto fonts in assets/src/fonts/: the Latin and the
# Arabic font of each weight merged into one font, named anew (the licence wants a modified font
# renamed), with the Latin font's line metrics.
#
# One font for both scripts of every caption: a caption in two fonts costs the program a search
# of the system's fonts for fallbacks at each size it draws, which was a good part of its
# start-up; and every line then has one height, the Latin one, as designed.
#
# Needs: python3 with fontTools (python3-fonttools).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$here/../assets/src/fonts"
out="$here/../assets/fonts"
python=/usr/bin/python3

for weight in Regular Bold; do
    target="$out/MorvelSans-$weight.ttf"
    "$python" -m fontTools.merge --output-file="$target" \
        "$src/NotoSans-$weight.ttf" "$src/NotoSansArabic-$weight.ttf"
    "$python" - "$target" "$src/NotoSans-$weight.ttf" "$weight" <<'PY'
import sys
from fontTools.ttLib import TTFont

target, latin_path, weight = sys.argv[1:]
font, latin = TTFont(target), TTFont(latin_path)
family, postscript = "Morvel Sans", "MorvelSans-" + weight
names = {1: family, 2: weight, 3: postscript + ";morvel", 4: family + " " + weight,
         6: postscript, 16: family, 17: weight}
for record in font["name"].names:
    if record.nameID in names:
        record.string = names[record.nameID]
for field in ("ascent", "descent", "lineGap"):
    setattr(font["hhea"], field, getattr(latin["hhea"], field))
for field in ("sTypoAscender", "sTypoDescender", "sTypoLineGap", "usWinAscent", "usWinDescent",
              "fsSelection"):
    setattr(font["OS/2"], field, getattr(latin["OS/2"], field))
font.save(target)
PY
    echo "$target"
done
