#include "StartUp.h"

#include "AppContext.h"
#include "LabelConfig.h"
#include "LuaScan.h"
#include "MainWindow.h"
#include "Messages.h"
#include "ProfileStore.h"
#include "Resources.h"
#include "SDwindow.h"
#include "SymbolWindow.h"
#include "confirmWindow.h"

namespace fs = std::filesystem;

namespace startup {
LoadProblem loadModels()
{
    lua::buildBracketPairs();
    buildAlignmentTables();
    app::profile = new ProfileStore();
    try {
        app::labelConfig = new LabelConfig(*app::profile);
    } catch (const fs::filesystem_error& error) {
        return error;
    }
    return std::nullopt;
}

void openWindows(const LoadProblem& loadProblem)
{
    initResources();
    registerPreviewFont();
    app::directoryWindow = new SDwindow();
    // No main window exists yet, so the picker and the confirmation window are top-level.
    app::symbolWindow = new SymbolWindow();
    app::confirmationWindow = new confirmWindow();

    LoadProblem problem = loadProblem;
    if (!problem) {
        try {
            if (labelFileExists(*app::profile)) {
                showMainWindow();
                return;
            }
        } catch (const fs::filesystem_error& error) {
            problem = error;
        }
    }
    app::directoryWindow->show();
    if (problem)
        reportUnreadableFolder(app::directoryWindow, *problem);
}

void showMainWindow()
{
    if (app::mainWindow)
        app::mainWindow->fillFromModel();
    else
        app::mainWindow = new MainWindow();
    app::mainWindow->show();
}

void reportUnreadableFolder(QWidget* parent, const std::system_error& error)
{
    const QString folder = QString::fromStdU16String(app::profile->getWorkDirectory().u16string());
    const QString reason = QString::fromLocal8Bit(error.code().message());
    showWarning(parent, message(MessageId::FolderUnreadable).arg(folder, reason));
}
}  // namespace startup
