#include "model/LabelCatalogue.h"

#include <algorithm>
#include <charconv>

#include "lua/LuaScan.h"

namespace {

const std::array<LabelLevel, 3> levels = {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT};
const std::array<UnitCategory, 4> categories
    = {UnitCategory::Air, UnitCategory::Ground, UnitCategory::Navy, UnitCategory::Weapon};
const std::array<DistanceBand, 4> bands
    = {DistanceBand::EMPTY, DistanceBand::NEAR, DistanceBand::FAR, DistanceBand::DOT};

// Aircraft carry an extra entry before NEAR and weapons one before FAR, keyed at half
// the band's distance; weapons have no DOT band.
const std::array<CategoryLayout, 4> layouts = {{
    {"AirFormat", "AirOn", "aircraft", {0, 2, 3, 4}, 3, {1, 2, 3}, DistanceBand::NEAR, 1},
    {"GroundFormat", "GroundOn", "ground", {0, 1, 2, 3}, 2, {1, 2}, DistanceBand::NEAR, -1},
    {"NavyFormat", "NavyOn", "navy", {0, 1, 2, 3}, 2, {1, 2}, DistanceBand::NEAR, -1},
    {"WeaponFormat", "WeaponOn", "weapon", {0, 1, 3, -1}, 2, {1, 2, 3}, DistanceBand::FAR, 2},
}};

const char* levelName(LabelLevel level)
{
    switch (level) {
    case LabelLevel::FULL: return "FULL";
    case LabelLevel::ABBREVIATED: return "ABBREVIATED";
    case LabelLevel::DOT: return "DOT";
    }
    return "";
}

std::string levelPath(LabelLevel level) { return std::string("<LEVEL_") + levelName(level) + ">"; }

// The level block's branch taken at a level: the simulator sets labels to 1, 2 or 3.
std::string branchPath(LabelLevel level) { return "<if labels == " + std::to_string(static_cast<int>(level) + 1) + ">"; }

std::string formatPath(ScriptLayout layout, LabelLevel level, UnitCategory category)
{
    const std::string format = "<" + layoutOf(category).formatKey + ">";
    switch (layout) {
    case ScriptLayout::LevelCalls: return levelPath(level) + ".[0]." + format;
    case ScriptLayout::LevelTables: return levelPath(level) + "." + format;
    case ScriptLayout::LevelBranches: return branchPath(level) + "." + format;
    case ScriptLayout::SingleLevel: break;
    }
    return format;
}

LabelSetting& add(std::vector<LabelSetting>& catalogue, SettingGroup group, std::string nodePath)
{
    LabelSetting& setting = catalogue.emplace_back();
    setting.group = group;
    setting.nodePath = std::move(nodePath);
    return setting;
}

void addLevel(std::vector<LabelSetting>& catalogue, ScriptLayout layout, LabelLevel level)
{
    for (UnitCategory category : categories) {
        LabelSetting& alignment
            = add(catalogue, SettingGroup::Alignment,
                  entryPath(layout, level, category, layoutOf(category).alignmentEntry) + ".[1]...");
        alignment.level = level;
        alignment.category = category;
        for (DistanceBand band : bands) {
            const int entry = bandEntry(category, band);
            if (entry < 0)
                continue;
            // The blank before ".[" is how these paths have always been written; the
            // lookup passes over it, so they reach the same entries as the edits.
            LabelSetting& distance = add(catalogue, SettingGroup::Distance,
                                         formatPath(layout, level, category) + " .[" + std::to_string(entry) + "]...");
            distance.level = level;
            distance.category = category;
            distance.band = band;
        }
    }
}

}  // namespace

const CategoryLayout& layoutOf(UnitCategory category) { return layouts.at(static_cast<std::size_t>(category)); }

int bandEntry(UnitCategory category, DistanceBand band)
{
    return layoutOf(category).bandEntry.at(static_cast<std::size_t>(band));
}

void readAsLabelScript(lua::LuaDocument& document)
{
    std::vector<std::string> keys;
    for (const CategoryLayout& layout : layouts)
        keys.push_back(layout.formatKey);
    document.readBranchesAssigning(std::move(keys));
}

ScriptLayout scriptLayoutOf(const lua::LuaDocument& document)
{
    if (const lua::LuaNode* full = document.statementByKey("LEVEL_FULL"))
        return full->kind == lua::LuaValueKind::Record ? ScriptLayout::LevelTables : ScriptLayout::LevelCalls;
    const bool otherLevels = document.statementByKey("LEVEL_ABBREVIATED") || document.statementByKey("LEVEL_DOT");
    if (!otherLevels && !document.levelBranches().empty())
        return ScriptLayout::LevelBranches;
    if (!otherLevels && document.statementByKey(layoutOf(UnitCategory::Air).formatKey))
        return ScriptLayout::SingleLevel;
    return ScriptLayout::LevelCalls;
}

