// Editing in the main window before Apply: distances kept in increasing order,
// sliders and fields in step, the symbol size, the side colours, the symbol buttons
// and the menu commands that leave the window.
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTextEdit>
#include <QUrl>

#include "Dialogs.h"
#include "GuiTestBase.h"
#include "UserActions.h"

namespace {
// Receives what the desktop's URL handler would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};
}  // namespace

class EditingDistancesTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void nearTypedAboveFarIsLoweredBelowIt();
    void dotTypedLowLowersEveryBandBelowIt();
    void navyDotDraggedToItsMinimumPushesTheOthersDown();
    void weaponFarIsNeverChangedByTheRule();
    void draggingChangesOnlyItsOwnFieldUntilRelease();
    void keysOnASliderMoveItsFieldToo();
    void symbolSizeSliderShowsItsValue();
    void colourButtonShowsTheChosenColour();
    void cancelledColourDialogChangesNothing();
    void symbolButtonsAimThePicker();
    void reselectDirectoryShowsTheDirectoryWindow();
    void aboutAuthorOpensTheAuthorPage();

private:
    QLineEdit* field(const char* band, const char* category) const;
    QSlider* slider(const char* band, const char* category) const;
    QStringList fieldsOf(const char* category) const;
    QList<int> slidersOf(const char* category) const;
    void typeAirDistances();
};

QLineEdit* EditingDistancesTest::field(const char* band, const char* category) const
{
    return child<QLineEdit>(QStringLiteral("lineEdit_value_%1_%2").arg(band, category).toLatin1().constData());
}

QSlider* EditingDistancesTest::slider(const char* band, const char* category) const
{
    return child<QSlider>(QStringLiteral("horizontalSlider_%1_%2").arg(band, category).toLatin1().constData());
}

QStringList EditingDistancesTest::fieldsOf(const char* category) const
{
    QStringList texts;
    for (const char* band : {"empty", "near", "far", "dot"})
        if (QLineEdit* edit = field(band, category))
            texts << edit->text();
    return texts;
}

QList<int> EditingDistancesTest::slidersOf(const char* category) const
{
    QList<int> values;
    for (const char* band : {"empty", "near", "far", "dot"})
        if (QSlider* s = slider(band, category))
            values << s->value();
    return values;
}

// Air distances 100, 200, 300, 400, typed from the top down so that no step is lowered.
void EditingDistancesTest::typeAirDistances()
{
    user::retype(field("dot", "air"), QStringLiteral("400"));
    user::retype(field("far", "air"), QStringLiteral("300"));
    user::retype(field("near", "air"), QStringLiteral("200"));
    user::retype(field("empty", "air"), QStringLiteral("100"));
    QCOMPARE(fieldsOf("air"), QStringList({"100", "200", "300", "400"}));
}

void EditingDistancesTest::nearTypedAboveFarIsLoweredBelowIt()
{
    typeAirDistances();
    user::retype(field("near", "air"), QStringLiteral("350"));
    QCOMPARE(fieldsOf("air"), QStringList({"100", "299", "300", "400"}));
    QCOMPARE(slidersOf("air"), QList<int>({100, 299, 300, 400}));
    // The other categories are already in order and stay as they were.
    QCOMPARE(fieldsOf("ground"), QStringList({"10", "5000", "10000", "20000"}));
}

void EditingDistancesTest::dotTypedLowLowersEveryBandBelowIt()
{
    typeAirDistances();
    user::retype(field("dot", "air"), QStringLiteral("150"));
    QCOMPARE(fieldsOf("air"), QStringList({"100", "148", "149", "150"}));
    QCOMPARE(slidersOf("air"), QList<int>({100, 148, 149, 150}));
}

void EditingDistancesTest::navyDotDraggedToItsMinimumPushesTheOthersDown()
{
    user::retype(field("far", "navy"), QStringLiteral("5000"));
    user::retype(field("near", "navy"), QStringLiteral("3000"));
    user::retype(field("empty", "navy"), QStringLiteral("200"));
    QCOMPARE(fieldsOf("navy"), QStringList({"200", "3000", "5000", "40000"}));

    user::dragToStart(slider("dot", "navy"));
    QCOMPARE(fieldsOf("navy"), QStringList({"7", "8", "9", "10"}));
    QCOMPARE(slidersOf("navy"), QList<int>({7, 8, 9, 10}));
}

