#pragma once
#include <array>
#include <vector>

#include "model/LabelEdits.h"
#include "model/LabelTypes.h"
// The complete form class: MSVC picks the size of a pointer to member from what it
// knows of the class, so every file must see the same, complete definition.
#include "ui_MainWindow.h"

class LabelConfig;

// One row of the distance block: a slider and the line edit that mirrors it.
struct DistanceRow {
    UnitCategory category;
    DistanceBand band;
    QSlider* Ui::MainWindow::*slider;
    QLineEdit* Ui::MainWindow::*lineEdit;
    int minimum;
    int maximum;
};

// The fifteen rows in the order the fill and Apply walk them: air EMPTY, NEAR, FAR,
// DOT; ground and navy the same; weapon EMPTY, NEAR, FAR (weapons have no DOT band).
extern const std::array<DistanceRow, 15> distanceRows;

// The behaviour of the distance block, driven by distanceRows.
class DistanceControls {
public:
    explicit DistanceControls(Ui::MainWindow& form) : ui(form) { }

    void applyRanges();
    // Shows one level of the model; a distance the model could not read shows an empty
    // field and a slider at its minimum.
    void showLevel(const LabelConfig& model, LabelLevel level);

    void sliderMoved(const QSlider& slider, int position);
    void fieldEdited(const QLineEdit& field);
    // Keeps every category's distances strictly increasing from EMPTY to the top band,
    // lowering the lower bands as far as needed but not below 0, and never touching the
    // top one.
    void keepInOrder();

    // Whether any field of the level differs from what the model holds for it (an
    // empty field for a distance the model could not read).
    bool changed(const LabelConfig& model, LabelLevel level) const;
    // The rows whose distance breaks the table rules, in every category table with a
    // changed field that Apply could write; empty when all can be handed over.
    std::vector<const DistanceRow*> offendingRows(const LabelConfig& model, LabelLevel level) const;
    // Every changed row as a change of the model's distance, in table order. The rows
    // must have passed offendingRows.
    std::vector<SettingChange> changes(const LabelConfig& model, LabelLevel level) const;
    // A distance taken from another file, in its row of the level shown.
    void showValue(UnitCategory category, DistanceBand band, long long distance);

private:
    bool rowChanged(const LabelConfig& model, LabelLevel level, const DistanceRow& row) const;
    const DistanceRow& rowOf(const QSlider& slider) const;
    const DistanceRow& rowOf(const QLineEdit& field) const;

    Ui::MainWindow& ui;
};
