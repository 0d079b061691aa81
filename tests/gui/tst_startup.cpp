// Starting the editor: which window the user sees first, and in which language.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "Dialogs.h"
#include "GuiTestBase.h"
#include "Language.h"

class StartUpTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void labelFileOpensMainWindowInProfileLanguage_data();
    void labelFileOpensMainWindowInProfileLanguage();
    void missingLabelFileOpensDirectoryWindowInEnglish();
    void unreadableFolderIsReportedAndDirectoryWindowShown();
};

void StartUpTest::labelFileOpensMainWindowInProfileLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("apply");
    QTest::addColumn<QString>("fileMenu");
    QTest::newRow("English") << "EN" << 0 << "Apply" << "File";
    QTest::newRow("Chinese") << "CN" << 1 << "应用" << "文件";
    QTest::newRow("Russian") << "RU" << 2 << "Применить" << "Файл";
    QTest::newRow("Japanese") << "JP" << 3 << "適用" << "ファイル";
}

void StartUpTest::labelFileOpensMainWindowInProfileLanguage()
{
    QFETCH(QString, code);
    QFETCH(int, language);
    QFETCH(QString, apply);
    QFETCH(QString, fileMenu);
    GuiWorld world;
    world.language = code;
    start(world);

    QVERIFY(app::mainWindow);
    QVERIFY(app::mainWindow->isVisible());
    QVERIFY(!app::directoryWindow->isVisible());
    QVERIFY(!app::symbolWindow->isVisible());
    QVERIFY(!app::confirmationWindow->isVisible());
    QCOMPARE(currentLanguage, language);
    QCOMPARE(child<QPushButton>("pushButton_apply")->text(), apply);
    QCOMPARE(child<QMenu>("menuFile")->title(), fileMenu);
    QCOMPARE(app::mainWindow->windowTitle(), QStringLiteral("HALVANE Label Manager"));
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

void StartUpTest::missingLabelFileOpensDirectoryWindowInEnglish()
{
    GuiWorld world;
    world.fixture.clear();
    world.language = QStringLiteral("RU");
    start(world);

    QVERIFY(!app::mainWindow);
    QVERIFY(app::directoryWindow->isVisible());
    QCOMPARE(currentLanguage, 2);
    QCOMPARE(child<QLabel>("label", app::directoryWindow)->text(),
             QStringLiteral("Select the home directory of HALVANE WORLD."));
    QCOMPARE(child<QPushButton>("choseDirectory", app::directoryWindow)->text(), QStringLiteral("Confirm"));
    QCOMPARE(child<QMenu>("menuLanguage", app::directoryWindow)->title(), QStringLiteral("Language"));
    QCOMPARE(app::directoryWindow->windowTitle(), QStringLiteral("ChoseDirectory"));
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

// A name longer than any file system allows makes the existence test fail with an
// error instead of "not found", as a folder without read permission would.
void StartUpTest::unreadableFolderIsReportedAndDirectoryWindowShown()
{
    const QString unreadable = QDir::tempPath() + "/" + QString(300, QLatin1Char('x'));
    GuiWorld world;
    world.language = QStringLiteral("JP");
    world.workDirectory = unreadable;
    start(world);

    QVERIFY(!app::mainWindow);
    QVERIFY(app::directoryWindow->isVisible());
    const QStringList messages = dialogs::takeShownMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(unreadable), qPrintable(messages.first()));
    QVERIFY2(messages.first().contains(QStringLiteral("フォルダー")), qPrintable(messages.first()));

    // The editor stays usable: a readable folder opens the main window.
    dialogs::presetDirectory(makeHome(QStringLiteral("readable")));
    clickButton("choseDirectory", app::directoryWindow);
    QVERIFY(app::mainWindow);
    QVERIFY(app::mainWindow->isVisible());
    QVERIFY(!app::directoryWindow->isVisible());
    QVERIFY(child<QCheckBox>("checkBox_weapon")->isChecked());
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
