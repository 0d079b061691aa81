#include "ui/CompareDialog.h"

#include <QHeaderView>
#include <QPushButton>

#include <tuple>

#include "common/CompareTexts.h"
#include "ui_CompareDialog.h"

CompareDialog::CompareDialog(const std::vector<CompareRow>& rows, const QString& otherName, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CompareDialog>())
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setWindowTitle(compareText(CompareText::DialogTitle).arg(otherName));
    ui->label_compare_intro->setText(compareText(CompareText::DialogIntro).arg(otherName));
    ui->pushButton_take_all->setText(compareText(CompareText::TakeAll));
    ui->pushButton_take_none->setText(compareText(CompareText::TakeNone));
    ui->buttonBox->button(QDialogButtonBox::Ok)->setText(compareText(CompareText::TakeChecked));
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(compareText(CompareText::Cancel));

    QTableWidget& table = *ui->tableWidget_differences;
    table.setHorizontalHeaderLabels({compareText(CompareText::ColumnSetting), compareText(CompareText::ColumnHere),
                                     compareText(CompareText::ColumnThere)});
    table.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const CompareRow& shown = rows[static_cast<std::size_t>(row)];
        auto* setting = new QTableWidgetItem(shown.setting);
        setting->setFlags(shown.takeable ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable
                                         : Qt::ItemIsSelectable);
        if (shown.takeable)
            setting->setCheckState(Qt::Unchecked);
        else
            setting->setToolTip(compareText(CompareText::NotTakeable));
        table.setItem(row, 0, setting);
        for (const auto& [column, text, colour] :
             {std::tuple{1, shown.here, shown.hereColour}, std::tuple{2, shown.there, shown.thereColour}}) {
            auto* value = new QTableWidgetItem(text);
            if (colour.isValid())
                value->setData(Qt::DecorationRole, colour);
            table.setItem(row, column, value);
        }
    }
    QHeaderView& header = *table.horizontalHeader();
    header.setSectionResizeMode(QHeaderView::ResizeToContents);
    header.setSectionResizeMode(0, QHeaderView::Stretch);
    // Space ticks the selected row's box: the table is worked from the keyboard too.
    table.setCurrentCell(0, 0);
}

CompareDialog::~CompareDialog() = default;

std::vector<std::size_t> CompareDialog::ticked() const
{
    std::vector<std::size_t> rows;
    const QTableWidget& table = *ui->tableWidget_differences;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.item(row, 0)->checkState() == Qt::Checked)
            rows.push_back(static_cast<std::size_t>(row));
    }
    return rows;
}

void CompareDialog::tickAll(bool on)
{
    QTableWidget& table = *ui->tableWidget_differences;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.item(row, 0)->flags() & Qt::ItemIsUserCheckable)
            table.item(row, 0)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

void CompareDialog::on_pushButton_take_all_clicked() { tickAll(true); }

void CompareDialog::on_pushButton_take_none_clicked() { tickAll(false); }
