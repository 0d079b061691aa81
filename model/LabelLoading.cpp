#include "model/LabelConfig.h"

#include <tuple>

namespace {

std::filesystem::path labelFileUnder(const std::filesystem::path& workDirectory)
{
    return workDirectory / "Config" / "View" / "Labels.lua";
}

}  // namespace

bool labelFileExists(const ProfileStore& profile)
{
    const std::filesystem::path path = labelFileUnder(profile.getWorkDirectory());
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    // Not found (also a missing folder or an invalid name) is a plain "no"; any other
    // failure means the file system could not answer, which the caller must show.
    if (status.type() == std::filesystem::file_type::none)
        throw std::filesystem::filesystem_error("exists", path, error);
    return status.type() != std::filesystem::file_type::not_found;
}

void LabelConfig::load()
{
    if (!labelFileExists(profile))
        return;
    labelFilePath = labelFileUnder(profile.getWorkDirectory());
    loadList.clear();
    for (LabelSetting& setting : settings)
        loadList.push_back(&setting);
    document.load(labelFilePath);
    for (std::size_t i = 0; i < settings.size(); ++i) {
        LabelSetting& setting = settings[i];
        std::tie(setting.keyText, setting.valueText) = document.getEntry(setting.nodePath);
        readAtLoad[i] = interpretable(setting);
    }
}

ModelOutcome LabelConfig::changeWorkDirectory(const std::filesystem::path& directory)
{
    ModelOutcome stored = profile.setWorkDirectory(directory);
    load();
    return stored;
}
