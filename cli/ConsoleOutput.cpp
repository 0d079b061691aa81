#include "cli/ConsoleOutput.h"

#include <QByteArray>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace cli {

namespace {

void writeBytes(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

}  // namespace

#ifdef _WIN32

// The C runtime's text mode hands a console one byte at a time in the C locale's terms,
// so a UTF-8 path shows as one Latin letter per byte whatever the console's code page.
// A console takes UTF-16 from WriteConsoleW as it is; files and pipes get UTF-8 bytes,
// which scripts read.
void writeOut(std::FILE* stream, const QString& text)
{
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode)) {
        writeBytes(stream, text);
        return;
    }
    std::fflush(stream);  // what the C runtime still holds comes first
    const auto* characters = reinterpret_cast<const wchar_t*>(text.utf16());
    DWORD left = static_cast<DWORD>(text.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteConsoleW(handle, characters, left, &written, nullptr) || written == 0) {
            // A console that takes no characters (one being closed) gets the rest as bytes.
            writeBytes(stream, QString::fromWCharArray(characters, static_cast<qsizetype>(left)));
            return;
        }
        characters += written;
        left -= written;
    }
}

#else

void writeOut(std::FILE* stream, const QString& text) { writeBytes(stream, text); }

#endif

}  // namespace cli
