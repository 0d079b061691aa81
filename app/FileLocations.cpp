#include "app/FileLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace fs = std::filesystem;

namespace startup {

namespace {

fs::path toPath(const QString& path) { return fs::path(path.toStdU16String()); }

bool isFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool isFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

}  // namespace

FileLocations findFileLocations()
{
    const fs::path workingData = fs::path("data");
    const fs::path besideProgram = toPath(QCoreApplication::applicationDirPath()) / "data";

    FileLocations found;
    if (isFile(workingData / "profile.lua"))
        found.profile = workingData / "profile.lua";
    else if (isFolder(besideProgram))
        found.profile = besideProgram / "profile.lua";
    else
        found.profile = toPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)) / "profile.lua";

    // The installed data folder is found from the executable first, so that a program
    // installed under any prefix finds its own copy.
    const fs::path installed
        = toPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(HALVANE_DATA_FROM_BINARY)));
    const QString systemCopy = QStandardPaths::locate(QStandardPaths::AppDataLocation, QStringLiteral("default.lua"));
    for (const fs::path& candidate :
         {workingData / "default.lua", besideProgram / "default.lua", installed / "default.lua", toPath(systemCopy)}) {
        if (!candidate.empty() && isFile(candidate)) {
            found.factoryCopy = candidate;
            return found;
        }
    }
    found.factoryCopy = installed / "default.lua";  // missing: Restore Default says so
    return found;
}

}  // namespace startup
