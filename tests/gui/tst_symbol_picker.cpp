// Choosing a symbol from the palette for one of the main window's symbol fields.
#include <QGridLayout>
#include <QPushButton>

#include "GuiTestBase.h"

class SymbolPickerTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void paletteIsSixRowsOfEight();
    void pickFromFarNavy();
    void secondSymbolButtonReaimsThePicker();
    void closingWithoutChoiceChangesNothing();

private:
    // The text field and the button of a symbol row ("far_navy") both show the symbol.
    void expectRowShows(const QString& row, const QString& symbol) const
    {
        QCOMPARE(shown("textEdit_" + row), symbol);
        QCOMPARE(shown("pushButton_symbol_" + row), symbol);
    }
};

void SymbolPickerTest::paletteIsSixRowsOfEight()
{
    auto* grid = child<QGridLayout>("gridLayout", app::symbolWindow);
    QCOMPARE(grid->count(), 48);
    QCOMPARE(grid->rowCount(), 6);
    QCOMPARE(grid->columnCount(), 8);
    QStringList symbols;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 8; ++column) {
            QLayoutItem* item = grid->itemAtPosition(row, column);
            auto* button = item ? qobject_cast<QPushButton*>(item->widget()) : nullptr;
            QVERIFY2(button, qPrintable(QStringLiteral("empty cell %1,%2").arg(row).arg(column)));
            QCOMPARE(button->text().toUcs4().size(), 1);
            QCOMPARE(button->size(), QSize(40, 40));
            QCOMPARE(button->font().pointSize(), 16);
            if (!symbols.contains(button->text()))
                symbols << button->text();
        }
    }
    QCOMPARE(symbols.size(), 48);
    QCOMPARE(symbols[0], QStringLiteral("◯"));
    QCOMPARE(symbols[2 * 8 + 7], QStringLiteral("⊕"));
    QCOMPARE(symbols[47], QStringLiteral("⬣"));
}

void SymbolPickerTest::pickFromFarNavy()
{
    const QByteArray labelsBefore = labelFileBytes();
    clickButton("radioButton_navy");
    clickButton("radioButton_far");
    clickButton("pushButton_symbol_far_navy");
    pickSymbol(QStringLiteral("⊕"));

    expectRowShows(QStringLiteral("far_navy"), QStringLiteral("⊕"));
    QVERIFY(!app::symbolWindow->isVisible());
    QCOMPARE(shown("label_preview_symbol"), QStringLiteral("⊕Burke\nNaval 1-1\n0.0km"));
    QCOMPARE(labelFileBytes(), labelsBefore);
}

void SymbolPickerTest::secondSymbolButtonReaimsThePicker()
{
    const QString nearAir = shown("textEdit_near_air");
    clickButton("pushButton_symbol_near_air");
    clickButton("pushButton_symbol_far_ground");
    pickSymbol(QStringLiteral("☢"));

    expectRowShows(QStringLiteral("far_ground"), QStringLiteral("☢"));
    expectRowShows(QStringLiteral("near_air"), nearAir);
}

void SymbolPickerTest::closingWithoutChoiceChangesNothing()
{
    const QString farWeapon = shown("textEdit_far_weapon");
    clickButton("pushButton_symbol_far_weapon");
    QVERIFY(app::symbolWindow->isVisible());
    QVERIFY(app::symbolWindow->close());
    expectRowShows(QStringLiteral("far_weapon"), farWeapon);
}

QTEST_MAIN(SymbolPickerTest)
#include "tst_symbol_picker.moc"
