#!/usr/bin/env bash
# check-package.sh <package.zip> <folder for screenshots>
# The portable package as a player meets it: unzipped into a fresh Wine prefix (no Qt,
# no MinGW, nothing but Wine's own Windows), started on Wine's windows platform under a
# virtual X server, by real mouse input:
#  1. with no profile: the directory window must appear;
#  2. with data\profile.lua naming a simulator home (English): the main window; a click
#     on "Weapon" and Apply; Lua then must find exactly WeaponOn changed in Labels.lua,
#     and a backup beside it;
#  3. the same home in Japanese: the main window;
#  4. the console program halvane-cli.exe, as typed at a prompt: --check passes and
#     --list shows what the Apply of step 2 wrote.
# Screenshots of each land in the folder given (directory-en.png, main-en.png,
# applied-en.png, main-jp.png). Every wait is bounded.
set -euo pipefail
zip=$(realpath "${1:?package .zip}")
shots=$(mkdir -p "${2:?screenshot folder}" && realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
fail() { echo "package check FAILED: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
wineserver -w

drive_c="$WINEPREFIX/drive_c"
unzip -q "$zip" -d "$drive_c"
program=$(find "$drive_c" -maxdepth 2 -name halvane.exe | head -n 1)
[ -n "$program" ] || fail "no halvane.exe in the package"
folder=$(dirname "$program")
for needed in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll libstdc++-6.dll libgcc_s_seh-1.dll \
              libwinpthread-1.dll data/default.lua licences/LICENSE; do
  [ -f "$folder/$needed" ] || fail "the package lacks $needed"
done
ls "$folder"/styles/*.dll >/dev/null 2>&1 || fail "the package lacks a style plugin"

# The simulator's home, on the prefix's drive C:.
home="$drive_c/Games/HALVANE WORLD"
labels="$home/Config/View/Labels.lua"
mkdir -p "$home/Config/View"
cp "$repo/tests/fixtures/Labels.lua" "$labels"
lua5.4 "$repo/tests/luacheck/definitions.lua" "$labels" >"$work/before.txt"

display_run() {  # display_run <script>: runs a driving script under its own X server
  timeout -k 5 150 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$1"
}

# Started from the drive's root, as from a shortcut: only data\ beside the program counts.
start='cd "'"$drive_c"'" && /usr/lib/wine/wine64 "'"$program"'" >"'"$work"'/halvane.log" 2>&1 & pid=$!'
wait_for() {  # the X window of a title, within 60 seconds
  echo 'for i in $(seq 60); do w=$(xdotool search --onlyvisible --name "'"$1"'" 2>/dev/null | head -n1); [ -n "$w" ] && break; sleep 1; done; [ -n "$w" ] || { echo "no window '"$1"'" >&2; cat "'"$work"'/halvane.log" >&2; exit 1; }'
}

# 1. No profile yet: the directory window.
rm -f "$folder/data/profile.lua"
display_run "$start; $(wait_for 'ChoseDirectory'); sleep 3; import -window root '$shots/directory-en.png'; kill \$pid" \
  || fail "the directory window did not appear"

# 2. A profile naming the home, in English: the main window, then Weapon off and Apply.
printf 'Language = EN\r\nWorkDirectory = "C:\\Games\\HALVANE WORLD"\r\n' >"$folder/data/profile.lua"
display_run "$start; $(wait_for '^HALVANE Label Manager$'); sleep 3; import -window root '$shots/main-en.png';
  xdotool windowactivate --sync \$w 2>/dev/null || true
  eval \$(xdotool getwindowgeometry --shell \$w)
  echo \"main window \$X,\$Y \${WIDTH}x\$HEIGHT\" >&2
  xdotool mousemove --sync --window \$w 30 159 click 1; sleep 1
  xdotool mousemove --sync --window \$w 867 611 click 1; sleep 4
  import -window root '$shots/applied-en.png'; kill \$pid" || fail "the main window did not appear"

lua5.4 "$repo/tests/luacheck/definitions.lua" "$labels" >"$work/after.txt"
changed=$(diff "$work/before.txt" "$work/after.txt" | grep '^[<>]' || true)
echo "$changed"
[ "$(printf '%s\n' "$changed")" = "$(printf '< WeaponOn = true\n> WeaponOn = false')" ] \
  || fail "Apply changed other than WeaponOn (or nothing): $changed"
ls "$home/Config/View/LabelManagerBackups/"Labels-*.bak >/dev/null || fail "no backup was made"

# 3. The same in Japanese.
printf 'Language = JP\r\nWorkDirectory = "C:\\Games\\HALVANE WORLD"\r\n' >"$folder/data/profile.lua"
display_run "$start; $(wait_for '^HALVANE Label Manager$'); sleep 3; import -window root '$shots/main-jp.png'; kill \$pid" \
  || fail "the Japanese main window did not appear"
# 4. The command line, from the folder of the simulator's home, in Windows paths.
cli="$folder/halvane-cli.exe"
[ -f "$cli" ] || fail "the package lacks halvane-cli.exe"
in_home() { (cd "$home" && /usr/lib/wine/wine64 "$cli" "$@" 2>&1 | tr -d '\r'); }
in_home --check 'Config\View\Labels.lua' >"$work/check.txt" || fail "--check: $(cat "$work/check.txt")"
in_home --list 'C:\Games\HALVANE WORLD\Config\View\Labels.lua' >"$work/list.txt" || fail "--list failed"
grep -qx '{"category":"Weapon","name":"Weapon.visible","setting":"visibility","value":false}' "$work/list.txt" \
  || fail "--list does not show the Apply: $(head -n 5 "$work/list.txt")"
echo "package check passed: screenshots in $shots"
