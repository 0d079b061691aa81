#!/usr/bin/env bash
# wine-run.sh <cache folder> <program.exe> [arguments...]
# Runs a program of the Windows build under Wine, in the Wine prefix that
# tools/windows/toolchain.sh made, with the Qt and MinGW runtime DLLs of the cache on
# its path (a packaged program carries its own beside it). CTest runs every test of
# the windows-cross build through this script.
set -euo pipefail
cache=$1
shift
gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPREFIX=${WINEPREFIX:-$cache/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine sees the host's "/" as drive Z:.
# The offscreen platform, which the tests use, draws with the fonts of one folder.
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-Z:$cache/fonts}
# Without a console Qt sends its messages, and Qt Test its results, to the debugger:
# this keeps them on standard output and error, where CTest shows them.
export QT_FORCE_STDERR_LOGGING=${QT_FORCE_STDERR_LOGGING:-1}
# Wine keeps the host's QT_* variables (meant for Linux Qt programs) from Windows
# programs and hands on WINEQT_* as QT_* instead: so QT_QPA_PLATFORM=offscreen, which
# CTest sets for the tests, reaches them.
while IFS='=' read -r name _; do
  case "$name" in QT_*) export "WINE$name=${!name}" ;; esac
done < <(env)
export WINEPATH="Z:$cache/qt/bin;Z:$gcc_dlls;Z:/usr/x86_64-w64-mingw32/lib"
exec /usr/lib/wine/wine64 "$@"
