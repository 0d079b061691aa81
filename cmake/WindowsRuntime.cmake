# What halvane.exe needs beside it on a Windows machine with nothing installed, for a
# build cross-compiled with MinGW-w64 against tools/windows/toolchain.sh's Qt:
#   Qt6Core, Qt6Gui, Qt6Widgets             the Qt libraries the program links
#   platforms\qwindows.dll                  without a platform plugin no window opens
#   styles\qwindowsvistastyle.dll           the native look of buttons and lists
#   libstdc++-6, libgcc_s_seh-1,
#   libwinpthread-1                         MinGW's C++ runtime, which Qt uses too
#   translations\qtbase_*.qm                Qt's own texts (Cancel, Yes) in the editor's languages
# Qt finds the plugin folders beside the executable by itself.

function(halvane_install_windows_runtime destination)
  foreach(library Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION ${destination})
  endforeach()
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${destination}/platforms)
  if(TARGET Qt6::QWindowsVistaStylePlugin)
    install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${destination}/styles)
  endif()

  file(GLOB qt_texts ${HALVANE_WINDOWS_CACHE}/qt/translations/qtbase_*.qm)
  if(NOT qt_texts)
    message(FATAL_ERROR "Qt's translations are missing from the Windows cache: run tools/windows/toolchain.sh")
  endif()
  install(FILES ${qt_texts} DESTINATION ${destination}/translations)

  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    # The compiler prints the bare name when it does not know the file.
    if(NOT IS_ABSOLUTE "${found}")
      find_file(found_${dll} ${dll} PATHS /usr/${CMAKE_LIBRARY_ARCHITECTURE}/lib
                /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
      set(found "${found_${dll}}")
    endif()
    if(NOT EXISTS "${found}")
      message(FATAL_ERROR "MinGW runtime ${dll} not found: the package could not start")
    endif()
    install(FILES "${found}" DESTINATION ${destination})
  endforeach()
endfunction()

# The licences of the libraries halvane_install_windows_runtime copies and of Lua,
# which is linked into the program: Qt's own texts (kept by toolchain.sh) and Debian's
# copyright files of the MinGW runtime and Lua.
function(halvane_install_windows_licences destination)
  if(HALVANE_WINDOWS_CACHE AND EXISTS "${HALVANE_WINDOWS_CACHE}/qt/licenses")
    install(FILES ${HALVANE_WINDOWS_CACHE}/qt/licenses/LGPL-3.0-only.txt
                  ${HALVANE_WINDOWS_CACHE}/qt/licenses/GPL-2.0-only.txt
                  ${HALVANE_WINDOWS_CACHE}/qt/licenses/GPL-3.0-only.txt
            DESTINATION ${destination}/Qt)
  else()
    message(FATAL_ERROR "Qt's licence texts are missing from the Windows cache: run tools/windows/toolchain.sh")
  endif()
  install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION ${destination}
          RENAME MinGW-w64-GCC-runtime.txt)
  install(FILES /usr/share/doc/mingw-w64-common/copyright DESTINATION ${destination}
          RENAME MinGW-w64-winpthreads.txt)
  install(FILES /usr/share/doc/lua5.4/copyright DESTINATION ${destination} RENAME Lua.txt)
endfunction()
