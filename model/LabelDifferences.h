#pragma once
// The values in which two label files differ, as the editor reads them: what the window
// shows of one file beside what it would show of the other, for taking values across
// (another player's file, a backup) setting by setting.
#include <optional>
#include <string>
#include <vector>

#include "model/FormatTable.h"
#include "model/LabelSetting.h"

class LabelConfig;

struct ValueDifference {
    const LabelSetting* setting = nullptr;  // this file's (modelSetting)
    std::optional<std::string> here;        // none where this file's value cannot be read
    std::optional<std::string> there;
    // Only a value both files hold can be taken: the other one's into this one's place.
    bool takeable() const { return here && there; }
};

// A table of the player's own shape in either file, whose entries differ. It is taken
// whole, and only where both files hold it in a shape of its own.
struct TableDifference {
    LabelLevel level;
    UnitCategory category;
    std::optional<FormatTable> here;
    std::optional<FormatTable> there;
    bool takeable() const { return here && there; }
};

struct LabelDifferences {
    std::vector<ValueDifference> values;  // catalogue order
    std::vector<TableDifference> tables;
    std::size_t count() const { return values.size() + tables.size(); }
};

// A table several levels share is compared once, at the first level of `here` that
// holds it; a setting neither file can read is no difference.
LabelDifferences differencesBetween(const LabelConfig& here, const LabelConfig& there);

// `there`'s table as it would be taken into `here`: its entries written whole, as
// `there` writes them.
FormatTable takenTable(const TableDifference& difference);
