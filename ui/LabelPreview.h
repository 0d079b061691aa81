#pragma once
#include <QPoint>

#include <optional>

#include "model/LabelTypes.h"

namespace Ui {
class MainWindow;
}

// The sample label over the category picture, drawn from the window's controls (not
// from the model), so that unapplied changes show at once.
class LabelPreview {
public:
    LabelPreview(Ui::MainWindow& form, const std::optional<ColourTriple>& redSide,
                 const std::optional<ColourTriple>& blueSide)
        : ui(form),
          red(redSide),
          blue(blueSide)
    {
    }

    // Remembers where the form placed the label text; alignments move it from there.
    void takeAnchor();
    void enable() { enabled = true; }
    void setCategory(UnitCategory shown) { category = shown; }
    void setRange(SymbolRange shown) { range = shown; }

    // Nothing happens until enable(). No level (an index the window does not know)
    // shows an empty label text.
    void redraw(std::optional<LabelLevel> level);

private:
    Ui::MainWindow& ui;
    const std::optional<ColourTriple>& red;
    const std::optional<ColourTriple>& blue;
    bool enabled = false;
    UnitCategory category = UnitCategory::Air;
    SymbolRange range = SymbolRange::Near;
    QPoint anchor;
};
