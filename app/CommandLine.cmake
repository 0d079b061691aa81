# The command line (--check, --list, --set): a library of its own, linked into the
# program and started by main() when arguments are given. On Windows also a console
# program of its own, halvane-cli.exe: the editor is a window program there, whose
# output a console does not show and whose end a prompt does not wait for.
add_library(halvane_cli STATIC
  CommandLine.h CommandLine.cpp
  CliNames.h CliNames.cpp
  CliDiff.h CliDiff.cpp
  CliImport.h CliImport.cpp
  CliList.h CliList.cpp
  CliSet.h CliSet.cpp
  CliTables.h CliTables.cpp
)
halvane_layer(halvane_cli)
target_link_libraries(halvane_cli PRIVATE halvane_mainwindow halvane_common halvane_model halvane_lua Qt6::Core)
target_compile_definitions(halvane_cli PRIVATE HALVANE_VERSION="${PROJECT_VERSION}")
target_link_libraries(halvane PRIVATE halvane_cli)
if(WIN32)
  add_executable(halvane-cli cli_main.cpp)
  halvane_windows_resource(halvane-cli "HALVANE Label Manager command line")
  target_link_libraries(halvane-cli PRIVATE halvane_cli)
  halvane_warnings(halvane-cli)
  install(TARGETS halvane-cli RUNTIME DESTINATION .)
endif()
