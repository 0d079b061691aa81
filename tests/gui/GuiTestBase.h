#pragma once
// Base of the GUI test classes. Every test starts the editor afresh in its own
// temporary folder laid out like a player's machine:
//   <tmp>/home/Config/View/Labels.lua   a copy of a fixture (the simulator's home)
//   <tmp>/data/profile.lua              Language and WorkDirectory
//   <tmp>/data/default.lua              the factory copy shipped with the editor
// with <tmp> as the current directory and the dialog seam answering from presets.
// The models and windows are built by the same start-up as the program.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/AppContext.h"
#include "app/StartUp.h"
#include "common/Dialogs.h"
#include "ui/MainWindow.h"
#include "windows/SDwindow.h"
#include "windows/SymbolWindow.h"
#include "windows/confirmWindow.h"

class QSlider;

// What the temporary folder holds before the editor starts.
struct GuiWorld {
    // Copied to <tmp>/home/Config/View/Labels.lua; empty: no label file.
    QString fixture = QStringLiteral(HALVANE_FIXTURES "/Labels.lua");
    // When set, `from` must stand once in the copy and is replaced by `to`, for the
    // cases the fixture does not hold (a distance beyond its slider, a size of 0).
    QByteArray from, to;
    QString language = QStringLiteral("EN");  // the profile's Language ("EN", "CN", "RU", "JP")
    QString workDirectory;                    // the profile's WorkDirectory; empty: <tmp>/home
};

class GuiTestBase : public QObject {
    Q_OBJECT

protected slots:
    // Qt Test calls these around every test function of the derived class.
    void init();
    void cleanup();

protected:
    // Throws away the running editor and starts a fresh one in a new folder.
    void start(const GuiWorld& world = GuiWorld());
    // Starts without a label file, so the directory window shows.
    void startAtDirectoryWindow(const QString& language = QStringLiteral("EN"));
    // Ends the running editor and starts it again in the same folder, as the next run
    // of the program would (the profile and the label file keep what was written).
    void restart();

    // A widget or action by object name, in the main window unless another window is given.
    template <class T>
    T* child(const QString& objectName, QWidget* window = nullptr) const
    {
        QWidget* in = window ? window : static_cast<QWidget*>(app::mainWindow);
        return in ? in->findChild<T*>(objectName) : nullptr;
    }
    // The dialog of a kind the main window opened last and still shows.
    template <class T>
    static T* openDialog()
    {
        T* found = nullptr;
        for (T* dialog : app::mainWindow->findChildren<T*>())
            found = dialog->isVisible() ? dialog : found;
        return found;
    }
    // What a named widget shows: a field's text, a combo box's current item, a menu's title.
    QString shown(const QString& objectName, QWidget* window = nullptr) const;
    QStringList shown(const QStringList& objectNames) const;

    // What a user does, as mouse and key events.
    void triggerAction(const QString& objectName, QWidget* window = nullptr);
    void clickButton(const QString& objectName, QWidget* window = nullptr);
    // Presses Confirm in the directory window and answers the folder dialog with the folder.
    void confirmDirectory(const QString& folder);
    // Clears the line or text edit as a user would and types the text (a line edit then gets Return).
    void retype(const QString& objectName, const QString& text);
    // Opens a combo box and picks an item of its list with the keyboard.
    void choose(const QString& comboName, int index);
    // Presses the handle, drags it past the left or right end of the groove and lets go.
    void dragTo(const QString& sliderName, Qt::Edge end);
    // Drags the handle by dx pixels without letting go; release() lets go where it is.
    void pressAndDrag(QSlider* slider, int dx);
    void release(QSlider* slider);
    // Clicks the palette button of the open symbol picker that shows the symbol.
    void pickSymbol(const QString& symbol);

    // The one message shown since the last look, which must contain every part.
    void expectOneMessage(const QStringList& parts);
    // The same for the one question asked since the last look.
    void expectOneQuestion(const QStringList& parts);
    // Words of Latin letters in a text of another language, besides the file and
    // product names every language keeps: what would be an English fragment.
    static QStringList latinWords(const QString& text);
    // How many top-level windows of a kind there are (shown ones only, unless `all`).
    template <class T>
    static int windowsOf(bool all = false)
    {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            count += qobject_cast<T*>(window) && (all || window->isVisible()) ? 1 : 0;
        return count;
    }

    QString tempPath() const { return folder->path(); }
    QString homePath() const { return tempPath() + "/home"; }
    QString labelFilePath() const { return homePath() + "/Config/View/Labels.lua"; }
    QString profilePath() const { return tempPath() + "/data/profile.lua"; }
    QByteArray labelFileBytes() const { return readFile(labelFilePath()); }
    QByteArray profileBytes() const { return readFile(profilePath()); }
    static QByteArray readFile(const QString& path);
    // Replaces `from`, which must stand in the file exactly once, by `to`.
    static bool replaceOnce(const QString& path, const QByteArray& from, const QByteArray& to);
    // Makes a folder <tmp>/<name> holding a copy of a fixture as Config/View/Labels.lua.
    QString makeHome(const QString& name, const QString& fixture = QStringLiteral(HALVANE_FIXTURES "/Labels.lua"));

private:
    void layOut();
    void launch();
    void shutDown();
    // Back to the folder the test started in, then the test's folder is removed: Windows
    // cannot remove the current folder.
    void leaveFolder();

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<startup::Editor> editor;
    GuiWorld setUp;  // what the running editor was started on
    QString previousDirectory;
    QPoint grabbedAt;
};
