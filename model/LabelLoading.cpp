#include "model/LabelConfig.h"

#include <algorithm>
#include <tuple>

#include "lua/LuaScan.h"
#include "model/LabelCatalogue.h"
#include "model/SystemPaths.h"
#include "model/QuotedText.h"

std::filesystem::path labelFileUnder(const std::filesystem::path& workDirectory)
{
    return workDirectory / "Config" / "View" / "Labels.lua";
}

bool labelFileExists(const ProfileStore& profile)
{
    return labelFileExistsAt(labelFileUnder(profile.getWorkDirectory()));
}

// Not found (also a missing folder or an invalid name) is a plain "no"; any other
// failure means the file system could not answer, which the caller must show.
bool labelFileExistsAt(const std::filesystem::path& path) { return system_paths::somethingAt(path); }

void LabelConfig::load()
{
    const std::filesystem::path path = givenFile.empty() ? labelFileUnder(profile.getWorkDirectory()) : givenFile;
    if (!labelFileExistsAt(path))
        return;
    labelFilePath = path;
    loadList.clear();
    for (LabelSetting& setting : settings)
        loadList.push_back(&setting);
    document.load(labelFilePath);
    savedText = document.text();
    unsavedEdits.clear();
    unsavedMoves.clear();
    judgeLoadedFile();
    savedRuns = compileProblem ? lua::LevelRuns() : lua::runAtEveryLevel(savedText, lua::Clock::now() + lua::checkTime);
    bindSettings();
}

void LabelConfig::bindSettings()
{
    fileLayout = readSettings(document, settings, readAtLoad);
    findSymbolSizeTargets();
    findSharedTables();
}

void LabelConfig::judgeLoadedFile()
{
    std::error_code error;
    compileProblem = lua::compileProblem(savedText);
    if (std::filesystem::is_directory(labelFilePath, error))
        fileState = LabelFileState::Folder;
    else if (savedText.empty())
        fileState = std::filesystem::file_size(labelFilePath, error) > 0 && !error ? LabelFileState::Unreadable
                                                                                 : LabelFileState::Empty;
    else if (!isUtf8(savedText))
        fileState = LabelFileState::NotUtf8;
    else if (compileProblem)
        fileState = LabelFileState::DoesNotCompile;
    else
        fileState = LabelFileState::Readable;
}

ScriptLayout LabelConfig::readSettings(const lua::LuaDocument& from, std::vector<LabelSetting>& into,
                                       std::vector<bool>& readable)
{
    const ScriptLayout found = scriptLayoutOf(from);
    const std::vector<LabelSetting> bound = buildCatalogue(found);
    for (std::size_t i = 0; i < into.size(); ++i) {
        LabelSetting& setting = into[i];
        setting.nodePath = bound[i].nodePath;
        std::tie(setting.keyText, setting.valueText) = from.getEntry(setting.nodePath);
        readable[i] = interpretable(setting) && inModelledTable(from, found, setting);
    }
    return found;
}

// A distance or alignment counts only where its whole table has the modelled shape:
// read by position in a table of another shape, it would be another band's entry.
bool LabelConfig::inModelledTable(const lua::LuaDocument& from, ScriptLayout where, const LabelSetting& setting)
{
    if (setting.group != SettingGroup::Distance && setting.group != SettingGroup::Alignment)
        return true;
    const lua::LuaNode* table = from.lookup(formatTablePath(where, setting.level, setting.category));
    return table && hasModelledShape(*table, setting.category);
}

// In older scripts every level table has a font of its own. A change of the size shown
// (FULL's) goes to each level that has the same size, so that levels the player gave a
// size of their own keep it.
void LabelConfig::findSymbolSizeTargets()
{
    symbolSizeTargets = {symbolSize().nodePath};
    ownSizeLevels.clear();
    if (fileLayout != ScriptLayout::LevelTables)
        return;
    for (const LabelLevel level : {LabelLevel::ABBREVIATED, LabelLevel::DOT}) {
        const std::string path = symbolSizePath(fileLayout, level);
        const std::string size = lua::trim(document.getEntry(path).second);
        if (size == lua::trim(symbolSize().valueText))
            symbolSizeTargets.push_back(path);
        else if (!size.empty())
            ownSizeLevels.push_back(level);
    }
}

void LabelConfig::findSharedTables()
{
    for (const LabelLevel level : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT}) {
        for (const UnitCategory category :
             {UnitCategory::Air, UnitCategory::Ground, UnitCategory::Navy, UnitCategory::Weapon}) {
            const lua::LuaNode* table = document.lookup(formatTablePath(fileLayout, level, category));
            LabelLevel owner = level;
            for (int earlier = 0; table && earlier < static_cast<int>(level); ++earlier) {
                const auto other = static_cast<LabelLevel>(earlier);
                if (document.lookup(formatTablePath(fileLayout, other, category)) == table) {
                    owner = other;
                    break;
                }
            }
            tableOwner[static_cast<std::size_t>(level)][static_cast<std::size_t>(category)] = owner;
        }
    }
}

std::vector<LabelLevel> LabelConfig::levelsSharingTable(LabelLevel level, UnitCategory category) const
{
    const auto ownerOf = [&](LabelLevel l) {
        return tableOwner[static_cast<std::size_t>(l)][static_cast<std::size_t>(category)];
    };
    std::vector<LabelLevel> sharing;
    for (const LabelLevel other : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT}) {
        if (ownerOf(other) == ownerOf(level))
            sharing.push_back(other);
    }
    return sharing;
}

std::vector<LabelLevel> LabelConfig::levelsSharingAllTables(LabelLevel level) const
{
    std::vector<LabelLevel> sharing = levelsSharingTable(level, UnitCategory::Air);
    for (const UnitCategory category : {UnitCategory::Ground, UnitCategory::Navy, UnitCategory::Weapon}) {
        const std::vector<LabelLevel> these = levelsSharingTable(level, category);
        sharing.erase(std::remove_if(sharing.begin(), sharing.end(),
                                     [&](LabelLevel l) {
                                         return std::find(these.begin(), these.end(), l) == these.end();
                                     }),
                      sharing.end());
    }
    return sharing;
}

ModelOutcome LabelConfig::changeWorkDirectory(const std::filesystem::path& directory)
{
    ModelOutcome stored = profile.setWorkDirectory(directory);
    load();
    return stored;
}
