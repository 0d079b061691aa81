// Pressing Apply: what reaches Labels.lua, what is refused before anything is written,
// and what the user is told when the file cannot be written or holds no place for a value.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>

#include "Dialogs.h"
#include "GuiTestBase.h"
#include "LabelConfig.h"
#include "UserActions.h"

namespace {
QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int visibleConfirmations()
{
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets())
        count += qobject_cast<confirmWindow*>(window) && window->isVisible() ? 1 : 0;
    return count;
}
}  // namespace

class ApplyTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void editsAtEveryLevelReachTheFile();
    void applyingTwiceWritesTheSameFile();
    void unchangedApplyKeepsEveryValue();
    void abbreviatedApplyLeavesFullAsItWas();
    void emptyDistanceIsRefusedAndNamed_data();
    void emptyDistanceIsRefusedAndNamed();
    void symbolTheFileCannotHoldIsRefusedAndNamed();
    void failedWriteShowsWhyAndNoConfirmation();
    void olderLayoutSaysWhatCouldNotBeSaved();
    void failedRestoreDefaultKeepsTheWindow();

private:
    void press() { clickButton("pushButton_apply"); }
    void expectRefusal(const QString& named);
};

void ApplyTest::expectRefusal(const QString& named)
{
    const QByteArray before = labelFileBytes();
    press();
    const QStringList shown = dialogs::takeShownMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(named), qPrintable(shown.first()));
    QVERIFY(shown.first().contains("Nothing was written"));
    QCOMPARE(labelFileBytes(), before);
    QVERIFY(app::labelConfig->getPendingEdits().empty());
    QCOMPARE(visibleConfirmations(), 0);
}

void ApplyTest::editsAtEveryLevelReachTheFile()
{
    // FULL: symbols, colours, size, visibility, an alignment and two distances.
    user::retype(child<QTextEdit>("textEdit_near_ground"), QStringLiteral("▲"));
    clickButton("pushButton_symbol_far_navy");
    for (QPushButton* button : app::symbolWindow->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("⊕"))
            QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(child<QTextEdit>("textEdit_far_navy")->toPlainText(), QStringLiteral("⊕"));
    dialogs::presetColour(QColor(10, 200, 30));
    clickButton("pushButton_red_color");
    dialogs::presetColour(QColor(255, 255, 0));
    clickButton("pushButton_blue_color");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(child<QSlider>("horizontalSlider_symbol_size"), Qt::Key_Right);
    clickButton("checkBox_weapon");
    user::choose(child<QComboBox>("comboBox_symbol_pos_air"), 5);
    user::retype(child<QLineEdit>("lineEdit_value_near_ground"), QStringLiteral("6000"));
    user::dragToEnd(child<QSlider>("horizontalSlider_dot_navy"));
    press();

    // ABBREVIATED: an alignment, a dragged distance that the rule lowers, a weapon distance.
    user::choose(child<QComboBox>("comboBox_profille"), 1);
    user::choose(child<QComboBox>("comboBox_symbol_pos_navy"), 3);
    user::dragToEnd(child<QSlider>("horizontalSlider_near_air"));
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("15999"));
    user::retype(child<QLineEdit>("lineEdit_value_near_weapon"), QStringLiteral("4500"));
    press();

    // DOT: an alignment and a distance.
    user::choose(child<QComboBox>("comboBox_profille"), 2);
    user::choose(child<QComboBox>("comboBox_symbol_pos_weapon"), 0);
    user::retype(child<QLineEdit>("lineEdit_value_dot_ground"), QStringLiteral("15000"));
    press();

    QVERIFY(dialogs::takeShownMessages().isEmpty());
    QCOMPARE(visibleConfirmations(), 1);
    const QString expectedPath = QStringLiteral(HALVANE_TESTS_DIR "/gui/expected/Labels-after-edits.lua");
    const QByteArray written = labelFileBytes();
    if (written != fileBytes(expectedPath)) {
        QFile actual(QDir::temp().filePath(QStringLiteral("Labels-after-edits.actual.lua")));
        QVERIFY(actual.open(QIODevice::WriteOnly));
        actual.write(written);
        QFAIL(qPrintable("Labels.lua differs from " + expectedPath + "; it was saved as " + actual.fileName()));
    }
}

void ApplyTest::applyingTwiceWritesTheSameFile()
{
    user::retype(child<QLineEdit>("lineEdit_value_far_air"), QStringLiteral("25000"));
    press();
    const QByteArray once = labelFileBytes();
    QVERIFY(once.contains("[25000]"));
    press();
    QCOMPARE(labelFileBytes(), once);
    QCOMPARE(visibleConfirmations(), 1);
}

