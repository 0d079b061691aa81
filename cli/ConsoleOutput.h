#pragma once
// Where the command line's text meets the console, and the one place where Windows'
// consoles and other outputs differ for it.
#include <QString>

#include <cstdio>

namespace cli {

// Writes the text to standard output or error (stream is stdout or stderr) and flushes
// it: as UTF-8 to a file, a pipe or a terminal, and on Windows as the console's own
// characters when the stream is a console.
void writeOut(std::FILE* stream, const QString& text);

}  // namespace cli
