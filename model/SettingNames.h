#pragma once
// The names of the label settings, one word per step, the same whoever changes them
// (the command line prints and takes them, the compare of two files matches by them):
//   Air.visible  Air.symbol.near  size  colour.allies  FULL.Air.alignment  FULL.Air.NEAR
#include <optional>
#include <string>
#include <string_view>

#include "model/LabelSetting.h"
#include "model/LabelTypes.h"

namespace setting_names {

std::string levelWord(LabelLevel level);          // FULL, ABBREVIATED, DOT
std::string categoryWord(UnitCategory category);  // Air, Ground, Navy, Weapon
std::string bandWord(DistanceBand band);          // EMPTY, NEAR, FAR, DOT
std::string rangeWord(SymbolRange range);         // near, far
std::string sideWord(Side side);                  // enemies, allies
std::string alignmentWord(int alignmentIndex);    // LeftBottom; empty for no such index

std::string settingName(const LabelSetting& setting);

// The catalogue setting (identity only, no texts) a name stands for; the words are
// matched without regard to case. None for a name that names no setting.
std::optional<LabelSetting> settingNamed(std::string_view name);

}  // namespace setting_names
