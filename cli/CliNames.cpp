#include "cli/CliNames.h"

#include <QStringList>

#include "model/LabelCatalogue.h"

namespace cli {

QString levelWord(LabelLevel level)
{
    const char* const words[] = {"FULL", "ABBREVIATED", "DOT"};
    return QString::fromLatin1(words[static_cast<int>(level)]);
}

QString categoryWord(UnitCategory category)
{
    const char* const words[] = {"Air", "Ground", "Navy", "Weapon"};
    return QString::fromLatin1(words[static_cast<int>(category)]);
}

QString bandWord(DistanceBand band)
{
    const char* const words[] = {"EMPTY", "NEAR", "FAR", "DOT"};
    return QString::fromLatin1(words[static_cast<int>(band)]);
}

QString rangeWord(SymbolRange range)
{
    return range == SymbolRange::Near ? QStringLiteral("near") : QStringLiteral("far");
}

QString sideWord(Side side) { return side == Side::Enemies ? QStringLiteral("enemies") : QStringLiteral("allies"); }

QString alignmentWord(int alignmentIndex)
{
    const auto found = alignmentByIndex.find(alignmentIndex);
    if (found == alignmentByIndex.end())
        return {};
    const QString quoted = QString::fromStdString(found->second);
    return quoted.mid(1, quoted.size() - 2);
}

QString settingName(const LabelSetting& setting)
{
    const QString category = categoryWord(setting.category);
    const QString level = levelWord(setting.level);
    switch (setting.group) {
    case SettingGroup::Visibility: return category + QStringLiteral(".visible");
    case SettingGroup::Symbol: return category + QStringLiteral(".symbol.") + rangeWord(setting.range);
    case SettingGroup::SymbolSize: return QStringLiteral("size");
    case SettingGroup::SideColour: return QStringLiteral("colour.") + sideWord(setting.side);
    case SettingGroup::Alignment: return level + '.' + category + QStringLiteral(".alignment");
    case SettingGroup::Distance: return level + '.' + category + '.' + bandWord(setting.band);
    }
    return {};
}

std::optional<LabelSetting> settingNamed(const QString& name)
{
    for (const LabelSetting& setting : buildCatalogue()) {
        if (settingName(setting).compare(name, Qt::CaseInsensitive) == 0)
            return setting;
    }
    return std::nullopt;
}

}  // namespace cli
