#pragma once
#include <array>

#include "model/LabelTypes.h"
// The complete form class: MSVC picks the size of a pointer to member from what it
// knows of the class, so every file must see the same, complete definition.
#include "ui_MainWindow.h"

// One unit category's controls outside the distance block (whose rows are in
// distanceRows). The fill, Apply, the preview and the messages naming settings all
// find a category's widgets here.
struct CategoryRow {
    UnitCategory category;
    QCheckBox* Ui::MainWindow::*visible;
    QComboBox* Ui::MainWindow::*alignment;
    std::array<QTextEdit * Ui::MainWindow::*, 2> symbolFields;     // by SymbolRange: near, far
    std::array<QPushButton * Ui::MainWindow::*, 2> symbolButtons;  // by SymbolRange: near, far
    QLabel* Ui::MainWindow::*distanceHeading;                      // names the category in the current language

    QTextEdit& symbolField(const Ui::MainWindow& form, SymbolRange range) const;
    QPushButton& symbolButton(const Ui::MainWindow& form, SymbolRange range) const;
};

// Air, ground, navy, weapon: indexed by UnitCategory, which is also the order in which
// Apply hands the categories over and the preview numbers its sample units.
extern const std::array<CategoryRow, 4> categoryRows;

inline const CategoryRow& categoryRowOf(UnitCategory category)
{
    return categoryRows[static_cast<std::size_t>(category)];
}

// The symbol rows in the order Apply hands them over: near before far in each category.
constexpr std::array<SymbolRange, 2> symbolRanges = {SymbolRange::Near, SymbolRange::Far};
