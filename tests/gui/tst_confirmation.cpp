// The confirmation shown after Apply.
#include <QLabel>
#include <QPushButton>

#include "GuiTestBase.h"

class ConfirmationTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void englishInEveryLanguage_data();
    void englishInEveryLanguage();
    void okCloses();
    void applyingTwiceLeavesOneWindow();
};

void ConfirmationTest::englishInEveryLanguage_data()
{
    QTest::addColumn<QString>("code");
    for (const char* code : {"EN", "CN", "RU", "JP"})
        QTest::newRow(code) << QString::fromLatin1(code);
}

void ConfirmationTest::englishInEveryLanguage()
{
    QFETCH(QString, code);
    GuiWorld world;
    world.language = code;
    start(world);

    QWidget* window = app::confirmationWindow;
    QCOMPARE(window->windowTitle(), QStringLiteral("configuration applied"));
    QCOMPARE(child<QLabel>("label", window)->text(), QStringLiteral("Configuration applied"));
    QCOMPARE(child<QPushButton>("pushButton", window)->text(), QStringLiteral("OK"));
    QCOMPARE(window->minimumSize(), QSize(411, 96));
    QCOMPARE(window->maximumSize(), QSize(411, 96));
}

void ConfirmationTest::okCloses()
{
    app::closeAndShow(app::confirmationWindow);
    QVERIFY(app::confirmationWindow->isVisible());
    clickButton("pushButton", app::confirmationWindow);
    QVERIFY(!app::confirmationWindow->isVisible());
}

void ConfirmationTest::applyingTwiceLeavesOneWindow()
{
    clickButton("pushButton_apply");
    QVERIFY(app::confirmationWindow->isVisible());
    clickButton("pushButton_apply");
    QVERIFY(app::confirmationWindow->isVisible());
    int shown = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        shown += (qobject_cast<confirmWindow*>(window) && window->isVisible()) ? 1 : 0;
    QCOMPARE(shown, 1);
}

QTEST_MAIN(ConfirmationTest)
#include "tst_confirmation.moc"
