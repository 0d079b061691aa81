// Takes screenshots of every window and of the questions and messages the editor shows,
// in the four languages, from the real windows with real message boxes:
//   tools/screenshots.sh OUTPUT_FOLDER
// A tool for looking at what the editor shows, not a test: it checks nothing.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <csignal>

#include "model/LabelConfig.h"
#include "ui/BackupsDialog.h"
#include "ui/CompareDialog.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

#include "GuiTestBase.h"

class Screenshots : public GuiTestBase {
    Q_OBJECT

private slots:
    void everyWindowAndDialog_data()
    {
        QTest::addColumn<QString>("language");
        for (const char* language : {"EN", "CN", "RU", "JP"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }

    void everyWindowAndDialog()
    {
        QFETCH(QString, language);
        GuiWorld world;
        world.language = language;
        start(world);
        dialogs::usePresets(false);
        const QString prefix = language.toLower() + '-';

        save(app::mainWindow, prefix + "main-window");
        app::directoryWindow->applyTexts();
        app::directoryWindow->show();
        save(app::directoryWindow, prefix + "directory-window");
        app::directoryWindow->close();
        clickButton("pushButton_symbol_near_air");
        save(app::symbolWindow, prefix + "symbol-picker");
        app::symbolWindow->close();

        captureNext(prefix + "restore-default-question");
        triggerAction("actionRestore_Default");

        retype("lineEdit_value_near_air", QStringLiteral("20"));
        retype("lineEdit_value_dot_navy", QStringLiteral("9999999"));
        captureNext(prefix + "distances-refused");
        clickButton("pushButton_apply");

        captureNext(prefix + "level-switch-question");
        choose("comboBox_profille", 1);

        retype("lineEdit_value_near_air", QStringLiteral("10000"));
        retype("lineEdit_value_dot_navy", QStringLiteral("40000"));
        clickButton("checkBox_weapon");
        QFile file(labelFilePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("-- added by another program\r\n");
        file.close();
        captureNext(prefix + "changed-elsewhere-question");
        clickButton("pushButton_apply");

        dialogs::usePresets(true);  // the question before the typed values go is pictured below
        dialogs::presetAnswer(1);
        triggerAction("actionReload");
        dialogs::usePresets(false);
        clickButton("checkBox_navy");
        clickButton("pushButton_apply");
        save(app::confirmationWindow, prefix + "confirmation");
        retype("lineEdit_value_near_air", QStringLiteral("9000"));  // its companion follows
        clickButton("pushButton_apply");
        save(app::confirmationWindow, prefix + "confirmation-moved");

        // The older layouts open like the current one.
        for (const char* older : {"older-layout", "single-level"}) {
            world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-%1.lua").arg(QLatin1String(older));
            start(world);
            save(app::mainWindow, prefix + "main-window-" + older);
        }

        // Scripts that pick their tables by level in branches, or write symbols into texts.
        for (const char* script : {"branch-flags", "branch-forced", "single-ramp"}) {
            world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-%1.lua").arg(QLatin1String(script));
            start(world);
            for (const int level : {0, 1, 2}) {
                choose("comboBox_profille", level);
                save(app::mainWindow, prefix + "main-window-" + script + "-" + QString::number(level));
            }
        }

        // A file with a table of the player's own shape.
        world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-player-modified.lua");
        start(world);
        dialogs::usePresets(false);
        captureNext(prefix + "load-notice");
        triggerAction("actionReload");
        retype("lineEdit_value_near_air", QStringLiteral("8000"));
        retype("lineEdit_value_near_ground", QStringLiteral("6000"));
        captureNext(prefix + "not-saved");
        clickButton("pushButton_apply");

        // Leaving typed values, Lua refusing a damaged write, a full disk, Qt's own dialog.
        start(GuiWorld{QStringLiteral(HALVANE_FIXTURES "/Labels.lua"), {}, {}, language, {}});
        dialogs::usePresets(false);
        retype("lineEdit_value_near_air", QStringLiteral("9000"));
        captureNext(prefix + "close-question");
        app::mainWindow->close();
        app::labelConfig->setTextTamperingForTests([](std::string& text) { text += "\nGroundOn = false\n"; });
        captureNext(prefix + "lua-refused");
        clickButton("pushButton_apply");
        app::labelConfig->setTextTamperingForTests({});
        clickButton("pushButton_apply");  // written, and the backup of this run made
        app::confirmationWindow->close();
#ifdef Q_OS_UNIX
        {
            retype("lineEdit_value_near_air", QStringLiteral("9500"));
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            rlimit full = old;
            full.rlim_cur = 1024;
            setrlimit(RLIMIT_FSIZE, &full);
            captureNext(prefix + "disk-full");
            clickButton("pushButton_apply");
            setrlimit(RLIMIT_FSIZE, &old);
        }
#endif
        captureNext(prefix + "colour-dialog");
        clickButton("pushButton_red_color");

        // Values taken from the backup made above, and from another player's file.
        settle();
        triggerAction("actionBackups");
        auto* backups = openDialog<BackupsDialog>();
        save(backups, prefix + "backups");
        backups->accept();
        auto* compare = openDialog<CompareDialog>();
        save(compare, prefix + "compare-backup");
        compare->reject();
        dialogs::usePresets(true);
        dialogs::presetFile(QStringLiteral(HALVANE_FIXTURES "/Labels-single-level.lua"));
        triggerAction("actionImportValues");
        compare = openDialog<CompareDialog>();
        QVERIFY2(compare, qPrintable(dialogs::takeShownMessages().join('\n')));
        compare->findChild<QPushButton*>("pushButton_take_all")->click();
        save(compare, prefix + "compare-file");
        compare->accept();
        save(app::mainWindow, prefix + "main-window-values-taken");
        dialogs::usePresets(false);

        // A script Lua stops in: the notice at load; then a changed text that never ends,
        // the window drawn while Lua checks it, and the refusal.
        world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels.lua");
        world.from = "AirOn";
        world.to = "os.exit(1)\r\nAirOn";
        start(world);
        dialogs::usePresets(false);
        captureNext(prefix + "lua-stops-notice");
        triggerAction("actionReload");
        app::labelConfig->setTextTamperingForTests(
            [](std::string& text) { text.insert(0, "while true do pcall(function() while true do end end) end\n"); });
        retype("lineEdit_value_near_air", QStringLiteral("9000"));
        QTimer::singleShot(100, [prefix] { save(app::mainWindow, prefix + "lua-checking"); });
        captureNext(prefix + "lua-never-ends");
        clickButton("pushButton_apply");
        world.from = world.to = {};

        // A file Lua cannot read: the notice names the line.
        world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-syntax-error.lua");
        start(world);
        dialogs::usePresets(false);
        captureNext(prefix + "does-not-compile");
        triggerAction("actionReload");
    }

private:
    static QString folder() { return QString::fromLocal8Bit(qgetenv("HALVANE_SCREENSHOTS")); }

    static void save(QWidget* widget, const QString& name)
    {
        QTest::qWait(50);
#ifdef Q_OS_UNIX
        // The picture of the full-disk message is taken while the disk is "full".
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit whileSaving{limit.rlim_max, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &whileSaving);
#endif
        widget->grab().save(QDir(folder()).filePath(name + ".png"));
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &limit);
#endif
    }

    // The next message box or dialog is saved as a picture and then closed as Escape closes
    // it; it is looked for a while, as one may come after Lua's check of an Apply, or once
    // the window is shown. One is looked for at a time: a look still going on when the next
    // is asked for would take the next one's dialog, and close the one a step works with.
    static void captureNext(const QString& name)
    {
        settle();
        ++looking;
        lookFor(name, 20);
    }

    // Until no dialog is looked for any more.
    static void settle() { static_cast<void>(QTest::qWaitFor([] { return looking == 0; }, 10000)); }

    static void lookFor(const QString& name, int tries)
    {
        QTimer::singleShot(300, [name, tries] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog && tries > 1)
                return lookFor(name, tries - 1);
            --looking;
            if (!dialog)
                return;
            save(dialog, name);
            dialog->reject();
        });
    }

    static inline int looking = 0;
};

QTEST_MAIN(Screenshots)
#include "screenshots.moc"
