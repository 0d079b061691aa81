// What only Windows does, where the simulator's players are: drive letters and
// backslashes in the profile, the profile in %LOCALAPPDATA% or in a portable data
// folder, a profile in the system code page, the system errors of the label file's
// existence query, a Labels.lua the running simulator holds, and the read-only attribute.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include "ModelWorkspace.h"
#include "app/FileLocations.h"
#include "model/SystemPaths.h"

// After the program's headers: windows.h defines NEAR and FAR, which name distance bands there.
#include <windows.h>

namespace fs = std::filesystem;

namespace {

const QString labelPath = QStringLiteral("home/Config/View/Labels.lua");

// The two Apply writes: AirOn from true to false.
const QByteArray airOn = "AirOn\t\t\t \t\t= true\r\n";
const QByteArray airOff = "AirOn = false\r\n";  // an edit writes the statement afresh

QString localAppData() { return QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA")); }

bool samePlace(const fs::path& a, const fs::path& b)
{
    std::error_code error;
    return fs::equivalent(a, b, error);
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void profileWithDriveLetterFindsTheLabelFile_data();
    void profileWithDriveLetterFindsTheLabelFile();
    void profileIsFoundWhereWindowsKeepsIt_data();
    void profileIsFoundWhereWindowsKeepsIt();
    void profileKeepsTheSystemCodePage_data();
    void profileKeepsTheSystemCodePage();
    void existenceQueryErrorsMeanNothingThere_data();
    void existenceQueryErrorsMeanNothingThere();
    void labelFilePathsThatAreNotThere_data();
    void labelFilePathsThatAreNotThere();
    void heldLabelFileIsNotReplaced_data();
    void heldLabelFileIsNotReplaced();
    void readOnlyLabelFileIsNotReplaced();
};

void WindowsTest::initTestCase()
{
    // As the program names itself: the folder under %LOCALAPPDATA%.
    QCoreApplication::setApplicationName(QStringLiteral("halvane-label-manager"));
    // Run under a given system code page (Wine takes it from the locale), the code page
    // test must not pass by finding no rows for the code page it met.
    const QByteArray expected = qgetenv("HALVANE_SYSTEM_CODE_PAGE");
    if (!expected.isEmpty())
        QCOMPARE(GetACP(), expected.toUInt());
}

// The simulator's home as players write it: drive letter, backslashes, either case.
void WindowsTest::profileWithDriveLetterFindsTheLabelFile_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("backslashes") << QStringLiteral("backslashes");
    QTest::newRow("slashes") << QStringLiteral("slashes");
    QTest::newRow("mixed") << QStringLiteral("mixed");
    QTest::newRow("trailing backslash") << QStringLiteral("trailing");
    QTest::newRow("lower-case drive") << QStringLiteral("lower");
}

void WindowsTest::profileWithDriveLetterFindsTheLabelFile()
{
    QFETCH(QString, form);
    ModelWorkspace workspace;
    QVERIFY(workspace.installLabels(QStringLiteral("Labels.lua")));
    const QString home = workspace.path(QStringLiteral("home"));
    QVERIFY(home.size() > 2 && home.at(1) == QLatin1Char(':'));
    QString written = QDir::toNativeSeparators(home);
    if (form == QLatin1String("slashes"))
        written = home;
    else if (form == QLatin1String("mixed"))
        written = home.left(home.lastIndexOf(QLatin1Char('/'))) + QLatin1Char('\\') + QStringLiteral("home");
    else if (form == QLatin1String("trailing"))
        written += QLatin1Char('\\');
    else if (form == QLatin1String("lower"))
        written[0] = written.at(0).toLower();
    QVERIFY(workspace.write(QStringLiteral("data/profile.lua"),
                            "Language = EN\r\nWorkDirectory = \"" + written.toLatin1() + "\"\r\n"));

    ProfileStore profile;
    QCOMPARE(QString::fromStdWString(profile.getWorkDirectory().native()), written);
    LabelConfig config(profile);
    QVERIFY(labelFileExists(profile));
    QVERIFY(samePlace(config.getLabelFilePath(), toPath(workspace.labelFile())));
    QCOMPARE(config.getLabelFilePath().root_name().wstring().size(), std::size_t(2));
    QVERIFY(config.unreadableSettings().empty());
    QCOMPARE(config.visibilityOn(UnitCategory::Air), std::optional<bool>(true));
}

// Installed (no data folder anywhere): %LOCALAPPDATA%\halvane-label-manager\profile.lua.
// Portable (a data folder beside halvane.exe): data\profile.lua and data\default.lua
// there, wherever the program is started from. A data\profile.lua in the working
// folder wins over both.
void WindowsTest::profileIsFoundWhereWindowsKeepsIt_data()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("installed") << QStringLiteral("installed");
    QTest::newRow("portable") << QStringLiteral("portable");
    QTest::newRow("started in a folder with data\\profile.lua") << QStringLiteral("working");
}

