// Apply writes exactly what the player changed. Checked the way the simulator reads the
// file: Lua runs it before and after, and only the changed values may differ.
#include <QDir>
#include <QFile>
#include <QSlider>

#include "GuiTestBase.h"
#include "LuaCheck.h"
#include "model/LabelBackups.h"
#include "model/LabelConfig.h"

namespace {
enum class Action { Retype, Choose, StepSlider };
const QString playerModified = QStringLiteral(HALVANE_FIXTURES "/Labels-player-modified.lua");
const QString current = QStringLiteral(HALVANE_FIXTURES "/Labels.lua");
const QString olderLayout = QStringLiteral(HALVANE_FIXTURES "/Labels-older-layout.lua");
const QString singleLevel = QStringLiteral(HALVANE_FIXTURES "/Labels-single-level.lua");
const QString singleRamp = QStringLiteral(HALVANE_FIXTURES "/Labels-single-ramp.lua");
const QString branchFlags = QStringLiteral(HALVANE_FIXTURES "/Labels-branch-flags.lua");
// Labels.lua as Notepad saves a script run directly: a byte-order mark and a "#!" line first.
const QString marked = QStringLiteral("<marked>");
}  // namespace

class ApplyChangesTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void noChangeLeavesEveryByte_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::newRow("current layout") << current;
        QTest::newRow("player-modified") << playerModified;
        QTest::newRow("level tables") << olderLayout;
        QTest::newRow("single level") << singleLevel;
    }

    void noChangeLeavesEveryByte()
    {
        QFETCH(QString, fixture);
        startOn(fixture);
        const QByteArray before = labelFileBytes();
        for (int level : {0, 1, 2}) {
            choose("comboBox_profille", level);
            clickButton("pushButton_apply");
            QCOMPARE(labelFileBytes(), before);
        }
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        QVERIFY(dialogs::takeAskedQuestions().isEmpty());
        QVERIFY(!QDir(homePath() + "/Config/View/" + LabelBackups::folderName).exists());
    }

    void oneChangeDiffersInThatValueAlone_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("level");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("under");    // every changed name starts with one of these
        QTest::addColumn<QStringList>("changed");  // names that must be among the changed ones
        const QStringList fonts
            = {"LEVEL_FULL.font_properties[2]", "LEVEL_ABBREVIATED.font_properties[2]", "LEVEL_DOT.font_properties[2]"};
        // clang-format off
        QTest::newRow("a byte-order mark and a #! line") << marked << 0 << Action::Retype << "lineEdit_value_far_air"
            << "25000" << QStringList{"LEVEL_FULL.AirFormat["}
            << QStringList{"LEVEL_FULL.AirFormat[20000]", "LEVEL_FULL.AirFormat[25000]"};
        QTest::newRow("aircraft NEAR at FULL") << current << 0 << Action::Retype << "lineEdit_value_near_air" << "8000"
            << QStringList{"LEVEL_FULL.AirFormat["}
            << QStringList{"LEVEL_FULL.AirFormat[4000]", "LEVEL_FULL.AirFormat[5000]", "LEVEL_FULL.AirFormat[8000]",
                           "LEVEL_FULL.AirFormat[10000]"};
        QTest::newRow("ground alignment at FULL") << current << 0 << Action::Choose << "comboBox_symbol_pos_ground" << "5"
            << QStringList{"LEVEL_FULL.GroundFormat[5000][2]", "LEVEL_FULL.GroundFormat[10000][2]"}
            << QStringList{"LEVEL_FULL.GroundFormat[5000][2]", "LEVEL_FULL.GroundFormat[10000][2]"};
        QTest::newRow("symbol size") << current << 0 << Action::StepSlider << "horizontalSlider_symbol_size" << ""
            << fonts << fonts;
        QTest::newRow("navy near symbol") << current << 0 << Action::Retype << "textEdit_near_navy" << "◯"
            << QStringList{"LEVEL_FULL.NavyFormat[10000][1]", "LEVEL_ABBREVIATED.NavyFormat[9000][1]",
                           "LEVEL_DOT.NavyFormat[7000][1]"}
            << QStringList{"LEVEL_FULL.NavyFormat[10000][1]"};
        QTest::newRow("player's file, ground NEAR at FULL") << playerModified << 0 << Action::Retype
            << "lineEdit_value_near_ground" << "6000"
            << QStringList{"LEVEL_FULL.GroundFormat["}
            << QStringList{"LEVEL_FULL.GroundFormat[5000]", "LEVEL_FULL.GroundFormat[6000]"};
        QTest::newRow("player's file, aircraft NEAR at ABBREVIATED") << playerModified << 1 << Action::Retype
            << "lineEdit_value_near_air" << "9000"
            << QStringList{"LEVEL_ABBREVIATED.AirFormat["}
            << QStringList{"LEVEL_ABBREVIATED.AirFormat[4500]", "LEVEL_ABBREVIATED.AirFormat[9000]"};
        QTest::newRow("player's file, navy FAR at DOT") << playerModified << 2 << Action::Retype
            << "lineEdit_value_far_navy" << "15000"
            << QStringList{"LEVEL_DOT.NavyFormat["}
            << QStringList{"LEVEL_DOT.NavyFormat[14000]", "LEVEL_DOT.NavyFormat[15000]"};
        QTest::newRow("level tables, aircraft NEAR at FULL") << olderLayout << 0 << Action::Retype
            << "lineEdit_value_near_air" << "8000"
            << QStringList{"LEVEL_FULL.AirFormat["}
            << QStringList{"LEVEL_FULL.AirFormat[4000]", "LEVEL_FULL.AirFormat[8000]"};
        QTest::newRow("level tables, symbol size") << olderLayout << 1 << Action::StepSlider
            << "horizontalSlider_symbol_size" << "" << fonts << fonts;
        QTest::newRow("single level, aircraft NEAR") << singleLevel << 0 << Action::Retype
            << "lineEdit_value_near_air" << "9000"
            << QStringList{"AirFormat["} << QStringList{"AirFormat[4500]", "AirFormat[9000]"};
        QTest::newRow("single level, navy alignment at ABBREVIATED") << singleLevel << 1 << Action::Choose
            << "comboBox_symbol_pos_navy" << "8"
            << QStringList{"NavyFormat[11000][2]", "NavyFormat[21000][2]"}
            << QStringList{"NavyFormat[11000][2]", "NavyFormat[21000][2]"};
        QTest::newRow("player's file, navy alignment at DOT") << playerModified << 2 << Action::Choose
            << "comboBox_symbol_pos_navy" << "7"
            << QStringList{"LEVEL_DOT.NavyFormat[7000][2]", "LEVEL_DOT.NavyFormat[14000][2]"}
            << QStringList{"LEVEL_DOT.NavyFormat[7000][2]", "LEVEL_DOT.NavyFormat[14000][2]"};
        // clang-format on
    }

    void oneChangeDiffersInThatValueAlone()
    {
        QFETCH(QString, fixture);
        QFETCH(int, level);
        QFETCH(Action, action);
        QFETCH(QString, widget);
        QFETCH(QString, value);
        QFETCH(QStringList, under);
        QFETCH(QStringList, changed);
        startOn(fixture);
        const QByteArray original = labelFileBytes();
        const QStringList before = luacheck::definitions(labelFilePath());

        choose("comboBox_profille", level);
        if (action == Action::Retype)
            retype(widget, value);
        else if (action == Action::Choose)
            choose(widget, value.toInt());
        else
            QTest::keyClick(child<QSlider>(widget), Qt::Key_Right);
        clickButton("pushButton_apply");
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        QVERIFY(dialogs::takeShownMessages().isEmpty());

        const QStringList names = luacheck::changedNames(before, luacheck::definitions(labelFilePath()));
        QVERIFY2(luacheck::allUnder(names, under), qPrintable(names.join('\n')));
        for (const QString& name : changed)
            QVERIFY2(names.contains(name), qPrintable(name + " did not change:\n" + names.join('\n')));
        QVERIFY(labelFileBytes().startsWith(original.left(24)));

        // The file as it was is kept beside it, once.
        const QDir backups(homePath() + "/Config/View/" + LabelBackups::folderName);
        const QStringList copies = backups.entryList(QDir::Files);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readFile(backups.filePath(copies.first())), original);
    }

    // What the window cannot read, it offers no control for: the control says why, in the
    // player's language, and takes nothing typed, so Apply has nothing to refuse.
    void whatCannotBeReadCannotBeTyped_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("tip");
        // clang-format off
        QTest::newRow("symbols written into the texts") << singleRamp << QByteArray() << QByteArray() << "EN"
            << "textEdit_near_air"
            << "Cannot be changed here: the file writes its symbols into the label texts (Format Table)";
        QTest::newRow("the same in Russian") << singleRamp << QByteArray() << QByteArray() << "RU"
            << "pushButton_symbol_far_ground"
            << "Здесь изменить нельзя: файл записывает символы прямо в тексты меток (таблица формата)";
        QTest::newRow("a colour of two numbers") << current << QByteArray("= {249, 69 , 38}")
            << QByteArray("= {249, 69}") << "EN" << "pushButton_red_color"
            << "Cannot be changed here: not three whole numbers from 0 to 255, written {249, 69}";
        QTest::newRow("a script that stops before its branches") << branchFlags
            << QByteArray("labels and labels ==  2") << QByteArray("labels.level") << "EN" << "lineEdit_value_near_air"
            << "Cannot be changed here: not found in the file";
        // clang-format on
    }

    void whatCannotBeReadCannotBeTyped()
    {
        QFETCH(QString, fixture);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, language);
        QFETCH(QString, control);
        QFETCH(QString, tip);
        start(GuiWorld{fixture, from, to, language, {}});
        static_cast<void>(dialogs::takeShownMessages());
        auto* widget = child<QWidget>(control);
        QVERIFY(!widget->isEnabled());
        QCOMPARE(widget->toolTip(), tip);
        const QString before = shown(control);
        QTest::keyClicks(widget, QStringLiteral("9"));
        QCOMPARE(shown(control), before);
        clickButton("pushButton_apply");
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void tablesThatWouldBeMisreadAreRefused()
    {
        retype("lineEdit_value_dot_navy", QStringLiteral("9999999"));
        retype("lineEdit_value_near_air", QStringLiteral("20"));
        const QByteArray before = labelFileBytes();
        clickButton("pushButton_apply");
        expectOneMessage({QStringLiteral("FULL Distance Settings: Aircraft (EMPTY, NEAR), Navy (DOT)"),
                          QStringLiteral("Nothing was written")});
        QCOMPARE(labelFileBytes(), before);
        QCOMPARE(windowsOf<confirmWindow>(), 0);

        // The order rule keeps EMPTY at 0 or above when NEAR is cleared.
        retype("lineEdit_value_near_air", QString());
        retype("lineEdit_value_far_air", QStringLiteral("21000"));
        QCOMPARE(shown("lineEdit_value_empty_air"), QStringLiteral("10"));
        clickButton("pushButton_apply");
        expectOneMessage({QStringLiteral("Aircraft (NEAR)")});
        QCOMPARE(labelFileBytes(), before);
    }

    // Another program's change is never silently written over: the player is asked,
    // and the default loses nothing.
    void changeMadeElsewhereSurvives()
    {
        QFile file(labelFilePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("-- added by the updater\r\n");
        file.close();
        const QByteArray outside = labelFileBytes();

        retype("lineEdit_value_near_ground", QStringLiteral("6000"));
        clickButton("pushButton_apply");
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QCOMPARE(labelFileBytes(), outside);
        QCOMPARE(windowsOf<confirmWindow>(), 0);

        dialogs::presetAnswer(0);  // Yes, restore the defaults ...
        triggerAction("actionRestore_Default");
        QCOMPARE(dialogs::takeAskedQuestions().size(), 2);  // ... but the file changed: cancel
        QCOMPARE(labelFileBytes(), outside);

        dialogs::presetAnswer(0);  // reload: the window takes the file, and drops its own change
        clickButton("pushButton_apply");
        QCOMPARE(shown("lineEdit_value_near_ground"), QStringLiteral("5000"));
        QCOMPARE(labelFileBytes(), outside);
        retype("lineEdit_value_near_ground", QStringLiteral("6000"));
        clickButton("pushButton_apply");
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        QVERIFY(labelFileBytes().endsWith("-- added by the updater\r\n"));
        QVERIFY(labelFileBytes().contains("[6000]"));
    }

    // A comment that mentions "locally" does not make the setting a local the simulator
    // would no longer see.
    void globalWithLocalInItsCommentStaysGlobal()
    {
        GuiWorld world;
        world.from = "AirOn\t\t\t \t\t= true\r\n";
        world.to = "AirOn\t\t\t \t\t= true -- off when flying locally\r\n";
        start(world);
        const QStringList before = luacheck::definitions(labelFilePath());
        clickButton("checkBox_aircraft");
        clickButton("pushButton_apply");
        const QStringList after = luacheck::definitions(labelFilePath());
        QCOMPARE(luacheck::changedNames(before, after), QStringList{"AirOn"});
        QVERIFY(after.contains("AirOn = false"));
    }

private:
    void startOn(const QString& fixture)
    {
        GuiWorld world;
        world.fixture = fixture == marked ? current : fixture;
        if (fixture == marked) {
            world.from = "-- Label settings";
            world.to = "\xEF\xBB\xBF#!/usr/bin/env lua\r\n-- Label settings";
        }
        start(world);
        dialogs::takeShownMessages();  // the load notice of a file with unmodelled tables
    }
};

QTEST_MAIN(ApplyChangesTest)
#include "tst_apply_changes.moc"
