// Opening the editor: what the main window shows and where, for the current label
// file layout, for a file whose values stand outside the sliders, for the older
// layout still found on players' machines, and after Reload and Restore Default.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>
#include <QTextEdit>

#include "Dialogs.h"
#include "FixtureEdits.h"
#include "GuiTestBase.h"
#include "UserActions.h"

namespace {
const QStringList alignmentNames = {"RightBottom", "RightTop", "LeftBottom", "LeftTop",
                                    "CenterBottom", "CenterTop", "CenterCenter"};

const char* const distanceFields[] = {
    "lineEdit_value_empty_air", "lineEdit_value_near_air", "lineEdit_value_far_air", "lineEdit_value_dot_air",
    "lineEdit_value_empty_ground", "lineEdit_value_near_ground", "lineEdit_value_far_ground",
    "lineEdit_value_dot_ground", "lineEdit_value_empty_navy", "lineEdit_value_near_navy",
    "lineEdit_value_far_navy", "lineEdit_value_dot_navy", "lineEdit_value_empty_weapon",
    "lineEdit_value_near_weapon", "lineEdit_value_far_weapon"};

const char* const alignmentCombos[] = {"comboBox_symbol_pos_air", "comboBox_symbol_pos_ground",
                                       "comboBox_symbol_pos_navy", "comboBox_symbol_pos_weapon"};
}  // namespace

class MainWindowOpenTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void windowHasFixedSizeAndTitle();
    void widgetsStandWhereTheFormPutsThem_data();
    void widgetsStandWhereTheFormPutsThem();
    void formGivesFontsItemsAndInitialTexts();
    void menusHoldTheirActionsInOrder();
    void radioButtonsFormThreeExclusiveGroups();
    void distanceFieldsAcceptOnlyNumbersUpToAMillion();
    void fillShowsTheLabelFile();
    void distanceAboveSliderMaximumKeepsItsValue();
    void levelComboSwitchesAlignmentsAndDistances_data();
    void levelComboSwitchesAlignmentsAndDistances();
    void switchingBackShowsTheModelNotTheDraggedValue();
    void olderLayoutOpensWithNeutralValuesAndSaysSoOnce();
    void emptyLabelFileOpensWithEverythingNeutral();
    void longerWordsOfOtherLanguagesStayReadable_data();
    void longerWordsOfOtherLanguagesStayReadable();
    void reloadShowsTheFileAgain();
    void reloadThatCannotReadKeepsTheWindow();
    void restoreDefaultShowsTheFactorySettings();
};

void MainWindowOpenTest::windowHasFixedSizeAndTitle()
{
    QMainWindow* window = app::mainWindow;
    QVERIFY(window->isVisible());
    QCOMPARE(window->size(), QSize(964, 665));
    QCOMPARE(window->minimumSize(), QSize(964, 665));
    QCOMPARE(window->maximumSize(), QSize(964, 665));
    QCOMPARE(window->windowTitle(), QStringLiteral("HALVANE Label Manager"));
    // The window's layout gives the menu bar the height its font needs.
    QCOMPARE(child<QMenuBar>("menubar")->pos(), QPoint(0, 0));
    QCOMPARE(child<QMenuBar>("menubar")->width(), 964);
    QVERIFY(child<QStatusBar>("statusbar"));
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

void MainWindowOpenTest::widgetsStandWhereTheFormPutsThem_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("geometry");
    const auto row = [](const char* name, const char* kind, int x, int y, int w, int h) {
        QTest::newRow(name) << QString::fromLatin1(kind) << QRect(x, y, w, h);
    };
    row("label_currently_allocated", "QLabel", 20, 10, 161, 21);
    row("comboBox_profille", "QComboBox", 20, 41, 101, 21);
    row("checkBox_navy", "QCheckBox", 20, 110, 80, 19);
    row("pushButton_red_color", "QPushButton", 180, 70, 31, 31);
    row("label_color_blue", "QLabel", 100, 120, 91, 31);
    row("label_far_symbol", "QLabel", 20, 360, 111, 31);
    row("textEdit_near_ground", "QTextEdit", 120, 230, 41, 31);
    row("pushButton_symbol_far_weapon", "QPushButton", 180, 510, 41, 31);
    row("label_symbol_size_real", "QLabel", 150, 550, 53, 31);
    row("horizontalSlider_symbol_size", "QSlider", 20, 590, 131, 22);
    row("comboBox_symbol_pos_weapon", "QComboBox", 380, 160, 121, 31);
    row("label_distance_setttings_2", "QLabel", 640, 10, 151, 31);
    row("label_dis_air", "QLabel", 290, 230, 121, 41);
    row("label_dot_dis_air", "QLabel", 290, 390, 61, 21);
    row("horizontalSlider_near_ground", "QSlider", 360, 500, 141, 22);
    row("lineEdit_value_far_navy", "QLineEdit", 870, 140, 71, 31);
    row("lineEdit_value_far_weapon", "QLineEdit", 870, 330, 71, 31);
    row("label_preview", "QLabel", 730, 380, 211, 181);
    row("radioButton_side_blue", "QRadioButton", 640, 590, 97, 21);
    row("pushButton_apply", "QPushButton", 810, 560, 131, 61);
}

