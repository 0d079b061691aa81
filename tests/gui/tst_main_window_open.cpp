// Opening the editor: what the main window shows and where, for the label file, for
// values outside the sliders and for an empty file, and after Reload and Restore Default.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>

#include "GuiTestBase.h"
#include "lua/LuaDocument.h"
#include "ui_MainWindow.h"

namespace {
const QStringList distanceFields
    = {"lineEdit_value_empty_air",    "lineEdit_value_near_air",     "lineEdit_value_far_air",
       "lineEdit_value_dot_air",      "lineEdit_value_empty_ground", "lineEdit_value_near_ground",
       "lineEdit_value_far_ground",   "lineEdit_value_dot_ground",   "lineEdit_value_empty_navy",
       "lineEdit_value_near_navy",    "lineEdit_value_far_navy",     "lineEdit_value_dot_navy",
       "lineEdit_value_empty_weapon", "lineEdit_value_near_weapon",  "lineEdit_value_far_weapon"};
const QStringList alignmentCombos = {"comboBox_symbol_pos_air", "comboBox_symbol_pos_ground",
                                     "comboBox_symbol_pos_navy", "comboBox_symbol_pos_weapon"};
const QStringList visibilityBoxes = {"checkBox_aircraft", "checkBox_ground", "checkBox_navy", "checkBox_weapon"};

bool textFits(const QLabel& label) { return label.fontMetrics().horizontalAdvance(label.text()) <= label.width(); }
}  // namespace

class MainWindowOpenTest : public GuiTestBase {
    Q_OBJECT

public:
    MainWindowOpenTest() { Ui::MainWindow().setupUi(&bareForm); }

private:
    // The form as drawn, before the editor fits any text to this platform's fonts.
    QMainWindow bareForm;

