// A player who works from the keyboard or with a screen reader: the keys for Apply,
// Reload and Quit, Return and Escape in the small windows, the Tab order, and the
// names a screen reader announces.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>

#include "GuiTestBase.h"

namespace {
// Presses keys in a window as a player would, once it is the active one.
void press(QWidget* window, QKeySequence keys)
{
    window->activateWindow();
    QTRY_VERIFY(window->isActiveWindow());
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
    QTest::keySequence(target, keys);
}
}  // namespace

class KeyboardTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void keysReachTheirCommands_data()
    {
        QTest::addColumn<QKeySequence>("applyKeys");
        QTest::addColumn<QKeySequence>("closeKeys");
        QTest::newRow("Ctrl+S, then Return") << QKeySequence(QKeySequence::Save) << QKeySequence(Qt::Key_Return);
        QTest::newRow("Ctrl+Return, then Escape")
            << QKeySequence(Qt::CTRL | Qt::Key_Return) << QKeySequence(Qt::Key_Escape);
    }
    void keysReachTheirCommands()
    {
        QFETCH(QKeySequence, applyKeys);
        QFETCH(QKeySequence, closeKeys);
        // A distance still being typed is finished by the key, as by a click on Apply.
        auto* field = child<QLineEdit>("lineEdit_value_dot_navy");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("45000"));
        press(app::mainWindow, applyKeys);
        QTRY_COMPARE(windowsOf<confirmWindow>(), 1);
        QVERIFY(labelFileBytes().contains("45000"));
        press(app::confirmationWindow, closeKeys);
        QTRY_COMPARE(windowsOf<confirmWindow>(), 0);

        // F5 reloads, asking first about what was typed; Ctrl+Q asks the same.
        QCOMPARE(child<QAction>("actionReload")->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(child<QAction>("actionQuit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        retype("lineEdit_value_dot_navy", QStringLiteral("46000"));
        dialogs::presetAnswer(1);  // discard
        press(app::mainWindow, QKeySequence(Qt::Key_F5));
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QCOMPARE(shown("lineEdit_value_dot_navy"), QStringLiteral("45000"));
        retype("lineEdit_value_dot_navy", QStringLiteral("46000"));
        dialogs::presetAnswer(2);  // stay
        press(app::mainWindow, QKeySequence(Qt::CTRL | Qt::Key_Q));
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QVERIFY(app::mainWindow->isVisible());

        // Escape closes the symbol picker and the directory window.
        clickButton("pushButton_symbol_near_air");
        QTRY_VERIFY(app::symbolWindow->isVisible());
        press(app::symbolWindow, QKeySequence(Qt::Key_Escape));
        QTRY_VERIFY(!app::symbolWindow->isVisible());
        dialogs::presetAnswer(1);
        triggerAction("actionSelectDirectory");
        QTRY_VERIFY(app::directoryWindow->isVisible());
        press(app::directoryWindow, QKeySequence(Qt::Key_Escape));
        QTRY_VERIFY(!app::directoryWindow->isVisible());
    }

    void tabVisitsEveryControlInReadingOrder()
    {
        app::mainWindow->activateWindow();
        QTRY_VERIFY(app::mainWindow->isActiveWindow());
        child<QWidget>("comboBox_profille")->setFocus();
        QStringList visited{"comboBox_profille"};
        while (QApplication::focusWidget() && visited.size() < 100
               && visited.back() != QLatin1String("pushButton_apply")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        qInfo("Tab order: %s", qPrintable(visited.join(QStringLiteral(", "))));
        QStringList expected{"comboBox_profille", "checkBox_aircraft",    "checkBox_ground",      "checkBox_navy",
                             "checkBox_weapon",   "pushButton_red_color", "pushButton_blue_color"};
        for (const char* range : {"near", "far"}) {
            for (const char* category : {"air", "ground", "navy", "weapon"})
                expected << QStringLiteral("textEdit_%1_%2").arg(range, category)
                         << QStringLiteral("pushButton_symbol_%1_%2").arg(range, category);
        }
        expected << "horizontalSlider_symbol_size";
        for (const char* category : {"air", "ground", "navy", "weapon"})
            expected << QStringLiteral("comboBox_symbol_pos_%1").arg(category);
        for (const char* category : {"air", "ground", "navy", "weapon"}) {
            for (const char* band : {"empty", "near", "far", "dot"}) {
                if (QStringLiteral("weapon") != category || QStringLiteral("dot") != band)
                    expected << QStringLiteral("horizontalSlider_%1_%2").arg(band, category)
                             << QStringLiteral("lineEdit_value_%1_%2").arg(band, category);
            }
        }
        // One stop for each group of choices (the arrows move within it).
        expected << "radioButton_aircraft"
                 << "radioButton_near"
                 << "radioButton_side_red"
                 << "pushButton_apply";
        QCOMPARE(visited, expected);
    }

    void controlsAreNamedForScreenReaders_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("names");  // as the widgets below announce themselves
        QTest::newRow("English") << "EN" << QStringList{"Currently Allocated",     "Near Symbol: Aircraft",
                                                        "Choose Far Symbol: Navy", "Aircraft NEAR distance",
                                                        "Weapon FAR distance",     "Symbol Size"};
        QTest::newRow("Russian") << "RU"
                                 << QStringList{"Текущая выделенная",
                                                "Символ ближнего диапазона: Самолет",
                                                "Выбрать: Символ дальнего диапазона: Морской",
                                                "Самолет, Символ ближнего диапазона: расстояние",
                                                "Оружие, Символ дальнего диапазона: расстояние",
                                                "Размер символа"};
    }
    void controlsAreNamedForScreenReaders()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, names);
        // What a screen reader announces: the name, except where Qt announces a combo
        // box's caption through the label it is the buddy of (Linux).
        const auto announcedName = [](QWidget* widget) {
            QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
#ifndef Q_OS_WIN
            if (qobject_cast<QComboBox*>(widget) && !control->relations(QAccessible::Label).isEmpty())
                return control->relations(QAccessible::Label).first().first->text(QAccessible::Name);
#endif
            return control->text(QAccessible::Name);
        };
        GuiWorld world;
        world.language = language;
        start(world);
        const QStringList widgets
            = {"comboBox_profille",         "textEdit_near_air",         "pushButton_symbol_far_navy",
               "horizontalSlider_near_air", "lineEdit_value_far_weapon", "horizontalSlider_symbol_size"};
        QStringList announced;
        for (const QString& name : widgets)
            announced << announcedName(child<QWidget>(name));
        QCOMPARE(announced, names);
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
