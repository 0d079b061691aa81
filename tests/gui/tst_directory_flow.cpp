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
        QTest::newRow("without label file") << "" << false;
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

        expectOneMessage({QStringLiteral("data/profile.lua")});
        // The folder is used for this run all the same.
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
    }
};

QTEST_MAIN(DirectoryFlowTest)
#include "tst_directory_flow.moc"
