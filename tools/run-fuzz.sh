#!/usr/bin/env bash
# Runs each libFuzzer target of a HALVANE_FUZZ build for a bounded time.
#
#   tools/run-fuzz.sh BUILD_FOLDER [SECONDS_PER_TARGET (default 60)] [more libFuzzer flags...]
#
# BUILD_FOLDER was configured with CC=clang CXX=clang++ -DHALVANE_FUZZ=ON; the targets
# are built here if needed. Each target works on a scratch copy of its seeds (its
# corpus, the label script fixtures for the label script target, and its past
# findings), so the repository's corpus is never written to. A crash, hang or broken
# check leaves its input in tests/fuzz/findings/<target>/ and makes the script exit 1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: tools/run-fuzz.sh BUILD_FOLDER [SECONDS] [libFuzzer flags...]}" && pwd)
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
targets=(fuzz_label_script fuzz_profile)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! cmake --build "$build" --target "${targets[@]}" -j"$(nproc)" >"$scratch/build.log" 2>&1; then
  cat "$scratch/build.log"
  exit 2
fi
status=0
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  findings="$root/tests/fuzz/findings/$target"
  mkdir -p "$corpus" "$findings"
  cp "$root/tests/fuzz/corpus/$target"/* "$corpus/"
  find "$findings" -maxdepth 1 -type f ! -name 'README*' -exec cp {} "$corpus/" \;
  if [ "$target" = fuzz_label_script ]; then
    cp "$root"/tests/fixtures/*.lua "$corpus/"
  fi
  log="$scratch/$target.log"
  # Absolute paths throughout: the profile target works in a folder of its own.
  set +e
  "$build/tests/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -dict="$root/tests/fuzz/$target.dict" -artifact_prefix="$findings/" "$@" >"$log" 2>&1
  result=$?
  set -e
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$' || true)
  if [ -z "$runs" ]; then
    runs=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#' || true)
  fi
  if [ "$result" -eq 0 ]; then
    echo "$target: ${runs:-?} inputs run in ${seconds} s, nothing found"
  else
    status=1
    echo "$target: FOUND A PROBLEM after ${runs:-?} inputs (exit $result); its input is in $findings/"
    grep -E 'fuzz check failed|ERROR: |SUMMARY: |artifact_prefix|Test unit written' "$log" | head -n 20 || true
  fi
done
exit "$status"
