#include "app/StartUp.h"

#include <QApplication>
#include <QDir>

#include "app/AppContext.h"
#include "common/LanguageTexts.h"
#include "common/Messages.h"
#include "common/QtTranslations.h"
#include "common/Resources.h"
#include "common/ThemeIcons.h"
#include "lua/LuaScan.h"
#include "model/LabelConfig.h"
#include "model/Language.h"
#include "model/ProfileStore.h"
#include "ui/MainWindow.h"
#include "windows/SDwindow.h"
#include "windows/SymbolWindow.h"
#include "windows/confirmWindow.h"

namespace fs = std::filesystem;

namespace startup {

Editor::Editor() : locations(findFileLocations())
{
    lua::buildBracketPairs();
    buildAlignmentTables();
    const bool firstStart = !fs::exists(locations.profile);
    profile = std::make_unique<ProfileStore>(locations.profile);
    app::profile = profile.get();
    // The first start leaves a profile where the next one looks, so the player can find
    // it; one that cannot be written now is reported when the player makes a choice.
    if (firstStart)
        static_cast<void>(profile->setLanguage(profile->getLanguage()));
    try {
        buildLabelConfig();
    } catch (const fs::filesystem_error& error) {
        loadProblem = error;
    }
}

void Editor::buildLabelConfig()
{
    labelConfig = std::make_unique<LabelConfig>(*profile);
    labelConfig->setFactoryCopy(locations.factoryCopy);
    app::labelConfig = labelConfig.get();
}

Editor::~Editor()
{
    closeWindows();
    app::labelConfig = nullptr;
    app::profile = nullptr;
}

void Editor::openWindows()
{
    QCoreApplication::setApplicationVersion(QStringLiteral(HALVANE_VERSION));
    initResources();
    QApplication::setWindowIcon(applicationIcon());
    useQtTranslations(currentLanguage);
    registerPreviewFont();
    directoryWindow = std::make_unique<SDwindow>(*profile);
    // No main window exists yet, so the picker and the confirmation window are top-level.
    symbolWindow = std::make_unique<SymbolWindow>();
    confirmationWindow = std::make_unique<confirmWindow>();
    app::directoryWindow = directoryWindow.get();
    app::symbolWindow = symbolWindow.get();
    app::confirmationWindow = confirmationWindow.get();
    QObject::connect(directoryWindow.get(), &SDwindow::directoryChosen, directoryWindow.get(),
                     [this](const QString& chosen) { useDirectory(chosen); });
    QObject::connect(symbolWindow.get(), &SymbolWindow::symbolPicked, symbolWindow.get(),
                     [this](const QString& symbol) {
                         if (mainWindow)
                             mainWindow->placePickedSymbol(symbol);
                     });

    std::optional<fs::filesystem_error> problem = loadProblem;
    if (!problem) {
        try {
            if (labelFileExists(*profile)) {
                showMainWindow();
                return;
            }
        } catch (const fs::filesystem_error& error) {
            problem = error;
        }
    }
    // The profile's language, not the form's English, from the first sight on.
    directoryWindow->applyTexts();
    directoryWindow->show();
    if (problem)
        reportUnreadableFolder(directoryWindow.get(), *problem);
}

void Editor::closeWindows()
{
    // The main window holds the model, and every window may be the parent of a message.
    mainWindow.reset();
    confirmationWindow.reset();
    symbolWindow.reset();
    directoryWindow.reset();
    app::mainWindow = nullptr;
    app::directoryWindow = nullptr;
    app::symbolWindow = nullptr;
    app::confirmationWindow = nullptr;
}

void Editor::showMainWindow()
{
    if (mainWindow) {
        mainWindow->fillFromModel();
    } else {
        mainWindow = std::make_unique<MainWindow>(*labelConfig, *profile);
        app::mainWindow = mainWindow.get();
        MainWindow* window = mainWindow.get();
        QObject::connect(window, &MainWindow::directoryReselectRequested, window, [this] { reselectDirectory(); });
        QObject::connect(window, &MainWindow::symbolPickRequested, window,
                         [this] { app::closeAndShow(symbolWindow.get()); });
        QObject::connect(window, &MainWindow::applied, window, [this](const QString& movedKeys) {
            confirmationWindow->showMovedKeys(movedKeys);
            app::closeAndShow(confirmationWindow.get());
        });
    }
    mainWindow->show();
    // Over the window it is about, not over an empty screen.
    mainWindow->showLoadNotice();
}

// The folder is remembered before it is read, so a folder that cannot be read yet (a
// drive not mounted) is still offered next time. When start-up could not read the old
// folder the model does not exist yet and is built here.
void Editor::useDirectory(const QString& chosen)
{
    try {
        if (const ModelOutcome stored = profile->setWorkDirectory(fs::path(chosen.toStdU16String())); !stored) {
            const Reason reason = reasonOf(stored);
            showWarning(directoryWindow.get(), message(MessageId::ProfileNotSaved).arg(reason.text), reason.detail);
        }
        if (labelConfig)
            labelConfig->load();
        else
            buildLabelConfig();
        if (!labelFileExists(*profile) && !offerNewLabelFile(chosen))
            return;
    } catch (const std::system_error& error) {
        reportUnreadableFolder(directoryWindow.get(), error);
        return;
    }
    directoryWindow->close();
    showMainWindow();
}

// A player who never customised labels has no Labels.lua of their own yet: one question
// makes the folder usable, with the factory settings to start from.
bool Editor::offerNewLabelFile(const QString& folder)
{
    const int answer
        = askQuestion(directoryWindow.get(), message(MessageId::NoLabelFileYet).arg(QDir::toNativeSeparators(folder)),
                      {MessageId::AnswerYes, MessageId::AnswerNo}, 0);
    if (answer != 0)
        return false;
    if (const ModelOutcome created = labelConfig->createLabelFile(); !created) {
        const Reason reason = reasonOf(created);
        showWarning(directoryWindow.get(), message(MessageId::LabelFileNotCreated).arg(reason.text), reason.detail);
        return false;
    }
    return true;
}

void Editor::reselectDirectory()
{
    directoryWindow->applyTexts();
    directoryWindow->show();
}

void Editor::reportUnreadableFolder(QWidget* parent, const std::system_error& error)
{
    const QString folder = QString::fromStdU16String(profile->getWorkDirectory().u16string());
    const Reason reason = reasonOf(error.code());
    showWarning(parent, message(MessageId::FolderUnreadable).arg(folder, reason.text), reason.detail);
}

}  // namespace startup
