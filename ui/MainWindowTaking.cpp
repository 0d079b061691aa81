// Taking values from another label file or a backup of this one: Import Values From…
// and Backups… compare it with this file, and the values the player ticks become changes
// of the window, written by Apply as any other.
#include <QDir>
#include <QFileInfo>
#include <QTextEdit>

#include <filesystem>
#include <memory>
#include <optional>

#include "common/CompareTexts.h"
#include "common/Dialogs.h"
#include "common/Messages.h"
#include "model/LabelBackups.h"
#include "model/LabelConfig.h"
#include "model/LabelDifferences.h"
#include "model/SettingValues.h"
#include "ui/BackupsDialog.h"
#include "ui/CategoryRows.h"
#include "ui/CompareDialog.h"
#include "ui/DistanceRows.h"
#include "ui/FormatTableControls.h"
#include "ui/MainWindow.h"
#include "ui/SettingNames.h"
#include "ui_MainWindow.h"

namespace {

// Another label file, read as the model reads this one.
struct OtherFile {
    std::unique_ptr<LabelConfig> model;
    std::optional<QString> problem;
};

// Bound to its own file, the model only keeps the window's profile for company: a profile
// of its own would be read from nowhere, and reading one sets the interface language.
std::unique_ptr<OtherFile> readOther(ProfileStore& profile, const std::filesystem::path& path)
{
    auto other = std::make_unique<OtherFile>();
    try {
        other->model = std::make_unique<LabelConfig>(profile, path);
        if (!labelFileExistsAt(path))
            other->problem = message(MessageId::FileUnreadable);
    } catch (const std::filesystem::filesystem_error& error) {
        other->problem = reasonOf(error.code()).text;
    }
    return other;
}

QString pathText(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

const QString missing = QStringLiteral("—");

// A value as the row shows it: visibility in the player's words, the rest as the file
// writes it.
QString valueText(const LabelSetting& setting, const std::optional<std::string>& value)
{
    if (!value)
        return missing;
    if (setting.group == SettingGroup::Visibility)
        return compareText(*value == "true" ? CompareText::Shown : CompareText::Hidden);
    return QString::fromStdString(*value);
}

QColor swatch(const LabelSetting& setting, const std::optional<std::string>& value)
{
    SettingValue colour;
    if (setting.group != SettingGroup::SideColour || !value || readValue(setting, *value, colour) != ValueProblem::None)
        return {};
    return QColor(colour.colour.red, colour.colour.green, colour.colour.blue);
}

QString entriesText(const std::optional<FormatTable>& table)
{
    if (!table)
        return missing;
    QStringList distances;
    for (const FormatEntry& entry : table->entries)
        distances << QString::number(entry.distance);
    return compareText(CompareText::TableValue).arg(distances.join(QStringLiteral(", ")));
}

}  // namespace

void MainWindow::on_actionImportValues_triggered()
{
    const QString folder = pathText(model.getLabelFilePath().parent_path());
    const QString file = dialogs::chooseFile(this, compareText(CompareText::ChooseFileTitle), folder,
                                             compareText(CompareText::FileFilter));
    if (!file.isEmpty())
        compareWith(file, QDir::toNativeSeparators(file));
}

void MainWindow::on_actionBackups_triggered()
{
    const std::vector<LabelBackups::Copy> copies = LabelBackups::copiesOf(model.getLabelFilePath());
    std::vector<BackupRow> rows;
    for (const LabelBackups::Copy& copy : copies) {
        const std::unique_ptr<OtherFile> other = readOther(profile, copy.path);
        const bool readable = !other->problem && !wholeFileProblem(*other->model);
        rows.push_back({QString::fromStdString(copy.made),
                        readable ? std::optional<std::size_t>(differencesBetween(model, *other->model).count())
                                 : std::nullopt});
    }
    auto* dialog = new BackupsDialog(rows, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, copies] {
        if (const std::optional<std::size_t> chosen = dialog->chosen())
            compareWith(pathText(copies[*chosen].path),
                        QFileInfo(pathText(copies[*chosen].path)).fileName());
    });
    dialog->open();
}

