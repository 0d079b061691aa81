#!/usr/bin/env bash
# Sets up everything the Windows build needs, once, from Debian alone:
#  - the MinGW-w64 cross compiler and Wine (apt, as root);
#  - Qt for Windows, cross-built from Debian's own qt6-base source of the same version
#    as the Linux Qt whose code generators it uses (QtCore, QtGui, QtWidgets, QtTest,
#    the windows, offscreen and minimal platforms, the windowsvista style);
#  - Lua 5.4, cross-built from Debian's lua5.4 source as a static library with a
#    lua5.4.pc;
#  - a fresh Wine prefix to run the tests in.
# Everything lands in a cache folder outside the repository, keyed by the versions
# that went into it; a stamp file marks each finished part, so a second run rebuilds
# nothing. Prints the cache folder as its last line.
#
# Environment: HALVANE_WINDOWS_CACHE overrides the cache folder; JOBS the parallel jobs
# (default: the number of cores). The Qt build runs under nice, as other builds share
# the machine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
log() { printf '[windows toolchain %s] %s\n' "$(date -u +%H:%M:%S)" "$*" >&2; }

# --- Debian packages -------------------------------------------------------------
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          mingw-w64-x86-64-dev wine64 wine cmake ninja-build pkg-config dpkg-dev
          qt6-base-dev-tools qt6-base-dev lua5.4 xvfb xauth zip unzip imagemagick
          fonts-symbola fonts-wqy-microhei fonts-dejavu-core locales qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
src_list=/etc/apt/sources.list.d/halvane-deb-src.sources
need_update=0
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  [ "$(id -u)" = 0 ] || { echo "toolchain.sh: run as root once, to add Debian's source packages" >&2; exit 1; }
  # The same archive and suites as the binary packages, so that apt-get source finds
  # exactly the versions installed.
  log "adding deb-src entries for $suite"
  cat >"$src_list" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  [ "$(id -u)" = 0 ] || { echo "toolchain.sh: run as root to install: ${missing[*]}" >&2; exit 1; }
  export DEBIAN_FRONTEND=noninteractive
  log "apt-get update"
  apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing ${missing[*]}"
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
# Wine takes the system code page from the locale: the code page tests run in Russian
# and Chinese ones, which must exist.
for wanted in ru_RU zh_CN; do
  if ! locale -a 2>/dev/null | grep -qi "^$wanted.utf8\$" && [ "$(id -u)" = 0 ]; then
    log "generating $wanted.UTF-8"
    sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    locale-gen >/dev/null
  fi
done

# --- The cache folder, keyed by what goes into it --------------------------------
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
lua_version=$(dpkg-query -W -f='${Version}' lua5.4)
gcc_version=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
key="qt-${qt_version%%+*}_lua-${lua_version%%-*}_mingw-gcc-${gcc_version}"
root=${XDG_CACHE_HOME:-$HOME/.cache}/halvane-windows
cache=${HALVANE_WINDOWS_CACHE:-$root/$key}
mkdir -p "$cache"
# Each part's stamp carries the number of its recipe: raise it whenever the recipe
# changes what the part holds, and only that part is built again.
lua_stamp="$cache/lua-r2.stamp"
qt_stamp="$cache/qt-r1.stamp"
wine_stamp="$cache/wine-r1.stamp"
fonts_stamp="$cache/fonts-r1.stamp"
translations_stamp="$cache/translations-r1.stamp"
jobs=${JOBS:-$(nproc)}
toolchain="$repo/cmake/mingw-w64-x86_64.cmake"

