#include "model/SystemPaths.h"

#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace system_paths {

#ifdef _WIN32

bool somethingAt(const std::filesystem::path& path)
{
    // The system's own error, not the C runtime's errno, which folds many into one and
    // differs from one C runtime to another.
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD error = GetLastError();
    if (meansNothingThere(error))
        return false;
    throw std::filesystem::filesystem_error("exists", path,
                                            std::error_code(static_cast<int>(error), std::system_category()));
}

bool meansNothingThere(unsigned long systemError)
{
    return systemError == ERROR_FILE_NOT_FOUND || systemError == ERROR_PATH_NOT_FOUND
        || systemError == ERROR_BAD_NETPATH || systemError == ERROR_INVALID_NAME;
}

std::optional<std::string> profileText(const std::filesystem::path& path)
{
    const std::wstring& wide = path.native();
    if (wide.empty())
        return std::string();
    const int length = static_cast<int>(wide.size());
    // Without best fit, a letter the code page lacks is not turned into a look-alike
    // ("e" for "é"), which would name another folder; the text must also read back as
    // the same path. (A UTF-8 system code page takes no such flags, and lacks nothing.)
    const UINT codePage = GetACP();
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL defaultUsed = FALSE;
    BOOL* noteDefault = codePage == CP_UTF8 ? nullptr : &defaultUsed;
    const int size = WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, noteDefault);
    if (size <= 0 || defaultUsed)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), length, text.data(), size, nullptr, noteDefault);
    if (defaultUsed || pathOfProfileText(text).native() != wide)
        return std::nullopt;
    return text;
}

std::filesystem::path pathOfProfileText(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
    return std::filesystem::path(wide);
}

#else

bool somethingAt(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::none)
        throw std::filesystem::filesystem_error("exists", path, error);
    return status.type() != std::filesystem::file_type::not_found;
}

std::optional<std::string> profileText(const std::filesystem::path& path) { return path.native(); }

std::filesystem::path pathOfProfileText(const std::string& text) { return std::filesystem::path(text); }

#endif

}  // namespace system_paths
