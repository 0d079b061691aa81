#include "model/LabelConfig.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>

#include "lua/LuaScan.h"
#include "model/FormatTable.h"
#include "model/LabelCatalogue.h"
#include "model/QuotedText.h"

namespace {

// The whole text, blanks around it allowed, must be a decimal integer that fits.
std::optional<int> decimal(std::string_view text)
{
    const std::string trimmed = lua::trim(text);
    int value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, error] = std::from_chars(trimmed.data(), end, value);
    if (trimmed.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<std::string> between(const std::string& text, char open, char close)
{
    if (text.size() < 2 || text.front() != open || text.back() != close)
        return std::nullopt;
    return text.substr(1, text.size() - 2);
}

std::optional<std::string> symbolString(const LabelSetting& setting) { return luaStringText(setting.valueText); }

// A name the simulator does not list is kept as it is rather than shown as another.
std::optional<int> knownAlignment(const LabelSetting& setting)
{
    const auto name = between(setting.valueText, '"', '"');
    if (!name)
        return std::nullopt;
    const auto found = indexByAlignment.find(*name);
    return found == indexByAlignment.end() ? std::nullopt : std::optional<int>(found->second);
}

std::optional<int> decimalValue(const LabelSetting& setting) { return decimal(setting.valueText); }

std::optional<int> distanceKey(const LabelSetting& setting)
{
    const auto inside = between(setting.keyText, '[', ']');
    return inside ? decimal(*inside) : std::nullopt;
}

// A table of exactly three components 0-255; a fourth would be lost when written back.
std::optional<ColourTriple> colour(const LabelSetting& setting)
{
    const std::string table = lua::trim(setting.valueText);
    if (table.empty() || table.front() != '{' || !lua::tableItem(table, 3).empty())
        return std::nullopt;
    std::array<int, 3> components{};
    for (int i = 0; i < 3; ++i) {
        const auto component = decimal(lua::tableItem(table, i));
        if (!component || *component < 0 || *component > 255)
            return std::nullopt;
        components[static_cast<std::size_t>(i)] = *component;
    }
    return ColourTriple{components[0], components[1], components[2]};
}

}  // namespace

LabelConfig::LabelConfig(ProfileStore& profileStore) : LabelConfig(profileStore, std::filesystem::path()) {}

LabelConfig::LabelConfig(ProfileStore& profileStore, std::filesystem::path labelFile)
    : profile(profileStore),
      givenFile(std::move(labelFile)),
      settings(buildCatalogue()),
      readAtLoad(settings.size(), false)
{
    // A changed distance or field replaces only its own text: the comments between the
    // entries of a player's table, and the table's layout, stay as the player wrote them.
    document.keepLayoutOfEditedStatements(true);
    readAsLabelScript(document);
    load();
}

std::size_t LabelConfig::indexOf(SettingGroup group, UnitCategory category, LabelLevel level, DistanceBand band,
                                 SymbolRange range, Side side) const
{
    // Levels that share a table (a single-level script, a branch several levels take) share
    // its settings: those of the first level.
    const bool inTable = group == SettingGroup::Distance || group == SettingGroup::Alignment;
    const LabelLevel bound
        = inTable ? tableOwner[static_cast<std::size_t>(level)][static_cast<std::size_t>(category)] : level;
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const LabelSetting& s = settings[i];
        if (s.group == group && s.category == category && s.level == bound && s.band == band && s.range == range
            && s.side == side)
            return i;
    }
    throw std::out_of_range("the label settings have no such entry");
}

std::optional<std::size_t> LabelConfig::positionOf(const LabelSetting& setting) const
{
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (&settings[i] == &setting)
            return i;
    }
    return std::nullopt;
}

LabelSetting& LabelConfig::editable(const LabelSetting& setting) { return settings.at(positionOf(setting).value()); }

const LabelSetting& LabelConfig::visibility(UnitCategory category) const
{
    return settings[indexOf(SettingGroup::Visibility, category)];
}

const LabelSetting& LabelConfig::symbol(UnitCategory category, SymbolRange range) const
{
    return settings[indexOf(SettingGroup::Symbol, category, LabelLevel::FULL, DistanceBand::EMPTY, range)];
}

const LabelSetting& LabelConfig::symbolSize() const
{
    return settings[indexOf(SettingGroup::SymbolSize, UnitCategory::Air)];
}

const LabelSetting& LabelConfig::alignment(LabelLevel level, UnitCategory category) const
{
    return settings[indexOf(SettingGroup::Alignment, category, level)];
}

