#include "windows/SDwindow.h"

#include "common/Dialogs.h"
#include "common/LanguageTexts.h"
#include "ui_SDwindow.h"

SDwindow::SDwindow(ProfileStore& profileStore, QWidget* parent)
    : QMainWindow(parent),
      profile(profileStore),
      ui(new Ui::SDwindow)
{
    ui->setupUi(this);
    setFixedSize(470, 119);
}

SDwindow::~SDwindow() { delete ui; }

void SDwindow::applyTexts() { applyDirectoryWindowTexts(*this); }

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
