#include "ui/FormatTableControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <functional>

#include "model/LabelConfig.h"
#include "model/LabelEdits.h"
#include "ui/CategoryRows.h"
#include "ui/DistanceRows.h"
#include "ui/FormatTableDialog.h"
#include "common/TableTexts.h"

namespace {
const std::array<const char*, 4> categoryWords = {"air", "ground", "navy", "weapon"};
const std::array<const char*, 4> bandWords = {"empty", "near", "far", "dot"};
constexpr int buttonHeight = 36;

std::size_t at(UnitCategory category) { return static_cast<std::size_t>(category); }

}  // namespace

FormatTableControls::FormatTableControls(Ui::MainWindow& form) : ui(form)
{
    for (const CategoryRow& row : categoryRows) {
        Controls& c = controls[at(row.category)];
        const QString word = QString::fromLatin1(categoryWords[at(row.category)]);
        QRect area;
        for (const DistanceRow& band : distanceRows) {
            if (band.category != row.category)
                continue;
            const QString caption = QStringLiteral("label_%1_dis_%2")
                                        .arg(QLatin1String(bandWords[static_cast<std::size_t>(band.band)]), word);
            for (QWidget* widget : {static_cast<QWidget*>(ui.*band.slider), static_cast<QWidget*>(ui.*band.lineEdit),
                                    static_cast<QWidget*>(ui.centralwidget->findChild<QLabel*>(caption))}) {
                if (!widget)
                    continue;
                c.bandRows.push_back(widget);
                area = area.united(widget->geometry());
            }
        }
        // The first field stands a little higher than its row, under the category's heading.
        area.setTop(std::max(area.top(), (ui.*row.distanceHeading)->geometry().bottom() + 2));
        c.button = new QPushButton(ui.centralwidget);
        c.button->setObjectName(QStringLiteral("pushButton_table_") + word);
        c.button->setGeometry(area.left(), area.top(), area.width(), buttonHeight);
        c.note = new QLabel(ui.centralwidget);
        c.note->setObjectName(QStringLiteral("label_table_note_") + word);
        c.note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        c.note->setGeometry(area.left(), area.top() + buttonHeight + 8, area.width(), area.height() - buttonHeight - 8);
        c.button->hide();
        c.note->hide();
        connect(c.button, &QPushButton::clicked, this, [this, category = row.category] { openTable(category); });
    }
}

void FormatTableControls::showLevel(const LabelConfig& labels, LabelLevel shownLevel)
{
    model = &labels;
    level = shownLevel;
    shown.clear();
    edited.clear();
    for (const CategoryRow& row : categoryRows) {
        if (std::optional<FormatTable> table = customFormatTable(labels, level, row.category))
            shown.emplace(row.category, std::move(*table));
        showCategory(row.category);
    }
}

void FormatTableControls::showCategory(UnitCategory category)
{
    const Controls& c = controls[at(category)];
    const bool own = shown.count(category) > 0;
    for (QWidget* widget : c.bandRows)
        widget->setVisible(!own);
    // Such a table gives each entry an alignment of its own: the dialog shows them.
    (ui.*categoryRowOf(category).alignment)->setEnabled(!own);
    c.button->setVisible(own);
    c.note->setVisible(own);
    if (own)
        c.button->setText(tableText(TableText::TableButton).arg(shown.at(category).entries.size()));
}

void FormatTableControls::applyTexts()
{
    for (const CategoryRow& row : categoryRows) {
        QLabel& note = *controls[at(row.category)].note;
        note.setText(tableText(TableText::TableButtonTip));
        // Chinese and Japanese texts have no spaces to break at and stay on one line.
        note.setWordWrap(note.text().contains(QLatin1Char(' ')));
        showCategory(row.category);
    }
}

const FormatTable* FormatTableControls::shownTable(UnitCategory category) const
{
    const auto found = shown.find(category);
    return found == shown.end() ? nullptr : &found->second;
}

void FormatTableControls::openTable(UnitCategory category)
{
    if (!shown.count(category) || !model)
        return;
    // A table Apply has handed over is read again, so that its entries are the file's.
    if (!edited[category]) {
        if (std::optional<FormatTable> table = customFormatTable(*model, level, category))
            shown[category] = std::move(*table);
    }
    const QString categoryName = (ui.*categoryRowOf(category).distanceHeading)->text();
    const QString levelName = ui.comboBox_profille->itemText(static_cast<int>(level));
    auto* dialog = new FormatTableDialog(shown.at(category), categoryName, levelName, ui.centralwidget->window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, category, shownLevel = level] {
        if (shownLevel != level || !shown.count(category))
            return;
        shown[category] = dialog->table();
        edited[category] = true;
        showCategory(category);
        emit tableChanged();
    });
    dialog->open();
}

bool FormatTableControls::changed() const
{
    if (!model)
        return false;
    return std::any_of(shown.begin(), shown.end(), [&](const auto& table) {
        const auto wasEdited = edited.find(table.first);
        if (wasEdited == edited.end() || !wasEdited->second)
            return false;
        const std::optional<FormatTable> held = customFormatTable(*model, level, table.first);
        return !held || !sameEntries(*held, table.second);
    });
}

void FormatTableControls::handOverChanges(LabelEdits& edits) const
{
    for (const auto& [category, wasEdited] : edited) {
        if (wasEdited)
            edits.changeTable(shown.at(category));
    }
}

void FormatTableControls::handedOver()
{
    for (auto& entry : edited)
        entry.second = false;
}

bool FormatTableControls::take(const FormatTable& table)
{
    if (!model || !shown.count(table.category)
        || model->levelsSharingTable(level, table.category).front() != table.level)
        return false;
    FormatTable taken = table;
    taken.level = level;
    shown[table.category] = std::move(taken);
    edited[table.category] = true;
    showCategory(table.category);
    return true;
}
