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

namespace {

// The text in the system code page, or none when the code page lacks a letter of it.
std::optional<std::string> inCodePage(const std::wstring& wide)
{
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
    if (defaultUsed)
        return std::nullopt;
    return text;
}

std::wstring fromBytes(UINT codePage, DWORD flags, const char* bytes, std::size_t count)
{
    if (count == 0)
        return {};
    const int length = static_cast<int>(count);
    const int size = MultiByteToWideChar(codePage, flags, bytes, length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(codePage, flags, bytes, length, wide.data(), size);
    return wide;
}

// One of the system's path queries (GetShortPathNameW, GetLongPathNameW); empty when it fails.
std::wstring asked(DWORD(WINAPI* query)(LPCWSTR, LPWSTR, DWORD), const std::wstring& path)
{
    const DWORD size = query(path.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring answer(size, L'\0');
    const DWORD length = query(path.c_str(), answer.data(), size);
    if (length == 0 || length >= size)
        return {};
    answer.resize(length);
    return answer;
}

bool sameFolder(const std::wstring& a, const std::wstring& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

std::optional<std::string> profileText(const std::filesystem::path& path)
{
    const std::wstring& wide = path.native();
    // What the code page writes is kept as it always was: the profile of a player whose
    // folder it can write does not change.
    if (std::optional<std::string> text = inCodePage(wide)) {
        const std::wstring read = pathOfProfileText(*text).native();
        if (read == wide || sameFolder(read, wide))
            return text;
    }
    // The short path is what older programs are given for such a folder, and the profile
    // stays in the code page. Volumes may have short names turned off, and the folder
    // may not be there yet: then it has none, or one that leads elsewhere.
    const std::wstring shortPath = asked(GetShortPathNameW, wide);
    if (!shortPath.empty() && shortPath != wide && sameFolder(shortPath, wide)) {
        const std::optional<std::string> text = inCodePage(shortPath);
        if (text && text->rfind(utf8Marker, 0) != 0 && sameFolder(pathOfProfileText(*text).native(), wide))
            return text;
    }
    const int length = static_cast<int>(wide.size());
    const int size
        = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::nullopt;
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8Marker + utf8;
}

std::filesystem::path pathOfProfileText(const std::string& text)
{
    const std::string marker = utf8Marker;
    if (text.rfind(marker, 0) == 0)
        return std::filesystem::path(fromBytes(CP_UTF8, 0, text.data() + marker.size(), text.size() - marker.size()));
    const std::wstring wide = fromBytes(CP_ACP, 0, text.data(), text.size());
    // Only a path the code page could not have written is given back long: any other is
    // kept as the player wrote it.
    if (wide.find(L'~') != std::wstring::npos) {
        const std::wstring longPath = asked(GetLongPathNameW, wide);
        if (!longPath.empty() && !inCodePage(longPath))
            return std::filesystem::path(longPath);
    }
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
