#pragma once
// The one seam through which the editor opens modal dialogs. Tests preset the
// next answer ("the next folder is X", "the next colour is Y") and read the
// messages that would have been shown, so no test ever blocks on a real dialog.
#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace dialogs {
// The folder dialog ("Select Folder", ShowDirsOnly | DontResolveSymlinks, no parent).
// Empty when cancelled.
QString chooseDirectory();
// The dialog that opens a file, in `folder`, showing the files `filter` names. Empty
// when cancelled.
QString chooseFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter);
// The colour dialog ("Choose Color"), opened on the colour the button shows. Invalid
// when cancelled.
QColor chooseColour(QWidget* parent, const QColor& initial);
// A message the user must read (a warning box with OK); a detail, if any, is offered
// behind the box's details button.
void showMessage(QWidget* parent, const QString& title, const QString& text, const QString& detail = {});

// The About box of the program.
void showAbout(QWidget* parent, const QString& title, const QString& text);

// A question with its buttons, in the order given; the index of the button chosen.
// Escape or closing the box chooses the default, which is always the safe answer.
int ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons, int defaultButton);

// --- test seam ---
// While presets are on, no real dialog opens: chooseDirectory/chooseFile/chooseColour take the
// next preset answer (empty / invalid when none is left), showMessage records, and ask
// records the question and takes the next preset answer (the default when none is left).
void usePresets(bool on);
void presetDirectory(const QString& directory);
void presetFile(const QString& file);
void presetColour(const QColor& colour);
void presetAnswer(int button);
QStringList takeShownMessages();         // texts of the messages shown since the last call
QStringList takeAskedQuestions();        // texts of the questions asked since the last call
QList<QColor> takeColourDialogStarts();  // the colours the colour dialog opened on
}  // namespace dialogs
