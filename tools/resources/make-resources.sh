#!/usr/bin/env bash
# Rebuilds the embedded font, the four preview pictures, the application icon and the
# menu icons in Resource/ from their sources. The build does not run this: the
# generated files are committed.
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

# The application icon: the SVG itself for the scalable icon theme folder and the
# bundle, and the PNG sizes a desktop menu asks for when it cannot draw SVG.
cp "$here/svg/app-icon.svg" "$out/app-icon.svg"
for size in 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$here/svg/app-icon.svg" \
    | convert png:- -strip "PNG32:$out/app-icon-$size.png"
done

# The menu icons, for a desktop whose icon theme lacks them; named after the theme
# icons they stand in for.
mkdir -p "$out/icons"
for icon in folder-open system-reboot sync-synchronizing address-book-new document-new; do
  rsvg-convert --width 48 --height 48 "$here/svg/$icon.svg" \
    | convert png:- -strip "PNG32:$out/icons/$icon.png"
done
ls -l "$out" "$out/icons"
