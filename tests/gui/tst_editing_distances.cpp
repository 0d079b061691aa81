// Editing in the main window before Apply: distances kept in increasing order,
// sliders and fields in step, the side colours and the About Author command.
#include <QDesktopServices>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QUrl>

#include "GuiTestBase.h"

namespace {
// Receives what the desktop's URL handler would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

const QStringList categories = {"air", "ground", "navy", "weapon"};
const QList<QStringList> fixtureDistances = {{"10", "10000", "20000", "30000"},
                                             {"10", "5000", "10000", "20000"},
                                             {"10", "10000", "20000", "40000"},
                                             {"5", "5000", "20000"}};
}  // namespace

class EditingDistancesTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void ruleLowersTheBandsBelowTheChangedOne_data();
    void ruleLowersTheBandsBelowTheChangedOne();
    void draggingChangesOnlyItsOwnFieldUntilRelease();
    void colourButtonShowsAChosenColourAndIgnoresCancel();
    void aboutAuthorOpensTheAuthorPage();

private:
    // The line edit texts of a category (EMPTY, NEAR, FAR and, but for weapons, DOT);
    // its sliders must show the same values, clipped to their ranges.
    QStringList distancesOf(const QString& category) const;
};

QStringList EditingDistancesTest::distancesOf(const QString& category) const
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

void EditingDistancesTest::ruleLowersTheBandsBelowTheChangedOne_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("before");  // typed from the top down so that no step is lowered
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("action");  // a number typed with Return, "drag" to the start, or "Home" key
    QTest::addColumn<QStringList>("after");
    const QStringList air = {"100", "200", "300", "400"};
    QTest::newRow("air NEAR typed above FAR") << 0 << air << "near" << "350" << QStringList{"100", "299", "300", "400"};
    QTest::newRow("air DOT typed low") << 0 << air << "dot" << "150" << QStringList{"100", "148", "149", "150"};
    QTest::newRow("navy DOT dragged to its minimum")
        << 2 << QStringList{"200", "3000", "5000", "40000"} << "dot" << "drag" << QStringList{"7", "8", "9", "10"};
    QTest::newRow("weapon EMPTY typed above NEAR")
        << 3 << QStringList() << "empty" << "30000" << QStringList{"4999", "5000", "20000"};
    QTest::newRow("weapon NEAR typed above FAR")
        << 3 << QStringList() << "near" << "25000" << QStringList{"5", "19999", "20000"};
    QTest::newRow("weapon FAR dragged to its minimum")
        << 3 << QStringList() << "far" << "drag" << QStringList{"3", "4", "5"};
    QTest::newRow("ground FAR Home key")
        << 1 << QStringList() << "far" << "Home" << QStringList{"3", "4", "5", "20000"};
}

void EditingDistancesTest::ruleLowersTheBandsBelowTheChangedOne()
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
        dragToStart(slider);
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

void EditingDistancesTest::draggingChangesOnlyItsOwnFieldUntilRelease()
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

void EditingDistancesTest::colourButtonShowsAChosenColourAndIgnoresCancel()
{
    const QString red = QStringLiteral("background-color:rgb(249,69,38);");
    const QString preview = child<QWidget>("label_preview_symbol")->styleSheet();
    clickButton("pushButton_red_color");  // no preset: the dialog is cancelled
    QCOMPARE(child<QWidget>("pushButton_red_color")->styleSheet(), red);
    QCOMPARE(child<QWidget>("label_preview_symbol")->styleSheet(), preview);

    dialogs::presetColour(QColor(12, 34, 56));
    clickButton("pushButton_blue_color");
    QCOMPARE(child<QWidget>("pushButton_blue_color")->styleSheet(), QStringLiteral("background-color:rgb(12,34,56);"));
    QCOMPARE(child<QWidget>("pushButton_red_color")->styleSheet(), red);
}

void EditingDistancesTest::aboutAuthorOpensTheAuthorPage()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    triggerAction("actionAbout_Author");
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.opened, QList<QUrl>({QUrl(QStringLiteral("https://halvane-label-manager.example.org/author"))}));
}

QTEST_MAIN(EditingDistancesTest)
#include "tst_editing_distances.moc"
