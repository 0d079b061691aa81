#include "ui/BackupsDialog.h"

#include <QHeaderView>
#include <QPushButton>

#include "common/CompareTexts.h"
#include "ui_BackupsDialog.h"

BackupsDialog::BackupsDialog(const std::vector<BackupRow>& rows, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::BackupsDialog>())
{
    ui->setupUi(this);
    setWindowTitle(compareText(CompareText::BackupsTitle));
    ui->label_backups_intro->setText(rows.empty() ? compareText(CompareText::NoBackups)
                                                  : compareText(CompareText::BackupsIntro));
    ui->pushButton_compare_backup->setText(compareText(CompareText::CompareBackup));
    ui->pushButton_compare_backup->setEnabled(!rows.empty());
    ui->buttonBox->button(QDialogButtonBox::Close)->setText(compareText(CompareText::Close));
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->pushButton_compare_backup, &QPushButton::clicked, this, &QDialog::accept);

    QTableWidget& table = *ui->tableWidget_backups;
    connect(&table, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    table.setHorizontalHeaderLabels(
        {compareText(CompareText::ColumnMade), compareText(CompareText::ColumnDiffering)});
    table.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const BackupRow& copy = rows[static_cast<std::size_t>(row)];
        table.setItem(row, 0, new QTableWidgetItem(copy.made));
        table.setItem(row, 1,
                      new QTableWidgetItem(copy.differing ? QString::number(*copy.differing)
                                                          : compareText(CompareText::BackupUnreadable)));
    }
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    if (!rows.empty())
        table.setCurrentCell(0, 0);
}

BackupsDialog::~BackupsDialog() = default;

std::optional<std::size_t> BackupsDialog::chosen() const
{
    const int row = ui->tableWidget_backups->currentRow();
    return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}