# --- Lua 5.4 ---------------------------------------------------------------------
if [ ! -f "$lua_stamp" ]; then
  log "building Lua $lua_version for Windows"
  rm -rf "$cache/lua-src" "$cache/lua"
  mkdir -p "$cache/lua-src"
  (cd "$cache/lua-src" && apt-get source -qq "lua5.4=$lua_version" >/dev/null)
  src=$(find "$cache/lua-src" -maxdepth 1 -mindepth 1 -type d -name 'lua5.4*' | head -n1)
  obj="$cache/lua-src/obj"; mkdir -p "$obj" "$cache/lua/lib/pkgconfig" "$cache/lua/include/lua5.4"
  for c in "$src"/src/*.c; do
    case "$(basename "$c")" in lua.c|luac.c|onelua.c) continue;; esac
    x86_64-w64-mingw32-gcc-posix -O2 -std=gnu99 -DLUA_COMPAT_5_3 -c "$c" -o "$obj/$(basename "${c%.c}").o"
  done
  x86_64-w64-mingw32-ar rcs "$cache/lua/lib/liblua5.4.a" "$obj"/*.o
  # The interpreter too: the tests run it to see what a written script defines.
  mkdir -p "$cache/lua/bin"
  x86_64-w64-mingw32-gcc-posix -O2 -std=gnu99 -DLUA_COMPAT_5_3 "$src/src/lua.c" "$cache/lua/lib/liblua5.4.a" \
    -static -o "$cache/lua/bin/lua5.4.exe"
  cp "$src"/src/{lua.h,luaconf.h,lualib.h,lauxlib.h,lua.hpp} "$cache/lua/include/lua5.4/"
  cat >"$cache/lua/lib/pkgconfig/lua5.4.pc" <<PC
prefix=$cache/lua
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: Lua
Description: Lua language engine, static, for Windows (x86_64-w64-mingw32)
Version: ${lua_version%%-*}
Libs: -L\${libdir} -llua5.4
Cflags: -I\${includedir}/lua5.4
PC
  rm -rf "$cache/lua-src"
  touch "$lua_stamp"
fi

# --- Qt for Windows --------------------------------------------------------------
if [ ! -f "$qt_stamp" ]; then
  log "building Qt $qt_version for Windows (25-30 minutes on 2 cores)"
  rm -rf "$cache/qt-src" "$cache/qt-build" "$cache/qt"
  mkdir -p "$cache/qt-src"
  (cd "$cache/qt-src" && apt-get source -qq "qt6-base=$qt_version" >/dev/null)
  src=$(find "$cache/qt-src" -maxdepth 1 -mindepth 1 -type d -name 'qt6-base*' | head -n1)
  # tabletevent is off because Debian's source drops the wintab header; opengl stays
  # on (dynamic: Qt picks the driver at run time) as the 6.4 windows platform does not
  # compile without it. directwrite3 is off with direct2d: QtGui has its DirectWrite font
  # database only with both, and the windows platform would link to what is not there
  # (it draws with GDI's fonts, as by default). Everything the editor does not use is
  # left out.
  nice -n 19 cmake -G Ninja -S "$src" -B "$cache/qt-build" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DHALVANE_BUILDING_TOOLCHAIN=ON \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$cache/qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DBUILD_WITH_PCH=OFF \
    -DINPUT_opengl=dynamic -DFEATURE_opengl=ON -DFEATURE_opengl_dynamic=ON \
    -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_libjpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF \
    -DFEATURE_sql_sqlite=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF
  nice -n 19 cmake --build "$cache/qt-build" --parallel "$jobs"
  cmake --install "$cache/qt-build" >/dev/null
  # Qt's licence texts go into the Windows package with its DLLs.
  cp -r "$src/LICENSES" "$cache/qt/licenses"
  rm -rf "$cache/qt-src" "$cache/qt-build"
  touch "$qt_stamp"
fi

# --- A Wine prefix of its own ----------------------------------------------------
if [ ! -f "$wine_stamp" ]; then
  log "making a fresh Wine prefix"
  rm -rf "$cache/wineprefix"
  # No Mono or Gecko: nothing here needs .NET or a browser engine.
  WINEPREFIX="$cache/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
  WINEPREFIX="$cache/wineprefix" wineserver -w
  touch "$wine_stamp"
fi

# --- Fonts for the offscreen platform ----------------------------------------------
# Qt's offscreen platform on Windows draws with the fonts of one folder (wine-run.sh
# names it) rather than the system's: Debian's Latin, symbol and CJK fonts, so that the
# window tests measure the texts of all four languages as the Linux build does.
if [ ! -f "$fonts_stamp" ]; then
  log "gathering fonts for the offscreen platform"
  rm -rf "$cache/fonts"
  mkdir -p "$cache/fonts"
  for font in /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/wqy/wqy-microhei.ttc \
              /usr/share/fonts/truetype/*/Symbola*.ttf; do
    if [ -f "$font" ]; then cp "$font" "$cache/fonts/"; fi
  done
  touch "$fonts_stamp"
fi

# --- Qt's own texts in the editor's languages ---------------------------------------
# Debian's translations of the same Qt version (qt6-translations-l10n), where the
# Windows Qt looks for them; the package carries them too.
if [ ! -f "$translations_stamp" ]; then
  mkdir -p "$cache/qt/translations"
  for language in zh_CN ru ja; do
    cp "/usr/share/qt6/translations/qtbase_$language.qm" "$cache/qt/translations/"
  done
  touch "$translations_stamp"
fi

# The toolchain file finds the cache through this link when HALVANE_WINDOWS_CACHE is
# not set.
if [ -z "${HALVANE_WINDOWS_CACHE:-}" ]; then
  ln -sfn "$key" "$root/current"
fi
log "ready: $cache"
echo "$cache"