void MainWindowOpenTest::widgetsStandWhereTheFormPutsThem()
{
    QFETCH(QString, kind);
    QFETCH(QRect, geometry);
    QWidget* widget = child<QWidget>(QTest::currentDataTag());
    QVERIFY(widget);
    QCOMPARE(widget->metaObject()->className(), kind);
    QCOMPARE(widget->parentWidget()->objectName(), QStringLiteral("centralwidget"));
    if (const auto* combo = qobject_cast<QComboBox*>(widget)) {
        // A box may be widened so that its longest item shows in this platform's font.
        QCOMPARE(combo->pos(), geometry.topLeft());
        QCOMPARE(combo->height(), geometry.height());
        QVERIFY(combo->width() >= geometry.width());
        QVERIFY(combo->width() >= combo->sizeHint().width());
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
}

void MainWindowOpenTest::formGivesFontsItemsAndInitialTexts()
{
    QCOMPARE(child<QLabel>("label_dis_weapon")->font().pointSize(), 12);
    QCOMPARE(child<QLabel>("label_dis_weapon")->font().weight(), QFont::Bold);
    QCOMPARE(child<QLabel>("label_pos_navy")->font().weight(), QFont::Normal);
    QCOMPARE(child<QComboBox>("comboBox_profille")->font().pointSize(), 10);
    QCOMPARE(child<QLineEdit>("lineEdit_value_dot_ground")->font().pointSize(), 11);
    QCOMPARE(child<QLabel>("label_preview")->font().pointSize(), 24);
    QCOMPARE(child<QPushButton>("pushButton_symbol_near_navy")->font().pointSize(), 14);
    QCOMPARE(child<QTextEdit>("textEdit_far_air")->styleSheet(), QStringLiteral("font-size:15px"));

    QComboBox* level = child<QComboBox>("comboBox_profille");
    QCOMPARE(level->count(), 3);
    QCOMPARE(level->itemText(0), QStringLiteral("FULL"));
    QCOMPARE(level->itemText(1), QStringLiteral("ABBREVIATED"));
    QCOMPARE(level->itemText(2), QStringLiteral("DOT"));
    for (const char* name : alignmentCombos) {
        QComboBox* combo = child<QComboBox>(name);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, alignmentNames);
    }

    // The weapon group has no DOT row.
    QVERIFY(!child<QSlider>("horizontalSlider_dot_weapon"));
    QVERIFY(!child<QLineEdit>("lineEdit_value_dot_weapon"));
    QCOMPARE(app::mainWindow->findChildren<QLineEdit*>().size(), 15);
    QCOMPARE(child<QSlider>("horizontalSlider_empty_navy")->maximum(), 1000);
    QCOMPARE(child<QSlider>("horizontalSlider_near_air")->minimum(), 1);
    QCOMPARE(child<QSlider>("horizontalSlider_far_weapon")->maximum(), 90000);
    QCOMPARE(child<QSlider>("horizontalSlider_dot_ground")->minimum(), 10);
    QCOMPARE(child<QSlider>("horizontalSlider_dot_ground")->maximum(), 99999);
    QCOMPARE(child<QSlider>("horizontalSlider_symbol_size")->minimum(), 1);
    QCOMPARE(child<QSlider>("horizontalSlider_symbol_size")->maximum(), 99);

    // The label text lies over the picture.
    QWidget* central = child<QWidget>("centralwidget");
    QVERIFY(central->children().indexOf(child<QLabel>("label_preview_symbol")) >
            central->children().indexOf(child<QLabel>("label_preview")));
    QCOMPARE(child<QLabel>("label_preview")->text(), QString());
    QVERIFY(!child<QLabel>("label_preview")->pixmap().isNull());
}

