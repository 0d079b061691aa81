// Choosing the simulator's home directory in the directory window.
#include <QCheckBox>
#include <QFile>

#include "GuiTestBase.h"

class DirectoryFlowTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void confirmStoresTheFolderAndOpensMainWindowOnlyWithLabelFile_data()
    {
        QTest::addColumn<QString>("fixture");  // of the chosen folder; "cancel": the dialog is cancelled
        QTest::addColumn<bool>("opens");
        // clang-format off
        QTest::newRow("with label file") << HALVANE_FIXTURES "/Labels.lua" << true;
        QTest::newRow("cancelled") << "cancel" << false;
        // clang-format on
    }

    void confirmStoresTheFolderAndOpensMainWindowOnlyWithLabelFile()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, opens);
        startAtDirectoryWindow();
        const QByteArray before = profileBytes();
        const bool cancelled = fixture == QStringLiteral("cancel");
        const QString home = cancelled ? QString() : makeHome(QStringLiteral("sim"), fixture);
        confirmDirectory(home);

        QCOMPARE(app::directoryWindow->isVisible(), !opens);
        QCOMPARE(app::mainWindow && app::mainWindow->isVisible(), opens);
        if (cancelled)
            QCOMPARE(profileBytes(), before);
        else
            QVERIFY(profileBytes().contains(QStringLiteral("WorkDirectory = \"%1\"").arg(home).toUtf8()));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        QVERIFY(dialogs::takeAskedQuestions().isEmpty());
    }

    // A player who never customised labels has no label file yet: one question (Yes by
    // default) makes it from the factory copy, byte for byte, and opens the main window.
    void folderWithoutLabelFileBecomesUsableInOneQuestion()
    {
        startAtDirectoryWindow();
        const QString home = makeHome(QStringLiteral("fresh"), QString());
        dialogs::presetAnswer(1);  // No: the directory window stays
        confirmDirectory(home);
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QVERIFY(app::directoryWindow->isVisible());
        QVERIFY(!QFile::exists(home + "/Config"));

        confirmDirectory(home);  // the default answer
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
        QVERIFY(!app::directoryWindow->isVisible());
        QCOMPARE(readFile(home + "/Config/View/Labels.lua"), readFile(tempPath() + "/data/default.lua"));
        QCOMPARE(shown("lineEdit_value_near_air"), QStringLiteral("10000"));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void damagedFactoryCopyMakesNoLabelFile()
    {
        startAtDirectoryWindow();
        QVERIFY(replaceOnce(tempPath() + "/data/default.lua", "LEVEL_FULL", "LEVEL_FOOL"));
        const QString home = makeHome(QStringLiteral("fresh"), QString());
        confirmDirectory(home);
        expectOneMessage({QStringLiteral("Labels.lua could not be created: data/default.lua is damaged")});
        QVERIFY(app::directoryWindow->isVisible());
        QVERIFY(!QFile::exists(home + "/Config/View/Labels.lua"));
    }

    // A profile the editor cannot add to is kept aside and replaced, so the folder chosen
    // is there at the next start.
    void folderChoiceSticksOverADamagedProfile()
    {
        startAtDirectoryWindow();
        QFile profile(profilePath());
        QVERIFY(profile.open(QIODevice::WriteOnly));
        profile.write("Language = EN\nx = {\n");
        profile.close();
        restart();
        const QString home = makeHome(QStringLiteral("sim"));
        confirmDirectory(home);
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
        restart();
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
        QCOMPARE(readFile(tempPath() + "/data/profile-damaged.lua.bak"), QByteArray("Language = EN\nx = {\n"));
    }

    // The second folder differs from the first in one setting, so the refill shows.
    void secondConfirmRefreshesTheSameMainWindow()
    {
        MainWindow* const first = app::mainWindow;
        QVERIFY(child<QCheckBox>("checkBox_weapon")->isChecked());
        const QString other = makeHome(QStringLiteral("other"));
        QVERIFY(replaceOnce(other + "/Config/View/Labels.lua", "WeaponOn \t\t \t\t= true", "WeaponOn = false"));

        triggerAction("actionSelectDirectory");
        QVERIFY(!first->isVisible());
        QVERIFY(app::directoryWindow->isVisible());
        confirmDirectory(other);

        QCOMPARE(app::mainWindow, first);
        QVERIFY(first->isVisible());
        QVERIFY(!app::directoryWindow->isVisible());
        QVERIFY(!child<QCheckBox>("checkBox_weapon")->isChecked());
        QCOMPARE(windowsOf<MainWindow>(true), 1);
    }

    void unreadableFolderIsReported()
    {
#ifdef Q_OS_WIN
        // Windows answers a name this long as not there (the errors the existence query
        // takes for "no", tests/windows), not as a folder it cannot read.
        QSKIP("a name too long is a failure to answer on POSIX systems only");
#endif
        startAtDirectoryWindow();
        confirmDirectory(tempPath() + "/" + QString(300, QLatin1Char('x')));
        QVERIFY(app::directoryWindow->isVisible());
        QVERIFY(!app::mainWindow);
        expectOneMessage({QStringLiteral("could not be read")});

        confirmDirectory(makeHome(QStringLiteral("sim")));
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
    }

    // A folder in place of the profile cannot be written, whoever runs the test.
    void profileThatCannotBeWrittenIsReported()
    {
        startAtDirectoryWindow();
        QVERIFY(QFile::remove(profilePath()));
        QVERIFY(QDir().mkpath(profilePath()));
        confirmDirectory(makeHome(QStringLiteral("sim")));

        expectOneMessage({QStringLiteral("Your choice could not be saved in the editor's profile")});
        // The folder is used for this run all the same.
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
    }
};

QTEST_MAIN(DirectoryFlowTest)
#include "tst_directory_flow.moc"
