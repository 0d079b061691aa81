// The table dialog of a format table of the player's own shape, as a player uses it:
// reading the entries, changing a distance or a field, adding and removing an entry,
// being stopped by distances that break the rules, and reading it in every language.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <memory>

#include "ModelWorkspace.h"
#include "common/Dialogs.h"
#include "model/FormatTable.h"
#include "model/Language.h"
#include "ui/FormatTableDialog.h"

namespace {
const QString customTables = QStringLiteral("Labels-custom-tables.lua");
const QString levelBranches = QStringLiteral("Labels-level-branches.lua");
}  // namespace

Q_DECLARE_METATYPE(LabelLevel)
Q_DECLARE_METATYPE(UnitCategory)

class FormatTableDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dialogs::usePresets(true);
        currentLanguage = 0;
    }

    void cleanup()
    {
        dialog.reset();
        model.reset();
        dialogs::usePresets(false);
        currentLanguage = 0;
    }

    void showsEveryEntryAsItIs_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<LabelLevel>("level");
        QTest::addColumn<UnitCategory>("category");
        QTest::addColumn<QStringList>("distances");
        QTest::addColumn<int>("row");             // one row to read across
        QTest::addColumn<QStringList>("cells");   // its text, alignment, blend, opacity, shifts
        // clang-format off
        QTest::newRow("nautical miles") << customTables << LabelLevel::FULL << UnitCategory::Air
            << QStringList{"10", "1852", "5556", "9260", "18520", "37040"} << 2
            << QStringList{"aircraft_symbol_near..DISTANCE_NAME", "LeftBottom", "0.75", "0.6", "-12", "18"};
        QTest::newRow("a name") << customTables << LabelLevel::FULL << UnitCategory::Air
            << QStringList{"10", "1852", "5556", "9260", "18520", "37040"} << 0 << QStringList{"as written: EMPTY"};
        QTest::newRow("a call") << customTables << LabelLevel::DOT << UnitCategory::Navy
            << QStringList{"30", "7000", "14000", "30000"} << 1 << QStringList{"as written: dot_symbol(0.75,0.4)"};
        QTest::newRow("dot ramp") << levelBranches << LabelLevel::DOT << UnitCategory::Air
            << QStringList{"500", "2000", "4000", "8000", "16000", "32000", "48000"} << 5
            << QStringList{"˙", "CenterCenter", "0.9", "1", "0", "1"};
        // clang-format on
    }

    void showsEveryEntryAsItIs()
    {
        QFETCH(QString, fixture);
        QFETCH(LabelLevel, level);
        QFETCH(UnitCategory, category);
        QFETCH(QStringList, distances);
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        open(fixture, level, category);
        QCOMPARE(column(0), distances);
        QStringList across;
        for (int c = 1; c <= cells.size(); ++c)
            across << cell(row, c);
        QCOMPARE(across, cells);
        // An entry that is no table is one cell across the fields, and cannot be edited.
        const bool table = cells.size() > 1;
        QCOMPARE(entries()->columnSpan(row, 1), table ? 1 : 6);
        QCOMPARE(entries()->item(row, 1)->flags().testFlag(Qt::ItemIsEditable), table);
    }

    void changesReachTheTable()
    {
        open(customTables, LabelLevel::FULL, UnitCategory::Air);
        entries()->item(3, 0)->setText(QStringLiteral("9000"));
        entries()->item(1, 4)->setText(QStringLiteral("0.8"));
        entries()->item(2, 1)->setText(QStringLiteral("%D nm"));
        alignment(4)->setCurrentText(QStringLiteral("RightCenter"));
        pressOk();
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        const FormatTable& table = dialog->table();
        QCOMPARE(table.entries[3].distance, 9000LL);
        QCOMPARE(table.entries[1].fields[3], std::string("0.8"));
        QCOMPARE(table.entries[2].fields[0], std::string("\"%D nm\""));
        QCOMPARE(table.entries[4].fields[1], std::string("\"RightCenter\""));
        // A field the file could not hold is refused at once and shows what it held.
        entries()->item(1, 5)->setText(QStringLiteral("left"));
        QCOMPARE(cell(1, 5), QStringLiteral("-20"));
        QCOMPARE(dialogs::takeShownMessages().size(), 1);
    }

    void entriesAreAddedAndRemoved()
    {
        open(levelBranches, LabelLevel::DOT, UnitCategory::Navy);
        entries()->selectRow(0);
        click(QStringLiteral("pushButton_add_entry"));
        QCOMPARE(column(0), (QStringList{"500", "4250", "8000", "30000"}));
        QCOMPARE(cell(1, 1), QStringLiteral("as written: dot_symbol(0.4, 1)"));
        entries()->selectRow(3);
        click(QStringLiteral("pushButton_remove_entry"));
        QCOMPARE(column(0), (QStringList{"500", "4250", "8000"}));
        entries()->selectRow(0);
        click(QStringLiteral("pushButton_remove_entry"));
        entries()->selectRow(0);
        click(QStringLiteral("pushButton_remove_entry"));
        // The last entry stays: a table without entries would not be a table of distances.
        QCOMPARE(column(0), QStringList{"8000"});
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("pushButton_remove_entry"))->isEnabled());
    }

    void distancesThatBreakTheRulesKeepItOpen_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("named");  // what the message names
        QTest::newRow("equal to one further on") << 1 << "9260" << "9260, 9260";
        QTest::newRow("equal to the next") << 1 << "5556" << "5556, 5556";
        QTest::newRow("beyond a million") << 5 << "1000001" << "1000001";
        QTest::newRow("not a number") << 4 << "far" << "far";
        QTest::newRow("empty") << 0 << "" << "\"\"";
    }

    void distancesThatBreakTheRulesKeepItOpen()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, named);
        open(customTables, LabelLevel::FULL, UnitCategory::Air);
        entries()->item(row, 0)->setText(typed);
        pressOk();
        QVERIFY(dialog->isVisible());
        const QStringList shown = dialogs::takeShownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.front().endsWith(named), qPrintable(shown.front()));
        QCOMPARE(entries()->item(row, 0)->background().color(), QColor(255, 200, 200));
    }

    // The dialog is smaller than the window it belongs to and shows every column and
    // caption without cutting a word, in every language.
    void fitsInEveryLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("EN") << 0;
        QTest::newRow("CN") << 1;
        QTest::newRow("RU") << 2;
        QTest::newRow("JP") << 3;
    }

    void fitsInEveryLanguage()
    {
        QFETCH(int, language);
        open(customTables, LabelLevel::FULL, UnitCategory::Air, language);
        QTest::qWait(20);
        QVERIFY(dialog->width() <= 964 && dialog->height() <= 665);
        QVERIFY(!entries()->horizontalScrollBar()->isVisible());
        QVERIFY(!entries()->verticalScrollBar()->isVisible());
        const QHeaderView& header = *entries()->horizontalHeader();
        for (int c = 0; c < entries()->columnCount(); ++c) {
            const QString heading = entries()->horizontalHeaderItem(c)->text();
            QVERIFY2(header.sectionSize(c) >= header.fontMetrics().horizontalAdvance(heading), qPrintable(heading));
        }
        if (language != 0) {
            QVERIFY(!dialog->findChild<QLabel*>(QStringLiteral("label_table_intro"))->text().startsWith("Each"));
            QVERIFY(!cell(0, 1).startsWith(QStringLiteral("as written")));
        }
        const QString shots = QString::fromLocal8Bit(qgetenv("HALVANE_SCREENSHOTS"));
        if (!shots.isEmpty())
            dialog->grab().save(QDir(shots).filePath(QStringLiteral("table-dialog-%1.png").arg(language)));
    }

