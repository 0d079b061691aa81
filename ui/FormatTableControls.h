#pragma once
#include <QObject>

#include <array>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "model/FormatTable.h"
// The complete form class: MSVC picks the size of a pointer to member from what it
// knows of the class, so every file must see the same, complete definition.
#include "ui_MainWindow.h"

class LabelConfig;
class QLabel;
class QPushButton;

// The categories whose format table at the level shown has a shape of its own: their
// band rows give way to a "Format Table…" button that opens the table as it is
// (FormatTableDialog). The tables the player changed are kept here until Apply hands
// them to the model or the level shown changes.
class FormatTableControls : public QObject {
    Q_OBJECT
public:
    // Makes one button and one note per category in the form's central widget, hidden.
    explicit FormatTableControls(Ui::MainWindow& form);

    // Shows the level: a button instead of the band rows where the model holds a table
    // of its own shape. Tables changed at the level shown before are dropped.
    void showLevel(const LabelConfig& model, LabelLevel level);
    void applyTexts();

    // The category's table as the window shows it (changed or as loaded); none where
    // the band rows show the table.
    const FormatTable* shownTable(UnitCategory category) const;
    // The button that stands in for the category's band rows (hidden while they show).
    QPushButton& tableButton(UnitCategory category) const { return *controls[static_cast<std::size_t>(category)].button; }
    // Whether a table differs from what the model holds.
    bool changed() const;
    // The changed tables whose changed distances break the rules (the dialog keeps them,
    // but a table must never reach the file so).
    std::vector<const FormatTable*> offendingTables() const;
    // The changed tables the edits cannot carry: written whole, with a text whose brackets
    // do not pair up. Applied, they would leave the file as it was behind a success.
    std::vector<const FormatTable*> uncarriedTables() const;
    // setFormatTable for every changed table; they then count as the model's.
    void handOverChanges(LabelConfig& target);

signals:
    void tableChanged();

private:
    void openTable(UnitCategory category);
    // The changed tables, and whether each is one of those wanted.
    std::vector<const FormatTable*> changedTables(const std::function<bool(const FormatTable&)>& wanted) const;
    void showCategory(UnitCategory category);

    struct Controls {
        QPushButton* button = nullptr;
        QLabel* note = nullptr;
        std::vector<QWidget*> bandRows;  // captions, sliders and fields the button replaces
    };
    Ui::MainWindow& ui;
    std::array<Controls, 4> controls;
    const LabelConfig* model = nullptr;         // of the level shown
    LabelLevel level = LabelLevel::FULL;
    std::map<UnitCategory, FormatTable> shown;  // the tables of the level shown, by category
    std::map<UnitCategory, bool> edited;        // changed by the player since the model's
};
