#include "model/SettingNames.h"

#include <algorithm>
#include <cctype>

#include "model/LabelCatalogue.h"

namespace setting_names {

std::string levelWord(LabelLevel level)
{
    const char* const words[] = {"FULL", "ABBREVIATED", "DOT"};
    return words[static_cast<int>(level)];
}

std::string categoryWord(UnitCategory category)
{
    const char* const words[] = {"Air", "Ground", "Navy", "Weapon"};
    return words[static_cast<int>(category)];
}

std::string bandWord(DistanceBand band)
{
    const char* const words[] = {"EMPTY", "NEAR", "FAR", "DOT"};
    return words[static_cast<int>(band)];
}

std::string rangeWord(SymbolRange range) { return range == SymbolRange::Near ? "near" : "far"; }

std::string sideWord(Side side) { return side == Side::Enemies ? "enemies" : "allies"; }

std::string alignmentWord(int alignmentIndex)
{
    const auto found = alignmentByIndex.find(alignmentIndex);
    if (found == alignmentByIndex.end())
        return {};
    const std::string& quoted = found->second;
    return quoted.substr(1, quoted.size() - 2);
}

std::string settingName(const LabelSetting& setting)
{
    const std::string category = categoryWord(setting.category);
    const std::string level = levelWord(setting.level);
    switch (setting.group) {
    case SettingGroup::Visibility: return category + ".visible";
    case SettingGroup::Symbol: return category + ".symbol." + rangeWord(setting.range);
    case SettingGroup::SymbolSize: return "size";
    case SettingGroup::SideColour: return "colour." + sideWord(setting.side);
    case SettingGroup::Alignment: return level + '.' + category + ".alignment";
    case SettingGroup::Distance: return level + '.' + category + '.' + bandWord(setting.band);
    }
    return {};
}

std::optional<LabelSetting> settingNamed(std::string_view name)
{
    const auto sameWord = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
        });
    };
    for (const LabelSetting& setting : buildCatalogue()) {
        if (sameWord(settingName(setting), name))
            return setting;
    }
    return std::nullopt;
}

}  // namespace setting_names
