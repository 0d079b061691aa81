#include "lua/LuaFileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QString>

namespace lua {

namespace {

template <typename Char>
bool hasExtension(const std::basic_string<Char>& path, const char (&wanted)[5])
{
    // The file name is what follows the last "/" or "\" on every platform, so that
    // paths written for the simulator's platform are judged the same everywhere.
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == Char('/') || path[i] == Char('\\'))
            nameStart = i + 1;
    }
    std::size_t nameEnd = path.size();
#ifdef _WIN32
    // "name.lua:stream" is an alternate data stream of name.lua.
    for (std::size_t i = nameStart; i < path.size(); ++i) {
        if (path[i] == Char(':')) {
            nameEnd = i;
            break;
        }
    }
#endif
    std::size_t dot = std::basic_string<Char>::npos;
    for (std::size_t i = nameStart; i < nameEnd; ++i) {
        if (path[i] == Char('.'))
            dot = i;
    }
    // A leading "." does not start an extension (".lua", "." and ".." have none).
    if (dot == std::basic_string<Char>::npos || dot == nameStart || nameEnd - dot != 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        Char c = path[dot + i];
        if (c >= Char('A') && c <= Char('Z'))
            c = Char(c - Char('A') + Char('a'));
        if (c != Char(wanted[i]))
            return false;
    }
    return true;
}

QString toQString(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";

std::string withCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string withoutCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    }
    return out;
}

// Why the file cannot be written, found before anything is touched; None if it may be.
WriteFailure obstacle(const QString& fileName)
{
    if (fileName.isEmpty())
        return WriteFailure::NoFileName;
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return WriteFailure::FolderMissing;
    if (file.isDir())
        return WriteFailure::FolderInTheWay;
    // The new text is written beside the file before it takes the file's place.
    if (!folder.isWritable())
        return WriteFailure::FolderReadOnly;
    // Replacing a file goes through its folder, which would also override a file the
    // player made read-only to protect it.
    if (file.exists() && !file.isWritable())
        return WriteFailure::PermissionDenied;
    return WriteFailure::None;
}

WriteOutcome failure(const QSaveFile& file, WriteFailure otherwise)
{
    // The new text could not take the file's place: on Windows, another program (the
    // running simulator) holds the file open.
    const bool refused = file.error() == QFileDevice::PermissionsError || file.error() == QFileDevice::RenameError;
    const WriteFailure why = refused ? WriteFailure::PermissionDenied : otherwise;
    return WriteOutcome::failed(why, file.errorString().toStdString());
}

// A write that stopped short: a full disk, or something else the system refused.
WriteFailure shortWrite(const QString& fileName, std::size_t size)
{
    const QStorageInfo storage(QFileInfo(fileName).absolutePath());
    const bool full = storage.isValid() && storage.bytesAvailable() >= 0
        && static_cast<unsigned long long>(storage.bytesAvailable()) < size + 4096;
    return full ? WriteFailure::NoSpace : WriteFailure::Incomplete;
}

}  // namespace

bool LuaFileAccess::isLuaFile(const std::filesystem::path& path) { return hasExtension(path.native(), ".lua"); }

bool LuaFileAccess::isReadable(const std::filesystem::path& path)
{
    return isLuaFile(path) || hasExtension(path.native(), ".bak");
}

std::unique_ptr<std::ifstream> LuaFileAccess::openForReading(const std::filesystem::path& path) const
{
    if (!isReadable(path))
        return nullptr;
    // Binary: line ends are converted by readAll, the same way on every platform.
    return std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
}

std::string LuaFileAccess::readAll(std::istream* stream, bool* crlf, bool* bom) const
{
    return textOf(readBytes(stream), crlf, bom);
}

std::string LuaFileAccess::readBytes(std::istream* stream) const
{
    std::string bytes;
    if (!stream)
        return bytes;
    // istream::read, not the buffer itself: a directory opens as a stream on some
    // platforms, and its buffer throws on the first read.
    char buffer[1 << 16];
    while (stream->read(buffer, sizeof buffer) || stream->gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(stream->gcount()));
    // A file that breaks off while being read counts as unreadable: part of it,
    // written back after an edit, would cut the file short.
    if (stream->bad())
        bytes.clear();
    return bytes;
}

std::string LuaFileAccess::textOf(const std::string& bytes, bool* crlf, bool* bom) const
{
    const bool marked = bytes.rfind(byteOrderMark, 0) == 0;
    if (bom)
        *bom = marked;
    const std::string unmarked = marked ? bytes.substr(std::char_traits<char>::length(byteOrderMark)) : bytes;
    const auto firstLf = unmarked.find('\n');
    const bool windowsLineEnds = firstLf != std::string::npos && firstLf > 0 && unmarked[firstLf - 1] == '\r';
    if (crlf)
        *crlf = windowsLineEnds;
    return windowsLineEnds ? withoutCrLf(unmarked) : unmarked;
}

std::string LuaFileAccess::bytesOf(const std::string& text, bool crlf, bool bom)
{
    return (bom ? byteOrderMark : "") + (crlf ? withCrLf(text) : text);
}

WriteOutcome LuaFileAccess::writeAll(const std::filesystem::path& path, const std::string& text, bool crlf,
                                     bool bom) const
{
    const QString fileName = toQString(path);
    if (const WriteFailure why = obstacle(fileName); why != WriteFailure::None)
        return WriteOutcome::failed(why);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file, WriteFailure::Other);
    const std::string bytes = bytesOf(text, crlf, bom);
    const auto size = static_cast<qint64>(bytes.size());
    // A short text stays in write()'s buffer, and Qt 6.4's commit() renames the temporary
    // file even when the flush inside it fails (a full disk): so the flush is checked
    // here, and the temporary file must hold every byte before it may replace the file.
    if (file.write(bytes.data(), size) != size || !file.flush() || file.size() != size) {
        const WriteOutcome outcome = failure(file, shortWrite(fileName, bytes.size()));
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit())
        return failure(file, shortWrite(fileName, bytes.size()));
    return WriteOutcome::success();
}

WriteFailure LuaFileAccess::writeObstacle(const std::filesystem::path& path) { return obstacle(toQString(path)); }

}  // namespace lua
