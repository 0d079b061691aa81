#include "model/LabelEdits.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "model/DistanceRules.h"

namespace {

int handOverRank(SettingGroup group)
{
    switch (group) {
    case SettingGroup::SideColour: return 0;
    case SettingGroup::SymbolSize: return 1;
    case SettingGroup::Visibility: return 2;
    case SettingGroup::Symbol: return 3;
    case SettingGroup::Distance: return 4;
    case SettingGroup::Alignment: return 5;
    }
    return 6;
}

void handOver(LabelConfig& model, const SettingChange& change)
{
    const LabelSetting& s = *change.setting;
    const SettingValue& v = change.value;
    switch (s.group) {
    case SettingGroup::Visibility: model.setVisibility(s.category, v.on); break;
    case SettingGroup::Symbol: static_cast<void>(model.setSymbol(s.category, s.range, v.symbol)); break;
    case SettingGroup::SymbolSize: model.setSymbolSize(static_cast<int>(v.number)); break;
    case SettingGroup::SideColour: model.setSideColour(s.side, v.colour.red, v.colour.green, v.colour.blue); break;
    case SettingGroup::Alignment: model.setAlignment(s.level, s.category, static_cast<int>(v.number)); break;
    case SettingGroup::Distance:
        model.setDistance(s.level, s.category, s.band, static_cast<int>(std::clamp<long long>(v.number, 0, maxDistance)));
        break;
    }
}

}  // namespace

void LabelEdits::change(const SettingChange& change)
{
    const auto order = [](const SettingChange& c) {
        const LabelSetting& s = *c.setting;
        return std::make_tuple(handOverRank(s.group), s.level, s.category, s.band, s.range, s.side);
    };
    const auto before = [&](const SettingChange& a, const SettingChange& b) { return order(a) < order(b); };
    settingChanges.insert(std::upper_bound(settingChanges.begin(), settingChanges.end(), change, before), change);
}

void LabelEdits::changeTable(const FormatTable& table)
{
    const auto same = [&](const FormatTable& t) { return t.level == table.level && t.category == table.category; };
    tables.erase(std::remove_if(tables.begin(), tables.end(), same), tables.end());
    tables.push_back(table);
}

// Every table a change of a band touches, as it would be afterwards.
std::vector<const LabelSetting*> LabelEdits::offendingDistances() const
{
    std::map<std::pair<LabelLevel, UnitCategory>, TableDistances> proposed;
    for (const SettingChange& change : settingChanges) {
        const LabelSetting& s = *change.setting;
        if (s.group != SettingGroup::Distance)
            continue;
        const auto key = std::make_pair(s.level, s.category);
        if (proposed.find(key) == proposed.end()) {
            TableDistances held;
            for (std::size_t band = 0; band < held.size(); ++band) {
                const auto value = model.distanceValue(s.level, s.category, static_cast<DistanceBand>(band));
                held[band] = value ? std::optional<long long>(*value) : std::nullopt;
            }
            proposed[key] = held;
        }
        proposed[key][static_cast<std::size_t>(s.band)] = change.value.number;
    }
    std::vector<const LabelSetting*> offending;
    for (const auto& [key, distances] : proposed) {
        for (const DistanceBand band : offendingBands(model, key.first, key.second, distances))
            offending.push_back(&model.distance(key.first, key.second, band));
    }
    return offending;
}

std::vector<OffendingTable> LabelEdits::offendingTables() const
{
    std::vector<OffendingTable> offending;
    for (const FormatTable& table : tables) {
        const FormatTable held = customFormatTable(model, table.level, table.category).value_or(FormatTable{});
        std::vector<long long> distances;
        for (const std::size_t entry : offendingEntries(table, held))
            distances.push_back(table.entries[entry].distance);
        if (!distances.empty())
            offending.push_back({table.level, table.category, distances});
    }
    return offending;
}

// A changed table the edits cannot carry (written whole, with a text whose brackets do
// not pair up) would leave the file as it was behind a success.
std::vector<OffendingTable> LabelEdits::uncarriedTables() const
{
    std::vector<OffendingTable> uncarried;
    for (const FormatTable& table : tables) {
        const std::optional<FormatTable> held = customFormatTable(model, table.level, table.category);
        if (!(held && sameEntries(*held, table))
            && formatTableEdits(model.getDocument(), model.scriptLayout(), table).empty())
            uncarried.push_back({table.level, table.category, {}});
    }
    return uncarried;
}

EditRefusal LabelEdits::refusal() const
{
    if (auto offending = offendingDistances(); !offending.empty())
        return {EditRefusal::Kind::DistancesInvalid, std::move(offending), {}, {}, {}};
    if (auto offending = offendingTables(); !offending.empty())
        return {EditRefusal::Kind::TablesInvalid, {}, std::move(offending), {}, {}};
    if (auto uncarried = uncarriedTables(); !uncarried.empty())
        return {EditRefusal::Kind::TablesNotCarried, {}, std::move(uncarried), {}, {}};
    for (const SettingChange& change : settingChanges) {
        if (change.setting->group != SettingGroup::Symbol)
            continue;
        if (const TextRefusal refused = LabelConfig::symbolRefusal(change.value.symbol))
            return {EditRefusal::Kind::SymbolNotWritable, {change.setting}, {}, change.value.symbol, refused};
    }
    return {};
}

ApplyOutcome LabelEdits::apply()
{
    for (const SettingChange& change : settingChanges)
        handOver(model, change);
    for (const FormatTable& table : tables)
        model.setFormatTable(table);
    settingChanges.clear();
    tables.clear();
    return model.applyPendingEdits();
}