void WindowsTest::profileIsFoundWhereWindowsKeepsIt()
{
    QFETCH(QString, layout);
    ModelWorkspace workspace;  // the working folder, empty
    const QString programData = QCoreApplication::applicationDirPath() + QStringLiteral("/data");
    QVERIFY(!QFileInfo::exists(programData));
    const auto removeProgramData = qScopeGuard([&] { QDir(programData).removeRecursively(); });
    if (layout != QLatin1String("installed")) {
        QVERIFY(QDir().mkpath(programData));
        QFile factory(programData + QStringLiteral("/default.lua"));
        QVERIFY(factory.open(QIODevice::WriteOnly)
                && factory.write(ModelWorkspace::fixture("factory-default.lua")) > 0);
    }
    if (layout == QLatin1String("working"))
        QVERIFY(workspace.write(QStringLiteral("data/profile.lua"), "Language = RU\r\n"));

    const startup::FileLocations found = startup::findFileLocations();
    const QString profile = QDir::fromNativeSeparators(QString::fromStdWString(found.profile.native()));
    if (layout == QLatin1String("installed")) {
        const QString expected = localAppData() + QStringLiteral("/halvane-label-manager/profile.lua");
        QVERIFY2(expected.size() > 40, qPrintable(expected));  // a drive, the user, AppData/Local
        QCOMPARE(profile.toLower(), expected.toLower());
    } else if (layout == QLatin1String("portable")) {
        QVERIFY(samePlace(found.profile.parent_path(), toPath(programData)));
        QCOMPARE(found.profile.filename().wstring(), std::wstring(L"profile.lua"));
        QVERIFY(samePlace(found.factoryCopy, toPath(programData + QStringLiteral("/default.lua"))));
    } else {
        QVERIFY(samePlace(found.profile, toPath(workspace.path(QStringLiteral("data/profile.lua")))));
        QCOMPARE(ProfileStore(found.profile).getLanguage(), 2);
    }
}

// The profile holds the simulator's home in the system code page: a folder of Russian
// or Chinese letters is written as that code page writes it, reads back as the same
// folder, and its label file loads. A folder with a letter the code page lacks is kept
// too, in a form the code page can write: its short path when the volume gives one, else
// its UTF-8 after the marker (a folder not made yet has no short path).
void WindowsTest::profileKeepsTheSystemCodePage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // in the profile; empty: the code page lacks a letter
    QTest::addColumn<bool>("made");         // the folder is there when it is chosen
    const QString russian = QStringLiteral("Симулятор Ёж");
    const QString chinese = QStringLiteral("模拟器");
    const QString western = QStringLiteral("Simulateur été");
    const QString both = QStringLiteral("Игры 飞行 模拟/HALVANE WORLD");
    // clang-format off
    switch (GetACP()) {
    case 1251:  // Russian
        QTest::newRow("Cyrillic") << russian << QByteArray("\xD1\xE8\xEC\xF3\xEB\xFF\xF2\xEE\xF0 \xA8\xE6") << true;
        QTest::newRow("Chinese") << chinese << QByteArray() << true;
        QTest::newRow("accents") << western << QByteArray() << true;
        QTest::newRow("Chinese and Cyrillic, not made yet") << both << QByteArray() << false;
        break;
    case 936:  // Simplified Chinese (GBK), which has the Cyrillic letters too
        QTest::newRow("Chinese") << chinese << QByteArray("\xC4\xA3\xC4\xE2\xC6\xF7") << true;
        QTest::newRow("Cyrillic") << russian << QByteArray("\xA7\xB3\xA7\xDA\xA7\xDE\xA7\xE5\xA7\xDD\xA7\xF1\xA7\xE4\xA7\xE0\xA7\xE2 \xA7\xA7\xA7\xD8") << true;
        break;
    case 1252:  // Western European
        QTest::newRow("accents") << western << QByteArray("Simulateur \xE9t\xE9") << true;
        QTest::newRow("Cyrillic") << russian << QByteArray() << true;
        QTest::newRow("Chinese") << chinese << QByteArray() << true;
        QTest::newRow("Chinese and Cyrillic") << both << QByteArray() << true;
        QTest::newRow("Chinese and Cyrillic, not made yet") << both << QByteArray() << false;
        break;
    default:
        QSKIP("no rows for this system code page");
    }
    // clang-format on
}

