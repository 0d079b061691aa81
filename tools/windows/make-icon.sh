#!/usr/bin/env bash
# Rebuilds the Windows icon, packaging/windows/halvane.ico, from the application icon's
# source (tools/resources/svg/app-icon.svg): the sizes Explorer and the task bar ask
# for, each drawn from the SVG rather than scaled from another size. The build does
# not run this: the icon is committed. Needs librsvg2-bin and imagemagick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
svg="$here/../resources/svg/app-icon.svg"
out="$here/../../packaging/windows/halvane.ico"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=()
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" "$svg" | convert png:- -strip "PNG32:$work/$size.png"
  pictures+=("$work/$size.png")
done
convert "${pictures[@]}" "$out"
identify "$out"
