#pragma once
// Messages the editor shows in dialogs, in the four interface languages.
//
// To add a message: add an id to MessageId (before Count) and, in Messages.cpp, one
// row at the same position of the table with its English, Chinese, Russian and
// Japanese text. Placeholders %1, %2 are filled with QString::arg by the caller.
#include <QString>

class QWidget;

enum class MessageId {
    WarningTitle,         // title of every warning box
    ProfileNotSaved,      // %1: why data/profile.lua could not be written
    FolderUnreadable,     // %1: the folder, %2: the system's reason
    VisibilitySection,    // heading of the category visibility settings in a list of settings
    SettingsUnreadable,   // %1: the settings Labels.lua did not yield, one line per section
    SettingsNotSaved,     // %1: the settings Apply could not save, one line per section
    LabelFileNotWritten,  // %1: why Labels.lua could not be written
    LabelFileNotRead,     // %1: why Labels.lua could not be read again
    DistanceNotNumber,    // %1: the distance setting whose field holds no whole number
    SymbolNotWritable,    // %1: the symbol setting, %2: the symbol
    DefaultNotRestored,   // %1: why data/default.lua could not be put in place
    Count
};

// The text of the current language (English when the index is outside 0-3).
QString message(MessageId id);

// Shows a warning box (through the dialog seam) with the title of the current language.
void showWarning(QWidget* parent, const QString& text);
