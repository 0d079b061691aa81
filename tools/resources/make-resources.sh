#!/usr/bin/env bash
# Rebuilds the embedded font and the four preview pictures in Resource/ from their
# sources. The build does not run this: the generated files are committed.
# Needs Debian's fonts-dejavu-core, python3-fonttools, librsvg2-bin and imagemagick
# (apt-get install -y fonts-dejavu-core python3-fonttools librsvg2-bin imagemagick).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../../Resource"
source_font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

# Debian's fonttools belongs to the system interpreter, not to whatever python3 is first on PATH.
/usr/bin/python3 "$here/subset_font.py" "$source_font" "$out/DejaVuLGCSans.ttf" "$out/LICENSE-DejaVuLGCSans.txt"

# rsvg-convert drops the alpha channel of an opaque picture; the preview expects
# 8-bit RGBA, so ImageMagick writes the final PNG (stripped of dates, so reruns are identical).
for picture in test_red_air ground navy weapon; do
  rsvg-convert --width 211 --height 154 "$here/svg/$picture.svg" \
    | convert png:- -strip -define png:color-type=6 "PNG32:$out/$picture.png"
done
ls -l "$out"
