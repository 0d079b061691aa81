#pragma once
// What a user does to the main window's controls, as mouse and key events.
#include <QString>

class QComboBox;
class QLineEdit;
class QSlider;
class QTextEdit;

namespace user {
// Selects the whole field, types the text and presses Return.
void retype(QLineEdit* field, const QString& text);
// Selects the whole text edit and types the text.
void retype(QTextEdit* field, const QString& text);
// Presses the handle, drags it to the left or right end of the groove and lets go.
void dragToStart(QSlider* slider);
void dragToEnd(QSlider* slider);
// Drags the handle by dx pixels without letting go; release() lets go where it is.
void pressAndDrag(QSlider* slider, int dx);
void release(QSlider* slider);
// Picks an item of a closed combo box with the keyboard (Home, then Down).
void choose(QComboBox* combo, int index);
}  // namespace user