const LabelSetting& LabelConfig::distance(LabelLevel level, UnitCategory category, DistanceBand band) const
{
    return settings[indexOf(SettingGroup::Distance, category, level, band)];
}

const LabelSetting& LabelConfig::sideColourSetting(Side side) const
{
    return settings[indexOf(SettingGroup::SideColour, UnitCategory::Air, LabelLevel::FULL, DistanceBand::EMPTY,
                            SymbolRange::Near, side)];
}

// Each reader gives nothing for a setting the last load could not read, even where its
// texts could be interpreted: a distance read by position from a table of another shape
// belongs to another band.
std::optional<bool> LabelConfig::visibilityOn(UnitCategory category) const
{
    const LabelSetting& setting = visibility(category);
    if (!isReadable(setting))
        return std::nullopt;
    return setting.valueText == "true";
}

std::optional<std::string> LabelConfig::symbolText(UnitCategory category, SymbolRange range) const
{
    const LabelSetting& setting = symbol(category, range);
    return isReadable(setting) ? symbolString(setting) : std::nullopt;
}

std::optional<int> LabelConfig::symbolSizeValue() const
{
    return isReadable(symbolSize()) ? decimalValue(symbolSize()) : std::nullopt;
}

std::optional<int> LabelConfig::alignmentIndex(LabelLevel level, UnitCategory category) const
{
    const LabelSetting& setting = alignment(level, category);
    return isReadable(setting) ? knownAlignment(setting) : std::nullopt;
}

std::optional<int> LabelConfig::distanceValue(LabelLevel level, UnitCategory category, DistanceBand band) const
{
    if (bandEntry(category, band) < 0)
        return std::nullopt;
    const LabelSetting& setting = distance(level, category, band);
    return isReadable(setting) ? distanceKey(setting) : std::nullopt;
}

std::optional<ColourTriple> LabelConfig::sideColour(Side side) const
{
    const LabelSetting& setting = sideColourSetting(side);
    return isReadable(setting) ? colour(setting) : std::nullopt;
}

std::optional<CompanionKey> LabelConfig::companionKey(LabelLevel level, UnitCategory category) const
{
    const CategoryLayout& layout = layoutOf(category);
    if (layout.companionEntry < 0)
        return std::nullopt;
    const LabelSetting& band = distance(level, category, layout.pairedBand);
    if (!isReadable(band))
        return std::nullopt;
    // Both keys as the document holds them: a band set but not applied yet keeps its old one.
    const std::optional<long long> bandKey = distanceKey(document.getEntry(band.nodePath).first);
    const std::optional<long long> key
        = distanceKey(document.getEntry(entryPath(fileLayout, level, category, layout.companionEntry) + "...").first);
    if (!bandKey || !key)
        return std::nullopt;
    return CompanionKey{*key, *key == *bandKey / 2 || *key == (*bandKey + 1) / 2};
}

bool LabelConfig::interpretable(const LabelSetting& setting)
{
    switch (setting.group) {
    case SettingGroup::Visibility: return !setting.valueText.empty();
    case SettingGroup::Symbol: return symbolString(setting).has_value();
    case SettingGroup::Alignment: return knownAlignment(setting).has_value();
    case SettingGroup::SymbolSize: return decimalValue(setting).has_value();
    case SettingGroup::SideColour: return colour(setting).has_value();
    case SettingGroup::Distance: return distanceKey(setting).has_value();
    }
    return false;
}

bool LabelConfig::isReadable(const LabelSetting& setting) const
{
    const auto position = positionOf(setting);
    return position && readAtLoad[*position];
}

std::vector<const LabelSetting*> LabelConfig::unreadableSettings() const
{
    std::vector<const LabelSetting*> unreadable;
    for (std::size_t i = 0; i < settings.size(); ++i) {
        const LabelSetting& setting = settings[i];
        const bool stoodFor = setting.group == SettingGroup::Distance || setting.group == SettingGroup::Alignment;
        if (stoodFor && levelsSharingTable(setting.level, setting.category).front() != setting.level)
            continue;
        // A table of the player's own shape is shown and changed entry by entry instead.
        if (stoodFor && customFormatTable(*this, setting.level, setting.category))
            continue;
        if (!readAtLoad[i])
            unreadable.push_back(&setting);
    }
    return unreadable;
}

TextRefusal LabelConfig::symbolRefusal(const std::string& symbolUtf8) { return labelTextRefusal(symbolUtf8); }
