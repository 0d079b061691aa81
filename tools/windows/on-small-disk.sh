#!/usr/bin/env bash
# on-small-disk.sh <cache folder> <program.exe> [arguments...]
# Runs a test of the Windows build under Wine with the Wine prefix's temporary folder,
# where every test makes its workspace, on a small file system (256 KiB tmpfs), so that
# the test can fill the disk. A Windows program cannot mount one itself. Needs root;
# without it the program runs as usual and its full-disk test skips. CTest runs these
# tests alone (RUN_SERIAL), as every other test shares that folder.
set -euo pipefail
cache=$1
shift
prefix=${WINEPREFIX:-$cache/wineprefix}
temp="$prefix/drive_c/users/$(id -un)/Temp"
mkdir -p "$temp"
if mount -t tmpfs -o size=256k tmpfs "$temp" 2>/dev/null; then
  trap 'umount -l "$temp"' EXIT
  export HALVANE_TEMP_ON_SMALL_DISK=1
fi
bash "$(dirname "$0")/wine-run.sh" "$cache" "$@"
