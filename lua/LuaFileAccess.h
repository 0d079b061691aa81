#pragma once
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

namespace lua {

// Why a file could not be written. The window words each in the player's language.
enum class WriteFailure {
    None,              // written
    NoFileName,        // the document was never given a file
    FolderMissing,     // the folder of the file does not exist
    FolderInTheWay,    // a folder has the file's name
    FolderReadOnly,    // nothing may be written into the file's folder
    PermissionDenied,  // the file may not be written (read-only, or held by another program)
    NoSpace,           // the disk has no room for the text
    Incomplete,        // the text could not be written completely
    Other,             // anything else the system reports (see the detail)
};

// Outcome of a write: the file is either replaced whole or left as it was.
struct [[nodiscard]] WriteOutcome {
    bool written = false;
    WriteFailure failure = WriteFailure::None;
    std::string detail;  // the system's own words, if it gave any, for a details line
    explicit operator bool() const { return written; }

    static WriteOutcome success() { return {true, WriteFailure::None, {}}; }
    static WriteOutcome failed(WriteFailure why, std::string systemDetail = {})
    {
        return {false, why, std::move(systemDetail)};
    }
};

// The one place where Lua files are tested, read and written. Stateless.
//
// Line ends: the simulator's files are Windows files, and players also edit them on
// other platforms. A file whose first line end is CR LF is read with every CR LF
// turned into LF, and its document is written back with every LF turned into CR LF;
// a file whose first line end is LF (or that has none) passes unchanged both ways.
// So document text always has LF line ends and a file keeps its own style.
//
// Byte-order mark: Windows' Notepad starts a UTF-8 file with one, and Lua's own loader
// (the simulator's) skips it. It is not part of the document text, so that the
// compiler and the parser see the script as the loader does; a file that had one gets
// it back on every write.
class LuaFileAccess {
public:
    static bool isLuaFile(const std::filesystem::path& path);
    // What is read: a .lua file, or a .bak copy of one (the editor's backups, which end so
    // that the simulator never takes them for its own). Only .lua files are written.
    static bool isReadable(const std::filesystem::path& path);
    // None when the path is neither; otherwise a stream, possibly in a failed state.
    std::unique_ptr<std::ifstream> openForReading(const std::filesystem::path& path) const;
    // The whole remaining content; none, or a read error, gives "". When the first
    // line end is CR LF, every CR LF becomes LF and *crlf (if given) is set to true,
    // else to false; a leading byte-order mark is dropped and *bom (if given) says so.
    std::string readAll(std::istream* stream, bool* crlf = nullptr, bool* bom = nullptr) const;
    // The same in two steps: the stream's bytes as they are ("" for none or a read
    // error), and those bytes as document text.
    std::string readBytes(std::istream* stream) const;
    std::string textOf(const std::string& bytes, bool* crlf = nullptr, bool* bom = nullptr) const;
    // The bytes writeAll puts in the file for a text.
    static std::string bytesOf(const std::string& text, bool crlf, bool bom = false);
    // Safe write: the text goes to a temporary file in the same folder, which replaces
    // the original only when all of it is on the disk (QSaveFile, with the flush and the
    // size checked first); a failure leaves the old file untouched, leaves no temporary
    // file behind and is reported. With crlf, every LF is written as CR LF; with bom, the
    // file starts with a byte-order mark.
    WriteOutcome writeAll(const std::filesystem::path& path, const std::string& text, bool crlf,
                          bool bom = false) const;
    // Why a file could not be replaced, found before anything is touched; None if it may be.
    static WriteFailure writeObstacle(const std::filesystem::path& path);
};

}  // namespace lua
