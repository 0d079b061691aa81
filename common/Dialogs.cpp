#include "common/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QQueue>

#include <utility>

namespace {
struct Presets {
    bool on = false;
    QQueue<QString> directories;
    QQueue<QString> files;
    QQueue<QColor> colours;
    QQueue<int> answers;
    QStringList shownMessages;
    QStringList askedQuestions;
    QList<QColor> colourStarts;
};

Presets& presets()
{
    static Presets state;
    return state;
}
}  // namespace

namespace dialogs {
QString chooseDirectory()
{
    if (presets().on)
        return presets().directories.isEmpty() ? QString() : presets().directories.dequeue();
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Select Folder"), QString(),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
}

QString chooseFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (presets().on)
        return presets().files.isEmpty() ? QString() : presets().files.dequeue();
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QColor chooseColour(QWidget* parent, const QColor& initial)
{
    if (presets().on) {
        presets().colourStarts.append(initial);
        return presets().colours.isEmpty() ? QColor() : presets().colours.dequeue();
    }
    return QColorDialog::getColor(initial, parent, QStringLiteral("Choose Color"));
}

void showMessage(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    if (presets().on) {
        presets().shownMessages.append(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setDetailedText(detail);
    box.exec();
}

void showAbout(QWidget* parent, const QString& title, const QString& text)
{
    if (presets().on) {
        presets().shownMessages.append(text);
        return;
    }
    QMessageBox::about(parent, title, text);
}

int ask(QWidget* parent, const QString& title, const QString& text, const QStringList& buttons, int defaultButton)
{
    if (presets().on) {
        presets().askedQuestions.append(text);
        return presets().answers.isEmpty() ? defaultButton : presets().answers.dequeue();
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> added;
    for (const QString& button : buttons)
        added << box.addButton(button, QMessageBox::ActionRole);
    box.setDefaultButton(qobject_cast<QPushButton*>(added.value(defaultButton)));
    box.setEscapeButton(added.value(defaultButton));
    box.exec();
    const int chosen = added.indexOf(box.clickedButton());
    return chosen >= 0 ? chosen : defaultButton;
}

// Turning presets on or off also forgets unused answers and recorded messages, so
// one test cannot leak into the next.
void usePresets(bool on)
{
    presets() = Presets();
    presets().on = on;
}

void presetDirectory(const QString& directory) { presets().directories.enqueue(directory); }

void presetFile(const QString& file) { presets().files.enqueue(file); }

void presetColour(const QColor& colour) { presets().colours.enqueue(colour); }

void presetAnswer(int button) { presets().answers.enqueue(button); }

QStringList takeShownMessages() { return std::exchange(presets().shownMessages, {}); }

QStringList takeAskedQuestions() { return std::exchange(presets().askedQuestions, {}); }

QList<QColor> takeColourDialogStarts() { return std::exchange(presets().colourStarts, {}); }
}  // namespace dialogs
