// Values typed but not applied are never thrown away unasked, and a file the simulator
// cannot read is named for what it is, in the player's language.
#include <QLineEdit>
#include <QMessageBox>

#include "GuiTestBase.h"

namespace {
enum Answer { ApplyThem, Discard, Cancel };
}

class UnappliedChangesTest : public GuiTestBase {
    Q_OBJECT

private slots:
    void leavingWithTypedValuesAsks_data()
    {
        QTest::addColumn<QString>("action");  // how the player leaves the values
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("written");    // the typed value reached the file
        QTest::addColumn<bool>("windowOpen");
        QTest::addColumn<QString>("fieldShows");
        // clang-format off
        QTest::newRow("close, apply")     << "close" << int(ApplyThem) << true  << false << "6000";
        QTest::newRow("close, discard")   << "close" << int(Discard)   << false << false << "6000";
        QTest::newRow("close, cancel")    << "close" << int(Cancel)    << false << true  << "6000";
        QTest::newRow("reselect, apply")  << "actionSelectDirectory" << int(ApplyThem) << true  << false << "6000";
        QTest::newRow("reselect, cancel") << "actionSelectDirectory" << int(Cancel)    << false << true  << "6000";
        QTest::newRow("reload, apply")    << "actionReload" << int(ApplyThem) << true  << true << "6000";
        QTest::newRow("reload, discard")  << "actionReload" << int(Discard)   << false << true << "5000";
        QTest::newRow("reload, cancel")   << "actionReload" << int(Cancel)    << false << true << "6000";
        // clang-format on
    }
    void leavingWithTypedValuesAsks()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(bool, written);
        QFETCH(bool, windowOpen);
        QFETCH(QString, fieldShows);
        const QByteArray before = labelFileBytes();
        retype("lineEdit_value_near_ground", QStringLiteral("6000"));
        dialogs::presetAnswer(answer);
        if (action == QLatin1String("close"))
            app::mainWindow->close();
        else
            triggerAction(action);
        expectOneQuestion({QStringLiteral("not been applied")});
        QCOMPARE(labelFileBytes() != before, written);
        if (written)
            QVERIFY(labelFileBytes().contains("[6000]"));
        QCOMPARE(app::mainWindow->isVisible(), windowOpen);
        QCOMPARE(shown("lineEdit_value_near_ground"), fieldShows);
        // Nothing typed, nothing asked.
        if (windowOpen && answer != Cancel) {
            triggerAction(QStringLiteral("actionReload"));
            QVERIFY(dialogs::takeAskedQuestions().isEmpty());
        }
    }

    // The simulator cannot load a file Lua cannot compile: the player learns where, Apply
    // is refused, and Restore Default is offered as the way out.
    void fileLuaCannotReadIsNamed()
    {
        GuiWorld world;
        world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-syntax-error.lua");
        world.language = QStringLiteral("RU");
        start(world);
        expectOneQuestion({QStringLiteral("строка 205"), QStringLiteral("'}' expected near '0.7'"),
                           QStringLiteral("Восстановить по умолчанию")});
        const QByteArray broken = labelFileBytes();

        retype("lineEdit_value_near_ground", QStringLiteral("6000"));
        clickButton("pushButton_apply");
        expectOneMessage({QStringLiteral("Не удалось записать Labels.lua"), QStringLiteral("строка 205")});
        QCOMPARE(labelFileBytes(), broken);
        QVERIFY(!app::confirmationWindow->isVisible());

        dialogs::presetAnswer(0);  // Restore Default, and yes, replace it
        dialogs::presetAnswer(0);
        triggerAction(QStringLiteral("actionRestore_Default"));
        QCOMPARE(labelFileBytes(), readFile(QStringLiteral(HALVANE_SOURCE_DIR "/data/default.lua")));
        QCOMPARE(shown("lineEdit_value_near_ground"), QStringLiteral("5000"));
    }

    // Qt's own buttons and dialogs speak the interface language too.
    void qtTextsFollowTheLanguage()
    {
        const auto cancelText = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));
        triggerAction(QStringLiteral("action_Russian_2"));
        QCOMPARE(cancelText(), QStringLiteral("Отмена"));
        triggerAction(QStringLiteral("action_Japanese"));
        QCOMPARE(cancelText(), QStringLiteral("キャンセル"));
        triggerAction(QStringLiteral("action_English"));
        QCOMPARE(cancelText(), QStringLiteral("Cancel"));
    }

    void distanceFieldShowsEveryDigitItTakes()
    {
        QLineEdit* field = child<QLineEdit>(QStringLiteral("lineEdit_value_far_navy"));
        retype(QStringLiteral("lineEdit_value_far_navy"), QStringLiteral("9999999"));
        field->setCursorPosition(0);
        const int textWidth = field->fontMetrics().horizontalAdvance(QStringLiteral("9999999"));
        QVERIFY2(textWidth < field->contentsRect().width() - 8, qPrintable(QString::number(textWidth)));
    }
};

QTEST_MAIN(UnappliedChangesTest)
#include "tst_unapplied_changes.moc"
