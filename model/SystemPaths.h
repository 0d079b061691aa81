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
// 936 for Chinese) and as the file system's own bytes elsewhere. A folder whose name the
// code page has no letters for (a look-alike would name another folder) is written as
// its short path when that is writable and leads back to it, else as its UTF-8 after
// utf8Marker. None only for a path that has no text at all (broken UTF-16).
std::optional<std::string> profileText(const std::filesystem::path& path);
// The path a profile's text names. A short path is given back as the long one when the
// code page could not have written that, so the player sees their folder's own name.
std::filesystem::path pathOfProfileText(const std::string& text);

// Starts a profile text that holds UTF-8 rather than the code page. No folder's path
// starts so: a colon after anything but a drive letter is not allowed in a Windows path.
inline constexpr const char* utf8Marker = "utf8:";

}  // namespace system_paths
