#pragma once
#include <QPoint>
#include <QString>

#include <optional>

#include "model/LabelTypes.h"

class FormatTableControls;
struct FormatEntry;
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
    // Where a category's format table of its own shape is found: the preview then draws
    // the entry of that table that applies at the chosen range.
    void setTables(const FormatTableControls& source) { tables = &source; }

    // Nothing happens until enable(). No level (an index the window does not know)
    // shows an empty label text.
    void redraw(std::optional<LabelLevel> level);

private:
    // The label text, alignment index and opacity of the sample.
    struct Sample {
        QString text;
        int alignment = -1;
        double opacity = 1.0;
    };
    Sample bandSample(std::optional<LabelLevel> level) const;
    Sample entrySample(const FormatEntry* entry, std::optional<LabelLevel> level) const;

    Ui::MainWindow& ui;
    const FormatTableControls* tables = nullptr;
    const std::optional<ColourTriple>& red;
    const std::optional<ColourTriple>& blue;
    bool enabled = false;
    UnitCategory category = UnitCategory::Air;
    SymbolRange range = SymbolRange::Near;
    QPoint anchor;
};