void EditingDistancesTest::weaponFarIsNeverChangedByTheRule()
{
    user::retype(field("empty", "weapon"), QStringLiteral("30000"));
    QCOMPARE(fieldsOf("weapon"), QStringList({"4999", "5000", "20000"}));
    user::retype(field("near", "weapon"), QStringLiteral("25000"));
    QCOMPARE(fieldsOf("weapon"), QStringList({"4999", "19999", "20000"}));
    user::dragToStart(slider("far", "weapon"));
    QCOMPARE(fieldsOf("weapon"), QStringList({"3", "4", "5"}));
    QCOMPARE(slidersOf("weapon"), QList<int>({3, 4, 5}));
    // A change of the air DOT distance never reaches the weapon group.
    user::retype(field("dot", "air"), QStringLiteral("2"));
    QCOMPARE(fieldsOf("weapon"), QStringList({"3", "4", "5"}));
}

void EditingDistancesTest::draggingChangesOnlyItsOwnFieldUntilRelease()
{
    QSlider* near = slider("near", "ground");
    QSignalSpy moved(near, &QSlider::sliderMoved);
    user::pressAndDrag(near, 2 * near->width());
    QVERIFY(!moved.isEmpty());
    QCOMPARE(fieldsOf("ground"), QStringList({"10", "50000", "10000", "20000"}));
    QCOMPARE(fieldsOf("air"), QStringList({"10", "10000", "20000", "30000"}));

    user::release(near);
    QCOMPARE(fieldsOf("ground"), QStringList({"10", "9999", "10000", "20000"}));
    QCOMPARE(near->value(), 9999);
}

void EditingDistancesTest::keysOnASliderMoveItsFieldToo()
{
    QSlider* far = slider("far", "ground");
    QTest::keyClick(far, Qt::Key_Home);
    QCOMPARE(field("far", "ground")->text(), QStringLiteral("5"));
    QCOMPARE(fieldsOf("ground"), QStringList({"3", "4", "5", "20000"}));
    QTest::keyClick(far, Qt::Key_Right);
    QCOMPARE(field("far", "ground")->text(), QStringLiteral("6"));
    QCOMPARE(far->value(), 6);
}

void EditingDistancesTest::symbolSizeSliderShowsItsValue()
{
    QSlider* size = child<QSlider>("horizontalSlider_symbol_size");
    QLabel* shown = child<QLabel>("label_symbol_size_real");
    user::dragToEnd(size);
    QCOMPARE(shown->text(), QStringLiteral("99"));
    user::dragToStart(size);
    QCOMPARE(shown->text(), QStringLiteral("1"));
    QTest::keyClick(size, Qt::Key_Right);
    QCOMPARE(shown->text(), QStringLiteral("2"));
}

void EditingDistancesTest::colourButtonShowsTheChosenColour()
{
    dialogs::presetColour(QColor(12, 34, 56));
    clickButton("pushButton_blue_color");
    QCOMPARE(child<QPushButton>("pushButton_blue_color")->styleSheet(),
             QStringLiteral("background-color:rgb(12,34,56);"));
    QCOMPARE(child<QPushButton>("pushButton_red_color")->styleSheet(),
             QStringLiteral("background-color:rgb(249,69,38);"));
}

void EditingDistancesTest::cancelledColourDialogChangesNothing()
{
    const QString preview = child<QLabel>("label_preview_symbol")->styleSheet();
    clickButton("pushButton_red_color");  // no preset: the dialog is cancelled
    QCOMPARE(child<QPushButton>("pushButton_red_color")->styleSheet(),
             QStringLiteral("background-color:rgb(249,69,38);"));
    QCOMPARE(child<QLabel>("label_preview_symbol")->styleSheet(), preview);
}

void EditingDistancesTest::symbolButtonsAimThePicker()
{
    QWidget* picker = app::symbolWindow;
    clickButton("pushButton_symbol_near_ground");
    QVERIFY(picker->isVisible());
    QCOMPARE(app::pickerTargetField, child<QTextEdit>("textEdit_near_ground"));
    QCOMPARE(app::pickerTargetButton, child<QPushButton>("pushButton_symbol_near_ground"));

    clickButton("pushButton_symbol_far_navy");
    QVERIFY(picker->isVisible());
    QCOMPARE(app::pickerTargetField, child<QTextEdit>("textEdit_far_navy"));
    QCOMPARE(app::pickerTargetButton, child<QPushButton>("pushButton_symbol_far_navy"));
}

void EditingDistancesTest::reselectDirectoryShowsTheDirectoryWindow()
{
    triggerAction("actionSelectDirectory");
    QVERIFY(!app::mainWindow->isVisible());
    QVERIFY(app::directoryWindow->isVisible());
}

void EditingDistancesTest::aboutAuthorOpensTheAuthorPage()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    triggerAction("actionAbout_Author");
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.opened.size(), 1);
    QCOMPARE(catcher.opened.first(), QUrl(QStringLiteral("https://halvane-label-manager.example.org/author")));
}

QTEST_MAIN(EditingDistancesTest)
#include "tst_editing_distances.moc"