void MainWindowOpenTest::menusHoldTheirActionsInOrder()
{
    const auto namesOf = [](const QList<QAction*>& actions) {
        QStringList names;
        for (const QAction* action : actions)
            names << (action->menu() ? action->menu()->objectName() : action->objectName());
        return names;
    };
    QCOMPARE(namesOf(child<QMenuBar>("menubar")->actions()),
             QStringList({"menuFile", "menuFeature", "menuLanguage"}));
    QCOMPARE(namesOf(child<QMenu>("menuFile")->actions()), QStringList({"actionSelectDirectory"}));
    QCOMPARE(namesOf(child<QMenu>("menuFeature")->actions()),
             QStringList({"actionReload", "actionRestore_Default", "actionAbout_Author"}));
    QCOMPARE(namesOf(child<QMenu>("menuLanguage")->actions()),
             QStringList({"action_English", "action_Chinese", "action_Russian_2", "action_Japanese"}));
    QCOMPARE(child<QAction>("action_Chinese")->text(), QStringLiteral("简体中文(Chinese)"));
    QCOMPARE(child<QAction>("actionRestore_Default")->text(), QStringLiteral("Restore Default"));
}

void MainWindowOpenTest::radioButtonsFormThreeExclusiveGroups()
{
    const QList<QButtonGroup*> groups = app::mainWindow->findChildren<QButtonGroup*>();
    QCOMPARE(groups.size(), 3);
    for (QButtonGroup* group : groups)
        QVERIFY(group->exclusive());
    QCOMPARE(child<QRadioButton>("radioButton_weapon")->group()->objectName(),
             QStringLiteral("buttonGroup_preview_itemtype"));
    QCOMPARE(child<QRadioButton>("radioButton_far")->group()->objectName(), QStringLiteral("buttonGroup_preview_dis"));
    QCOMPARE(child<QRadioButton>("radioButton_side_blue")->group()->buttons().size(), 2);

    // The fill selects aircraft, near and red.
    QVERIFY(child<QRadioButton>("radioButton_aircraft")->isChecked());
    QVERIFY(child<QRadioButton>("radioButton_near")->isChecked());
    QVERIFY(child<QRadioButton>("radioButton_side_red")->isChecked());
    clickButton("radioButton_navy");
    QVERIFY(!child<QRadioButton>("radioButton_aircraft")->isChecked());
    QVERIFY(child<QRadioButton>("radioButton_near")->isChecked());
}

void MainWindowOpenTest::distanceFieldsAcceptOnlyNumbersUpToAMillion()
{
    for (const char* name : distanceFields) {
        const auto* validator = qobject_cast<const QIntValidator*>(child<QLineEdit>(name)->validator());
        QVERIFY2(validator, name);
        QCOMPARE(validator->bottom(), 0);
        QCOMPARE(validator->top(), 1000000);
    }
    QLineEdit* field = child<QLineEdit>("lineEdit_value_far_ground");
    user::retype(field, QStringLiteral("-a7x5"));
    QCOMPARE(field->text(), QStringLiteral("75"));
    user::retype(field, QStringLiteral("12345678"));
    QCOMPARE(field->text(), QStringLiteral("1234567"));
}

