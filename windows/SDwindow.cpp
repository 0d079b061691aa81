#include "windows/SDwindow.h"

#include <algorithm>

#include "common/Dialogs.h"
#include "common/KeyClosing.h"
#include "common/LanguageTexts.h"
#include "ui_SDwindow.h"

SDwindow::SDwindow(ProfileStore& profileStore, QWidget* parent)
    : QMainWindow(parent),
      profile(profileStore),
      ui(new Ui::SDwindow)
{
    ui->setupUi(this);
    setFixedSize(470, 119);
    buttonPlace = ui->choseDirectory->geometry();
    promptPlace = ui->label->geometry();
    closeOnKeys(*this, {Qt::Key_Escape});
}

SDwindow::~SDwindow() { delete ui; }

// A longer word on the button ("Подтвердить") widens it to the left, into the room of the
// prompt, which wraps between its words.
void SDwindow::applyTexts()
{
    applyDirectoryWindowTexts(*this);
    const int width = std::max(buttonPlace.width(), ui->choseDirectory->sizeHint().width());
    ui->choseDirectory->setGeometry(buttonPlace.right() + 1 - width, buttonPlace.y(), width, buttonPlace.height());
    ui->label->setGeometry(promptPlace.adjusted(0, 0, -(width - buttonPlace.width()), 0));
}

void SDwindow::on_choseDirectory_clicked()
{
    const QString chosen = dialogs::chooseDirectory();
    // A cancelled dialog keeps the folder the profile already names.
    if (!chosen.isEmpty())
        emit directoryChosen(chosen);
}

void SDwindow::on_action_English_triggered() { chooseLanguage(0); }

void SDwindow::on_action_Chinese_triggered() { chooseLanguage(1); }

void SDwindow::on_action_Russian_triggered() { chooseLanguage(2); }

void SDwindow::on_action_Japanese_triggered() { chooseLanguage(3); }

void SDwindow::chooseLanguage(int index)
{
    if (switchLanguage(profile, index, this))
        applyTexts();
}
