#include "model/LabelConfig.h"

#include <tuple>

#include "model/LabelCatalogue.h"

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
    textUnsaved = false;
    readSettings(document, settings, readAtLoad);
}

void LabelConfig::readSettings(const lua::LuaDocument& from, std::vector<LabelSetting>& into,
                               std::vector<bool>& readable)
{
    for (std::size_t i = 0; i < into.size(); ++i) {
        LabelSetting& setting = into[i];
        std::tie(setting.keyText, setting.valueText) = from.getEntry(setting.nodePath);
        readable[i] = interpretable(setting) && inModelledTable(from, setting);
    }
}

// A distance or alignment counts only where its whole table has the modelled shape:
// read by position in a table of another shape, it would be another band's entry.
bool LabelConfig::inModelledTable(const lua::LuaDocument& from, const LabelSetting& setting)
{
    if (setting.group != SettingGroup::Distance && setting.group != SettingGroup::Alignment)
        return true;
    const lua::LuaNode* table = from.lookup(formatTablePath(setting.level, setting.category));
    return table && hasModelledShape(*table, setting.category);
}

ModelOutcome LabelConfig::changeWorkDirectory(const std::filesystem::path& directory)
{
    ModelOutcome stored = profile.setWorkDirectory(directory);
    load();
    return stored;
}
