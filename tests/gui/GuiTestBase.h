#pragma once
// Base of the GUI test classes. Every test starts the editor afresh in its own
// temporary folder laid out like a player's machine:
//   <tmp>/home/Config/View/Labels.lua   a copy of a fixture (the simulator's home)
//   <tmp>/data/profile.lua              Language and WorkDirectory
//   <tmp>/data/default.lua              the factory copy shipped with the editor
// with <tmp> as the current directory and the dialog seam answering from presets.
// The models and windows are built by the same start-up functions as the program.
#include <QByteArray>
#include <QDir>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "AppContext.h"
#include "MainWindow.h"
#include "SDwindow.h"
#include "SymbolWindow.h"
#include "confirmWindow.h"

// What the temporary folder holds before the editor starts.
struct GuiWorld {
    // Copied to <tmp>/home/Config/View/Labels.lua; empty: no label file.
    QString fixture = QStringLiteral(HALVANE_FIXTURES "/Labels.lua");
    // The Language value of the profile ("EN", "CN", "RU", "JP").
    QString language = QStringLiteral("EN");
    // The WorkDirectory value of the profile; empty: <tmp>/home.
    QString workDirectory;
};

class GuiTestBase : public QObject {
    Q_OBJECT

protected slots:
    // Qt Test calls these around every test function of the derived class. A derived
    // class that needs its own init/cleanup calls these first.
    void init();
    void cleanup();

protected:
    // Throws away the running editor and starts a fresh one in a new folder.
    void start(const GuiWorld& world = GuiWorld());
    // Ends the running editor and starts it again in the same folder, as the next run
    // of the program would (the profile and the label file keep what was written).
    void restart();

    // A widget or action by object name, in the main window unless another window is given.
    template <class T>
    T* child(const char* objectName, QWidget* window = nullptr) const
    {
        QWidget* in = window ? window : static_cast<QWidget*>(app::mainWindow);
        return in ? in->findChild<T*>(QString::fromLatin1(objectName)) : nullptr;
    }
    // Triggers a menu action found by object name (main window unless another is given).
    void triggerAction(const char* objectName, QWidget* window = nullptr);
    // Clicks a button found by object name with the left mouse button.
    void clickButton(const char* objectName, QWidget* window = nullptr);

    QString tempPath() const;      // <tmp>
    QString homePath() const;      // <tmp>/home
    QString labelFilePath() const; // <tmp>/home/Config/View/Labels.lua
    QString profilePath() const;   // <tmp>/data/profile.lua
    QByteArray labelFileBytes() const;
    QByteArray profileBytes() const;
    // Rewrites the profile's Language statement, e.g. before restart().
    void setLanguageInProfile(const QString& code);
    // Makes a folder <tmp>/<name> holding a copy of a fixture as Config/View/Labels.lua.
    QString makeHome(const QString& name, const QString& fixture = QStringLiteral(HALVANE_FIXTURES "/Labels.lua"));

private:
    void layOut();
    void writeProfile();
    void launch();
    void shutDown();

    std::unique_ptr<QTemporaryDir> folder;
    GuiWorld world;
    QString previousDirectory;
};
