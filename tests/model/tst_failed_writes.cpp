// A write completes or changes nothing: on a full disk, when Lua finds that the new text
// would do more than was asked, and on a file the simulator cannot read to begin with.
#include <QDir>
#include <QDirIterator>
#include <QtTest>

#include "FullDisk.h"
#include "ModelWorkspace.h"
#include "model/LabelBackups.h"

namespace {
const QString viewFolder = QStringLiteral("home/Config/View");

// Every file under the workspace with its bytes: what a failed write must leave as it was.
QMap<QString, QByteArray> everyFile(const ModelWorkspace& workspace)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(workspace.path(QStringLiteral(".")), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile in(file);
        files[QDir(workspace.path(QStringLiteral("."))).relativeFilePath(file)]
            = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(unreadable)");
    }
    return files;
}

enum class Write { Apply, Backup, RestoreDefault, NewLabelFile, Profile };

// One change the window would hand over: FULL aircraft NEAR moves.
ModelOutcome applyOneChange(LabelConfig& config, int nearDistance)
{
    config.setDistance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR, nearDistance);
    return config.applyPendingEdits().write;
}
}  // namespace

class FailedWritesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { buildAlignmentTables(); }

    void fullDiskChangesNothing_data()
    {
        QTest::addColumn<Write>("write");
        QTest::newRow("Apply after a first one") << Write::Apply;
        QTest::newRow("the backup before the first Apply") << Write::Backup;
        QTest::newRow("Restore Default") << Write::RestoreDefault;
        QTest::newRow("a new Labels.lua") << Write::NewLabelFile;
        QTest::newRow("the profile") << Write::Profile;
    }
    void fullDiskChangesNothing()
    {
#ifndef Q_OS_UNIX
        QSKIP("the file size limit that stands in for a full disk is POSIX");
#else
        QFETCH(Write, write);
        LoadedModel model;
        QVERIFY(model.ready && model.workspace.installDefault());
        LabelConfig& config = *model.config;
        if (write == Write::Apply || write == Write::RestoreDefault)
            QVERIFY(applyOneChange(config, 11000));  // the backup of this run is made
        if (write == Write::NewLabelFile)
            QVERIFY(QFile::remove(model.workspace.labelFile()));
        const QMap<QString, QByteArray> before = everyFile(model.workspace);

        ModelOutcome outcome;
        {
            const FileSizeLimit limit(write == Write::Profile ? 8 : 2048);
            QVERIFY(limit.ok);
            switch (write) {
            case Write::Apply:
            case Write::Backup: outcome = applyOneChange(config, 12000); break;
            case Write::RestoreDefault: outcome = config.restoreDefault(); break;
            case Write::NewLabelFile: outcome = config.createLabelFile(); break;
            case Write::Profile: outcome = model.profile->setLanguage(2); break;
            }
        }
        QVERIFY(!outcome);
        QCOMPARE(outcome.failure, write == Write::Backup ? ModelFailure::BackupFailed : ModelFailure::NotWritten);
        QVERIFY(outcome.writeFailure == lua::WriteFailure::Incomplete
                || outcome.writeFailure == lua::WriteFailure::NoSpace);
        // No byte changed, no temporary file and no cut backup left behind.
        QCOMPARE(everyFile(model.workspace), before);
#endif
    }

    // A real full file system, where the tests may make one.
    void fullFileSystemNamesTheReason()
    {
        LoadedModel model;
        QVERIFY(model.ready);
        const QByteArray original = model.workspace.read(viewFolder + "/Labels.lua");
        const SmallFileSystem disk(model.workspace.path(viewFolder));
        if (!disk.mounted)
            QSKIP("a small file system needs root to mount");
        QVERIFY(model.workspace.write(viewFolder + "/Labels.lua", original));
        model.config->load();
        QVERIFY(applyOneChange(*model.config, 11000));
        const QByteArray afterFirst = model.workspace.read(viewFolder + "/Labels.lua");
        disk.fill(model.workspace.path(viewFolder + "/filler.bin"));
        const QMap<QString, QByteArray> full = everyFile(model.workspace);

        const ModelOutcome outcome = applyOneChange(*model.config, 12000);
        QCOMPARE(outcome.failure, ModelFailure::NotWritten);
        QCOMPARE(outcome.writeFailure,
                 SmallFileSystem::spaceIsSeen ? lua::WriteFailure::NoSpace : lua::WriteFailure::Incomplete);
        QCOMPARE(everyFile(model.workspace), full);
        QCOMPARE(model.workspace.read(viewFolder + "/Labels.lua"), afterFirst);
    }

    // The engine's output is not trusted: a text that changes what was not asked, runs
    // for ever or reaches outside is refused, and the model goes back to the file.
    void luaRefusesWhatWasNotAsked_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("damaged");  // a value named as damaged, or "" for a run that stops
        QTest::newRow("another global") << QByteArray("WeaponOn") << QByteArray("WeaponOn = false\nWeaponOnOld")
                                        << QStringLiteral("WeaponOn");
        QTest::newRow("another level") << QByteArray("[8000]\t= {aircraft_symbol_near..ABB_NAME\t, \"RightTop\"")
                                       << QByteArray("[8100]\t= {aircraft_symbol_near..ABB_NAME\t, \"RightTop\"")
                                       << QStringLiteral("LEVEL_ABBREVIATED.AirFormat[8000]");
        QTest::newRow("a loop for ever") << QByteArray("AirOn") << QByteArray("while true do end\nAirOn") << QString();
        QTest::newRow("os.exit") << QByteArray("AirOn") << QByteArray("os.exit(0)\nAirOn") << QString();
    }
    void luaRefusesWhatWasNotAsked()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, damaged);
        LoadedModel model;
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        const QMap<QString, QByteArray> before = everyFile(model.workspace);
        config.setTextTamperingForTests([&](std::string& text) {
            const std::size_t at = text.find(from.toStdString());
            QVERIFY(at != std::string::npos);
            text.replace(at, static_cast<std::size_t>(from.size()), to.toStdString());
        });
        const ModelOutcome outcome = applyOneChange(config, 11000);
        QCOMPARE(outcome.failure, ModelFailure::LuaRefused);
        if (damaged.isEmpty()) {
            QVERIFY(outcome.verdict.newRunFails);
        } else {
            const std::vector<std::string>& named = outcome.verdict.damaged;
            QVERIFY2(std::find(named.begin(), named.end(), damaged.toStdString()) != named.end(),
                     named.empty() ? "nothing named" : named.front().c_str());
        }
        QCOMPARE(everyFile(model.workspace), before);
        // The model holds the file's values again, and nothing is left to save.
        QCOMPARE(config.distanceValue(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR), std::optional(10000));
        QVERIFY(!config.hasUnsavedText());
    }

    // Scripts written to hang the check, in the player's file: each run ends at a bound no
    // pcall, message handler or finalizer can outlast (or is given up inside a library
    // function), the load names the bound at every level, and Apply writes nothing.
    void hostileScriptEndsTheCheck_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("memory");  // ends at the memory bound; else at the instruction or time bound
        // clang-format off
        QTest::newRow("a loop around pcall of a loop") << QByteArray("while true do pcall(function() while true do end end) end") << false;
        QTest::newRow("a loop around pcall of a failing allocation") << QByteArray("while true do pcall(string.rep, 'x', 1 << 30) end") << true;
        QTest::newRow("a finalizer that loops") << QByteArray("setmetatable({}, {__gc = function() while true do end end})") << false;
        QTest::newRow("a finalizer that loops around pcall")
            << QByteArray("setmetatable({}, {__gc = function() while true do pcall(function() while true do end end) end end})") << false;
        QTest::newRow("a message handler that loops") << QByteArray("xpcall(error, function() while true do end end)") << false;
        QTest::newRow("an endless loop") << QByteArray("while true do end") << false;
        QTest::newRow("a huge string") << QByteArray("local s = string.rep('x', 1 << 28)") << true;
        QTest::newRow("a 3-million-entry table") << QByteArray("local t = {} for i = 1, 3e6 do t[i] = i end") << true;
        QTest::newRow("a pattern that backtracks for seconds") << QByteArray("string.rep('a', 300):find('.-.-.-b')") << false;
        // clang-format on
    }
    void hostileScriptEndsTheCheck()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, memory);
        LoadedModel model(QStringLiteral("Labels.lua"), "AirOn", script + "\nAirOn");
        QVERIFY(model.ready);
        const QMap<QString, QByteArray> before = everyFile(model.workspace);
        for (const lua::ScriptRun& run : model.config->savedTextRuns()) {
            const lua::RunStop::Kind kind = run.stop.kind;
            QVERIFY2(memory ? kind == lua::RunStop::Memory
                            : kind == lua::RunStop::Instructions || kind == lua::RunStop::Time,
                     qPrintable(QString::number(kind)));
        }
        const ModelOutcome outcome = applyOneChange(*model.config, 11000);
        QCOMPARE(outcome.failure, ModelFailure::LuaRefused);
        QVERIFY(outcome.verdict.oldRunStops);
        QCOMPARE(outcome.verdict.labels, 1);
        QCOMPARE(outcome.verdict.stop.kind, model.config->savedTextRuns()[0].stop.kind);
        QCOMPARE(everyFile(model.workspace), before);
    }

    // What keeps the file as a whole from being used is found at load; Lua's complaint
    // refuses Apply, and Restore Default mends it.
    void unusableFileIsNamed_data()
    {
        QTest::addColumn<QByteArray>("bytes");  // Labels.lua; "folder" makes it a folder
        QTest::addColumn<LabelFileState>("state");
        QTest::newRow("fine") << ModelWorkspace::fixture(QStringLiteral("Labels.lua")) << LabelFileState::Readable;
        QTest::newRow("empty") << QByteArray() << LabelFileState::Empty;
        QTest::newRow("a folder") << QByteArray("folder") << LabelFileState::Folder;
        QTest::newRow("Latin-1") << QByteArray("AirOn = true\naircraft_symbol_near = \"\xB0\"\n")
                                 << LabelFileState::NotUtf8;
        QTest::newRow("a lost comma") << ModelWorkspace::fixture(QStringLiteral("Labels-syntax-error.lua"))
                                      << LabelFileState::DoesNotCompile;
    }
    void unusableFileIsNamed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(LabelFileState, state);
        ModelWorkspace workspace;
        QVERIFY(workspace.writeHomeProfile() && workspace.installDefault());
        if (bytes == "folder")
            QVERIFY(QDir().mkpath(workspace.labelFile()));
        else
            QVERIFY(workspace.write(viewFolder + "/Labels.lua", bytes));
        ProfileStore profile;
        LabelConfig config(profile);
        QCOMPARE(config.labelFileState(), state);
        if (state != LabelFileState::DoesNotCompile)
            return;
        QCOMPARE(config.compileProblemAtLoad()->line, 205);
        QCOMPARE(config.compileProblemAtLoad()->message, std::string("'}' expected near '0.7'"));
        const ModelOutcome refused = applyOneChange(config, 11000);
        QCOMPARE(refused.failure, ModelFailure::LabelFileDoesNotCompile);
        QCOMPARE(workspace.read(viewFolder + "/Labels.lua"), bytes);
        QVERIFY(config.restoreDefault());
        QCOMPARE(config.labelFileState(), LabelFileState::Readable);
        QCOMPARE(workspace.read(viewFolder + "/Labels.lua"),
                 ModelWorkspace::fixture(QStringLiteral("factory-default.lua")));
    }
};

QTEST_GUILESS_MAIN(FailedWritesTest)
#include "tst_failed_writes.moc"
