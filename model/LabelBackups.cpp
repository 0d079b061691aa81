#include "model/LabelBackups.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <system_error>
#include <vector>

#include "lua/LuaFileAccess.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* prefix = "Labels-";
constexpr const char* suffix = ".bak";

// "Labels-2026-12-08-203501-042.bak": local date and time to the millisecond, so the
// names sort in the order the copies were made.
std::string backupName(std::chrono::system_clock::time_point now)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    char millisText[8];
    std::snprintf(millisText, sizeof millisText, "-%03d", static_cast<int>(millis));
    return prefix + std::string(stamp) + millisText + suffix;
}

bool isBackupName(const std::string& name)
{
    const std::string ending = suffix;
    return name.size() > std::string(prefix).size() + ending.size() && name.rfind(prefix, 0) == 0
        && name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
}

// Only the editor's own copies are counted, listed and removed; anything else the player
// put into the folder stays. Oldest first, as their names sort.
std::vector<fs::path> copiesIn(const fs::path& folder)
{
    std::error_code error;
    std::vector<fs::path> copies;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && isBackupName(entry.path().filename().string()))
            copies.push_back(entry.path());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

// "Labels-2026-12-08-203501-042.bak" was made on "2026-12-08 20:35:01"; a name the
// editor did not give in that form is shown as it is.
std::string madeOn(const std::string& name)
{
    const std::string stamp = name.substr(std::string(prefix).size());
    if (stamp.size() < 17 || stamp[10] != '-')
        return name;
    return stamp.substr(0, 10) + ' ' + stamp.substr(11, 2) + ':' + stamp.substr(13, 2) + ':' + stamp.substr(15, 2);
}

void removeOldest(const fs::path& folder)
{
    std::error_code error;
    const std::vector<fs::path> copies = copiesIn(folder);
    for (std::size_t i = 0; i + LabelBackups::kept < copies.size(); ++i)
        fs::remove(copies[i], error);
}

}  // namespace

ModelOutcome LabelBackups::beforeWriting(const fs::path& file)
{
    if (backedUp.count(file))
        return ModelOutcome::done();
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return ModelOutcome::done();
    const fs::path folder = file.parent_path() / folderName;
    fs::create_directories(folder, error);
    if (error)
        return ModelOutcome::failed(ModelFailure::BackupFailed, error.message());
    auto now = std::chrono::system_clock::now();
    fs::path target = folder / backupName(now);
    while (fs::exists(target, error)) {
        now += std::chrono::milliseconds(1);
        target = folder / backupName(now);
    }
    // Through the safe write, so that a copy is kept only when it is whole: a copy cut
    // short on a nearly full disk would be counted among the ten and push a good one out.
    const lua::LuaFileAccess files;
    const std::string bytes = files.readBytes(files.openForReading(file).get());
    if (bytes.size() != fs::file_size(file, error) || error)
        return ModelOutcome::failed(ModelFailure::BackupFailed, error.message());
    if (const lua::WriteOutcome copied = files.writeAll(target, bytes, false); !copied) {
        ModelOutcome outcome = ModelOutcome::of(copied);
        outcome.failure = ModelFailure::BackupFailed;
        return outcome;
    }
    backedUp.insert(file);
    removeOldest(folder);
    return ModelOutcome::done();
}

std::vector<LabelBackups::Copy> LabelBackups::copiesOf(const fs::path& file)
{
    std::vector<Copy> copies;
    for (const fs::path& path : copiesIn(file.parent_path() / folderName))
        copies.insert(copies.begin(), {path, madeOn(path.filename().string())});
    return copies;
}