void MainWindowOpenTest::fillShowsTheLabelFile()
{
    for (const char* name : {"checkBox_aircraft", "checkBox_ground", "checkBox_navy", "checkBox_weapon"})
        QVERIFY2(child<QCheckBox>(name)->isChecked(), name);
    QCOMPARE(child<QTextEdit>("textEdit_near_air")->toPlainText(), QStringLiteral("˄"));
    QCOMPARE(child<QTextEdit>("textEdit_far_air")->toPlainText(), QStringLiteral("✈"));
    QCOMPARE(child<QTextEdit>("textEdit_far_navy")->toPlainText(), QStringLiteral("˜"));
    QCOMPARE(child<QPushButton>("pushButton_symbol_far_air")->text(), QStringLiteral("✈"));
    QCOMPARE(child<QPushButton>("pushButton_symbol_near_weapon")->text(), QStringLiteral("ˈ"));
    QCOMPARE(child<QLabel>("label_symbol_size_real")->text(), QStringLiteral("13"));
    QCOMPARE(child<QSlider>("horizontalSlider_symbol_size")->value(), 13);
    QCOMPARE(child<QPushButton>("pushButton_red_color")->styleSheet(),
             QStringLiteral("background-color:rgb(249,69,38);"));
    QCOMPARE(child<QPushButton>("pushButton_blue_color")->styleSheet(),
             QStringLiteral("background-color:rgb(0,82,199);"));

    QCOMPARE(child<QComboBox>("comboBox_profille")->currentText(), QStringLiteral("FULL"));
    for (const char* name : alignmentCombos)
        QCOMPARE(child<QComboBox>(name)->currentText(), QStringLiteral("LeftBottom"));
    const QStringList full = {"10", "10000", "20000", "30000", "10", "5000", "10000", "20000",
                              "10", "10000", "20000", "40000", "5", "5000", "20000"};
    for (int i = 0; i < full.size(); ++i)
        QCOMPARE(child<QLineEdit>(distanceFields[i])->text(), full[i]);
    QCOMPARE(child<QSlider>("horizontalSlider_near_air")->value(), 10000);
    QCOMPARE(child<QSlider>("horizontalSlider_dot_navy")->value(), 40000);
}

void MainWindowOpenTest::distanceAboveSliderMaximumKeepsItsValue()
{
    QTemporaryDir folder;
    GuiWorld world;
    world.fixture = editedFixture(folder, "[10000]\t= {aircraft_symbol_near", "[60000]\t= {aircraft_symbol_near");
    QVERIFY(!world.fixture.isEmpty());
    start(world);
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("60000"));
    QCOMPARE(child<QSlider>("horizontalSlider_near_air")->value(), 50000);
}

void MainWindowOpenTest::levelComboSwitchesAlignmentsAndDistances_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QStringList>("distances");
    QTest::newRow("ABBREVIATED") << 1 << "RightTop"
                                 << QStringList{"20", "8000", "16000", "25000", "20", "4000", "9000", "18000",
                                                "20", "9000", "18000", "36000", "8", "4000", "18000"};
    QTest::newRow("DOT") << 2 << "CenterCenter"
                         << QStringList{"30", "6000", "12000", "24000", "30", "3000", "7000", "14000",
                                        "30", "7000", "14000", "30000", "10", "3000", "14000"};
}

void MainWindowOpenTest::levelComboSwitchesAlignmentsAndDistances()
{
    QFETCH(int, level);
    QFETCH(QString, alignment);
    QFETCH(QStringList, distances);
    user::choose(child<QComboBox>("comboBox_profille"), level);
    QCOMPARE(child<QComboBox>("comboBox_profille")->currentIndex(), level);
    for (const char* name : alignmentCombos)
        QCOMPARE(child<QComboBox>(name)->currentText(), alignment);
    for (int i = 0; i < distances.size(); ++i) {
        QCOMPARE(child<QLineEdit>(distanceFields[i])->text(), distances[i]);
        const QString slider = QString::fromLatin1(distanceFields[i]).replace("lineEdit_value", "horizontalSlider");
        QCOMPARE(child<QSlider>(slider.toLatin1().constData())->value(), distances[i].toInt());
    }
}

void MainWindowOpenTest::switchingBackShowsTheModelNotTheDraggedValue()
{
    user::dragToEnd(child<QSlider>("horizontalSlider_near_air"));
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("19999"));
    QComboBox* level = child<QComboBox>("comboBox_profille");
    user::choose(level, 2);
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("6000"));
    user::choose(level, 0);
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("10000"));
    QCOMPARE(child<QSlider>("horizontalSlider_near_air")->value(), 10000);
}

