// halvane-cli.exe, the command line as a Windows console program: a prompt waits for it,
// shows what it prints and receives its exit code.
#include <windows.h>

#include "cli/CommandLine.h"

int main(int argc, char** argv)
{
    // The command line hands a console its characters itself (cli/ConsoleOutput.cpp); a
    // console switched to UTF-8 also shows as written any UTF-8 bytes that reach it
    // another way, rather than reading them in the OEM code page.
    SetConsoleOutputCP(CP_UTF8);
    return cli::start(argc, argv);
}
