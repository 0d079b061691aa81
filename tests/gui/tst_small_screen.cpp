// A screen smaller than the window: 1280 x 800 at 200% scaling leaves 640 x 400 for it.
// The form then scrolls, and Apply is reached by scrolling (Tab scrolls to it too).
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "GuiTestBase.h"

class SmallScreenTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void formScrollsAndApplyIsReached()
    {
        QCOMPARE(app::mainWindow->screen()->availableGeometry().size(), QSize(640, 400));
        auto* scroll = child<QScrollArea>("scrollArea_form");
        QVERIFY(scroll);
        QVERIFY(app::mainWindow->width() <= 640 && app::mainWindow->height() <= 400);
        // The form keeps its coordinates inside the scroll area.
        QCOMPARE(child<QWidget>("pushButton_apply")->geometry(), QRect(810, 560, 131, 61));

        app::mainWindow->activateWindow();
        QTRY_VERIFY(app::mainWindow->isActiveWindow());
        child<QWidget>("radioButton_side_red")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* apply = child<QWidget>("pushButton_apply");
        QCOMPARE(QApplication::focusWidget(), apply);
        const QRect seen(apply->mapTo(scroll->viewport(), QPoint(0, 0)), apply->size());
        QVERIFY2(scroll->viewport()->rect().contains(seen), "Apply is not scrolled into view");
        if (const QByteArray shots = qgetenv("HALVANE_SCREENSHOT_DIR"); !shots.isEmpty())
            app::mainWindow->grab().save(QString::fromLocal8Bit(shots) + "/small-screen-apply.png");
    }
};

QTEST_MAIN(SmallScreenTest)
#include "tst_small_screen.moc"
