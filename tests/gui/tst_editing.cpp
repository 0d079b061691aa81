// Editing in the main window before Apply: distances kept in increasing order,
// sliders and fields in step, the side colours, the symbol picker and About Author.
#include <QCoreApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTextEdit>

#include "GuiTestBase.h"

namespace {
const QStringList categories = {"air", "ground", "navy", "weapon"};
const QList<QStringList> fixtureDistances = {{"10", "10000", "20000", "30000"},
                                             {"10", "5000", "10000", "20000"},
                                             {"10", "10000", "20000", "40000"},
                                             {"5", "5000", "20000"}};
}  // namespace

class EditingTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void ruleLowersTheBandsBelowTheChangedOne_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<QStringList>("before");  // typed from the top down so that no step is lowered
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("action");  // a number typed with Return, "drag" to the start, or "Home" key
        QTest::addColumn<QStringList>("after");
        const auto row = [](const char* tag, int category, const QStringList& before, const char* band,
                            const char* action, const QStringList& after) {
            QTest::newRow(tag) << category << before << QString(band) << QString(action) << after;
        };
        const QStringList air = {"100", "200", "300", "400"};
        row("air NEAR typed above FAR", 0, air, "near", "350", {"100", "299", "300", "400"});
        row("air DOT typed low", 0, air, "dot", "150", {"100", "148", "149", "150"});
        row("navy DOT dragged down", 2, {"200", "3000", "5000", "40000"}, "dot", "drag", {"7", "8", "9", "10"});
        row("weapon EMPTY typed above NEAR", 3, {}, "empty", "30000", {"4999", "5000", "20000"});
        row("weapon NEAR typed above FAR", 3, {}, "near", "25000", {"5", "19999", "20000"});
        row("weapon FAR dragged down", 3, {}, "far", "drag", {"3", "4", "5"});
        row("ground FAR Home key", 1, {}, "far", "Home", {"3", "4", "5", "20000"});
    }

    void ruleLowersTheBandsBelowTheChangedOne()
    {
        QFETCH(int, category);
        QFETCH(QStringList, before);
        QFETCH(QString, band);
        QFETCH(QString, action);
        QFETCH(QStringList, after);
        const QString name = categories[category];
        const char* const bands[] = {"dot", "far", "near", "empty"};
        for (int i = 0; i < before.size(); ++i)
            retype(QStringLiteral("lineEdit_value_%1_%2").arg(bands[i], name), before[before.size() - 1 - i]);
        if (!before.isEmpty())
            QCOMPARE(distancesOf(name), before);

        const QString slider = QStringLiteral("horizontalSlider_%1_%2").arg(band, name);
        if (action == QStringLiteral("drag"))
            dragTo(slider, Qt::LeftEdge);
        else if (action == QStringLiteral("Home"))
            QTest::keyClick(child<QSlider>(slider), Qt::Key_Home);
        else
            retype(QStringLiteral("lineEdit_value_%1_%2").arg(band, name), action);
        QCOMPARE(distancesOf(name), after);
        // The rule works within each category: the others keep the fixture's values.
        for (int other = 0; other < categories.size(); ++other)
            if (other != category)
                QCOMPARE(distancesOf(categories[other]), fixtureDistances[other]);
    }

    void draggingChangesOnlyItsOwnFieldUntilRelease()
    {
        auto* near = child<QSlider>("horizontalSlider_near_ground");
        QSignalSpy moved(near, &QSlider::sliderMoved);
        pressAndDrag(near, 2 * near->width());
        QVERIFY(!moved.isEmpty());
        QCOMPARE(distancesOf("ground"), QStringList({"10", "50000", "10000", "20000"}));
        QCOMPARE(distancesOf("air"), fixtureDistances[0]);

        release(near);
        QCOMPARE(distancesOf("ground"), QStringList({"10", "9999", "10000", "20000"}));
    }

    void colourButtonShowsAChosenColourAndIgnoresCancel()
    {
        const QString red = QStringLiteral("background-color:rgb(249,69,38);");
        const QString preview = child<QWidget>("label_preview_symbol")->styleSheet();
        clickButton("pushButton_red_color");  // no preset: the dialog is cancelled
        QCOMPARE(child<QWidget>("pushButton_red_color")->styleSheet(), red);
        QCOMPARE(child<QWidget>("label_preview_symbol")->styleSheet(), preview);

        dialogs::presetColour(QColor(12, 34, 56));
        clickButton("pushButton_blue_color");
        QCOMPARE(child<QWidget>("pushButton_blue_color")->styleSheet(),
                 QStringLiteral("background-color:rgb(12,34,56);"));
        QCOMPARE(child<QWidget>("pushButton_red_color")->styleSheet(), red);
    }

    void paletteIsSixRowsOfEightSymbols()
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
        QCOMPARE(symbols[0] + symbols[2 * 8 + 7] + symbols[47], QStringLiteral("◯⊕⬣"));
    }

    void pickedSymbolFillsItsRowAndThePreview()
    {
        const QByteArray labelsBefore = labelFileBytes();
        clickButton("radioButton_navy");
        clickButton("radioButton_far");
        clickButton("pushButton_symbol_far_navy");
        pickSymbol(QStringLiteral("⊕"));

        QCOMPARE(symbolRow("far_navy"), QStringLiteral("⊕ ⊕"));
        QVERIFY(!app::symbolWindow->isVisible());
        QCOMPARE(shown("label_preview_symbol"), QStringLiteral("⊕Burke\nNaval 1-1\n0.0km"));
        QCOMPARE(labelFileBytes(), labelsBefore);
    }

    void secondSymbolButtonReaimsThePicker()
    {
        const QString nearAir = symbolRow("near_air");
        clickButton("pushButton_symbol_near_air");
        clickButton("pushButton_symbol_far_ground");
        pickSymbol(QStringLiteral("☢"));
        QCOMPARE(symbolRow("far_ground"), QStringLiteral("☢ ☢"));
        QCOMPARE(symbolRow("near_air"), nearAir);
    }

    void closingThePickerWithoutChoiceChangesNothing()
    {
        const QString farWeapon = symbolRow("far_weapon");
        clickButton("pushButton_symbol_far_weapon");
        QVERIFY(app::symbolWindow->isVisible());
        QVERIFY(app::symbolWindow->close());
        QCOMPARE(symbolRow("far_weapon"), farWeapon);
    }

    // The About box says what the program is and under which licences, and leads nowhere.
    void aboutAuthorShowsTheAboutBox()
    {
        triggerAction("actionAbout_Author");
        expectOneMessage({QStringLiteral("HALVANE Label Manager ") + QCoreApplication::applicationVersion(),
                          QStringLiteral("MIT licence"), QStringLiteral("DejaVu")});
        QVERIFY(!QCoreApplication::applicationVersion().isEmpty());
    }

    // The dialog opens on the colour the button shows, also after a choice.
    void colourDialogOpensOnTheButtonsColour()
    {
        dialogs::presetColour(QColor(12, 34, 56));
        clickButton("pushButton_blue_color");
        clickButton("pushButton_blue_color");
        clickButton("pushButton_red_color");
        QCOMPARE(dialogs::takeColourDialogStarts(),
                 QList<QColor>({QColor(0, 82, 199), QColor(12, 34, 56), QColor(249, 69, 38)}));
    }

    void typedSymbolShowsOnItsButtonAndInThePreview()
    {
        clickButton("radioButton_ground");
        retype("textEdit_near_ground", QStringLiteral("▲"));
        QCOMPARE(symbolRow("near_ground"), QStringLiteral("▲ ▲"));
        QCOMPARE(shown("label_preview_symbol"), QStringLiteral("▲T-90\nGround 1-1\n0.0km"));
    }

    // Tab leaves a symbol field and Shift+Tab comes back, as in every other field; no
    // tab character is typed into the symbol.
    void tabMovesFocusOutOfASymbolField()
    {
        auto* field = child<QTextEdit>("textEdit_near_air");
        app::mainWindow->activateWindow();
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(!field->hasFocus());
        QCOMPARE(field->toPlainText(), QStringLiteral("˄"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(field->hasFocus());
        QCOMPARE(field->toPlainText(), QStringLiteral("˄"));
    }

private:
    // The line edit texts of a category (EMPTY, NEAR, FAR and, but for weapons, DOT);
    // its sliders must show the same values, clipped to their ranges.
    QStringList distancesOf(const QString& category) const
    {
        QStringList texts;
        for (const char* band : {"empty", "near", "far", "dot"}) {
            const QString suffix = QStringLiteral("%1_%2").arg(band, category);
            auto* field = child<QLineEdit>("lineEdit_value_" + suffix);
            auto* slider = child<QSlider>("horizontalSlider_" + suffix);
            if (!field || !slider)
                continue;
            texts << field->text();
            if (slider->value() != qBound(slider->minimum(), field->text().toInt(), slider->maximum()))
                texts << QStringLiteral("(slider at %1)").arg(slider->value());
        }
        return texts;
    }

    // What the text field and the button of a symbol row ("far_navy") show.
    QString symbolRow(const QString& row) const
    {
        return shown("textEdit_" + row) + " " + shown("pushButton_symbol_" + row);
    }
};

QTEST_MAIN(EditingTest)
#include "tst_editing.moc"
