#pragma once
// The complete form class: MSVC picks the size of a pointer to member from what it
// knows of the class, so every file must see the same, complete definition.
#include "ui_MainWindow.h"

// What a screen reader announces for each control without a text of its own: the
// caption beside it, in the interface language, with the heading or the category where
// the caption alone does not tell which control it is ("Aircraft NEAR distance").
// Controls that show a text of their own (check boxes, radio buttons, Apply) are named
// by it already.
void nameControlsForScreenReaders(Ui::MainWindow& form);