void WindowsTest::profileKeepsTheSystemCodePage()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, made);
    ModelWorkspace workspace;
    const QByteArray before = "Language = RU\r\nWorkDirectory = \"C:\\Games\\Sim\"\r\n";
    QVERIFY(workspace.write(QStringLiteral("data/profile.lua"), before));
    const QString home = workspace.path(name);
    const QByteArray labels = ModelWorkspace::fixture(QStringLiteral("Labels.lua"));
    const QString labelFile = name + QStringLiteral("/Config/View/Labels.lua");
    QVERIFY(!made || workspace.write(labelFile, labels));
    const fs::path chosen = toPath(QDir::toNativeSeparators(home));

    ProfileStore profile;
    QVERIFY(profile.setWorkDirectory(chosen));
    const QByteArray stored = workspace.read(QStringLiteral("data/profile.lua"));
    const QByteArray start = "Language = RU\r\nWorkDirectory = \"";
    QVERIFY2(stored.startsWith(start) && stored.endsWith("\"\r\n"), stored);
    const QByteArray text = stored.mid(start.size(), stored.size() - start.size() - 3);
    if (!bytes.isEmpty()) {
        const QByteArray folder = QDir::toNativeSeparators(workspace.path(QString()) + QLatin1Char('/')).toLatin1();
        QVERIFY2(folder.size() > 3 && !folder.contains('?'), folder);
        QCOMPARE(text, folder + bytes);
    } else {
        // The system's own short path, in the code page, when it has one for the folder.
        wchar_t shortPath[MAX_PATH * 2] = {};
        const DWORD length = GetShortPathNameW(chosen.c_str(), shortPath, MAX_PATH * 2);
        char narrow[MAX_PATH * 4] = {};
        BOOL lacking = FALSE;
        const int size = length == 0 ? 0
                                     : WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, shortPath, int(length), narrow,
                                                           int(sizeof narrow), nullptr, &lacking);
        QCOMPARE(length > 0, made);
        if (size > 0 && !lacking && std::wstring(shortPath) != chosen.native())
            QCOMPARE(text, QByteArray(narrow, size));
        else
            QCOMPARE(text, system_paths::utf8Marker + QDir::toNativeSeparators(home).toUtf8());
    }

    // The next start.
    QVERIFY(made || workspace.write(labelFile, labels));
    ProfileStore reread;
    QCOMPARE(reread.getWorkDirectory(), chosen);
    LabelConfig config(reread);
    QVERIFY(samePlace(config.getLabelFilePath(), toPath(home + QStringLiteral("/Config/View/Labels.lua"))));
    QVERIFY(config.unreadableSettings().empty());
    QCOMPARE(config.visibilityOn(UnitCategory::Air), std::optional<bool>(true));
}

// The system errors of the existence query that mean "no such file": a home that is
// not there is a plain "no", not a failure to show. Others are failures.
void WindowsTest::existenceQueryErrorsMeanNothingThere_data()
{
    QTest::addColumn<unsigned long>("error");
    QTest::addColumn<bool>("nothingThere");
    // clang-format off
    QTest::newRow("2 file not found") << 2ul << true;
    QTest::newRow("3 path not found") << 3ul << true;
    QTest::newRow("53 network path not found") << 53ul << true;
    QTest::newRow("123 invalid name") << 123ul << true;
    QTest::newRow("5 access denied") << 5ul << false;
    QTest::newRow("21 device not ready") << 21ul << false;
    QTest::newRow("32 sharing violation") << 32ul << false;
    QTest::newRow("1117 I/O device error") << 1117ul << false;
    // clang-format on
}

void WindowsTest::existenceQueryErrorsMeanNothingThere()
{
    QFETCH(unsigned long, error);
    QFETCH(bool, nothingThere);
    QCOMPARE(system_paths::meansNothingThere(error), nothingThere);
}

// Homes the system answers with those errors, met for real: each is "no label file".
void WindowsTest::labelFilePathsThatAreNotThere_data()
{
    QTest::addColumn<QString>("home");  // under the workspace
    QTest::addColumn<unsigned long>("error");
    QTest::newRow("no Labels.lua (2)") << QStringLiteral("home") << 2ul;
    QTest::newRow("no Config folder (3)") << QStringLiteral("nowhere") << 3ul;
    QTest::newRow("wildcard in the name (123)") << QStringLiteral("sim?") << 123ul;
    QTest::newRow("pipe in the name (123)") << QStringLiteral("sim|2") << 123ul;
}

