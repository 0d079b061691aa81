// Switching the interface language in the directory window and in the main window.
#include <QDateTime>
#include <QDir>
#include <QFile>

#include "GuiTestBase.h"
#include "model/Language.h"

namespace {
const QString englishPrompt = QStringLiteral("Select the home directory of HALVANE WORLD.");
const QString japanesePrompt = QStringLiteral("HALVANE WORLDのホームディレクトリを選択してください。");
}  // namespace

class LanguageTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void directoryWindowSwitches_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("texts");  // prompt, button, menu
        // clang-format off
        QTest::newRow("Chinese") << "action_Chinese" << 1 << "CN"
                                 << QStringList{"选择HALVANE WORLD的主目录。", "确认", "语言"};
        QTest::newRow("Russian") << "action_Russian" << 2 << "RU"
                                 << QStringList{"Выберите домашний каталог HALVANE WORLD.", "Подтвердить", "Язык"};
        QTest::newRow("Japanese") << "action_Japanese" << 3 << "JP" << QStringList{japanesePrompt, "確認", "言語"};
        // clang-format on
    }

    void directoryWindowSwitches()
    {
        QFETCH(QString, action);
        QFETCH(int, language);
        QFETCH(QString, code);
        QFETCH(QStringList, texts);
        startAtDirectoryWindow();
        QWidget* window = app::directoryWindow;

        triggerAction(action, window);
        QCOMPARE(currentLanguage, language);
        QCOMPARE(QStringList({shown("label", window), shown("choseDirectory", window), shown("menuLanguage", window)}),
                 texts);
        QCOMPARE(window->windowTitle(), QStringLiteral("ChoseDirectory"));
        QCOMPARE(shown("action_Chinese", window), QStringLiteral("中文(Chinese)"));
        QVERIFY(profileBytes().contains("Language = " + code.toLatin1()));

        // Back to English, and the next start reads the choice from the profile.
        triggerAction("action_English", window);
        QCOMPARE(shown("label", window), englishPrompt);
        QVERIFY(profileBytes().contains("Language = EN"));
        triggerAction(action, window);
        restart();
        QCOMPARE(currentLanguage, language);
    }

    // The directory window speaks the profile's language from the start; choosing that
    // language again writes nothing.
    void currentLanguageInDirectoryWindowChangesNothing()
    {
        startAtDirectoryWindow(QStringLiteral("RU"));
        const QString russianPrompt = QStringLiteral("Выберите домашний каталог HALVANE WORLD.");
        QCOMPARE(shown("label", app::directoryWindow), russianPrompt);
        chooseCurrentLanguage("action_Russian", app::directoryWindow);
        QCOMPARE(shown("label", app::directoryWindow), russianPrompt);
        QCOMPARE(currentLanguage, 2);
    }

    void russianThenValidFolderOpensRussianMainWindow()
    {
        startAtDirectoryWindow();
        triggerAction("action_Russian", app::directoryWindow);
        confirmDirectory(makeHome(QStringLiteral("sim")));

        QVERIFY(app::mainWindow);
        QCOMPARE(shown({"pushButton_apply", "menuFeature", "actionSelectDirectory"}),
                 QStringList({"Применить", "Функция", "Выбрать папку заново"}));
        for (const char* name : {"checkBox_aircraft", "radioButton_aircraft", "label_near_air", "label_far_air",
                                 "label_pos_air", "label_dis_air"})
            QCOMPARE(shown(name), QStringLiteral("Самолет"));
    }

    void mainWindowSwitchHoldsAfterReloadAndRestoreDefault()
    {
        const QStringList japanese = {"適用", "ファイル", "青", "ドットシンボル"};
        const QStringList names = {"pushButton_apply", "menuFile", "radioButton_side_blue", "label_dot_dis_navy"};
        triggerAction("action_Japanese");
        QCOMPARE(currentLanguage, 3);
        QCOMPARE(shown(names), japanese);
        QVERIFY(profileBytes().contains("Language = JP"));
        QCOMPARE(app::mainWindow->windowTitle(), QStringLiteral("HALVANE Label Manager"));
        QCOMPARE(shown({"action_English", "comboBox_profille"}), QStringList({"English(English)", "FULL"}));

        triggerAction("actionReload");
        QCOMPARE(shown(names), japanese);
        triggerAction("actionRestore_Default");
        QCOMPARE(shown(names), japanese);
        chooseCurrentLanguage("action_Japanese");
        QCOMPARE(shown(names), japanese);

        // The directory window takes the language when it is shown again.
        triggerAction("actionSelectDirectory");
        QCOMPARE(shown("label", app::directoryWindow), japanesePrompt);
    }

    void failuresAreWordedWholeInEachLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("control");     // how the refused symbol's reason is worded
        QTest::addColumn<QString>("folderGone");  // how a failed write's reason is worded
        // clang-format off
        QTest::newRow("Chinese") << "CN" << "制表符或其他控制字符（标签无法显示）" << "所在文件夹不存在";
        QTest::newRow("Russian") << "RU" << "табуляцию или другой управляющий символ, которые метка не может показать"
                                 << "его папка не существует";
        QTest::newRow("Japanese") << "JP" << "ラベルに表示できないタブなどの制御文字" << "フォルダーが存在しません";
        // clang-format on
    }

    // A refusal and a failed write say why in the window's language, with no English
    // fragment inside the sentence.
    void failuresAreWordedWholeInEachLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, control);
        QFETCH(QString, folderGone);
        GuiWorld world;
        world.language = language;
        start(world);

        retype("textEdit_far_air", QStringLiteral("\t✈"));
        clickButton("pushButton_apply");
        QStringList messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(control), qPrintable(messages.first()));
        QCOMPARE(latinWords(messages.first()), QStringList());

        retype("textEdit_far_air", QStringLiteral("✈"));
        clickButton("checkBox_weapon");
        QVERIFY(QDir(homePath() + "/Config/View").removeRecursively());
        dialogs::presetAnswer(1);  // the file is gone: overwrite
        clickButton("pushButton_apply");
        messages = dialogs::takeShownMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(folderGone), qPrintable(messages.first()));
        QCOMPARE(latinWords(messages.first()), QStringList());
    }

    // A folder in place of the profile cannot be written, whoever runs the test.
    void languageThatCannotBeSavedIsReported()
    {
        startAtDirectoryWindow();
        QVERIFY(QFile::remove(profilePath()));
        QVERIFY(QDir().mkpath(profilePath()));

        triggerAction("action_Japanese", app::directoryWindow);
        // The message already speaks the chosen language, and the choice holds for this run.
        const QStringList shownMessages = dialogs::takeShownMessages();
        QCOMPARE(shownMessages.size(), 1);
        QVERIFY(shownMessages.first().contains(QStringLiteral("エディターのプロファイルに保存できませんでした")));
        QVERIFY(shownMessages.first().contains(QStringLiteral("同じ名前のフォルダーがあります")));
        QCOMPARE(latinWords(shownMessages.first()), QStringList());
        QCOMPARE(currentLanguage, 3);
        QCOMPARE(shown("label", app::directoryWindow), japanesePrompt);
    }

private:
    // Chooses the language that is already current: the profile is not written again.
    // An old modification time shows whether the file was written again.
    void chooseCurrentLanguage(const QString& action, QWidget* window = nullptr)
    {
        const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile profile(profilePath());
            QVERIFY(profile.open(QIODevice::ReadWrite));
            QVERIFY(profile.setFileTime(old, QFileDevice::FileModificationTime));
        }
        const QByteArray before = profileBytes();
        triggerAction(action, window);
        QCOMPARE(profileBytes(), before);
        QCOMPARE(QFileInfo(profilePath()).lastModified().toUTC(), old);
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
