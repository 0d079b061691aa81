#pragma once
// The names the command line gives the label settings, one word per step:
//   Air.visible  Air.symbol.near  size  colour.allies  FULL.Air.alignment  FULL.Air.NEAR
// --list prints them, --set takes them, --check names the problems it finds by them.
#include <QString>

#include <optional>

#include "model/LabelSetting.h"
#include "model/LabelTypes.h"

namespace cli {

QString levelWord(LabelLevel level);          // FULL, ABBREVIATED, DOT
QString categoryWord(UnitCategory category);  // Air, Ground, Navy, Weapon
QString bandWord(DistanceBand band);          // EMPTY, NEAR, FAR, DOT
QString rangeWord(SymbolRange range);         // near, far
QString sideWord(Side side);                  // enemies, allies
QString alignmentWord(int alignmentIndex);    // LeftBottom; empty for no such index

QString settingName(const LabelSetting& setting);

// The catalogue setting (identity only, no texts) a name stands for; the words are
// matched without regard to case. None for a name that names no setting.
std::optional<LabelSetting> settingNamed(const QString& name);

}  // namespace cli