void ApplyTest::unchangedApplyKeepsEveryValue()
{
    press();
    QCOMPARE(visibleConfirmations(), 1);
    QVERIFY(dialogs::takeShownMessages().isEmpty());
    // The file holds the same values: the editor started anew shows what it showed.
    restart();
    QVERIFY(dialogs::takeShownMessages().isEmpty());
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("10000"));
    QCOMPARE(child<QComboBox>("comboBox_symbol_pos_weapon")->currentText(), QStringLiteral("LeftBottom"));
    QCOMPARE(child<QTextEdit>("textEdit_far_air")->toPlainText(), QStringLiteral("✈"));
    QCOMPARE(child<QPushButton>("pushButton_blue_color")->styleSheet(),
             QStringLiteral("background-color:rgb(0,82,199);"));
    user::choose(child<QComboBox>("comboBox_profille"), 1);
    QCOMPARE(child<QLineEdit>("lineEdit_value_far_weapon")->text(), QStringLiteral("18000"));
}

void ApplyTest::abbreviatedApplyLeavesFullAsItWas()
{
    QComboBox* level = child<QComboBox>("comboBox_profille");
    user::choose(level, 1);
    user::retype(child<QLineEdit>("lineEdit_value_near_air"), QStringLiteral("12000"));
    press();
    triggerAction("actionReload");
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("10000"));
    user::choose(level, 1);
    QCOMPARE(child<QLineEdit>("lineEdit_value_near_air")->text(), QStringLiteral("12000"));
}

void ApplyTest::emptyDistanceIsRefusedAndNamed_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("named");
    QTest::newRow("FULL ground FAR") << 0 << "lineEdit_value_far_ground" << "FULL Distance Settings: Ground (FAR)";
    QTest::newRow("DOT weapon NEAR") << 2 << "lineEdit_value_near_weapon" << "DOT Distance Settings: Weapon (NEAR)";
}

void ApplyTest::emptyDistanceIsRefusedAndNamed()
{
    QFETCH(int, level);
    QFETCH(QString, field);
    QFETCH(QString, named);
    user::choose(child<QComboBox>("comboBox_profille"), level);
    QLineEdit* edit = child<QLineEdit>(field.toLatin1().constData());
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());
    expectRefusal(named);
}

void ApplyTest::symbolTheFileCannotHoldIsRefusedAndNamed()
{
    user::retype(child<QTextEdit>("textEdit_near_navy"), QStringLiteral("a]"));
    expectRefusal(QStringLiteral("Near Symbol: Navy"));
    user::retype(child<QTextEdit>("textEdit_near_navy"), QStringLiteral("\""));
    expectRefusal(QStringLiteral("\"\"\""));
}

void ApplyTest::failedWriteShowsWhyAndNoConfirmation()
{
    // The folder of Labels.lua is moved away and a plain file stands in its place, so
    // not even a temporary file can be made there (permission bits do not stop root).
    const QString view = homePath() + "/Config/View";
    const QString aside = homePath() + "/Config/View-aside";
    const QByteArray original = labelFileBytes();
    QVERIFY(QDir().rename(view, aside));
    QFile blocker(view);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    user::retype(child<QLineEdit>("lineEdit_value_far_air"), QStringLiteral("25000"));
    press();
    const QStringList shown = dialogs::takeShownMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith("Labels.lua could not be written: "), qPrintable(shown.first()));
    QCOMPARE(visibleConfirmations(), 0);
    QCOMPARE(fileBytes(aside + "/Labels.lua"), original);
    QCOMPARE(child<QLineEdit>("lineEdit_value_far_air")->text(), QStringLiteral("25000"));

    // With the folder back, the same values are written.
    QVERIFY(QFile::remove(view));
    QVERIFY(QDir().rename(aside, view));
    press();
    QCOMPARE(visibleConfirmations(), 1);
    QVERIFY(labelFileBytes().contains("[25000]"));
}

void ApplyTest::olderLayoutSaysWhatCouldNotBeSaved()
{
    GuiWorld world;
    world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-older-layout.lua");
    start(world);
    QCOMPARE(dialogs::takeShownMessages().size(), 1);
    const QByteArray before = labelFileBytes();
    const QByteArray levels = before.mid(before.indexOf("LEVEL_DOT = {"));
    QVERIFY(levels.size() > 1000);

    clickButton("checkBox_ground");
    press();
    QCOMPARE(visibleConfirmations(), 1);
    const QStringList shown = dialogs::takeShownMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains("not saved"), qPrintable(shown.first()));
    QVERIFY(shown.first().contains("Symbol Size"));
    QVERIFY(shown.first().contains("FULL Alignment: Aircraft, Ground, Navy, Weapon"));

    const QByteArray after = labelFileBytes();
    QVERIFY(after.contains("GroundOn"));
    QVERIFY(after.endsWith(levels));
    QVERIFY(!after.contains('\r'));
}

void ApplyTest::failedRestoreDefaultKeepsTheWindow()
{
    QVERIFY(QFile::remove(tempPath() + "/data/default.lua"));
    const QByteArray before = labelFileBytes();
    user::retype(child<QLineEdit>("lineEdit_value_dot_ground"), QStringLiteral("21000"));
    triggerAction("actionRestore_Default");
    const QStringList shown = dialogs::takeShownMessages();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith("The default settings could not be restored"), qPrintable(shown.first()));
    QCOMPARE(labelFileBytes(), before);
    QCOMPARE(child<QLineEdit>("lineEdit_value_dot_ground")->text(), QStringLiteral("21000"));
}

QTEST_MAIN(ApplyTest)
#include "tst_apply.moc"
