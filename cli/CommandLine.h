#pragma once
// The editor without its window, for scripts and servers:
//   halvane --check FILE      Lua compiles the file and every setting in it reads
//   halvane --list FILE       every value the window shows, as JSON Lines
//   halvane --set FILE NAME=VALUE...   the window's Apply for the values given
// Results go to standard output, messages to standard error (in English). Exit codes:
// 0 success, 1 a refusal (a problem found, a value refused, a file not written), 2 a
// file that cannot be read.
namespace cli {

enum ExitCode { Success = 0, Refused = 1, Unreadable = 2 };

// Whether the arguments ask for the command line: an option with two dashes (--check,
// --list, --set, --help, --version, or a mistyped one, which the command line refuses)
// or -h, -? or -v. Qt's own options, written with one dash ("-platform xcb"), start the
// window.
bool wanted(int argc, const char* const* argv);

// Runs the command the arguments give, without a window, and returns the exit code.
int start(int argc, char** argv);

}  // namespace cli
