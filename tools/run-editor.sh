#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor in build/run. When the
# profile there names no simulator home with a label file, a demo home is made
# from the factory copy data/default.lua and the profile points at it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
run=build/run
mkdir -p "$run/data"
cp data/default.lua "$run/data/default.lua"
home=""
if [ -f "$run/data/profile.lua" ]; then
  home=$(sed -n 's/^[[:space:]]*WorkDirectory[[:space:]]*=[[:space:]]*"\(.*\)".*/\1/p' "$run/data/profile.lua" | head -n 1)
fi
if [ -z "$home" ] || [ ! -e "$home/Config/View/Labels.lua" ]; then
  demo="$(pwd)/$run/demo-home"
  mkdir -p "$demo/Config/View"
  cp data/default.lua "$demo/Config/View/Labels.lua"
  printf 'Language = EN\r\nWorkDirectory = "%s"\r\n' "$demo" > "$run/data/profile.lua"
fi
cd "$run"
exec ../app/halvane
