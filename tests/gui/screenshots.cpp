// Takes screenshots of every window and of the questions and messages the editor shows,
// in the four languages, from the real windows with real message boxes:
//   tools/screenshots.sh OUTPUT_FOLDER
// A tool for looking at what the editor shows, not a test: it checks nothing.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

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

        triggerAction("actionReload");
        clickButton("checkBox_navy");
        clickButton("pushButton_apply");
        save(app::confirmationWindow, prefix + "confirmation");

        // The older layouts open like the current one.
        for (const char* older : {"older-layout", "single-level"}) {
            world.fixture = QStringLiteral(HALVANE_FIXTURES "/Labels-%1.lua").arg(QLatin1String(older));
            start(world);
            save(app::mainWindow, prefix + "main-window-" + older);
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
    }

private:
    static QString folder() { return QString::fromLocal8Bit(qgetenv("HALVANE_SCREENSHOTS")); }

    static void save(QWidget* widget, const QString& name)
    {
        QTest::qWait(50);
        widget->grab().save(QDir(folder()).filePath(name + ".png"));
    }

    // The next message box is saved as a picture and then closed as Escape closes it.
    static void captureNext(const QString& name)
    {
        QTimer::singleShot(200, [name] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            save(box, name);
            box->reject();
        });
    }
};

QTEST_MAIN(Screenshots)
#include "screenshots.moc"
