#pragma once
// The interface texts of the four languages. Only the main window and the
// directory window change language; the picker and the confirmation window stay English.
#include <QString>

#include <array>

class ProfileStore;
class QWidget;

// One text in English, Chinese, Russian and Japanese, in that order.
using Translations = std::array<const char*, 4>;
// The one of the current language (English when the index is outside 0-3).
QString inCurrentLanguage(const Translations& texts);

// Sets the main window's 61 language texts for the current language (widgets are
// found by object name). An index outside 0-3 changes nothing.
void applyMainWindowTexts(QWidget& mainWindow);
// Sets the directory window's prompt, button and menu title for the current language.
void applyDirectoryWindowTexts(QWidget& directoryWindow);

// A Language menu entry was chosen (either window). When the index is already
// current nothing happens and false is returned. Otherwise the current language
// becomes index, the profile stores it (a profile that cannot be written is told
// to the user through the dialog seam, with `parent`), and true is returned: the
// caller then applies its own window's texts.
bool switchLanguage(ProfileStore& profile, int index, QWidget* parent);
