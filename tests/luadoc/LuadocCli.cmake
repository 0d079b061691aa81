# Drives the luadoc command line on a copy of the label script fixture.
# cmake -DLUADOC=<exe> -DFIXTURES=<dir> -DEXPECTED=<tests/engine/expected> -DWORK=<dir> [-DEMULATOR=<runner>]
#       -P LuadocCli.cmake
# EMULATOR runs a cross-built luadoc (Wine for the Windows build).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(COPY "${FIXTURES}/Labels.lua" DESTINATION "${WORK}")
set(labels "${WORK}/Labels.lua")

function(run expected_rc)
  execute_process(COMMAND ${EMULATOR} "${LUADOC}" ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  # A Windows console program ends its lines with CR LF.
  string(REPLACE "\r\n" "\n" out "${out}")
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "luadoc ${ARGN}: exit ${rc}, expected ${expected_rc}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_equal actual expected what)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}: got [${actual}], expected [${expected}]")
  endif()
endfunction()

run(0 dump "${labels}")
string(REGEX MATCH "^[^\n]*" first_line "${out}")
expect_equal("${first_line}" "functions\tdot_symbol\tNEUTRAL_DOT\tbase_preset" "dump: function names")
string(FIND "${out}" "\n0\tArray\tColorEnemiesSide\t{0,\\t82 ,199}\t3061\t3093\t0\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "dump: no escaped ColorEnemiesSide line")
endif()
string(FIND "${out}" "\n1\tNumber\t\t13\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "dump: no child line for the symbol size")
endif()

run(0 lookup "${labels}" "<LEVEL_FULL>.[0].<AirFormat> .[2]...")
string(REGEX MATCH "^[^\t]*" key "${out}")
expect_equal("${key}" "[10000]" "lookup: key of Air NEAR")
run(0 lookup "${labels}" "<default_font>.[1]...")
expect_equal("${out}" "\t13\n" "lookup: symbol size")
run(1 lookup "${labels}" "<LEVEL_FULL>.[0].<AirFormat>.[9]...")
expect_equal("${out}" "" "lookup: missing node prints nothing")

run(2)
run(2 dump)
run(2 shuffle "${labels}")
run(2 lookup "${labels}")

run(0 apply "${labels}" "${EXPECTED}/full-apply.edits")
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${labels}" "${EXPECTED}/Labels-after-full-apply.lua"
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "apply: ${labels} differs from ${EXPECTED}/Labels-after-full-apply.lua")
endif()

# Edits whose file cannot be written: non-zero exit, a message, and nothing created.
file(COPY "${labels}" DESTINATION "${WORK}/moved")
set(moved "${WORK}/moved/Labels.lua")
file(WRITE "${WORK}/two.edits" "<AirOn>...[][false]\n<NavyOn>...[][false]")
execute_process(COMMAND ${EMULATOR} "${LUADOC}" apply "${WORK}/gone/Labels.lua" "${WORK}/two.edits"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "could not be written")
  message(FATAL_ERROR "apply to a missing folder: exit ${rc}, message [${err}]")
endif()
if(EXISTS "${WORK}/gone")
  message(FATAL_ERROR "apply to a missing folder created it")
endif()
# The last line counts without its LF.
run(0 apply "${moved}" "${WORK}/two.edits")
run(0 lookup "${moved}" "<NavyOn>...")
expect_equal("${out}" "NavyOn\tfalse\n" "apply: last line without LF")
