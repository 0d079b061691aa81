#pragma once
// The model's setting names (SettingNames.h) as the command line's texts.
#include <QString>

#include <optional>

#include "model/SettingNames.h"

namespace cli {

inline QString levelWord(LabelLevel level) { return QString::fromStdString(setting_names::levelWord(level)); }
inline QString categoryWord(UnitCategory category)
{
    return QString::fromStdString(setting_names::categoryWord(category));
}
inline QString bandWord(DistanceBand band) { return QString::fromStdString(setting_names::bandWord(band)); }
inline QString rangeWord(SymbolRange range) { return QString::fromStdString(setting_names::rangeWord(range)); }
inline QString sideWord(Side side) { return QString::fromStdString(setting_names::sideWord(side)); }
inline QString alignmentWord(int alignmentIndex)
{
    return QString::fromStdString(setting_names::alignmentWord(alignmentIndex));
}
inline QString settingName(const LabelSetting& setting)
{
    return QString::fromStdString(setting_names::settingName(setting));
}
inline std::optional<LabelSetting> settingNamed(const QString& name)
{
    return setting_names::settingNamed(name.toStdString());
}

}  // namespace cli