std::string symbolSizePath(ScriptLayout layout, LabelLevel level)
{
    switch (layout) {
    case ScriptLayout::LevelCalls: return "<default_font>.[1]...";
    case ScriptLayout::LevelTables: return levelPath(level) + ".<font_properties>.[1]...";
    case ScriptLayout::SingleLevel:
    case ScriptLayout::LevelBranches: break;
    }
    return "<font_properties>.[1]...";
}

std::string entryPath(ScriptLayout layout, LabelLevel level, UnitCategory category, int entry)
{
    return formatPath(layout, level, category) + ".[" + std::to_string(entry) + "]";
}

std::string formatTablePath(ScriptLayout layout, LabelLevel level, UnitCategory category)
{
    return formatPath(layout, level, category) + "...";
}

std::optional<long long> distanceKey(const std::string& key)
{
    const std::string_view t = lua::trimmedView(key);
    if (t.size() < 3 || t.front() != '[' || t.back() != ']')
        return std::nullopt;
    const std::string_view inside = lua::trimmedView(t.substr(1, t.size() - 2));
    long long value = 0;
    const auto [stop, error] = std::from_chars(inside.data(), inside.data() + inside.size(), value);
    if (inside.empty() || error != std::errc() || stop != inside.data() + inside.size())
        return std::nullopt;
    return value;
}

bool hasModelledShape(const lua::LuaNode& table, UnitCategory category)
{
    const CategoryLayout& layout = layoutOf(category);
    const int entries = *std::max_element(layout.bandEntry.begin(), layout.bandEntry.end()) + 1;
    if (table.kind != lua::LuaValueKind::Record || static_cast<int>(table.children.size()) != entries)
        return false;
    std::optional<long long> previous;
    for (const auto& entry : table.children) {
        if (entry->key.size() < 2 || entry->key.front() != '[' || entry->key.back() != ']')
            return false;
        // A key that is no plain number is left unread by its band; the others must grow.
        const std::optional<long long> key = distanceKey(entry->key);
        if (key && previous && *key <= *previous)
            return false;
        previous = key ? key : previous;
    }
    const auto isTable = [](const lua::LuaNode& node) {
        return node.kind == lua::LuaValueKind::Array || node.kind == lua::LuaValueKind::Record;
    };
    // EMPTY is the script's shared empty entry, or a table of its own whose text is "".
    const lua::LuaNode& first = *table.children.front();
    const bool emptyFirst = lua::trim(first.value) == "EMPTY"
        || (isTable(first) && !first.children.empty() && lua::trim(first.children.front()->value) == "\"\"");
    if (!emptyFirst)
        return false;
    if (bandEntry(category, DistanceBand::DOT) >= 0 && table.children.back()->kind != lua::LuaValueKind::Call)
        return false;
    std::vector<int> aligned = layout.alignmentEntries;
    aligned.push_back(layout.alignmentEntry);
    for (const int index : aligned) {
        const lua::LuaNode& entry = *table.children[static_cast<std::size_t>(index)];
        if (!isTable(entry) || entry.children.size() < 2)
            return false;
    }
    return true;
}

std::vector<LabelSetting> buildCatalogue(ScriptLayout layout)
{
    std::vector<LabelSetting> catalogue;
    catalogue.reserve(72);
    for (UnitCategory category : categories)
        add(catalogue, SettingGroup::Visibility, "<" + layoutOf(category).visibilityKey + ">...").category = category;
    for (UnitCategory category : categories) {
        for (SymbolRange range : {SymbolRange::Near, SymbolRange::Far}) {
            const char* suffix = range == SymbolRange::Near ? "_symbol_near" : "_symbol_far";
            LabelSetting& symbol
                = add(catalogue, SettingGroup::Symbol, "<" + layoutOf(category).symbolStem + suffix + ">...");
            symbol.category = category;
            symbol.range = range;
        }
    }
    add(catalogue, SettingGroup::SymbolSize, symbolSizePath(layout, LabelLevel::FULL));
    add(catalogue, SettingGroup::SideColour, "<ColorEnemiesSide>...").side = Side::Enemies;
    add(catalogue, SettingGroup::SideColour, "<ColorAliesSide>...").side = Side::Allies;
    for (LabelLevel level : levels)
        addLevel(catalogue, layout, level);
    return catalogue;
}