private:
    void open(const QString& fixture, LabelLevel level, UnitCategory category, int language = 0)
    {
        model = std::make_unique<LoadedModel>(fixture);
        QVERIFY(model->ready);
        currentLanguage = language;  // after the profile set its own
        const std::optional<FormatTable> table = customFormatTable(*model->config, level, category);
        QVERIFY(table);
        dialog = std::make_unique<FormatTableDialog>(*table, QStringLiteral("Aircraft"), QStringLiteral("FULL"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    QTableWidget* entries() const { return dialog->findChild<QTableWidget*>(QStringLiteral("tableWidget_entries")); }
    QComboBox* alignment(int row) const
    {
        return dialog->findChild<QComboBox*>(QStringLiteral("comboBox_alignment_%1").arg(row));
    }
    QString cell(int row, int column) const
    {
        if (QComboBox* box = qobject_cast<QComboBox*>(entries()->cellWidget(row, column)))
            return box->currentText();
        return entries()->item(row, column)->text();
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < entries()->rowCount(); ++row)
            texts << cell(row, c);
        return texts;
    }
    void click(const QString& button) const
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    }
    void pressOk() const
    {
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    std::unique_ptr<LoadedModel> model;
    std::unique_ptr<FormatTableDialog> dialog;
};

QTEST_MAIN(FormatTableDialogTest)
#include "tst_format_table_dialog.moc"
