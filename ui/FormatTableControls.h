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
class LabelEdits;
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
    // Every changed table to the edits of an Apply.
    void handOverChanges(LabelEdits& edits) const;
    // Once Apply has handed them to the model, they count as the model's.
    void handedOver();
    // A table taken from another file, when the level shown holds it (its first level
    // among those sharing it): it is then a changed table of the window.
    bool take(const FormatTable& table);

signals:
    void tableChanged();

private:
    void openTable(UnitCategory category);
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
