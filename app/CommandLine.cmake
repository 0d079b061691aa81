# The command line (--check, --list, --set): a library of its own, linked into the
# program and started by main() when arguments are given.
add_library(halvane_cli STATIC
  CommandLine.h CommandLine.cpp
  CliNames.h CliNames.cpp
  CliList.h CliList.cpp
  CliSet.h CliSet.cpp
  CliTables.h CliTables.cpp
)
halvane_layer(halvane_cli)
target_link_libraries(halvane_cli PRIVATE halvane_mainwindow halvane_common halvane_model halvane_lua Qt6::Core)
target_link_libraries(halvane PRIVATE halvane_cli)
target_compile_definitions(halvane PRIVATE HALVANE_VERSION="${PROJECT_VERSION}")
