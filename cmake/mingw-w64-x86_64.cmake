# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (POSIX threads, so that
# std::thread and friends exist). Used twice: by tools/windows/toolchain.sh to build
# Qt and Lua into the Windows cache, and by the windows-cross preset to build the
# editor against that cache.
#
# HALVANE_WINDOWS_CACHE (cache variable or environment) names the folder
# tools/windows/toolchain.sh filled: qt/ holds Qt for Windows, lua/ holds Lua 5.4 with
# its lua5.4.pc. Without it only the compilers are set, which is what the Qt build
# itself needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-ranlib CACHE FILEPATH "")

if(NOT HALVANE_WINDOWS_CACHE AND DEFINED ENV{HALVANE_WINDOWS_CACHE})
  set(HALVANE_WINDOWS_CACHE "$ENV{HALVANE_WINDOWS_CACHE}")
endif()
# Else the folder the last run of toolchain.sh prepared, if any.
if(NOT HALVANE_WINDOWS_CACHE AND NOT HALVANE_BUILDING_TOOLCHAIN)
  if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
    set(current "$ENV{XDG_CACHE_HOME}/halvane-windows/current")
  else()
    set(current "$ENV{HOME}/.cache/halvane-windows/current")
  endif()
  if(EXISTS "${current}/qt")
    get_filename_component(HALVANE_WINDOWS_CACHE "${current}" REALPATH)
  endif()
endif()
if(HALVANE_WINDOWS_CACHE)
  set(HALVANE_WINDOWS_CACHE "${HALVANE_WINDOWS_CACHE}" CACHE PATH "The Windows Qt and Lua that tools/windows/toolchain.sh built")
endif()
# try_compile projects run this file again without the cache variables: hand the
# folder on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES HALVANE_WINDOWS_CACHE)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
if(HALVANE_WINDOWS_CACHE)
  list(APPEND CMAKE_FIND_ROOT_PATH "${HALVANE_WINDOWS_CACHE}/qt" "${HALVANE_WINDOWS_CACHE}/lua")
  list(APPEND CMAKE_PREFIX_PATH "${HALVANE_WINDOWS_CACHE}/qt")
  # Qt for Windows runs its code generators (moc, rcc, uic) from the Linux Qt of the
  # same version.
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
  # pkg-config must see the Windows Lua only, never the Linux one.
  set(ENV{PKG_CONFIG_LIBDIR} "${HALVANE_WINDOWS_CACHE}/lua/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

if(HALVANE_WINDOWS_CACHE)
  # Tests and the program run under Wine, in the prefix toolchain.sh made, with the
  # cache's DLLs on their path.
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/windows/wine-run.sh;${HALVANE_WINDOWS_CACHE}")
  # The Lua checks of written scripts run the Windows Lua, from the tests' side of
  # Wine (where the host's "/" is drive Z:).
  set(HALVANE_LUA "Z:${HALVANE_WINDOWS_CACHE}/lua/bin/lua5.4.exe" CACHE FILEPATH "")
endif()
