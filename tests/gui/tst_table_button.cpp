// Format tables of the player's own shape in the main window, as a player meets them:
// the category shows a table button instead of its band rows, the table opens, a change
// applied reaches Lua as that change alone at that level, the preview draws the table's
// entry, and a symbol size set by a name in the file is shown as such.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>

#include "GuiTestBase.h"
#include "LuaCheck.h"
#include "ui/FormatTableDialog.h"

namespace {
const QString levelBranches = QStringLiteral(HALVANE_FIXTURES "/Labels-level-branches.lua");
const QString customTables = QStringLiteral(HALVANE_FIXTURES "/Labels-custom-tables.lua");
const QString playerModified = QStringLiteral(HALVANE_FIXTURES "/Labels-player-modified.lua");
const QStringList categoryWords = {"air", "ground", "navy", "weapon"};

QStringList entryNames(const QString& entry, int fields)
{
    QStringList names{entry};
    for (int i = 1; i <= fields; ++i)
        names << entry + "[" + QString::number(i) + "]";
    names.sort();
    return names;
}
}  // namespace

class FormatTablesInWindowTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void tableButtonsStandInForBandRows_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("tables");  // the categories that show a table button
        QTest::addColumn<QString>("airButton");   // the aircraft button's text, when it shows
        // clang-format off
        QTest::newRow("branches: DOT") << levelBranches << 2 << categoryWords << "Format Table… (7 entries)";
        QTest::newRow("branches: FULL") << levelBranches << 0 << QStringList{} << "";
        QTest::newRow("branches: ABBREVIATED") << levelBranches << 1 << QStringList{} << "";
        QTest::newRow("custom: FULL") << customTables << 0 << QStringList{"air"} << "Format Table… (6 entries)";
        QTest::newRow("custom: DOT") << customTables << 2 << categoryWords << "Format Table… (5 entries)";
        QTest::newRow("player's extra bands") << playerModified << 0 << QStringList{"air"}
            << "Format Table… (7 entries)";
        // clang-format on
    }

    void tableButtonsStandInForBandRows()
    {
        QFETCH(QString, fixture);
        QFETCH(int, level);
        QFETCH(QStringList, tables);
        QFETCH(QString, airButton);
        startOn(fixture);
        choose("comboBox_profille", level);
        for (const QString& word : categoryWords) {
            const bool table = tables.contains(word);
            QCOMPARE(child<QPushButton>("pushButton_table_" + word)->isVisible(), table);
            QCOMPARE(child<QSlider>("horizontalSlider_empty_" + word)->isVisible(), !table);
            QCOMPARE(child<QLineEdit>("lineEdit_value_far_" + word)->isVisible(), !table);
        }
        if (!airButton.isEmpty())
            QCOMPARE(child<QPushButton>("pushButton_table_air")->text(), airButton);
        // Both new fixtures open without a notice: only the size set by a name is not
        // read, and it is shown as such.
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void tableChangeReachesLuaAlone_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("run");  // the level Lua runs at; 0: unset
        QTest::addColumn<QStringList>("changed");
        // clang-format off
        QTest::newRow("branches: the DOT ramp") << levelBranches << 2 << 3 << 0 << "9000" << 3
            << entryNames("AirFormat[8000]", 6) + entryNames("AirFormat[9000]", 6);
        QTest::newRow("custom: the nautical miles") << customTables << 0 << 3 << 0 << "9000" << 0
            << entryNames("LEVEL_FULL.AirFormat[9000]", 6) + entryNames("LEVEL_FULL.AirFormat[9260]", 6);
        QTest::newRow("custom: an opacity") << customTables << 0 << 1 << 4 << "0.8" << 0
            << QStringList{"LEVEL_FULL.AirFormat[1852][4]"};
        // clang-format on
    }

    void tableChangeReachesLuaAlone()
    {
        QFETCH(QString, fixture);
        QFETCH(int, level);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(int, run);
        QFETCH(QStringList, changed);
        startOn(fixture);
        const QList<int> runs = run ? QList<int>{1, 2, 3} : QList<int>{0};
        QList<QStringList> before;
        for (const int at : runs)
            before << luacheck::definitions(labelFilePath(), at);
        choose("comboBox_profille", level);
        FormatTableDialog* dialog = openTable("air");
        QVERIFY(dialog);
        entries(dialog)->item(row, column)->setText(typed);
        pressOk(dialog);
        clickButton("pushButton_apply");
        QCOMPARE(windowsOf<confirmWindow>(), 1);
        for (int i = 0; i < runs.size(); ++i) {
            const QStringList names = luacheck::changedNames(before[i], luacheck::definitions(labelFilePath(), runs[i]));
            QCOMPARE(names, runs[i] == run ? changed : QStringList());
        }
    }

    // A table opened and closed unchanged is no change: Apply writes nothing, and the
    // level switch does not ask; a changed one makes it ask.
    void onlyAChangedTableCounts()
    {
        startOn(levelBranches);
        const QByteArray before = labelFileBytes();
        choose("comboBox_profille", 2);
        pressOk(openTable("navy"));
        clickButton("pushButton_apply");
        QCOMPARE(labelFileBytes(), before);
        FormatTableDialog* dialog = openTable("navy");
        entries(dialog)->selectRow(0);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("pushButton_add_entry")), Qt::LeftButton);
        pressOk(dialog);
        QCOMPARE(child<QPushButton>("pushButton_table_navy")->text(), QStringLiteral("Format Table… (4 entries)"));
        dialogs::presetAnswer(2);  // stay
        choose("comboBox_profille", 0);
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QCOMPARE(shown("comboBox_profille"), QStringLiteral("DOT"));
        clickButton("pushButton_apply");
        QVERIFY(labelFileBytes() != before);
    }

    // The preview draws the table's entry: at DOT the aircraft ramp's dot, centred.
    void previewDrawsTheTablesEntry()
    {
        startOn(levelBranches);
        choose("comboBox_profille", 2);
        clickButton("radioButton_aircraft");
        QCOMPARE(child<QLabel>("label_preview_symbol")->text(), QStringLiteral("˙"));
        FormatTableDialog* dialog = openTable("air");
        entries(dialog)->item(1, 1)->setText(QStringLiteral("•"));
        pressOk(dialog);
        QCOMPARE(child<QLabel>("label_preview_symbol")->text(), QStringLiteral("•"));
        save("en-main-window-branches-dot");
    }

    void symbolSizeSetByANameIsShownAsSuch_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("EN") << "EN" << "set by `fontSize` in the file";
        QTest::newRow("CN") << "CN" << "由文件中的 `fontSize` 设定";
        QTest::newRow("RU") << "RU" << "задаётся `fontSize` в файле";
        QTest::newRow("JP") << "JP" << "ファイル内の `fontSize` で設定";
    }

    void symbolSizeSetByANameIsShownAsSuch()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        GuiWorld world;
        world.fixture = customTables;
        world.language = language;
        start(world);
        auto* size = child<QLabel>("label_symbol_size_variable");
        QVERIFY(size->isVisible());
        QCOMPARE(size->text(), text);
        QVERIFY(!child<QSlider>("horizontalSlider_symbol_size")->isVisible());
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        const QByteArray before = labelFileBytes();
        clickButton("pushButton_apply");
        QCOMPARE(labelFileBytes(), before);
        // The table button and its note fit where the band rows were.
        choose("comboBox_profille", 2);
        for (const QString& word : categoryWords) {
            const auto* note = child<QLabel>("label_table_note_" + word);
            const QRect needed = note->fontMetrics().boundingRect(QRect(0, 0, note->width(), 1000),
                                                                  Qt::TextWordWrap, note->text());
            QVERIFY2(needed.height() <= note->height(), qPrintable(note->text()));
            const auto* button = child<QPushButton>("pushButton_table_" + word);
            QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) < button->width());
        }
        save(language.toLower() + "-main-window-custom-dot");
    }

private:
    void startOn(const QString& fixture)
    {
        GuiWorld world;
        world.fixture = fixture;
        start(world);
    }

    FormatTableDialog* openTable(const QString& category)
    {
        clickButton("pushButton_table_" + category);
        FormatTableDialog* dialog = nullptr;
        static_cast<void>(QTest::qWaitFor([&] {
            dialog = app::mainWindow->findChild<FormatTableDialog*>();
            return dialog && dialog->isVisible();
        }));
        return dialog;
    }

    static QTableWidget* entries(FormatTableDialog* dialog)
    {
        return dialog->findChild<QTableWidget*>(QStringLiteral("tableWidget_entries"));
    }

    static void pressOk(FormatTableDialog* dialog)
    {
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QTRY_VERIFY(!app::mainWindow->findChild<FormatTableDialog*>());
    }

    static void save(const QString& name)
    {
        const QString shots = QString::fromLocal8Bit(qgetenv("HALVANE_SCREENSHOTS"));
        if (!shots.isEmpty())
            app::mainWindow->grab().save(QDir(shots).filePath(name + ".png"));
    }
};

QTEST_MAIN(FormatTablesInWindowTest)
#include "tst_table_button.moc"
