# Installs the build into a temporary prefix and checks that exactly the program and
# its data land there (no test or benchmark executable), that the factory script is the
# repository's, that every icon has the size its folder promises, and that the menu
# entry and the metainfo pass their validators.
#
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DCONFIG=... -DVERSION=1.0 -DBINDIR=bin
#         -DDATADIR=share -DDATAROOTDIR=share -P check-install-layout.cmake
cmake_minimum_required(VERSION 3.16)
foreach(var BUILD_DIR SOURCE_DIR VERSION BINDIR DATADIR DATAROOTDIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

execute_process(COMMAND mktemp -d RESULT_VARIABLE status OUTPUT_VARIABLE prefix OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT status EQUAL 0 OR NOT IS_DIRECTORY "${prefix}")
  message(FATAL_ERROR "no temporary folder (mktemp: ${status})")
endif()

set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

set(config_args "")
if(CONFIG)
  set(config_args --config ${CONFIG})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} ${config_args}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  file(REMOVE_RECURSE "${prefix}")
  message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

set(id halvane-label-manager)
set(desktop ${DATADIR}/applications/${id}.desktop)
set(metainfo ${DATADIR}/metainfo/${id}.metainfo.xml)
set(expected
    ${BINDIR}/halvane
    ${desktop}
    ${metainfo}
    ${DATADIR}/${id}/default.lua
    ${DATAROOTDIR}/doc/${id}/LICENSE
    ${DATAROOTDIR}/doc/${id}/copyright
    ${DATAROOTDIR}/doc/${id}/LICENSE-DejaVuLGCSans.txt
    ${DATADIR}/icons/hicolor/scalable/apps/${id}.svg)
set(sizes 48 64 128 256)
foreach(size ${sizes})
  list(APPEND expected ${DATADIR}/icons/hicolor/${size}x${size}/apps/${id}.png)
endforeach()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${prefix} ${prefix}/*)
foreach(file ${expected})
  if(NOT file IN_LIST installed)
    fail("missing: ${file}")
  endif()
endforeach()
foreach(file ${installed})
  if(NOT file IN_LIST expected)
    fail("installed but not part of the program: ${file}")
  endif()
endforeach()

if(EXISTS ${prefix}/${BINDIR}/halvane AND NOT IS_DIRECTORY ${prefix}/${BINDIR}/halvane)
  execute_process(COMMAND test -x ${prefix}/${BINDIR}/halvane RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    fail("${BINDIR}/halvane is not executable")
  endif()
endif()

foreach(pair "${DATADIR}/${id}/default.lua|data/default.lua" "${DATAROOTDIR}/doc/${id}/LICENSE|LICENSE"
             "${DATAROOTDIR}/doc/${id}/copyright|LICENSE"
             "${DATAROOTDIR}/doc/${id}/LICENSE-DejaVuLGCSans.txt|Resource/LICENSE-DejaVuLGCSans.txt")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 installed_file)
  list(GET pair 1 source_file)
  if(EXISTS ${prefix}/${installed_file})
    file(SHA256 ${prefix}/${installed_file} installed_hash)
    file(SHA256 ${SOURCE_DIR}/${source_file} source_hash)
    if(NOT installed_hash STREQUAL source_hash)
      fail("${installed_file} differs from ${source_file}")
    endif()
  endif()
endforeach()

# A PNG starts with its signature, then the header chunk with the width and height.
foreach(size ${sizes})
  set(png ${prefix}/${DATADIR}/icons/hicolor/${size}x${size}/apps/${id}.png)
  if(EXISTS ${png})
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
      fail("the ${size}x${size} icon is not a ${size} by ${size} PNG (${width} by ${height})")
    endif()
  endif()
endforeach()

# The menu entry must start the installed program with the installed icon, and the
# metainfo must name that entry.
if(EXISTS ${prefix}/${desktop})
  file(STRINGS ${prefix}/${desktop} lines)
  if(NOT "Exec=halvane" IN_LIST lines OR NOT "Icon=${id}" IN_LIST lines)
    fail("${desktop} does not start halvane with the icon ${id}")
  endif()
  execute_process(COMMAND desktop-file-validate ${prefix}/${desktop}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0 OR NOT output STREQUAL "")
    fail("desktop-file-validate (${status}): ${output}")
  endif()
endif()
if(EXISTS ${prefix}/${metainfo})
  file(READ ${prefix}/${metainfo} text)
  if(NOT text MATCHES "<launchable type=\"desktop-id\">${id}.desktop</launchable>")
    fail("${metainfo} does not launch ${id}.desktop")
  endif()
  if(NOT text MATCHES "<release version=\"${VERSION}\" date=\"[0-9]+-[0-9]+-[0-9]+\"")
    fail("${metainfo} does not name release ${VERSION}")
  endif()
  execute_process(COMMAND appstreamcli validate --no-net ${prefix}/${metainfo}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    fail("appstreamcli validate (${status}): ${output}")
  endif()
endif()

file(REMOVE_RECURSE "${prefix}")
if(failures)
  message(FATAL_ERROR "The installed layout is wrong:\n${failures}")
endif()
message(STATUS "Installed layout: ${expected}")
