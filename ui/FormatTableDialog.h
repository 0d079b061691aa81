#pragma once
#include <QDialog>

#include <memory>

#include "model/FormatTable.h"

class QComboBox;
class QTableWidgetItem;
namespace Ui {
class FormatTableDialog;
}

// A format table of the player's own shape, entry by entry: each entry's distance, and
// for entries that are tables their text, alignment, colour blend, opacity and shifts;
// other entries show as the file writes them. Entries can be added and removed. OK checks
// the distances and keeps the dialog open when a change breaks the rules; the window
// takes table() when it is accepted, its entries in key order, as the simulator reads
// them. Nothing is written here.
class FormatTableDialog : public QDialog {
    Q_OBJECT
public:
    FormatTableDialog(const FormatTable& table, const QString& categoryName, const QString& levelName,
                      QWidget* parent = nullptr);
    ~FormatTableDialog() override;

    const FormatTable& table() const { return edited; }

public slots:
    void accept() override;

private slots:
    void on_pushButton_add_entry_clicked();
    void on_pushButton_remove_entry_clicked();
    void on_tableWidget_entries_itemChanged(QTableWidgetItem* item);

private:
    void applyTexts();
    void fill();
    void fillRow(int row);
    QComboBox* alignmentBox(int row);
    // The typed distances into the table; the rows whose distance is no whole number.
    std::vector<std::size_t> takeDistances();
    int selectedRow() const;

    std::unique_ptr<Ui::FormatTableDialog> ui;
    const FormatTable opened;  // as given: what it held wrong already is not the player's doing
    FormatTable edited;
    bool filling = false;
};
