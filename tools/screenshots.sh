#!/usr/bin/env bash
# Saves screenshots of every window, question and message in the four languages into a
# folder, from the development build (tools/build.sh), under a virtual X server.
#   tools/screenshots.sh OUTPUT_FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(mkdir -p "${1:?usage: tools/screenshots.sh OUTPUT_FOLDER}" && cd "$1" && pwd)
HALVANE_SCREENSHOTS="$out" xvfb-run -a -s "-screen 0 1280x1024x24" build/tests/gui/halvane_screenshots -platform xcb >/dev/null
ls "$out"
