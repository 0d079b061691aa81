// Pressing Apply: what reaches Labels.lua, what is refused before anything is written,
// and what the user is told when the file cannot be written or holds no place for a value.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>

#include "FullDisk.h"
#include "GuiTestBase.h"
#include "model/LabelConfig.h"

class ApplyTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void editsAtEveryLevelReachTheFile()
    {
        // FULL: symbols, colours, size, visibility, an alignment and two distances.
        retype("textEdit_near_ground", QStringLiteral("▲"));
        clickButton("pushButton_symbol_far_navy");
        pickSymbol(QStringLiteral("⊕"));
        dialogs::presetColour(QColor(10, 200, 30));
        clickButton("pushButton_red_color");
        dialogs::presetColour(QColor(255, 255, 0));
        clickButton("pushButton_blue_color");
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(child<QSlider>("horizontalSlider_symbol_size"), Qt::Key_Right);
        clickButton("checkBox_weapon");
        choose("comboBox_symbol_pos_air", 5);
        retype("lineEdit_value_near_ground", QStringLiteral("6000"));
        dragTo("horizontalSlider_dot_navy", Qt::RightEdge);
        press();

        // ABBREVIATED: an alignment, a dragged distance that the rule lowers, a weapon distance.
        choose("comboBox_profille", 1);
        choose("comboBox_symbol_pos_navy", 3);
        dragTo("horizontalSlider_near_air", Qt::RightEdge);
        QCOMPARE(shown("lineEdit_value_near_air"), QStringLiteral("15999"));
        retype("lineEdit_value_near_weapon", QStringLiteral("4500"));
        press();

        // DOT: an alignment and a distance.
        choose("comboBox_profille", 2);
        choose("comboBox_symbol_pos_weapon", 0);
        retype("lineEdit_value_dot_ground", QStringLiteral("15000"));
        press();

        QVERIFY(dialogs::takeShownMessages().isEmpty());
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        clickButton("pushButton", app::confirmationWindow);
        QCOMPARE(windowsOf<confirmWindow>(), 0);

        const QByteArray written = labelFileBytes();
        const QByteArray expected = readFile(QStringLiteral(HALVANE_TESTS_DIR "/gui/expected/Labels-after-edits.lua"));
        QVERIFY(!expected.isEmpty());
        if (written != expected) {
            QFile actual(QDir::temp().filePath(QStringLiteral("Labels-after-edits.actual.lua")));
            if (actual.open(QIODevice::WriteOnly))
                actual.write(written);
            QFAIL(qPrintable("Labels.lua differs from the expected file; it was saved as " + actual.fileName()));
        }
    }

    void applyingTwiceWritesTheSameFile()
    {
        retype("lineEdit_value_far_air", QStringLiteral("25000"));
        press();
        const QByteArray once = labelFileBytes();
        QVERIFY(once.contains("[25000]"));
        press();
        QCOMPARE(labelFileBytes(), once);
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        // The rewritten file reads back without complaint.
        restart();
        QCOMPARE(shown("lineEdit_value_far_air"), QStringLiteral("25000"));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void valueTheFileCannotTakeIsRefusedAndNamed_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("because");
        const auto row = [](const char* tag, int level, const char* field, const char* text, const char* named,
                            const char* because) {
            QTest::newRow(tag) << level << QString(field) << QString(text) << QString(named) << QString(because);
        };
        const char* notNumber = "Each must be a whole number from 0 to 1000000";
        row("empty FULL distance", 0, "lineEdit_value_far_ground", "", "FULL Distance Settings: Ground (FAR)",
            notNumber);
        row("empty DOT distance", 2, "lineEdit_value_near_weapon", "", "DOT Distance Settings: Weapon (NEAR)",
            notNumber);
        // A tab pasted in; the Tab key itself moves the focus.
        row("symbol with a tab", 0, "textEdit_near_navy", "\t˜", "Near Symbol: Navy",
            "a tab or another control character, which no label can show");
    }

    // Brackets, quotes, "--" and block words are text in a Lua string, as Lua reads it.
    void symbolsOfLuasOwnMarksAreWrittenAndReadBack()
    {
        const QStringList symbols = {"a]", "\"", "--", "for", "{", "\\"};
        const QStringList fields = {"textEdit_near_navy",   "textEdit_far_navy",    "textEdit_far_air",
                                    "textEdit_near_weapon", "textEdit_near_ground", "textEdit_far_ground"};
        for (int i = 0; i < fields.size(); ++i)
            retype(fields[i], symbols[i]);
        press();
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        QVERIFY(labelFileBytes().contains("local navy_symbol_far = \"\\\"\""));
        restart();
        QCOMPARE(shown(fields), symbols);
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void valueTheFileCannotTakeIsRefusedAndNamed()
    {
        QFETCH(int, level);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, named);
        QFETCH(QString, because);
        choose("comboBox_profille", level);
        retype(field, text);
        QCOMPARE(shown(field), text);
        const QByteArray before = labelFileBytes();
        press();
        expectOneMessage({named, because, QStringLiteral("Nothing was written")});
        QCOMPARE(labelFileBytes(), before);
        QVERIFY(app::labelConfig->getPendingEdits().empty());
        QCOMPARE(windowsOf<confirmWindow>(), 0);
    }

    void failedWriteShowsWhyAndNoConfirmation()
    {
        // The folder of Labels.lua is moved away and a plain file stands in its place, so
        // not even a temporary file can be made there (permission bits do not stop root).
        const QString view = homePath() + "/Config/View";
        const QString aside = homePath() + "/Config/View-aside";
        const QByteArray original = labelFileBytes();
        QVERIFY(QDir().rename(view, aside));
        QFile blocker(view);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        retype("lineEdit_value_far_air", QStringLiteral("25000"));
        dialogs::presetAnswer(1);  // the file is gone: overwrite
        press();
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        expectOneMessage({QStringLiteral("Labels.lua could not be written: its folder does not exist")});
        QCOMPARE(windowsOf<confirmWindow>(), 0);
        QCOMPARE(readFile(aside + "/Labels.lua"), original);
        QCOMPARE(shown("lineEdit_value_far_air"), QStringLiteral("25000"));

        // With the folder back, the same values are written.
        QVERIFY(QFile::remove(view));
        QVERIFY(QDir().rename(aside, view));
        press();
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        QVERIFY(labelFileBytes().contains("[25000]"));
    }

    // The disk fills up between two Applies: the second one says so and leaves the file as
    // the first one wrote it.
    void fullDiskLeavesTheFirstApply()
    {
        const QByteArray original = labelFileBytes();
        const SmallFileSystem disk(homePath() + "/Config/View");
        if (!disk.mounted)
            QSKIP("a small file system needs root to mount");
        QFile copy(labelFilePath());
        QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(original) == original.size());
        copy.close();
        triggerAction("actionReload");  // the same file, now on the small disk

        retype("lineEdit_value_near_ground", QStringLiteral("6000"));
        press();
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        app::confirmationWindow->close();
        const QByteArray firstApply = labelFileBytes();
        QVERIFY(firstApply.contains("[6000]"));

        disk.fill(homePath() + "/Config/View/download.part");
        retype("lineEdit_value_near_ground", QStringLiteral("7000"));
        press();
        expectOneMessage({SmallFileSystem::spaceIsSeen
                              ? QStringLiteral("Labels.lua could not be written: there is no space left on the disk")
                              : QStringLiteral("Labels.lua could not be written: it could not be written completely")});
        QCOMPARE(windowsOf<confirmWindow>(), 0);
        QCOMPARE(labelFileBytes(), firstApply);
        QCOMPARE(QDir(homePath() + "/Config/View").entryList(QDir::Files | QDir::Hidden),
                 QStringList({"download.part", "Labels.lua"}));
    }

    void olderLayoutsOpenWithEveryValue_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("nearAir");
        QTest::addColumn<QString>("size");
        QTest::addColumn<bool>("singleLevel");
        QTest::newRow("level tables") << QStringLiteral(HALVANE_FIXTURES "/Labels-older-layout.lua") << "10000"
                                      << "13" << false;
        QTest::newRow("single level") << QStringLiteral(HALVANE_FIXTURES "/Labels-single-level.lua") << "12000"
                                      << "15" << true;
    }

    // No notice about settings the editor could not read; the single-level script says
    // that its tables serve every level.
    void olderLayoutsOpenWithEveryValue()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, nearAir);
        QFETCH(QString, size);
        QFETCH(bool, singleLevel);
        GuiWorld world;
        world.fixture = fixture;
        start(world);
        QVERIFY(app::mainWindow && app::mainWindow->isVisible());
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        QCOMPARE(shown({"lineEdit_value_near_air", "label_symbol_size_real", "textEdit_far_air"}),
                 QStringList({nearAir, size, "✈"}));
        QCOMPARE(child<QLabel>("label_single_level")->isVisible(), singleLevel);
        choose("comboBox_profille", 2);
        QCOMPARE(shown("lineEdit_value_near_air"), singleLevel ? nearAir : QStringLiteral("6000"));
    }

    void levelsWithTheirOwnSymbolSizeAreNamedOnce()
    {
        GuiWorld world;
        world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-older-layout.lua");
        world.from
            = "\"CenterCenter\"\t,0.25\t, 0.25\t, -3\t, 0},\n\t},\n\tfont_properties =  {\"DejaVuLGCSans.ttf\", 13";
        world.to = "\"CenterCenter\"\t,0.25\t, 0.25\t, -3\t, 0},\n\t},\n\tfont_properties =  {\"DejaVuLGCSans.ttf\", 9";
        start(world);
        expectOneMessage({QStringLiteral("The symbol size of DOT differs from FULL's")});
        clickButton("pushButton_apply");
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    // A script Lua stops in is named at load. An Apply whose check takes a while (the
    // changed text loops around pcall) keeps the window drawing with a busy cursor, and a
    // close asked for meanwhile comes once the check has refused the write.
    void checkOfAHostileScriptKeepsTheWindow()
    {
        GuiWorld world;
        world.from = "AirOn";
        world.to = "os.exit(1)\r\nAirOn";
        start(world);
        expectOneMessage({QStringLiteral("Lua stops running Labels.lua, and so does the simulator (detail level FULL, "
                                         "ABBREVIATED, DOT; line 12: attempt to index a nil value (global 'os'))")});
        const QByteArray before = labelFileBytes();
        app::labelConfig->setTextTamperingForTests(
            [](std::string& text) { text.insert(0, "while true do pcall(function() while true do end end) end\n"); });
        retype("lineEdit_value_far_air", QStringLiteral("25000"));
        bool busy = false;
        QTimer::singleShot(0, app::mainWindow, [&busy] {
            busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
            app::mainWindow->close();
        });
        dialogs::presetAnswer(1);  // closing with a value not applied: discard it
        press();
        QVERIFY(busy);
        expectOneMessage({QStringLiteral("Labels.lua could not be written: Lua stops running the changed file at "
                                         "detail level FULL (line 1: ")});
        QCOMPARE(labelFileBytes(), before);
        QTRY_VERIFY(!app::mainWindow->isVisible());
        expectOneQuestion({QStringLiteral("not been applied")});
    }

    void failedRestoreDefaultKeepsTheWindow()
    {
        QVERIFY(QFile::remove(tempPath() + "/data/default.lua"));
        const QByteArray before = labelFileBytes();
        retype("lineEdit_value_dot_ground", QStringLiteral("21000"));
        dialogs::presetAnswer(0);
        triggerAction("actionRestore_Default");
        expectOneMessage({QStringLiteral("The default settings could not be restored")});
        QCOMPARE(labelFileBytes(), before);
        QCOMPARE(shown("lineEdit_value_dot_ground"), QStringLiteral("21000"));
    }

    // The confirmation says "Configuration applied", and below it, in the player's
    // language, the entries Apply moved with their band; nothing more when it moved none.
    void confirmationNamesTheMovedEntries_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("moved");  // the confirmation's list; empty: none
        const QString current = QStringLiteral(HALVANE_FIXTURES "/Labels.lua");
        const QString keyOrder = QStringLiteral(HALVANE_FIXTURES "/Labels-key-order.lua");
        // clang-format off
        QTest::newRow("English") << current << "EN" << "lineEdit_value_near_air" << "12000"
            << "These entries follow their band and moved with it:\n• FULL Aircraft, half of NEAR: 5000 → 6000";
        QTest::newRow("Russian") << current << "RU" << "lineEdit_value_far_weapon" << "30000"
            << "Эти строки следуют за своим диапазоном и сдвинуты вместе с ним:\n"
               "• FULL Оружие, половина «Символ дальнего диапазона»: 10000 → 15000";
        QTest::newRow("a band without a companion") << current << "EN" << "lineEdit_value_far_ground" << "12000" << "";
        QTest::newRow("the player's own entry stays") << keyOrder << "EN" << "lineEdit_value_near_air" << "9360" << "";
        // clang-format on
    }

    void confirmationNamesTheMovedEntries()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, language);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, moved);
        start(GuiWorld{fixture, {}, {}, language, {}});
        retype(field, typed);
        press();
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        QCOMPARE(shown("label", app::confirmationWindow), QStringLiteral("Configuration applied"));
        QCOMPARE(child<QLabel>("label_moved", app::confirmationWindow)->isVisible(), !moved.isEmpty());
        QCOMPARE(shown("label_moved", app::confirmationWindow), moved);
        QCOMPARE(app::confirmationWindow->height() > 96, !moved.isEmpty());
    }

private:
    void press() { clickButton("pushButton_apply"); }
};

QTEST_MAIN(ApplyTest)
#include "tst_apply.moc"
