#include "SDwindow.h"

#include <filesystem>
#include <system_error>

#include "AppContext.h"
#include "Dialogs.h"
#include "LabelConfig.h"
#include "LanguageTexts.h"
#include "Messages.h"
#include "ProfileStore.h"
#include "StartUp.h"
#include "ui_SDwindow.h"

namespace fs = std::filesystem;

SDwindow::SDwindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::SDwindow)
{
    ui->setupUi(this);
    setFixedSize(470, 119);
}

SDwindow::~SDwindow() { delete ui; }

void SDwindow::on_choseDirectory_clicked()
{
    const QString chosen = dialogs::chooseDirectory();
    // A cancelled dialog keeps the folder the profile already names.
    if (chosen.isEmpty())
        return;
    try {
        storeWorkDirectory(fs::path(chosen.toStdU16String()));
        if (!labelFileExists(*app::profile))
            return;
    } catch (const std::system_error& error) {
        startup::reportUnreadableFolder(this, error);
        return;
    }
    close();
    startup::showMainWindow();
}

// The folder is remembered before it is read, so a folder that cannot be read yet
// (a drive not mounted) is still offered next time. When start-up could not read the
// old folder the model does not exist yet and is built here.
void SDwindow::storeWorkDirectory(const fs::path& directory)
{
    const lua::WriteOutcome stored = app::profile->setWorkDirectory(directory);
    if (!stored)
        showWarning(this, message(MessageId::ProfileNotSaved).arg(QString::fromStdString(stored.reason)));
    if (app::labelConfig)
        app::labelConfig->load();
    else
        app::labelConfig = new LabelConfig(*app::profile);
}

void SDwindow::on_action_English_triggered() { chooseLanguage(0); }

void SDwindow::on_action_Chinese_triggered() { chooseLanguage(1); }

void SDwindow::on_action_Russian_triggered() { chooseLanguage(2); }

void SDwindow::on_action_Japanese_triggered() { chooseLanguage(3); }

void SDwindow::chooseLanguage(int index)
{
    if (switchLanguage(index, this))
        applyDirectoryWindowTexts(*this);
}