void WindowsTest::labelFilePathsThatAreNotThere()
{
    QFETCH(QString, home);
    QFETCH(unsigned long, error);
    ModelWorkspace workspace;
    QVERIFY(QDir().mkpath(workspace.path(QStringLiteral("home/Config/View"))));
    const fs::path directory = toPath(QDir::toNativeSeparators(workspace.path(home)));
    const fs::path labels = labelFileUnder(directory);

    SetLastError(0);
    QCOMPARE(GetFileAttributesW(labels.c_str()), INVALID_FILE_ATTRIBUTES);
    QCOMPARE(GetLastError(), error);
    QCOMPARE(system_paths::somethingAt(labels), false);
    QCOMPARE(labelFileExistsAt(labels), false);
}

// The simulator holds Labels.lua open while it runs, sharing nothing. Apply must say it
// could not write, leave the file as it was, and keep the change for the next Apply,
// which succeeds once the simulator lets go.
void WindowsTest::heldLabelFileIsNotReplaced_data()
{
    QTest::addColumn<bool>("backedUpBefore");  // an earlier Apply of this run made the backup
    QTest::newRow("first Apply of the run") << false;
    QTest::newRow("after an earlier Apply") << true;
}

void WindowsTest::heldLabelFileIsNotReplaced()
{
    QFETCH(bool, backedUpBefore);
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;
    QVERIFY(config.unreadableSettings().empty());
    if (backedUpBefore) {
        config.setSymbolSize(14);
        QVERIFY(config.applyPendingEdits().written());
    }
    const QByteArray before = model.workspace.read(labelPath);
    QVERIFY(before.contains(airOn));

    QProcess simulator;
    simulator.setWorkingDirectory(QDir::tempPath());  // an ended process holds its folder a moment
    simulator.start(QCoreApplication::applicationDirPath() + QStringLiteral("/" HALVANE_HOLD_FILE),
                    {QDir::toNativeSeparators(model.workspace.labelFile())});
    QVERIFY(simulator.waitForReadyRead(30000));
    QCOMPARE(simulator.readLine().trimmed(), QByteArray("held"));

    config.setVisibility(UnitCategory::Air, false);
    const ApplyOutcome refused = config.applyPendingEdits();
    QVERIFY(!refused.written());
    // Said as what it is: the file may not be written now, not a full disk or damage.
    const bool permission = refused.write.writeFailure == lua::WriteFailure::PermissionDenied;
    QVERIFY2(refused.write.failure == ModelFailure::BackupFailed || permission,
             qPrintable(QStringLiteral("failure %1, write failure %2: %3")
                            .arg(static_cast<int>(refused.write.failure))
                            .arg(static_cast<int>(refused.write.writeFailure))
                            .arg(QString::fromStdString(refused.write.detail))));
    QVERIFY(!refused.write.detail.empty());
    QVERIFY(config.hasUnsavedText());

    simulator.closeWriteChannel();
    QVERIFY(simulator.waitForFinished(30000));
    QCOMPARE(simulator.exitCode(), 0);
    QCOMPARE(model.workspace.read(labelPath), before);
    const QStringList strays = QDir(model.workspace.path(QStringLiteral("home/Config/View")))
                                   .entryList({QStringLiteral("*.lua*")}, QDir::Files);
    QCOMPARE(strays, QStringList{QStringLiteral("Labels.lua")});

    // The next Apply writes what was kept, and only that.
    QVERIFY(config.applyPendingEdits().written());
    const QByteArray after = model.workspace.read(labelPath);
    const qsizetype line = after.indexOf("AirOn");
    QCOMPARE(after.mid(line, after.indexOf('\n', line) + 1 - line), airOff);
    QCOMPARE(QByteArray(after).replace(airOff, airOn), before);
}

// A Labels.lua the player made read-only is not replaced, and stays read-only.
void WindowsTest::readOnlyLabelFileIsNotReplaced()
{
    LoadedModel model;
    QVERIFY(model.ready);
    const QByteArray before = model.workspace.read(labelPath);
    const std::wstring file = QDir::toNativeSeparators(model.workspace.labelFile()).toStdWString();
    QVERIFY(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    const auto writable = qScopeGuard([&] { SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL); });

    model.config->setVisibility(UnitCategory::Air, false);
    const ApplyOutcome refused = model.config->applyPendingEdits();
    QVERIFY(!refused.written());
    QCOMPARE(refused.write.failure, ModelFailure::NotWritten);
    QCOMPARE(refused.write.writeFailure, lua::WriteFailure::PermissionDenied);
    QCOMPARE(model.workspace.read(labelPath), before);
    QVERIFY(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY);
}

QTEST_GUILESS_MAIN(WindowsTest)
#include "tst_windows.moc"
