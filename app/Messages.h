#pragma once
// Messages the editor shows in dialogs, in the four interface languages.
//
// To add a message: add an id to MessageId (before Count) and, in Messages.cpp, one
// row at the same position of the table with its English, Chinese, Russian and
// Japanese text. Placeholders %1, %2 are filled with QString::arg by the caller.
#include <QString>

class QWidget;

enum class MessageId {
    WarningTitle,        // title of every warning box
    ProfileNotSaved,     // %1: why data/profile.lua could not be written
    FolderUnreadable,    // %1: the folder, %2: the system's reason
    Count
};

// The text of the current language (English when the index is outside 0-3).
QString message(MessageId id);

// Shows a warning box (through the dialog seam) with the title of the current language.
void showWarning(QWidget* parent, const QString& text);
