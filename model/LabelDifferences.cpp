#include "model/LabelDifferences.h"

#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"
#include "model/SettingValues.h"

namespace {

bool inTable(const LabelSetting& s) { return s.group == SettingGroup::Distance || s.group == SettingGroup::Alignment; }

bool sharedWithEarlierLevel(const LabelConfig& model, const LabelSetting& s)
{
    return inTable(s) && model.levelsSharingTable(s.level, s.category).front() != s.level;
}

}  // namespace

LabelDifferences differencesBetween(const LabelConfig& here, const LabelConfig& there)
{
    LabelDifferences differences;
    for (const LabelSetting& identity : buildCatalogue()) {
        if (sharedWithEarlierLevel(here, identity))
            continue;
        if (inTable(identity)
            && (customFormatTable(here, identity.level, identity.category)
                || customFormatTable(there, identity.level, identity.category)))
            continue;  // the table is compared whole below
        const LabelSetting& setting = modelSetting(here, identity);
        ValueDifference difference{&setting, heldValue(here, setting), heldValue(there, identity)};
        if (difference.here != difference.there)
            differences.values.push_back(std::move(difference));
    }
    for (const LabelLevel level : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT}) {
        for (const UnitCategory category :
             {UnitCategory::Air, UnitCategory::Ground, UnitCategory::Navy, UnitCategory::Weapon}) {
            if (here.levelsSharingTable(level, category).front() != level)
                continue;
            TableDifference difference{level, category, customFormatTable(here, level, category),
                                       customFormatTable(there, level, category)};
            if ((difference.here || difference.there)
                && !(difference.here && difference.there && sameEntries(*difference.here, *difference.there)))
                differences.tables.push_back(std::move(difference));
        }
    }
    return differences;
}

FormatTable takenTable(const TableDifference& difference)
{
    FormatTable table = *difference.there;
    table.level = difference.level;
    for (FormatEntry& entry : table.entries)
        entry.loadedIndex = -1;
    return table;
}
