#!/usr/bin/env bash
# End to end: the built editor under a virtual X server, driven by real mouse input.
# It starts on a demo home directory, unticks "Weapon", presses Apply, waits for the
# confirmation window and checks that Labels.lua now says WeaponOn = false and still
# has Windows line ends.
#
# Usage: run-e2e.sh <path to halvane> <source folder>
# Every wait is bounded; the whole run ends within 120 seconds.
set -u

fail() {
    echo "e2e FAILED: $*" >&2
    exit 1
}

# Inside the virtual display: drive the program. Arguments: binary, run folder.
drive() {
    local binary=$1 run=$2 window confirmation pid
    cd "$run" || fail "no run folder"
    "$binary" >"$run/halvane.log" 2>&1 &
    pid=$!
    trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT

    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^HALVANE Label Manager$' | head -n 1)
    [ -n "$window" ] || fail "the main window did not appear (log: $(cat "$run/halvane.log"))"

    # Window-relative positions of the form, below a menu bar of 12 to 31 pixels:
    # checkBox_weapon is at 20,130 (80 x 19), pushButton_apply at 810,560 (131 x 61).
    xdotool mousemove --sync --window "$window" 30 161 click 1 || fail "could not click Weapon"
    xdotool mousemove --sync --window "$window" 875 612 click 1 || fail "could not click Apply"

    confirmation=$(timeout 30 xdotool search --sync --onlyvisible --name '^configuration applied$' | head -n 1)
    [ -n "$confirmation" ] || fail "the confirmation window did not appear"
    kill -0 "$pid" 2>/dev/null || fail "the program ended on its own"
}

if [ "${1:-}" = "--drive" ]; then
    drive "$2" "$3"
    exit 0
fi

binary=$(realpath "${1:?path to halvane}")
source_dir=$(realpath "${2:?source folder}")
for tool in xvfb-run xdotool timeout; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done
[ -x "$binary" ] || fail "$binary is not built"

run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
labels="$run/home/Config/View/Labels.lua"
mkdir -p "$run/home/Config/View" "$run/data"
cp "$source_dir/data/default.lua" "$labels"
cp "$source_dir/data/default.lua" "$run/data/default.lua"
printf 'Language = EN\r\nWorkDirectory = "%s"\r\n' "$run/home" >"$run/data/profile.lua"
grep -Eq 'WeaponOn[[:space:]]*=[[:space:]]*true' "$labels" || fail "the demo file does not start with WeaponOn = true"

timeout -k 5 120 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --drive "$binary" "$run" \
    || fail "the program could not be driven (exit $?)"

grep -Eq 'WeaponOn[[:space:]]*=[[:space:]]*false' "$labels" || fail "Labels.lua does not say WeaponOn = false"
for category in Air Ground Navy; do
    grep -Eq "${category}On[[:space:]]*=[[:space:]]*true" "$labels" || fail "${category}On changed as well"
done
lines=$(wc -l <"$labels")
crlf_lines=$(grep -c $'\r$' "$labels")
[ "$lines" -eq "$crlf_lines" ] || fail "only $crlf_lines of $lines lines of Labels.lua end in CR LF"
echo "e2e passed"