void MainWindowOpenTest::olderLayoutOpensWithNeutralValuesAndSaysSoOnce()
{
    GuiWorld world;
    world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-older-layout.lua");
    start(world);
    QVERIFY(app::mainWindow && app::mainWindow->isVisible());

    // What the older layout still holds shows as usual.
    QVERIFY(child<QCheckBox>("checkBox_ground")->isChecked());
    QCOMPARE(child<QTextEdit>("textEdit_far_air")->toPlainText(), QStringLiteral("✈"));
    QCOMPARE(child<QPushButton>("pushButton_red_color")->styleSheet(),
             QStringLiteral("background-color:rgb(249,69,38);"));
    // What it lacks shows neutral.
    QCOMPARE(child<QLabel>("label_symbol_size_real")->text(), QString());
    QCOMPARE(child<QSlider>("horizontalSlider_symbol_size")->value(), 1);
    for (const char* name : distanceFields)
        QCOMPARE(child<QLineEdit>(name)->text(), QString());
    QCOMPARE(child<QSlider>("horizontalSlider_far_navy")->value(), 5);
    for (const char* name : alignmentCombos)
        QCOMPARE(child<QComboBox>(name)->currentIndex(), 0);

    const QStringList shown = dialogs::takeShownMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains("could not be read"), qPrintable(shown.first()));
    QVERIFY(shown.first().contains("Symbol Size"));
    QVERIFY(shown.first().contains("ABBREVIATED Distance Settings: Aircraft (EMPTY, NEAR, FAR, DOT)"));
    QVERIFY(shown.first().contains("DOT Alignment: Aircraft, Ground, Navy, Weapon"));
    QVERIFY(!shown.first().contains("Near Symbol"));

    // Looking at another level reads nothing new from the file, so nothing is said again.
    user::choose(child<QComboBox>("comboBox_profille"), 1);
    QCOMPARE(child<QLineEdit>("lineEdit_value_dot_air")->text(), QString());
    QVERIFY(dialogs::takeShownMessages().isEmpty());
    // A reload reads the file again and says it again, once.
    triggerAction("actionReload");
    QCOMPARE(dialogs::takeShownMessages().size(), 1);
}

void MainWindowOpenTest::emptyLabelFileOpensWithEverythingNeutral()
{
    QTemporaryDir folder;
    const QString empty = folder.filePath(QStringLiteral("Labels.lua"));
    QFile file(empty);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    GuiWorld world;
    world.fixture = empty;
    world.language = QStringLiteral("JP");
    start(world);

    for (const char* name : {"checkBox_aircraft", "checkBox_ground", "checkBox_navy", "checkBox_weapon"})
        QVERIFY(!child<QCheckBox>(name)->isChecked());
    QCOMPARE(child<QTextEdit>("textEdit_near_air")->toPlainText(), QString());
    QCOMPARE(child<QPushButton>("pushButton_symbol_near_air")->text(), QString());
    QCOMPARE(child<QPushButton>("pushButton_blue_color")->styleSheet(), QString());
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_weapon")->text(), QString());
    const QStringList shown = dialogs::takeShownMessages();
    QCOMPARE(shown.size(), 1);
    // Told in the interface language, with the window's own words for the settings.
    QVERIFY2(shown.first().contains("読み取れない"), qPrintable(shown.first()));
    QVERIFY(shown.first().contains("近距離シンボル"));
}

void MainWindowOpenTest::longerWordsOfOtherLanguagesStayReadable_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("Chinese") << "action_Chinese";
    QTest::newRow("Russian") << "action_Russian_2";
    QTest::newRow("Japanese") << "action_Japanese";
}

