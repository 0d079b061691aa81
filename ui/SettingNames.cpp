#include "ui/SettingNames.h"

#include <QComboBox>
#include <QLabel>
#include <QStringList>

#include <algorithm>
#include <utility>

#include "common/Messages.h"
#include "model/LabelConfig.h"
#include "model/LabelSetting.h"
#include "ui/CategoryRows.h"
#include "common/TableTexts.h"
#include "ui_MainWindow.h"

namespace {
struct Name {
    QString section;
    QString item;
    QString detail;
};

QString categoryWord(UnitCategory category, const Ui::MainWindow& ui)
{
    return (ui.*categoryRowOf(category).distanceHeading)->text();
}

QString bandWord(DistanceBand band, const Ui::MainWindow& ui)
{
    const QLabel* const captions[]
        = {ui.label_empty_dis_air, ui.label_near_dis_air, ui.label_far_dis_air, ui.label_dot_dis_air};
    return captions[static_cast<int>(band)]->text();
}

// The level names are the level combo box's items, which no language changes.
QString levelSection(LabelLevel level, const QLabel& heading, const Ui::MainWindow& ui)
{
    return ui.comboBox_profille->itemText(static_cast<int>(level)) + QLatin1Char(' ') + heading.text();
}

Name nameOf(const LabelSetting& setting, const Ui::MainWindow& ui)
{
    const QString category = categoryWord(setting.category, ui);
    switch (setting.group) {
    case SettingGroup::Visibility: return {message(MessageId::VisibilitySection), category, {}};
    case SettingGroup::Symbol: {
        const QLabel* heading = setting.range == SymbolRange::Near ? ui.label_near_symbol : ui.label_far_symbol;
        return {heading->text(), category, {}};
    }
    case SettingGroup::SymbolSize: return {{}, ui.label_symbol__size->text(), {}};
    case SettingGroup::SideColour: {
        // The red side is the allies' colour, the blue side the enemies'.
        const QLabel* caption = setting.side == Side::Allies ? ui.label_color_red : ui.label_color_blue;
        return {{}, caption->text(), {}};
    }
    case SettingGroup::Alignment: return {levelSection(setting.level, *ui.label_alignment, ui), category, {}};
    case SettingGroup::Distance:
        return {levelSection(setting.level, *ui.label_distance_setttings, ui), category, bandWord(setting.band, ui)};
    }
    return {};
}

// Items in first-seen order, each with the details collected for it.
struct Section {
    QString title;
    std::vector<std::pair<QString, QStringList>> items;
};

QString render(const Section& section)
{
    QStringList items;
    for (const auto& [item, details] : section.items)
        items << (details.isEmpty() ? item : item + QStringLiteral(" (") + details.join(QStringLiteral(", ")) + ')');
    const QString list = items.join(QStringLiteral(", "));
    return section.title.isEmpty() ? list : section.title + QStringLiteral(": ") + list;
}
}  // namespace

QString settingWords(const LabelSetting& setting, const Ui::MainWindow& ui)
{
    const Name name = nameOf(setting, ui);
    Section section{name.section, {}};
    section.items.push_back({name.item, name.detail.isEmpty() ? QStringList() : QStringList{name.detail}});
    return render(section);
}

QString describeSettings(const std::vector<const LabelSetting*>& settings, const Ui::MainWindow& ui)
{
    std::vector<Section> sections;
    for (const LabelSetting* setting : settings) {
        const Name name = nameOf(*setting, ui);
        auto section
            = std::find_if(sections.begin(), sections.end(), [&](const Section& s) { return s.title == name.section; });
        if (section == sections.end())
            section = sections.insert(sections.end(), Section{name.section, {}});
        auto item = std::find_if(section->items.begin(), section->items.end(),
                                 [&](const auto& entry) { return entry.first == name.item; });
        if (item == section->items.end())
            item = section->items.insert(section->items.end(), {name.item, {}});
        if (!name.detail.isEmpty())
            item->second << name.detail;
    }
    QStringList lines;
    for (const Section& section : sections)
        lines << QStringLiteral("• ") + render(section);
    return lines.join(QLatin1Char('\n'));
}

QString describeMovedKeys(const std::vector<MovedKey>& moved, const Ui::MainWindow& ui)
{
    if (moved.empty())
        return {};
    QStringList lines;
    for (const MovedKey& move : moved)
        lines << tableText(TableText::KeyMoved)
                     .arg(ui.comboBox_profille->itemText(static_cast<int>(move.level)), categoryWord(move.category, ui),
                          bandWord(move.band, ui))
                     .arg(move.from)
                     .arg(move.to);
    return tableText(TableText::KeysMoved).arg(lines.join(QLatin1Char('\n')));
}
