#include "ui/FormatTableDialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStringList>

#include <algorithm>

#include "common/Messages.h"
#include "common/TableTexts.h"
#include "ui_FormatTableDialog.h"

namespace {
constexpr int distanceColumn = 0;
int columnOf(EntryField field) { return static_cast<int>(field) + 1; }

const std::array<TableText, 7> headings = {TableText::ColumnDistance,    TableText::ColumnText,
                                           TableText::ColumnAlignment,   TableText::ColumnColourBlend,
                                           TableText::ColumnOpacity,     TableText::ColumnShiftX,
                                           TableText::ColumnShiftY};

QTableWidgetItem* fixedItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}
}  // namespace

FormatTableDialog::FormatTableDialog(const FormatTable& table, const QString& categoryName, const QString& levelName,
                                     QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::FormatTableDialog>()),
      opened(table),
      edited(table)
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &FormatTableDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &FormatTableDialog::reject);
    setWindowTitle(tableText(TableText::DialogTitle).arg(categoryName, levelName));
    applyTexts();
    QHeaderView& header = *ui->tableWidget_entries->horizontalHeader();
    header.setSectionResizeMode(QHeaderView::ResizeToContents);
    header.setSectionResizeMode(columnOf(EntryField::Text), QHeaderView::Stretch);
    fill();
}

FormatTableDialog::~FormatTableDialog() = default;

void FormatTableDialog::applyTexts()
{
    ui->label_table_intro->setText(tableText(TableText::DialogIntro));
    QStringList labels;
    for (const TableText heading : headings)
        labels << tableText(heading);
    ui->tableWidget_entries->setHorizontalHeaderLabels(labels);
    ui->pushButton_add_entry->setText(tableText(TableText::AddEntry));
    ui->pushButton_remove_entry->setText(tableText(TableText::RemoveEntry));
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(tableText(TableText::Ok));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(tableText(TableText::Cancel));
}

void FormatTableDialog::fill()
{
    filling = true;
    QTableWidget& entries = *ui->tableWidget_entries;
    entries.clearSpans();
    entries.setRowCount(static_cast<int>(edited.entries.size()));
    for (int row = 0; row < entries.rowCount(); ++row)
        fillRow(row);
    ui->pushButton_remove_entry->setEnabled(edited.entries.size() > 1);
    filling = false;
}

void FormatTableDialog::fillRow(int row)
{
    QTableWidget& entries = *ui->tableWidget_entries;
    const FormatEntry& entry = edited.entries[static_cast<std::size_t>(row)];
    entries.setItem(row, distanceColumn, new QTableWidgetItem(QString::number(entry.distance)));
    for (int f = 0; f < entryFieldCount; ++f)
        entries.removeCellWidget(row, columnOf(static_cast<EntryField>(f)));
    if (!entry.isTable()) {
        // A name or a call: what it stands for is the script's business, not ours.
        QTableWidgetItem* written = fixedItem(tableText(TableText::WrittenAs).arg(QString::fromStdString(entry.value)));
        QFont italic = written->font();
        italic.setItalic(true);
        written->setFont(italic);
        entries.setItem(row, columnOf(EntryField::Text), written);
        for (int f = 1; f < entryFieldCount; ++f)
            entries.setItem(row, columnOf(static_cast<EntryField>(f)), fixedItem(QString()));
        entries.setSpan(row, columnOf(EntryField::Text), 1, entryFieldCount);
        return;
    }
    for (int f = 0; f < entryFieldCount; ++f) {
        const auto field = static_cast<EntryField>(f);
        const QString shown = QString::fromStdString(shownField(entry, field));
        if (field == EntryField::Alignment && entry.hasField(field)) {
            entries.setItem(row, columnOf(field), fixedItem(QString()));
            entries.setCellWidget(row, columnOf(field), alignmentBox(row));
            continue;
        }
        // Fields an entry of fewer items does not have stay empty: the simulator's own
        // default applies there, and the editor does not guess it.
        entries.setItem(row, columnOf(field), entry.hasField(field) ? new QTableWidgetItem(shown) : fixedItem(shown));
    }
}

