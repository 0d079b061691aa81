#pragma once
// Qt's own texts (the standard buttons, "Show Details...", the colour and folder dialogs)
// in the interface language, from Qt's translations (Debian: qt6-translations-l10n).

// Installs Qt's translations for the language (0 English, 1 Chinese, 2 Russian,
// 3 Japanese) in place of those of the last call. True when they were found (English
// needs none).
bool useQtTranslations(int language);
