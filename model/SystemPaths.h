#pragma once
// Where the model's file names meet the operating system, and the one place where
// Windows, the simulator's platform, and other systems differ for it.
#include <filesystem>
#include <optional>
#include <string>

namespace system_paths {

// Whether anything (file or folder) is at the path. Nothing there, no folder on the
// way, an unknown network path or a name the system refuses is a plain "no"; any other
// failure means the file system could not answer, and throws
// std::filesystem::filesystem_error with the system's own error.
bool somethingAt(const std::filesystem::path& path);

#ifdef _WIN32
// The Windows system errors for which somethingAt answers "no": 2 (file not found),
// 3 (path not found), 53 (network path not found), 123 (invalid name).
bool meansNothingThere(unsigned long systemError);
#endif

// A path as the text of a profile, which the simulator's players keep in the system
// code page on Windows (the "ANSI" code page: 1252 in Western Europe, 1251 for Russian,
// 936 for Chinese) and as the file system's own bytes elsewhere. None when the code
// page has no letter for a character of the path: a look-alike would name another folder.
std::optional<std::string> profileText(const std::filesystem::path& path);
// The path a profile's text names.
std::filesystem::path pathOfProfileText(const std::string& text);

}  // namespace system_paths
