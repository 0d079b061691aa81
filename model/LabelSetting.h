#pragma once
#include <string>

#include "model/LabelTypes.h"

enum class SettingGroup { Visibility, Symbol, SymbolSize, SideColour, Alignment, Distance };

// One catalogue entry of the label file: where it lives and its texts as last loaded.
struct LabelSetting {
    std::string nodePath;
    std::string keyText;
    std::string valueText;

    // Which setting of the catalogue this is: the getters find settings by it, and
    // the window names them by it in its messages.
    SettingGroup group = SettingGroup::Visibility;
    LabelLevel level = LabelLevel::FULL;        // Alignment, Distance
    UnitCategory category = UnitCategory::Air;  // Visibility, Symbol, Alignment, Distance
    DistanceBand band = DistanceBand::EMPTY;    // Distance
    SymbolRange range = SymbolRange::Near;      // Symbol
    Side side = Side::Enemies;                  // SideColour

    // nodePath + "[" + keyText + "][" + valueText + "]"
    std::string editText() const;
};
