// The window keeps its layout whatever path leads to what it shows: every language,
// every level, band rows and the table buttons that replace them, through the switches
// a player makes (language, level, Reload, Reselect Directory, Restore Default).
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QSlider>

#include <functional>

#include "GuiTestBase.h"
#include "ui_MainWindow.h"

namespace {
constexpr int narrowestSlider = 80;  // what a slider keeps of its groove for a caption
const QStringList languageActions = {"action_English", "action_Chinese", "action_Russian_2", "action_Japanese"};
const QStringList languageCodes = {"EN", "CN", "RU", "JP"};
}  // namespace

class LayoutWalkTest : public GuiTestBase {
    Q_OBJECT

public:
    LayoutWalkTest() { Ui::MainWindow().setupUi(&bareForm); }

private:
    QMainWindow bareForm;  // the form as drawn, before any text is fitted

    QRect formGeometry(const QWidget& widget) const
    {
        const QWidget* drawn = bareForm.centralWidget()->findChild<QWidget*>(widget.objectName());
        return drawn ? drawn->geometry() : QRect();
    }

    // Fields keep their place, sliders their right end and most of their groove, and no
    // caption is cut or covers a control it did not reach under in the form.
    void expectLayoutHolds(const QString& where) const
    {
        QWidget* central = child<QWidget>("centralwidget");
        QList<QWidget*> shownWidgets;
        for (QWidget* widget : central->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!widget->isHidden())
                shownWidgets << widget;
        for (QWidget* widget : shownWidgets) {
            const QString name = where + ": " + widget->objectName();
            const QRect form = formGeometry(*widget);
            if (qobject_cast<QLineEdit*>(widget))
                QVERIFY2(widget->geometry() == form, qPrintable(name));
            if (qobject_cast<QSlider*>(widget))
                QVERIFY2(widget->geometry().right() == form.right() && widget->width() >= narrowestSlider,
                         qPrintable(name));
            auto* caption = qobject_cast<QLabel*>(widget);
            if (!caption || name.contains("preview") || !form.isValid())
                continue;
            const bool fits = caption->wordWrap()
                ? caption->heightForWidth(caption->width()) <= caption->height()
                : caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width();
            QVERIFY2(fits, qPrintable(name + " is cut: " + caption->text()));
            for (QWidget* other : shownWidgets) {
                const QRect otherForm = formGeometry(*other);
                const bool coversNow = caption->geometry().adjusted(1, 1, -1, -1).intersects(other->geometry());
                const bool coveredInForm = form.adjusted(1, 1, -1, -1).intersects(otherForm);
                QVERIFY2(other == caption || qobject_cast<QLabel*>(other) || !coversNow || coveredInForm,
                         qPrintable(name + " covers " + other->objectName()));
            }
        }
    }

    void expectLayoutAtEveryLevel(const QString& where)
    {
        for (const int level : {1, 2, 0}) {
            choose("comboBox_profille", level);
            expectLayoutHolds(where + " at " + shown("comboBox_profille"));
        }
    }

private slots:
    void layoutHoldsThroughEverySwitch_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("language");
        // The first holds band rows at two levels and table buttons at DOT; the second
        // table buttons at FULL, band rows at ABBREVIATED.
        for (const char* fixture : {"Labels-level-branches.lua", "Labels-custom-tables.lua"}) {
            for (int language = 0; language < 4; ++language)
                QTest::addRow("%s, %s", fixture, qPrintable(languageCodes[language])) << fixture << language;
        }
    }

    void layoutHoldsThroughEverySwitch()
    {
        QFETCH(QString, fixture);
        QFETCH(int, language);
        GuiWorld world;
        world.fixture = QStringLiteral(HALVANE_FIXTURES "/") + fixture;
        world.language = languageCodes[language];
        start(world);
        dialogs::takeShownMessages();
        expectLayoutAtEveryLevel("started");

        const std::pair<const char*, std::function<void()>> switches[] = {
            {"switched by the menu",
             [&] {
                 triggerAction(languageActions[(language + 2) % 4]);
                 choose("comboBox_profille", 2);
                 triggerAction(languageActions[language]);
             }},
            {"reloaded", [&] { triggerAction("actionReload"); }},
            {"directory reselected",
             [&] {
                 triggerAction("actionSelectDirectory");
                 confirmDirectory(homePath());
             }},
            {"default restored",
             [&] {
                 dialogs::presetAnswer(0);
                 triggerAction("actionRestore_Default");
             }},
        };
        for (const auto& [where, step] : switches) {
            step();
            dialogs::takeShownMessages();
            dialogs::takeAskedQuestions();
            expectLayoutHolds(where);
            if (const QByteArray shots = qgetenv("HALVANE_SCREENSHOT_DIR"); !shots.isEmpty())
                app::mainWindow->grab().save(QStringLiteral("%1/%2-%3-%4.png")
                                                 .arg(QString::fromLocal8Bit(shots), fixture, languageCodes[language], where));
            expectLayoutAtEveryLevel(where);
        }
    }
};

QTEST_MAIN(LayoutWalkTest)
#include "tst_layout_walk.moc"
