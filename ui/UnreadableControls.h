#pragma once
#include <optional>

#include "model/LabelTypes.h"
// The complete form class: MSVC picks the size of a pointer to member from what it
// knows of the class, so every file must see the same, complete definition.
#include "ui_MainWindow.h"

class LabelConfig;

// What the window cannot read, it offers no control for: the widgets of a setting the
// last load could not read are disabled, with the reason as their tooltip in the current
// language, so that nothing can be typed there that Apply would then refuse. Outside the
// level's controls always; the distances and alignments of the level shown when there is one.
void disableUnreadable(Ui::MainWindow& form, const LabelConfig& model, std::optional<LabelLevel> level);
