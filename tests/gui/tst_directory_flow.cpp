// Choosing the simulator's home directory in the directory window.
#include <QCheckBox>
#include <QFile>
#include <QRegularExpression>

#include "Dialogs.h"
#include "GuiTestBase.h"

class DirectoryFlowTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void windowHasFixedSize();
    void folderWithLabelFileOpensMainWindow();
    void folderWithoutLabelFileKeepsWindowOpen();
    void cancelKeepsStoredFolder();
    void secondConfirmRefreshesTheSameMainWindow();
    void unreadableFolderIsReported();
    void profileThatCannotBeWrittenIsReported();

private:
    void startAtDirectoryWindow();
    void confirm(const QString& folder);
    QString storedFolderLine(const QString& folder) const;
};

void DirectoryFlowTest::startAtDirectoryWindow()
{
    GuiWorld world;
    world.fixture.clear();
    start(world);
    QVERIFY(app::directoryWindow->isVisible());
}

void DirectoryFlowTest::confirm(const QString& folder)
{
    dialogs::presetDirectory(folder);
    clickButton("choseDirectory", app::directoryWindow);
}

QString DirectoryFlowTest::storedFolderLine(const QString& folder) const
{
    return QStringLiteral("WorkDirectory = \"%1\"").arg(folder);
}

void DirectoryFlowTest::windowHasFixedSize()
{
    startAtDirectoryWindow();
    QCOMPARE(app::directoryWindow->size(), QSize(470, 119));
    QCOMPARE(app::directoryWindow->minimumSize(), QSize(470, 119));
    QCOMPARE(app::directoryWindow->maximumSize(), QSize(470, 119));
}

void DirectoryFlowTest::folderWithLabelFileOpensMainWindow()
{
    startAtDirectoryWindow();
    const QString home = makeHome(QStringLiteral("sim"));
    confirm(home);

    QVERIFY(!app::directoryWindow->isVisible());
    QVERIFY(app::mainWindow);
    QVERIFY(app::mainWindow->isVisible());
    QVERIFY(QString::fromUtf8(profileBytes()).contains(storedFolderLine(home)));
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

void DirectoryFlowTest::folderWithoutLabelFileKeepsWindowOpen()
{
    startAtDirectoryWindow();
    const QString empty = makeHome(QStringLiteral("empty"), QString());
    confirm(empty);

    QVERIFY(app::directoryWindow->isVisible());
    QVERIFY(!app::mainWindow);
    QVERIFY(QString::fromUtf8(profileBytes()).contains(storedFolderLine(empty)));
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

void DirectoryFlowTest::cancelKeepsStoredFolder()
{
    startAtDirectoryWindow();
    const QByteArray before = profileBytes();
    confirm(QString());

    QVERIFY(app::directoryWindow->isVisible());
    QVERIFY(!app::mainWindow);
    QCOMPARE(profileBytes(), before);
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

// The second folder differs from the first in one setting, so the refill shows.
void DirectoryFlowTest::secondConfirmRefreshesTheSameMainWindow()
{
    MainWindow* const first = app::mainWindow;
    QVERIFY(first);
    QVERIFY(child<QCheckBox>("checkBox_weapon")->isChecked());

    const QString other = makeHome(QStringLiteral("other"));
    QFile labels(other + "/Config/View/Labels.lua");
    QVERIFY(labels.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(labels.readAll());
    labels.close();
    text.replace(QRegularExpression(QStringLiteral("(WeaponOn[^=]*=\\s*)true")), QStringLiteral("\\1false"));
    QVERIFY(labels.open(QIODevice::WriteOnly | QIODevice::Truncate));
    labels.write(text.toUtf8());
    labels.close();

    triggerAction("actionSelectDirectory");
    QVERIFY(!first->isVisible());
    QVERIFY(app::directoryWindow->isVisible());
    confirm(other);

    QCOMPARE(app::mainWindow, first);
    QVERIFY(first->isVisible());
    QVERIFY(!app::directoryWindow->isVisible());
    QVERIFY(!child<QCheckBox>("checkBox_weapon")->isChecked());
    int mainWindows = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        mainWindows += qobject_cast<MainWindow*>(window) ? 1 : 0;
    QCOMPARE(mainWindows, 1);
}

void DirectoryFlowTest::unreadableFolderIsReported()
{
    startAtDirectoryWindow();
    const QString unreadable = tempPath() + "/" + QString(300, QLatin1Char('x'));
    confirm(unreadable);

    QVERIFY(app::directoryWindow->isVisible());
    QVERIFY(!app::mainWindow);
    const QStringList messages = dialogs::takeShownMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(QStringLiteral("could not be read")), qPrintable(messages.first()));

    confirm(makeHome(QStringLiteral("sim")));
    QVERIFY(app::mainWindow);
    QVERIFY(app::mainWindow->isVisible());
}

// A folder in place of the profile cannot be written, whoever runs the test.
void DirectoryFlowTest::profileThatCannotBeWrittenIsReported()
{
    startAtDirectoryWindow();
    QVERIFY(QFile::remove(profilePath()));
    QVERIFY(QDir().mkpath(profilePath()));
    confirm(makeHome(QStringLiteral("sim")));

    const QStringList messages = dialogs::takeShownMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(QStringLiteral("data/profile.lua")), qPrintable(messages.first()));
    // The folder is used for this run all the same.
    QVERIFY(app::mainWindow);
    QVERIFY(app::mainWindow->isVisible());
}

QTEST_MAIN(DirectoryFlowTest)
#include "tst_directory_flow.moc"
