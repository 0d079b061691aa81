#pragma once
// The complete form class: MSVC picks the size of a pointer to member from what it
// knows of the class, so every file must see the same, complete definition.
#include "ui_MainWindow.h"

class FormatTableControls;

// Tab visits the controls as a player reads the window, column by column: the level,
// visibility, side colours, the near and far symbols, the symbol size, the alignments,
// each category's distance rows (or the button that stands in for them), the preview's
// choices, and Apply last.
void setReadingOrder(Ui::MainWindow& form, const FormatTableControls& tables);
