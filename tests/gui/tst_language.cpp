// Switching the interface language from the directory window, and what each window shows.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "Dialogs.h"
#include "GuiTestBase.h"
#include "Language.h"

class LanguageTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void directoryWindowSwitches_data();
    void directoryWindowSwitches();
    void currentLanguageLeavesProfileUntouched();
    void russianThenValidFolderOpensRussianMainWindow();
    void japaneseMainWindowKeepsFixedTexts();
    void languageThatCannotBeSavedIsReported();

private:
    void startAtDirectoryWindow(const QString& language = QStringLiteral("EN"));
    QString directoryLabel() const;
};

void LanguageTest::startAtDirectoryWindow(const QString& language)
{
    GuiWorld world;
    world.fixture.clear();
    world.language = language;
    start(world);
    QVERIFY(app::directoryWindow->isVisible());
}

QString LanguageTest::directoryLabel() const
{
    return child<QLabel>("label", app::directoryWindow)->text();
}

void LanguageTest::directoryWindowSwitches_data()
{
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Chinese") << QByteArray("action_Chinese") << 1 << "CN" << "选择HALVANE WORLD的主目录。" << "确认"
                             << "语言";
    QTest::newRow("Russian") << QByteArray("action_Russian") << 2 << "RU"
                             << "Выберите домашний каталог HALVANE WORLD." << "Подтвердить" << "Язык";
    QTest::newRow("Japanese") << QByteArray("action_Japanese") << 3 << "JP"
                              << "HALVANE WORLDのホームディレクトリを選択してください。" << "確認" << "言語";
}

void LanguageTest::directoryWindowSwitches()
{
    QFETCH(QByteArray, action);
    QFETCH(int, language);
    QFETCH(QString, code);
    QFETCH(QString, prompt);
    QFETCH(QString, button);
    QFETCH(QString, menu);
    startAtDirectoryWindow();

    triggerAction(action.constData(), app::directoryWindow);
    QCOMPARE(currentLanguage, language);
    QCOMPARE(directoryLabel(), prompt);
    QCOMPARE(child<QPushButton>("choseDirectory", app::directoryWindow)->text(), button);
    QCOMPARE(child<QMenu>("menuLanguage", app::directoryWindow)->title(), menu);
    QCOMPARE(app::directoryWindow->windowTitle(), QStringLiteral("ChoseDirectory"));
    QCOMPARE(child<QAction>("action_Chinese", app::directoryWindow)->text(), QStringLiteral("中文(Chinese)"));
    QVERIFY(QString::fromUtf8(profileBytes()).contains(QStringLiteral("Language = ") + code));

    // Back to English, and the next start reads the choice from the profile.
    triggerAction("action_English", app::directoryWindow);
    QCOMPARE(directoryLabel(), QStringLiteral("Select the home directory of HALVANE WORLD."));
    QVERIFY(QString::fromUtf8(profileBytes()).contains(QStringLiteral("Language = EN")));
    triggerAction(action.constData(), app::directoryWindow);
    restart();
    QCOMPARE(currentLanguage, language);
}

// An old modification time shows whether the file was written again.
void LanguageTest::currentLanguageLeavesProfileUntouched()
{
    startAtDirectoryWindow(QStringLiteral("RU"));
    const QDateTime old(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
    {
        QFile profile(profilePath());
        QVERIFY(profile.open(QIODevice::ReadWrite));
        QVERIFY(profile.setFileTime(old, QFileDevice::FileModificationTime));
    }
    const QByteArray before = profileBytes();

    triggerAction("action_Russian", app::directoryWindow);
    QCOMPARE(profileBytes(), before);
    QCOMPARE(QFileInfo(profilePath()).lastModified().toUTC(), old);
    // Nothing was applied either: the window still shows the English of its form.
    QCOMPARE(directoryLabel(), QStringLiteral("Select the home directory of HALVANE WORLD."));
    QCOMPARE(currentLanguage, 2);
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

void LanguageTest::russianThenValidFolderOpensRussianMainWindow()
{
    startAtDirectoryWindow();
    triggerAction("action_Russian", app::directoryWindow);
    dialogs::presetDirectory(makeHome(QStringLiteral("sim")));
    clickButton("choseDirectory", app::directoryWindow);

    QVERIFY(app::mainWindow);
    QCOMPARE(child<QPushButton>("pushButton_apply")->text(), QStringLiteral("Применить"));
    QCOMPARE(child<QMenu>("menuFeature")->title(), QStringLiteral("Функция"));
    QCOMPARE(child<QAction>("actionSelectDirectory")->text(), QStringLiteral("Выбрать папку заново"));
    for (const char* name : {"checkBox_aircraft", "radioButton_aircraft"})
        QCOMPARE(child<QAbstractButton>(name)->text(), QStringLiteral("Самолет"));
    for (const char* name : {"label_near_air", "label_far_air", "label_pos_air", "label_dis_air"})
        QCOMPARE(child<QLabel>(name)->text(), QStringLiteral("Самолет"));
}

void LanguageTest::japaneseMainWindowKeepsFixedTexts()
{
    GuiWorld world;
    world.language = QStringLiteral("JP");
    start(world);

    QCOMPARE(child<QPushButton>("pushButton_apply")->text(), QStringLiteral("適用"));
    QCOMPARE(child<QMenu>("menuFile")->title(), QStringLiteral("ファイル"));
    QCOMPARE(child<QAction>("actionRestore_Default")->text(), QStringLiteral("デフォルトに戻す"));
    QCOMPARE(child<QLabel>("label_distance_setttings_2")->text(), QStringLiteral("距離設定"));
    QCOMPARE(child<QLabel>("label_near_dis_weapon")->text(), QStringLiteral("近距離シンボル"));
    QCOMPARE(child<QLabel>("label_dot_dis_navy")->text(), QStringLiteral("ドットシンボル"));
    QCOMPARE(child<QRadioButton>("radioButton_side_blue")->text(), QStringLiteral("青"));
    // Texts that no language changes.
    QCOMPARE(app::mainWindow->windowTitle(), QStringLiteral("HALVANE Label Manager"));
    QCOMPARE(child<QAction>("action_Chinese")->text(), QStringLiteral("简体中文(Chinese)"));
    QCOMPARE(child<QComboBox>("comboBox_profille")->itemText(1), QStringLiteral("ABBREVIATED"));
    QCOMPARE(child<QComboBox>("comboBox_symbol_pos_navy")->itemText(6), QStringLiteral("CenterCenter"));
}

// A folder in place of the profile cannot be written, whoever runs the test.
void LanguageTest::languageThatCannotBeSavedIsReported()
{
    startAtDirectoryWindow();
    QVERIFY(QFile::remove(profilePath()));
    QVERIFY(QDir().mkpath(profilePath()));

    triggerAction("action_Japanese", app::directoryWindow);
    const QStringList messages = dialogs::takeShownMessages();
    QCOMPARE(messages.size(), 1);
    // The message already speaks the chosen language, and the choice holds for this run.
    QVERIFY2(messages.first().contains(QStringLiteral("data/profile.lua に保存できませんでした")),
             qPrintable(messages.first()));
    QCOMPARE(currentLanguage, 3);
    QCOMPARE(directoryLabel(), QStringLiteral("HALVANE WORLDのホームディレクトリを選択してください。"));
}

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
