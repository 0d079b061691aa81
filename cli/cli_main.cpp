// halvane-cli.exe, the command line as a Windows console program: a prompt waits for it,
// shows what it prints and receives its exit code.
#include <windows.h>

#include "cli/CommandLine.h"

int main(int argc, char** argv)
{
    // What it prints is UTF-8: symbols such as ✈ and Cyrillic folder names show as written.
    SetConsoleOutputCP(CP_UTF8);
    return cli::start(argc, argv);
}
