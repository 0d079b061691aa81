#!/usr/bin/env bash
# The installed program's first start, as a player's menu makes it: in a working
# directory that is not the program's (left empty), for a user with no settings yet.
# The program must keep its profile in the user's configuration folder,
# $HOME/.config/halvane-label-manager/profile.lua, and create nothing where it was
# started nor beside its executable.
#
# Usage: check-first-start.sh <build folder> [<configuration>] [<bin folder, default bin>]
# Every wait is bounded: the program runs for 3 seconds, then it is stopped.
set -u

fail() {
    echo "first start FAILED: $*" >&2
    exit 1
}

build=${1:?build folder}
config=${2:-}
bindir=${3:-bin}
command -v timeout >/dev/null || fail "timeout is missing"

scratch=$(mktemp -d) || fail "no temporary folder"
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix" home="$scratch/home" work="$scratch/work"
mkdir -p "$home" "$work"

cmake --install "$build" --prefix "$prefix" ${config:+--config "$config"} >"$scratch/install.log" 2>&1 \
    || fail "cmake --install failed: $(cat "$scratch/install.log")"
program="$prefix/$bindir/halvane"
[ -x "$program" ] || fail "$program was not installed"

# XDG_CONFIG_HOME would take the place of $HOME/.config; the player's own must not be
# touched either.
(cd "$work" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$home" \
    QT_QPA_PLATFORM=offscreen timeout -k 2 3 "$program") >"$scratch/run.log" 2>&1
status=$?
# timeout answers 124 when it stopped the program and 137 when it had to kill it; either
# way the editor was still running, as it should be.
[ "$status" -eq 124 ] || [ "$status" -eq 137 ] || fail "the program ended on its own within 3 seconds (status $status): $(cat "$scratch/run.log")"

left=$(ls -A "$work")
[ -z "$left" ] || fail "the program created in its working directory: $left"
[ ! -e "$prefix/$bindir/data" ] || fail "the program created $bindir/data beside its executable"
profile="$home/.config/halvane-label-manager/profile.lua"
[ -f "$profile" ] || fail "no profile at \$HOME/.config/halvane-label-manager/profile.lua; \$HOME holds: $(cd "$home" && find . -mindepth 1 | head -n 20 | tr '\n' ' ')"
echo "first start: profile at $profile"