QComboBox* FormatTableDialog::alignmentBox(int row)
{
    const FormatEntry& entry = edited.entries[static_cast<std::size_t>(row)];
    auto* box = new QComboBox;
    box->setObjectName(QStringLiteral("comboBox_alignment_%1").arg(row));
    const QString shown = QString::fromStdString(shownField(entry, EntryField::Alignment));
    // A name the simulator does not list, or a variable, stays what it is until changed.
    if (!indexByAlignment.count(shown.toStdString()))
        box->addItem(shown);
    for (const auto& [index, quoted] : alignmentByIndex)
        box->addItem(QString::fromStdString(quoted.substr(1, quoted.size() - 2)));
    box->setCurrentText(shown);
    connect(box, &QComboBox::currentTextChanged, this, [this, row](const QString& name) {
        static_cast<void>(setField(edited.entries[static_cast<std::size_t>(row)], EntryField::Alignment,
                                   name.toStdString()));
    });
    return box;
}

void FormatTableDialog::on_tableWidget_entries_itemChanged(QTableWidgetItem* item)
{
    if (filling || item->column() == distanceColumn)
        return;
    const auto field = static_cast<EntryField>(item->column() - 1);
    FormatEntry& entry = edited.entries[static_cast<std::size_t>(item->row())];
    const FieldRefusal refusal = setField(entry, field, item->text().toStdString());
    if (!refusal)
        return;
    filling = true;
    item->setText(QString::fromStdString(shownField(entry, field)));
    filling = false;
    showWarning(this, refusal.problem == FieldProblem::Text
                          ? tableText(TableText::FieldNotStored).arg(refusalText(refusal.text))
                          : tableText(TableText::FieldNotANumber));
}

std::vector<std::size_t> FormatTableDialog::takeDistances()
{
    std::vector<std::size_t> notNumbers;
    for (int row = 0; row < ui->tableWidget_entries->rowCount(); ++row) {
        bool ok = false;
        const long long distance = ui->tableWidget_entries->item(row, distanceColumn)->text().trimmed().toLongLong(&ok);
        if (ok)
            edited.entries[static_cast<std::size_t>(row)].distance = distance;
        else
            notNumbers.push_back(static_cast<std::size_t>(row));
    }
    return notNumbers;
}

int FormatTableDialog::selectedRow() const
{
    const QList<QTableWidgetItem*> selected = ui->tableWidget_entries->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->row();
}

void FormatTableDialog::accept()
{
    std::vector<std::size_t> offending = takeDistances();
    for (const std::size_t row : offendingEntries(edited, opened)) {
        if (std::find(offending.begin(), offending.end(), row) == offending.end())
            offending.push_back(row);
    }
    for (int row = 0; row < ui->tableWidget_entries->rowCount(); ++row)
        ui->tableWidget_entries->item(row, distanceColumn)->setBackground(QBrush());
    if (offending.empty()) {
        putInKeyOrder(edited);
        QDialog::accept();
        return;
    }
    std::sort(offending.begin(), offending.end());
    QStringList typed;
    for (const std::size_t row : offending) {
        QTableWidgetItem* item = ui->tableWidget_entries->item(static_cast<int>(row), distanceColumn);
        item->setBackground(QColor(255, 200, 200));
        typed << (item->text().trimmed().isEmpty() ? QStringLiteral("\"\"") : item->text().trimmed());
    }
    showWarning(this, tableText(TableText::DistancesInvalid).arg(typed.join(QStringLiteral(", "))));
}

void FormatTableDialog::on_pushButton_add_entry_clicked()
{
    const int row = selectedRow();
    const std::size_t at = row < 0 ? edited.entries.size() : static_cast<std::size_t>(row) + 1;
    static_cast<void>(takeDistances());
    insertEntry(edited, at);
    fill();
    ui->tableWidget_entries->selectRow(static_cast<int>(at));
}

void FormatTableDialog::on_pushButton_remove_entry_clicked()
{
    const int row = selectedRow();
    if (row < 0 || edited.entries.size() <= 1)
        return;
    static_cast<void>(takeDistances());
    edited.entries.erase(edited.entries.begin() + row);
    fill();
    ui->tableWidget_entries->selectRow(std::min(row, static_cast<int>(edited.entries.size()) - 1));
}
