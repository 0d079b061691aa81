#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test:
#  1. the development build (warnings as errors): every CTest suite;
#  2. the sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer): the engine
#     and model suites;
#  3. the fuzz build (clang, libFuzzer): each fuzz target for a bounded time;
#  4. the Windows build (tools/windows/run-tests.sh): cross-built with MinGW-w64, every
#     suite run under Wine, the portable .zip made and started under Wine. The first
#     run builds Qt for Windows into a cache (25-30 minutes on 2 cores); later runs
#     reuse it.
# FUZZ_SECONDS (default 60) sets the time per fuzz target; 0 skips the timed runs.
# HALVANE_WINDOWS=0 skips the Windows build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
jobs=$(nproc)

cmake --preset dev >/dev/null
cmake --build --preset dev -j"$jobs"
ctest --preset dev

cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan

seconds=${FUZZ_SECONDS:-60}
if [ "$seconds" -gt 0 ]; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j"$jobs"
  bash tools/run-fuzz.sh build-fuzz "$seconds"
fi

if [ "${HALVANE_WINDOWS:-1}" != 0 ]; then
  bash tools/windows/run-tests.sh
fi
