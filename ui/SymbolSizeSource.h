#pragma once
#include <optional>
#include <string>

// The complete form class: MSVC picks the size of a pointer to member from what it
// knows of the class, so every file must see the same, complete definition.
#include "ui_MainWindow.h"

class LabelConfig;

// A symbol size the file sets by a name (SymbolSizeVariable.h) is shown as such, where
// the slider would be: the slider would offer a number the editor must not write there.
class SymbolSizeSource {
public:
    // Makes the note in the form's central widget, hidden.
    explicit SymbolSizeSource(Ui::MainWindow& form);

    void show(const LabelConfig& model);
    void applyTexts();

private:
    Ui::MainWindow& ui;
    QLabel* note;
    std::optional<std::string> name;
};