void MainWindow::compareWith(const QString& file, const QString& shownName)
{
    const std::unique_ptr<OtherFile> other = readOther(profile, std::filesystem::path(file.toStdU16String()));
    const std::optional<QString> problem = other->problem ? other->problem : wholeFileProblem(*other->model);
    if (problem) {
        showWarning(this, compareText(CompareText::FileNotCompared).arg(shownName, *problem));
        return;
    }
    const LabelDifferences differences = differencesBetween(model, *other->model);
    if (differences.count() == 0) {
        showWarning(this, compareText(CompareText::NoDifferences).arg(shownName));
        return;
    }
    std::vector<CompareRow> rows;
    for (const ValueDifference& value : differences.values) {
        const LabelSetting& setting = *value.setting;
        rows.push_back({settingWords(setting, *ui), valueText(setting, value.here), valueText(setting, value.there),
                        value.takeable(), swatch(setting, value.here), swatch(setting, value.there)});
    }
    for (const TableDifference& table : differences.tables)
        rows.push_back({compareText(CompareText::TableName)
                            .arg((ui.get()->*categoryRowOf(table.category).distanceHeading)->text(),
                                 ui->comboBox_profille->itemText(static_cast<int>(table.level))),
                        entriesText(table.here), entriesText(table.there), table.takeable(), {}, {}});
    auto* dialog = new CompareDialog(rows, shownName, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, differences] {
        LabelDifferences taken;
        for (const std::size_t row : dialog->ticked()) {
            if (row < differences.values.size())
                taken.values.push_back(differences.values[row]);
            else
                taken.tables.push_back(differences.tables[row - differences.values.size()]);
        }
        takeValues(taken);
    });
    dialog->open();
}

void MainWindow::takeValues(const LabelDifferences& taken)
{
    for (const ValueDifference& value : taken.values) {
        SettingChange change{value.setting, {}};
        if (!value.there || readValue(*value.setting, *value.there, change.value) != ValueProblem::None)
            continue;
        if (!showInControls(change))
            heldChanges.push_back(change);
    }
    for (const TableDifference& table : taken.tables) {
        if (!table.takeable())
            continue;
        if (!tables->take(takenTable(table)))
            heldTables.push_back(takenTable(table));
    }
    redrawPreview();
}

bool MainWindow::levelShown(LabelLevel level, UnitCategory category) const
{
    return currentLevel && model.levelsSharingTable(*currentLevel, category).front() == level;
}

bool MainWindow::showInControls(const SettingChange& change)
{
    const LabelSetting& s = *change.setting;
    const SettingValue& v = change.value;
    switch (s.group) {
    case SettingGroup::Visibility: (ui.get()->*categoryRowOf(s.category).visible)->setChecked(v.on); return true;
    case SettingGroup::Symbol:
        categoryRowOf(s.category).symbolField(*ui, s.range).setPlainText(QString::fromStdString(v.symbol));
        return true;
    case SettingGroup::SymbolSize:
        ui->horizontalSlider_symbol_size->setValue(static_cast<int>(v.number));
        ui->label_symbol_size_real->setText(QString::number(v.number));
        return true;
    case SettingGroup::SideColour:
        (s.side == Side::Enemies ? blueSide : redSide) = v.colour;
        showSideColours();
        return true;
    case SettingGroup::Alignment:
        if (!levelShown(s.level, s.category))
            return false;
        (ui.get()->*categoryRowOf(s.category).alignment)->setCurrentIndex(static_cast<int>(v.number));
        return true;
    case SettingGroup::Distance:
        if (!levelShown(s.level, s.category))
            return false;
        distances->showValue(s.category, s.band, v.number);
        return true;
    }
    return false;
}

// The values taken for a level become the changes of its controls once it is shown.
void MainWindow::showHeldChanges()
{
    std::vector<SettingChange> stillHeld;
    for (const SettingChange& change : heldChanges) {
        if (!showInControls(change))
            stillHeld.push_back(change);
    }
    heldChanges = std::move(stillHeld);
    std::vector<FormatTable> tablesHeld;
    for (const FormatTable& table : heldTables) {
        if (!tables->take(table))
            tablesHeld.push_back(table);
    }
    heldTables = std::move(tablesHeld);
}
