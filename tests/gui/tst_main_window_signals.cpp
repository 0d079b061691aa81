// The main window alone, built on a model and a profile without start-up: it knows no
// other window and tells where the player is going by its signals.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <memory>

#include "ModelWorkspace.h"
#include "common/Dialogs.h"
#include "ui/MainWindow.h"

class MainWindowSignalsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral("No matching signal|connectSlotsByName")));
        dialogs::usePresets(true);
        model = std::make_unique<LoadedModel>();
        QVERIFY(model->ready);
        window = std::make_unique<MainWindow>(*model->config, *model->profile);
        window->show();
    }

    void cleanup()
    {
        window.reset();
        model.reset();
        dialogs::usePresets(false);
    }

    void applySaysAppliedOnlyWhenWritten()
    {
        QSignalSpy applied(window.get(), &MainWindow::applied);
        click("pushButton_apply");
        QCOMPARE(applied.count(), 1);
        // The window made no other window: the confirmation is start-up's to show.
        int windows = 0;
        for (const QWidget* widget : QApplication::topLevelWidgets())
            windows += qobject_cast<const QMainWindow*>(widget) ? 1 : 0;
        QCOMPARE(windows, 1);

        QVERIFY(QDir(model->workspace.path(QStringLiteral("home/Config"))).removeRecursively());
        window->findChild<QCheckBox*>(QStringLiteral("checkBox_navy"))->setChecked(false);
        dialogs::presetAnswer(1);  // the file is gone: overwrite
        click("pushButton_apply");
        QCOMPARE(applied.count(), 1);
        QCOMPARE(dialogs::takeShownMessages().size(), 1);
    }

    void reselectDirectoryClosesAndAsks()
    {
        QSignalSpy asked(window.get(), &MainWindow::directoryReselectRequested);
        window->findChild<QAction*>(QStringLiteral("actionSelectDirectory"))->trigger();
        QCOMPARE(asked.count(), 1);
        QVERIFY(!window->isVisible());
    }

    // A pick goes into the field and button whose picker was asked for, and no other.
    void pickedSymbolLandsWhereItWasAskedFor()
    {
        QSignalSpy asked(window.get(), &MainWindow::symbolPickRequested);
        window->placePickedSymbol(QStringLiteral("◯"));  // nothing asked yet: nothing changes
        QCOMPARE(field("textEdit_far_navy"), QStringLiteral("˜"));

        click("pushButton_symbol_far_navy");
        QCOMPARE(asked.count(), 1);
        window->placePickedSymbol(QStringLiteral("◯"));
        QCOMPARE(field("textEdit_far_navy"), QStringLiteral("◯"));
        QCOMPARE(window->findChild<QPushButton*>(QStringLiteral("pushButton_symbol_far_navy"))->text(),
                 QStringLiteral("◯"));
        QCOMPARE(field("textEdit_near_navy"), QStringLiteral("˜"));
    }

private:
    void click(const char* name)
    {
        auto* button = window->findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QString field(const char* name) const
    {
        return window->findChild<QTextEdit*>(QString::fromLatin1(name))->toPlainText();
    }

    std::unique_ptr<LoadedModel> model;
    std::unique_ptr<MainWindow> window;
};

QTEST_MAIN(MainWindowSignalsTest)
#include "tst_main_window_signals.moc"