void MainWindowOpenTest::longerWordsOfOtherLanguagesStayReadable()
{
    QFETCH(QString, action);
    QWidget* central = child<QWidget>("centralwidget");
    QList<QLabel*> captions = central->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    captions.removeOne(child<QLabel>("label_preview"));
    captions.removeOne(child<QLabel>("label_preview_symbol"));
    const auto others = central->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const auto overlaps = [](const QWidget* a, const QWidget* b) {
        return a != b && a->geometry().adjusted(1, 1, -1, -1).intersects(b->geometry());
    };
    QHash<QLabel*, QRect> english;
    QSet<QPair<QWidget*, QWidget*>> overlapsOfTheForm;
    for (QLabel* caption : captions) {
        english[caption] = caption->geometry();
        for (QWidget* other : others)
            if (overlaps(caption, other))
                overlapsOfTheForm.insert({caption, other});
    }

    triggerAction(action.toLatin1().constData());
    for (QLabel* caption : captions) {
        const QString name = caption->objectName();
        const bool fits = caption->wordWrap()
                              ? caption->heightForWidth(caption->width()) <= caption->height()
                              : caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width();
        QVERIFY2(fits, qPrintable(name + ": " + caption->text()));
        QVERIFY2(caption->font().pointSize() >= 7, qPrintable(name));
        for (QWidget* other : others)
            QVERIFY2(!overlaps(caption, other) || overlapsOfTheForm.contains({caption, other}),
                     qPrintable(name + " covers " + other->objectName()));
    }

    triggerAction("action_English");
    for (QLabel* caption : captions)
        QCOMPARE(caption->geometry(), english[caption]);
}

void MainWindowOpenTest::reloadShowsTheFileAgain()
{
    user::retype(child<QLineEdit>("lineEdit_value_dot_navy"), QStringLiteral("45000"));
    clickButton("checkBox_navy");
    clickButton("radioButton_weapon");
    clickButton("radioButton_far");
    clickButton("radioButton_side_blue");
    user::choose(child<QComboBox>("comboBox_profille"), 1);

    triggerAction("actionReload");
    QCOMPARE(child<QLineEdit>("lineEdit_value_dot_navy")->text(), QStringLiteral("40000"));
    QVERIFY(child<QCheckBox>("checkBox_navy")->isChecked());
    QVERIFY(child<QRadioButton>("radioButton_aircraft")->isChecked());
    QVERIFY(child<QRadioButton>("radioButton_near")->isChecked());
    QVERIFY(child<QRadioButton>("radioButton_side_red")->isChecked());
    // The window shows FULL again, and the level box says so.
    QCOMPARE(child<QComboBox>("comboBox_profille")->currentText(), QStringLiteral("FULL"));
    QCOMPARE(child<QComboBox>("comboBox_symbol_pos_air")->currentText(), QStringLiteral("LeftBottom"));
    QVERIFY(dialogs::takeShownMessages().isEmpty());
}

void MainWindowOpenTest::reloadThatCannotReadKeepsTheWindow()
{
#ifdef Q_OS_WIN
    QSKIP("a looping symbolic link needs privileges on Windows");
#endif
    // A folder of the path that loops back on itself makes the file system refuse to
    // say whether Labels.lua exists at all.
    const QString config = homePath() + "/Config";
    QVERIFY(QDir().rename(config, homePath() + "/Config-aside"));
    QVERIFY(QFile::link(config, config));
    user::retype(child<QLineEdit>("lineEdit_value_far_navy"), QStringLiteral("25000"));

    triggerAction("actionReload");
    const QStringList shown = dialogs::takeShownMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith("Labels.lua could not be read: "), qPrintable(shown.first()));
    QCOMPARE(child<QLineEdit>("lineEdit_value_far_navy")->text(), QStringLiteral("25000"));
    QVERIFY(app::mainWindow->isVisible());
}

void MainWindowOpenTest::restoreDefaultShowsTheFactorySettings()
{
    QFile factory(QStringLiteral(HALVANE_SOURCE_DIR "/data/default.lua"));
    QVERIFY(factory.open(QIODevice::ReadOnly));
    const QByteArray factoryText = factory.readAll();
    user::choose(child<QComboBox>("comboBox_profille"), 2);
    QCOMPARE(child<QComboBox>("comboBox_symbol_pos_ground")->currentText(), QStringLiteral("CenterCenter"));

    triggerAction("actionRestore_Default");
    QCOMPARE(labelFileBytes(), factoryText);
    QCOMPARE(child<QComboBox>("comboBox_profille")->currentIndex(), 0);
    QCOMPARE(child<QTextEdit>("textEdit_far_air")->toPlainText(), QStringLiteral("˄"));
    user::choose(child<QComboBox>("comboBox_profille"), 2);
    QCOMPARE(child<QComboBox>("comboBox_symbol_pos_ground")->currentText(), QStringLiteral("LeftBottom"));
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("10000"));
}

QTEST_MAIN(MainWindowOpenTest)
#include "tst_main_window_open.moc"
