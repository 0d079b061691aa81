// Starting the editor: which window the user sees first, and in which language.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "GuiTestBase.h"
#include "model/Language.h"

class StartUpTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void labelFileOpensMainWindowInProfileLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");  // Apply, File menu, Restore Default, NEAR caption
        // clang-format off
        QTest::newRow("English") << "EN" << 0 << QStringList{"Apply", "File", "Restore Default", "NEAR"};
        QTest::newRow("Chinese") << "CN" << 1 << QStringList{"应用", "文件", "恢复默认", "近距离符号"};
        QTest::newRow("Russian") << "RU" << 2 << QStringList{"Применить", "Файл", "Восстановить по умолчанию",
                                                            "Символ ближнего диапазона"};
        QTest::newRow("Japanese") << "JP" << 3 << QStringList{"適用", "ファイル", "デフォルトに戻す", "近距離シンボル"};
        // clang-format on
    }

    void labelFileOpensMainWindowInProfileLanguage()
    {
        QFETCH(QString, code);
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        GuiWorld world;
        world.language = code;
        start(world);

        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
        QVERIFY(!app::directoryWindow->isVisible());
        QVERIFY(!app::symbolWindow->isVisible());
        QVERIFY(!app::confirmationWindow->isVisible());
        QCOMPARE(currentLanguage, language);
        QCOMPARE(shown({"pushButton_apply", "menuFile", "actionRestore_Default", "label_near_dis_weapon"}), texts);
        // Texts that no language changes.
        QCOMPARE(app::mainWindow->windowTitle(), QStringLiteral("HALVANE Label Manager"));
        QCOMPARE(shown({"action_Chinese", "comboBox_profille", "comboBox_symbol_pos_navy"}),
                 QStringList({"简体中文(Chinese)", "FULL", "LeftBottom"}));
        QCOMPARE(app::symbolWindow->windowTitle(), QStringLiteral("ChoseSymbol"));
        QWidget* confirmation = app::confirmationWindow;
        QCOMPARE(confirmation->windowTitle(), QStringLiteral("configuration applied"));
        QCOMPARE(shown("label", confirmation), QStringLiteral("Configuration applied"));
        QCOMPARE(shown("pushButton", confirmation), QStringLiteral("OK"));
        QCOMPARE(confirmation->minimumSize(), QSize(411, 96));
        QCOMPARE(confirmation->maximumSize(), QSize(411, 96));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void missingLabelFileOpensDirectoryWindowInTheProfilesLanguage()
    {
        GuiWorld world;
        world.fixture.clear();
        world.language = QStringLiteral("RU");
        start(world);

        QWidget* window = app::directoryWindow;
        QVERIFY(!app::mainWindow);
        QVERIFY(window->isVisible());
        QCOMPARE(currentLanguage, 2);
        QCOMPARE(shown("label", window), QStringLiteral("Выберите домашний каталог HALVANE WORLD."));
        QCOMPARE(shown("choseDirectory", window), QStringLiteral("Подтвердить"));
        QCOMPARE(shown("menuLanguage", window), QStringLiteral("Язык"));
        // The longer word widens the button to the left instead of being cut.
        auto* button = child<QPushButton>("choseDirectory", window);
        QVERIFY(button->width() >= button->sizeHint().width());
        QCOMPARE(button->geometry().right(), 450);
        QVERIFY(child<QLabel>("label", window)->geometry().right() < button->x());
        QCOMPARE(window->windowTitle(), QStringLiteral("ChoseDirectory"));
        QCOMPARE(window->size(), QSize(470, 119));
        QCOMPARE(window->minimumSize(), QSize(470, 119));
        QCOMPARE(window->maximumSize(), QSize(470, 119));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    // A name longer than any file system allows makes the existence test fail with an
    // error instead of "not found", as a folder without read permission would.
    void unreadableFolderIsReportedAndEditorStaysUsable()
    {
#ifdef Q_OS_WIN
        // Windows answers a name this long as not there (the errors the existence query
        // takes for "no", tests/windows), not as a folder it cannot read.
        QSKIP("a name too long is a failure to answer on POSIX systems only");
#endif
        const QString unreadable = QDir::tempPath() + "/" + QString(300, QLatin1Char('x'));
        GuiWorld world;
        world.language = QStringLiteral("JP");
        world.workDirectory = unreadable;
        start(world);

        QVERIFY(!app::mainWindow);
        QVERIFY(app::directoryWindow->isVisible());
        expectOneMessage({unreadable, QStringLiteral("フォルダー")});

        confirmDirectory(makeHome(QStringLiteral("readable")));
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
        QVERIFY(!app::directoryWindow->isVisible());
        QVERIFY(child<QCheckBox>("checkBox_weapon")->isChecked());
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
