#include "UserActions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTextEdit>

namespace {
QPoint handleCentre(const QSlider* slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.subControls = QStyle::SC_All;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider).center();
}

QPoint grabbedAt;

// QTest::keyClicks knows only ASCII keys; symbols such as ▲ arrive as key events that
// carry the text, the way an input method delivers them.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

void dragTo(QSlider* slider, int x)
{
    grabbedAt = handleCentre(slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, grabbedAt);
    QTest::mouseMove(slider, QPoint(x, grabbedAt.y()));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(x, grabbedAt.y()));
}
}  // namespace

namespace user {
void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeText(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

void retype(QTextEdit* field, const QString& text)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeText(field, text);
}

void dragToStart(QSlider* slider)
{
    dragTo(slider, -slider->width());
}

void dragToEnd(QSlider* slider)
{
    dragTo(slider, 2 * slider->width());
}

void pressAndDrag(QSlider* slider, int dx)
{
    grabbedAt = handleCentre(slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, grabbedAt);
    grabbedAt.rx() += dx;
    QTest::mouseMove(slider, grabbedAt);
}

void release(QSlider* slider)
{
    QTest::mouseRelease(slider, Qt::LeftButton, {}, grabbedAt);
}

void choose(QComboBox* combo, int index)
{
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}
}  // namespace user
