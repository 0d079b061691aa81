// Values taken from another label file or a backup become the window's changes, and
// Apply writes exactly those: checked the way the simulator reads the file, with Lua.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

#include "GuiTestBase.h"
#include "LuaCheck.h"
#include "model/LabelBackups.h"
#include "model/LabelConfig.h"
#include "model/LabelDifferences.h"
#include "model/LabelTypes.h"
#include "ui/BackupsDialog.h"
#include "ui/CompareDialog.h"

class TakeValuesTest : public GuiTestBase {
    Q_OBJECT

private slots:
    // Two values ticked of those that differ: one the window shows, one of a level it shows
    // only when asked. They are the window's changes until Apply writes them, alone.
    void tickedValuesAloneAreWritten()
    {
        start();
        const QString other = QStringLiteral(HALVANE_FIXTURES "/Labels-single-level.lua");
        const std::size_t differing = differencesFrom(other);
        QStringList before;
        for (const int level : {1, 2, 3})
            before << luacheck::definitions(labelFilePath(), level);
        dialogs::presetFile(other);
        triggerAction("actionImportValues");
        CompareDialog* compare = openDialog<CompareDialog>();
        QTableWidget* rows = child<QTableWidget>("tableWidget_differences", compare);
        QCOMPARE(std::size_t(rows->rowCount()), differing);
        const int size = findRow(rows, {"Symbol Size"});
        const int navyAtDot = findRow(rows, {"DOT", "Alignment", "Navy"});
        QVERIFY(size >= 0 && navyAtDot >= 0);
        clickButton("pushButton_take_all", compare);
        clickButton("pushButton_take_none", compare);
        for (const int row : {size, navyAtDot}) {
            rows->setCurrentCell(row, 0);
            QTest::keyClick(rows, Qt::Key_Space);
        }
        const QString alignment = rows->item(navyAtDot, 2)->text();
        QTest::keyClick(compare, Qt::Key_Return);

        QCOMPARE(shown("label_symbol_size_real"), rows->item(size, 2)->text());
        choose("comboBox_profille", 2);
        QCOMPARE(child<QComboBox>("comboBox_symbol_pos_navy")->currentIndex(), indexByAlignment.at(alignment.toStdString()));
        dialogs::presetAnswer(2);  // leaving asks first: the taken values are changes
        app::mainWindow->close();
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        clickButton("pushButton_apply");

        QCOMPARE(differencesFrom(other), differing - 2);
        QStringList after;
        for (const int level : {1, 2, 3})
            after << luacheck::definitions(labelFilePath(), level);
        const QStringList changed = luacheck::changedNames(before, after);
        QVERIFY(changed.contains("LEVEL_FULL.font_properties[2]") && changed.contains("LEVEL_DOT.NavyFormat[7000][2]"));
        QVERIFY2(luacheck::allUnder(changed, {"LEVEL_FULL.font_properties", "LEVEL_ABBREVIATED.font_properties",
                                              "LEVEL_DOT.font_properties", "LEVEL_DOT.NavyFormat"}),
                 qPrintable(changed.join(' ')));
    }

    void backupRestoredByTakingAll_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* language : {"EN", "CN", "RU", "JP"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    // The copy made before the first write of a run, listed with an older one newest first,
    // taken whole: the file then defines in Lua what the copy does.
    void backupRestoredByTakingAll()
    {
        QFETCH(QString, language);
        GuiWorld world;
        world.language = language;
        start(world);
        const QString backups = homePath() + "/Config/View/" + LabelBackups::folderName;
        QVERIFY(QDir().mkpath(backups));
        QVERIFY(QFile::copy(QStringLiteral(HALVANE_FIXTURES "/Labels-single-level.lua"),
                            backups + "/Labels-2020-01-02-030405-000.bak"));
        retype("lineEdit_value_near_air", QStringLiteral("9000"));
        clickButton("checkBox_weapon");
        clickButton("pushButton_apply");
        app::confirmationWindow->close();
        const QString copy = QDir(backups).entryList({"Labels-2026*", "Labels-2027*"}).value(0);
        QVERIFY(!copy.isEmpty());

        triggerAction("actionBackups");
        BackupsDialog* list = openDialog<BackupsDialog>();
        QTableWidget* rows = child<QTableWidget>("tableWidget_backups", list);
        QCOMPARE(rows->rowCount(), 2);
        QCOMPARE(rows->item(1, 0)->text(), QStringLiteral("2020-01-02 03:04:05"));
        QCOMPARE(rows->item(0, 1)->text(), QStringLiteral("2"));
        expectNoEnglish(list, language);
        clickButton("pushButton_compare_backup", list);
        CompareDialog* compare = openDialog<CompareDialog>();
        QCOMPARE(child<QTableWidget>("tableWidget_differences", compare)->rowCount(), 2);
        expectNoEnglish(compare, language, copy);
        clickButton("pushButton_take_all", compare);
        QTest::keyClick(compare, Qt::Key_Return);
        clickButton("pushButton_apply");

        for (const int level : {1, 2, 3})
            QCOMPARE(luacheck::definitions(labelFilePath(), level), luacheck::definitions(backups + '/' + copy, level));
    }

private:
    // The first row that can be ticked whose setting is named with every part.
    static int findRow(const QTableWidget* rows, const QStringList& parts)
    {
        for (int row = 0; row < rows->rowCount(); ++row) {
            const QTableWidgetItem* setting = rows->item(row, 0);
            const bool named = std::all_of(parts.begin(), parts.end(),
                                           [&](const QString& part) { return setting->text().contains(part); });
            if (named && (setting->flags() & Qt::ItemIsUserCheckable))
                return row;
        }
        return -1;
    }

    std::size_t differencesFrom(const QString& other) const
    {
        const LabelConfig here(*app::profile, labelFilePath().toStdU16String());
        const LabelConfig there(*app::profile, other.toStdU16String());
        return differencesBetween(here, there).count();
    }

    // The dialog's own texts in the player's language: no English fragment among them
    // besides the name of the file compared.
    void expectNoEnglish(QDialog* dialog, const QString& language, const QString& fileName = {})
    {
        if (language == QLatin1String("EN"))
            return;
        QStringList texts{dialog->windowTitle()};
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            texts << label->text();
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            texts << button->text();
        for (const QTableWidget* table : dialog->findChildren<QTableWidget*>())
            for (int column = 0; column < table->columnCount(); ++column)
                texts << table->horizontalHeaderItem(column)->text();
        QCOMPARE(latinWords(texts.join(' ').remove(fileName)), QStringList());
    }
};

QTEST_MAIN(TakeValuesTest)
#include "tst_take_values.moc"
