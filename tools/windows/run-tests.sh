#!/usr/bin/env bash
# The Windows build, from Debian: sets up the toolchain when it is missing
# (tools/windows/toolchain.sh: MinGW-w64, Wine, and Qt and Lua cross-built once into
# the cache, 25-30 minutes on 2 cores), cross-builds the program and every test with
# warnings as errors (the windows-cross preset), runs every suite under Wine, makes the
# portable .zip (build-windows-cross/halvane-label-manager-<version>-windows-x64.zip) and
# starts it in a fresh Wine prefix (check-package.sh; screenshots in
# build-windows-cross/package-screenshots).
# Run as root the first time, to install the packages.
set -euo pipefail
cd "$(dirname "$0")/../.."
started=$(date +%s)
HALVANE_WINDOWS_CACHE=$(bash tools/windows/toolchain.sh | tail -n 1)
export HALVANE_WINDOWS_CACHE
ready=$(date +%s)
jobs=$(nproc)

cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross -j"$jobs"
built=$(date +%s)
ctest --preset windows-cross -j"$jobs"
tested=$(date +%s)
(cd build-windows-cross && cpack >/dev/null)
package=$(ls -1 build-windows-cross/halvane-label-manager-*-windows-x64.zip)
bash tools/windows/check-package.sh "$package" build-windows-cross/package-screenshots
checked=$(date +%s)
echo "Windows: toolchain $((ready - started)) s, build $((built - ready)) s, tests under Wine $((tested - built)) s," \
     "package made and checked $((checked - tested)) s"
