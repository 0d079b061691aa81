// Choosing a symbol from the palette for one of the main window's symbol fields.
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "GuiTestBase.h"

class SymbolPickerTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void paletteIsSixRowsOfEight();
    void pickFromFarNavy();
    void secondSymbolButtonReaimsThePicker();
    void closingWithoutChoiceChangesNothing();

private:
    QGridLayout* grid() const;
    void pick(const QString& symbol);
    void expectRowShows(const QString& row, const QString& symbol) const;
};

QGridLayout* SymbolPickerTest::grid() const
{
    return child<QGridLayout>("gridLayout", app::symbolWindow);
}

void SymbolPickerTest::pick(const QString& symbol)
{
    for (int i = 0; i < grid()->count(); ++i) {
        auto* button = qobject_cast<QPushButton*>(grid()->itemAt(i)->widget());
        if (button && button->text() == symbol) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no palette button " + symbol));
}

// The text field and the button of a symbol row ("far_navy") both show the symbol.
void SymbolPickerTest::expectRowShows(const QString& row, const QString& symbol) const
{
    QCOMPARE(child<QTextEdit>(qPrintable("textEdit_" + row))->toPlainText(), symbol);
    QCOMPARE(child<QPushButton>(qPrintable("pushButton_symbol_" + row))->text(), symbol);
}

void SymbolPickerTest::paletteIsSixRowsOfEight()
{
    QCOMPARE(app::symbolWindow->windowTitle(), QStringLiteral("ChoseSymbol"));
    QCOMPARE(grid()->count(), 48);
    QCOMPARE(grid()->rowCount(), 6);
    QCOMPARE(grid()->columnCount(), 8);
    QSet<QString> symbols;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 8; ++column) {
            QLayoutItem* item = grid()->itemAtPosition(row, column);
            QVERIFY2(item, qPrintable(QStringLiteral("empty cell %1,%2").arg(row).arg(column)));
            auto* button = qobject_cast<QPushButton*>(item->widget());
            QVERIFY(button);
            QCOMPARE(button->text().toUcs4().size(), 1);
            QCOMPARE(button->size(), QSize(40, 40));
            QCOMPARE(button->font().pointSize(), 16);
            symbols.insert(button->text());
        }
    }
    QCOMPARE(symbols.size(), 48);
    QCOMPARE(qobject_cast<QPushButton*>(grid()->itemAtPosition(0, 0)->widget())->text(), QStringLiteral("◯"));
    QCOMPARE(qobject_cast<QPushButton*>(grid()->itemAtPosition(2, 7)->widget())->text(), QStringLiteral("⊕"));
    QCOMPARE(qobject_cast<QPushButton*>(grid()->itemAtPosition(5, 7)->widget())->text(), QStringLiteral("⬣"));
}

void SymbolPickerTest::pickFromFarNavy()
{
    const QByteArray labelsBefore = labelFileBytes();
    clickButton("radioButton_navy");
    clickButton("radioButton_far");
    clickButton("pushButton_symbol_far_navy");
    QVERIFY(app::symbolWindow->isVisible());

    pick(QStringLiteral("⊕"));
    expectRowShows(QStringLiteral("far_navy"), QStringLiteral("⊕"));
    QVERIFY(!app::symbolWindow->isVisible());
    QVERIFY2(child<QLabel>("label_preview_symbol")->text().contains(QStringLiteral("⊕")),
             qPrintable(child<QLabel>("label_preview_symbol")->text()));
    QCOMPARE(labelFileBytes(), labelsBefore);
}

void SymbolPickerTest::secondSymbolButtonReaimsThePicker()
{
    const QString nearAir = child<QTextEdit>("textEdit_near_air")->toPlainText();
    clickButton("pushButton_symbol_near_air");
    clickButton("pushButton_symbol_far_ground");
    QVERIFY(app::symbolWindow->isVisible());

    pick(QStringLiteral("☢"));
    expectRowShows(QStringLiteral("far_ground"), QStringLiteral("☢"));
    expectRowShows(QStringLiteral("near_air"), nearAir);
}

void SymbolPickerTest::closingWithoutChoiceChangesNothing()
{
    const QString farWeapon = child<QTextEdit>("textEdit_far_weapon")->toPlainText();
    clickButton("pushButton_symbol_far_weapon");
    QVERIFY(app::symbolWindow->isVisible());
    QVERIFY(app::symbolWindow->close());

    expectRowShows(QStringLiteral("far_weapon"), farWeapon);
}

QTEST_MAIN(SymbolPickerTest)
#include "tst_symbol_picker.moc"