    // Empty for a widget the editor adds to the form.
    QRect formGeometry(const QWidget& widget) const
    {
        const QWidget* drawn = bareForm.centralWidget()->findChild<QWidget*>(widget.objectName());
        return drawn ? drawn->geometry() : QRect();
    }

private slots:
    void widgetsStandWhereTheFormPutsThem_data()
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
        row("textEdit_near_ground", "QTextEdit", 120, 230, 41, 31);
        row("horizontalSlider_symbol_size", "QSlider", 20, 590, 131, 22);
        row("comboBox_symbol_pos_weapon", "QComboBox", 380, 160, 121, 31);
        row("lineEdit_value_far_weapon", "QLineEdit", 870, 330, 81, 31);
        row("label_preview", "QLabel", 730, 380, 211, 181);
        row("radioButton_side_blue", "QRadioButton", 640, 590, 97, 21);
        row("pushButton_apply", "QPushButton", 810, 560, 131, 61);
    }

    void widgetsStandWhereTheFormPutsThem()
    {
        QFETCH(QString, kind);
        QFETCH(QRect, geometry);
        QMainWindow* window = app::mainWindow;
        QVERIFY(window->isVisible());
        QCOMPARE(window->minimumSize(), QSize(964, 665));
        QCOMPARE(window->maximumSize(), QSize(964, 665));
        QCOMPARE(window->windowTitle(), QStringLiteral("HALVANE Label Manager"));
        QCOMPARE(child<QMenuBar>("menubar")->geometry().topLeft(), QPoint(0, 0));
        QVERIFY(child<QStatusBar>("statusbar"));

        QWidget* widget = child<QWidget>(QTest::currentDataTag());
        QVERIFY(widget);
        QCOMPARE(widget->metaObject()->className(), kind);
        QCOMPARE(widget->parentWidget()->objectName(), QStringLiteral("centralwidget"));
        QCOMPARE(formGeometry(*widget), geometry);
        const auto* caption = qobject_cast<QLabel*>(widget);
        if (const auto* combo = qobject_cast<QComboBox*>(widget)) {
            // A box may be widened so that its longest item shows in this platform's font.
            QCOMPARE(combo->pos(), geometry.topLeft());
            QCOMPARE(combo->height(), geometry.height());
            QVERIFY(combo->width() >= qMax(geometry.width(), combo->sizeHint().width()));
        } else if (caption && caption->width() != geometry.width()) {
            // A caption whose English text is wider in this platform's font than the form
            // allowed for grows to the right, just enough.
            QCOMPARE(caption->pos(), geometry.topLeft());
            QCOMPARE(caption->height(), geometry.height());
            QVERIFY(caption->width() > geometry.width());
            QVERIFY(textFits(*caption));
            QVERIFY(caption->fontMetrics().horizontalAdvance(caption->text()) > geometry.width() - 2);
        } else {
            QCOMPARE(widget->geometry(), geometry);
        }
    }

    void formGivesItemsRangesMenusAndGroups()
    {
        QCOMPARE(child<QLabel>("label_dis_weapon")->font().pointSize(), 12);
        QCOMPARE(child<QLabel>("label_dis_weapon")->font().weight(), QFont::Bold);

        const auto items = [this](const QString& combo) {
            QStringList texts;
            for (int i = 0; i < child<QComboBox>(combo)->count(); ++i)
                texts << child<QComboBox>(combo)->itemText(i);
            return texts;
        };
        QCOMPARE(items("comboBox_profille"), QStringList({"FULL", "ABBREVIATED", "DOT"}));
        for (const QString& combo : alignmentCombos)
            QCOMPARE(items(combo),
                     QStringList({"RightBottom", "RightTop", "LeftBottom", "LeftTop", "CenterBottom", "CenterTop",
                                  "CenterCenter", "LeftCenter", "RightCenter"}));

        // The weapon group has no DOT row.
        QVERIFY(!child<QSlider>("horizontalSlider_dot_weapon"));
        QCOMPARE(app::mainWindow->findChildren<QLineEdit*>().size(), 15);
        const std::pair<const char*, const char*> ranges[] = {{"horizontalSlider_empty_navy", "0..1000"},
                                                              {"horizontalSlider_near_air", "1..50000"},
                                                              {"horizontalSlider_far_weapon", "5..90000"},
                                                              {"horizontalSlider_dot_ground", "10..99999"},
                                                              {"horizontalSlider_symbol_size", "1..99"}};
        for (const auto& [name, range] : ranges) {
            const QSlider* slider = child<QSlider>(name);
            QCOMPARE(QStringLiteral("%1..%2").arg(slider->minimum()).arg(slider->maximum()), QString(range));
        }

        // The label text lies over the picture.
        QWidget* central = child<QWidget>("centralwidget");
        QVERIFY(central->children().indexOf(child<QLabel>("label_preview_symbol"))
                > central->children().indexOf(child<QLabel>("label_preview")));

        const std::pair<const char*, const char*> menus[]
            = {{"menubar", "menuFile menuFeature menuLanguage"},
               {"menuFile", "actionSelectDirectory  actionQuit"},  // a separator between
               {"menuFeature", "actionReload actionRestore_Default  actionImportValues actionBackups  actionAbout_Author"},
               {"menuLanguage", "action_English action_Chinese action_Russian_2 action_Japanese"}};
        for (const auto& [menu, entries] : menus) {
            QStringList names;
            for (const QAction* action : child<QWidget>(menu)->actions())
                names << (action->menu() ? action->menu()->objectName() : action->objectName());
            QCOMPARE(names.join(' '), QString(entries));
        }

        // Three exclusive groups; the fill selects aircraft, near and red.
        const QList<QButtonGroup*> groups = app::mainWindow->findChildren<QButtonGroup*>();
        QCOMPARE(groups.size(), 3);
        for (QButtonGroup* group : groups)
            QVERIFY(group->exclusive());
        QCOMPARE(child<QRadioButton>("radioButton_far")->group(), child<QRadioButton>("radioButton_near")->group());
        QCOMPARE(selectedRadioButtons(),
                 QStringList({"radioButton_aircraft", "radioButton_near", "radioButton_side_red"}));
        clickButton("radioButton_navy");
        QCOMPARE(selectedRadioButtons(), QStringList({"radioButton_navy", "radioButton_near", "radioButton_side_red"}));
    }

    void distanceFieldsAcceptOnlyNumbersUpToAMillion()
    {
        for (const QString& name : distanceFields) {
            const auto* validator = qobject_cast<const QIntValidator*>(child<QLineEdit>(name)->validator());
            QVERIFY2(validator, qPrintable(name));
            QCOMPARE(validator->bottom(), 0);
            QCOMPARE(validator->top(), 1000000);
        }
        retype("lineEdit_value_far_ground", QStringLiteral("-a7x5"));
        QCOMPARE(shown("lineEdit_value_far_ground"), QStringLiteral("75"));
        retype("lineEdit_value_far_ground", QStringLiteral("12345678"));
        QCOMPARE(shown("lineEdit_value_far_ground"), QStringLiteral("1234567"));
    }

    void fillShowsTheLabelFile()
    {
        for (const QString& name : visibilityBoxes)
            QVERIFY2(child<QCheckBox>(name)->isChecked(), qPrintable(name));
        QCOMPARE(shown({"textEdit_near_air", "textEdit_far_air", "textEdit_far_navy", "pushButton_symbol_far_air",
                        "pushButton_symbol_near_weapon", "label_symbol_size_real"}),
                 QStringList({"˄", "✈", "˜", "✈", "ˈ", "13"}));
        QCOMPARE(child<QSlider>("horizontalSlider_symbol_size")->value(), 13);
        QCOMPARE(child<QWidget>("pushButton_red_color")->styleSheet(),
                 QStringLiteral("background-color:rgb(249,69,38);"));
        QCOMPARE(child<QWidget>("pushButton_blue_color")->styleSheet(),
                 QStringLiteral("background-color:rgb(0,82,199);"));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void levelComboShowsEachLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("alignment");
        QTest::addColumn<QStringList>("distances");
        QTest::newRow("FULL") << 0 << "LeftBottom"
                              << QStringList{"10", "10000", "20000", "30000", "10", "5000", "10000", "20000",
                                             "10", "10000", "20000", "40000", "5",  "5000", "20000"};
        QTest::newRow("ABBREVIATED") << 1 << "RightTop"
                                     << QStringList{"20", "8000", "16000", "25000", "20", "4000", "9000", "18000",
                                                    "20", "9000", "18000", "36000", "8",  "4000", "18000"};
        QTest::newRow("DOT") << 2 << "CenterCenter"
                             << QStringList{"30", "6000", "12000", "24000", "30", "3000", "7000", "14000",
                                            "30", "7000", "14000", "30000", "10", "3000", "14000"};
    }

    void levelComboShowsEachLevel()
    {
        QFETCH(int, level);
        QFETCH(QString, alignment);
        QFETCH(QStringList, distances);
        choose("comboBox_profille", level);
        QCOMPARE(child<QComboBox>("comboBox_profille")->currentIndex(), level);
        for (const QString& name : alignmentCombos)
            QCOMPARE(shown(name), alignment);
        QCOMPARE(shown(distanceFields), distances);
        for (int i = 0; i < distances.size(); ++i) {
            const QString slider = QString(distanceFields[i]).replace("lineEdit_value", "horizontalSlider");
            QCOMPARE(child<QSlider>(slider)->value(), distances[i].toInt());
        }
    }

    void distanceAboveSliderMaximumKeepsItsValue()
    {
        GuiWorld world;
        world.from = "[30000]\t= dot_symbol(0,0.1)";
        world.to = "[160000]\t= dot_symbol(0,0.1)";
        start(world);
        QCOMPARE(shown("lineEdit_value_dot_air"), QStringLiteral("160000"));
        QCOMPARE(child<QSlider>("horizontalSlider_dot_air")->value(), 99999);
    }

    // A value typed at one level is not thrown away by looking at another: staying is
    // the default, dropping shows the model's values again, applying writes them first.
    void switchingLevelAsksAboutUnappliedValues()
    {
        dragTo("horizontalSlider_near_air", Qt::RightEdge);
        QCOMPARE(shown("lineEdit_value_near_air"), QStringLiteral("19999"));
        choose("comboBox_profille", 2);
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QCOMPARE(shown({"comboBox_profille", "lineEdit_value_near_air"}), QStringList({"FULL", "19999"}));

        dialogs::presetAnswer(1);  // drop
        choose("comboBox_profille", 2);
        QCOMPARE(shown({"comboBox_profille", "lineEdit_value_near_air"}), QStringList({"DOT", "6000"}));
        choose("comboBox_profille", 0);  // nothing changed at DOT: no question
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QCOMPARE(shown("lineEdit_value_near_air"), QStringLiteral("10000"));
        QCOMPARE(child<QSlider>("horizontalSlider_near_air")->value(), 10000);

        retype("lineEdit_value_far_ground", QStringLiteral("12000"));
        dialogs::presetAnswer(0);  // apply
        choose("comboBox_profille", 1);
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QCOMPARE(shown("comboBox_profille"), QStringLiteral("ABBREVIATED"));
        lua::LuaDocument written;
        written.load(labelFilePath().toStdString());
        QCOMPARE(written.getEntry("<LEVEL_FULL>.[0].<GroundFormat>.[2]...").first, std::string("[12000]"));
        QCOMPARE(windowsOf<confirmWindow>(), 1);
    }

    void emptyLabelFileOpensWithEverythingNeutral()
    {
        GuiWorld world;
        world.language = QStringLiteral("JP");
        start(world);
        QVERIFY(QFile::resize(labelFilePath(), 0));
        restart();

        for (const QString& name : visibilityBoxes)
            QVERIFY(!child<QCheckBox>(name)->isChecked());
        QCOMPARE(shown({"textEdit_near_air", "pushButton_symbol_near_air", "lineEdit_value_near_weapon"}),
                 QStringList({"", "", ""}));
        QCOMPARE(child<QWidget>("pushButton_blue_color")->styleSheet(), QString());
        // Told once, in the interface language, what is wrong with the file, with the
        // way out offered: Restore Default (not chosen, the default).
        expectOneQuestion({QStringLiteral("Labels.lua は空です"), QStringLiteral("デフォルトに戻す")});
        QVERIFY(dialogs::takeShownMessages().isEmpty());
        QCOMPARE(labelFileBytes(), QByteArray());
    }

    void longerWordsOfOtherLanguagesStayReadable_data()
    {
        QTest::addColumn<QString>("action");
        // clang-format off
        QTest::newRow("Chinese") << "action_Chinese";
        QTest::newRow("Russian") << "action_Russian_2";
        QTest::newRow("Japanese") << "action_Japanese";
        // clang-format on
    }

    void longerWordsOfOtherLanguagesStayReadable()
    {
        QFETCH(QString, action);
        QWidget* central = child<QWidget>("centralwidget");
        QList<QLabel*> captions = central->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        captions.removeOne(child<QLabel>("label_preview"));
        captions.removeOne(child<QLabel>("label_preview_symbol"));
        const auto others = central->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        const auto overlaps = [](const QWidget* a, const QWidget* b) {
            return a != b && !b->isHidden() && a->geometry().adjusted(1, 1, -1, -1).intersects(b->geometry());
        };
        // The form lets a few captions reach under their neighbours; where English does
        // not fit this platform's fonts, the caption may have shrunk away from them.
        const auto overlapInTheForm = [this](const QWidget* a, const QWidget* b) {
            return formGeometry(*a).adjusted(1, 1, -1, -1).intersects(formGeometry(*b));
        };
        QHash<QLabel*, QRect> english;
        QSet<QPair<QWidget*, QWidget*>> overlapsOfTheForm;
        for (QLabel* caption : captions) {
            english[caption] = caption->geometry();
            for (QWidget* other : others)
                if (overlaps(caption, other) || overlapInTheForm(caption, other))
                    overlapsOfTheForm.insert({caption, other});
        }

        QHash<QLabel*, QFont> formFonts;
        for (QLabel* caption : captions)
            formFonts[caption] = caption->font();
        triggerAction(action);
        const bool spaceless = action != QStringLiteral("action_Russian_2");
        for (QLabel* caption : captions) {
            const QString name = caption->objectName();
            // Chinese and Japanese captions have no spaces to wrap at: they stay on one line.
            if (spaceless && !caption->text().contains(QLatin1Char(' ')))
                QVERIFY2(!caption->wordWrap(), qPrintable(name + ": " + caption->text()));
            // Captions the form made alike keep one size.
            for (QLabel* other : captions) {
                if (formFonts[other] == formFonts[caption] && formGeometry(*caption).isValid()
                    && formGeometry(*other).size() == formGeometry(*caption).size())
                    QVERIFY2(other->font().pointSize() == caption->font().pointSize(),
                             qPrintable(name + " and " + other->objectName()));
            }
            const bool fits = caption->wordWrap() ? caption->heightForWidth(caption->width()) <= caption->height()
                                                  : textFits(*caption);
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

    void reloadShowsTheFileAgain()
    {
        retype("lineEdit_value_dot_navy", QStringLiteral("45000"));
        clickButton("checkBox_navy");
        clickButton("radioButton_weapon");
        clickButton("radioButton_far");
        clickButton("radioButton_side_blue");
        choose("comboBox_profille", 1);

        dialogs::presetAnswer(1);  // discard what was typed
        triggerAction("actionReload");
        QCOMPARE(shown("lineEdit_value_dot_navy"), QStringLiteral("40000"));
        QVERIFY(child<QCheckBox>("checkBox_navy")->isChecked());
        QCOMPARE(selectedRadioButtons(),
                 QStringList({"radioButton_aircraft", "radioButton_near", "radioButton_side_red"}));
        // The window shows FULL again, and the level box says so.
        QCOMPARE(shown({"comboBox_profille", "comboBox_symbol_pos_air"}), QStringList({"FULL", "LeftBottom"}));
        QVERIFY(dialogs::takeShownMessages().isEmpty());
    }

    void reloadThatCannotReadKeepsTheWindow()
    {
#ifdef Q_OS_WIN
        QSKIP("a looping symbolic link needs privileges on Windows");
#endif
        // A folder of the path that loops back on itself makes the file system refuse to
        // say whether Labels.lua exists at all.
        const QString config = homePath() + "/Config";
        QVERIFY(QDir().rename(config, homePath() + "/Config-aside"));
        QVERIFY(QFile::link(config, config));
        retype("lineEdit_value_far_navy", QStringLiteral("25000"));

        dialogs::presetAnswer(1);  // discard what was typed
        triggerAction("actionReload");
        expectOneMessage({QStringLiteral("Labels.lua could not be read again: ")});
        QCOMPARE(shown("lineEdit_value_far_navy"), QStringLiteral("25000"));
        QVERIFY(app::mainWindow->isVisible());
    }

    void reloadOfAFileThatIsGoneSaysSo()
    {
        retype("lineEdit_value_far_navy", QStringLiteral("25000"));
        QVERIFY(QFile::remove(labelFilePath()));
        dialogs::presetAnswer(1);  // discard what was typed
        triggerAction("actionReload");
        expectOneMessage({QStringLiteral("Labels.lua is no longer in"), QStringLiteral("Config")});
        QCOMPARE(shown("lineEdit_value_far_navy"), QStringLiteral("25000"));
    }

    void restoreDefaultShowsTheFactorySettings()
    {
        choose("comboBox_profille", 2);
        QCOMPARE(shown("comboBox_symbol_pos_ground"), QStringLiteral("CenterCenter"));

        const QByteArray before = labelFileBytes();
        triggerAction("actionRestore_Default");  // asked, and No is the default
        QCOMPARE(dialogs::takeAskedQuestions().size(), 1);
        QCOMPARE(labelFileBytes(), before);
        QCOMPARE(shown("comboBox_profille"), QStringLiteral("DOT"));

        dialogs::presetAnswer(0);
        triggerAction("actionRestore_Default");
        QCOMPARE(labelFileBytes(), readFile(QStringLiteral(HALVANE_SOURCE_DIR "/data/default.lua")));
        QCOMPARE(child<QComboBox>("comboBox_profille")->currentIndex(), 0);
        QCOMPARE(shown("textEdit_far_air"), QStringLiteral("˄"));
        choose("comboBox_profille", 2);
        QCOMPARE(shown({"comboBox_symbol_pos_ground", "lineEdit_value_near_air"}),
                 QStringList({"LeftBottom", "10000"}));
    }

private:
    QStringList selectedRadioButtons() const
    {
        QStringList names;
        for (QRadioButton* button : app::mainWindow->findChildren<QRadioButton*>())
            if (button->isChecked())
                names << button->objectName();
        names.sort();
        return names;
    }
};

QTEST_MAIN(MainWindowOpenTest)
#include "tst_main_window_open.moc"
