// What keeps a write from damaging the player's file: the distance rules, tables the
// editor does not model, alignments it did not list before, another program's change,
// the backup before the first write, and a damaged factory copy.
#include <QDir>
#include <QFile>
#include <QtTest>

#include "ModelWorkspace.h"
#include "model/DistanceRules.h"
#include "model/FormatTable.h"
#include "model/LabelBackups.h"

namespace {
using Bands = std::vector<DistanceBand>;
const QString labelPath = QStringLiteral("home/Config/View/Labels.lua");
const QString backupFolder = QStringLiteral("home/Config/View/") + LabelBackups::folderName;

TableDistances table(std::optional<long long> empty, std::optional<long long> nearBand,
                     std::optional<long long> farBand, std::optional<long long> dot)
{
    return {empty, nearBand, farBand, dot};
}

QStringList backups(const ModelWorkspace& workspace)
{
    return QDir(workspace.path(backupFolder)).entryList(QDir::Files, QDir::Name);
}
}  // namespace

class WriteSafetyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { buildAlignmentTables(); }

    void distanceRulesNameEveryOffendingBand_data()
    {
        QTest::addColumn<UnitCategory>("category");
        QTest::addColumn<TableDistances>("distances");
        QTest::addColumn<Bands>("offending");
        QTest::addColumn<std::optional<long long>>("ownEntry");  // the player's own entry in the companion's place
        const auto A = UnitCategory::Air;
        const auto G = UnitCategory::Ground;
        const auto W = UnitCategory::Weapon;
        const auto E = DistanceBand::EMPTY, N = DistanceBand::NEAR, F = DistanceBand::FAR, D = DistanceBand::DOT;
        const auto row = [](const char* tag, UnitCategory category, const TableDistances& distances,
                            const Bands& offending, std::optional<long long> own = std::nullopt) {
            QTest::newRow(tag) << category << distances << offending << own;
        };
        // clang-format off
        row("the fixture's aircraft", A, table(10, 10000, 20000, 30000), Bands{});
        row("limits", G, table(0, 1, 2, 1000000), Bands{});
        row("seven digits", G, table(10, 5000, 10000, 9999999), Bands{D});
        row("negative", G, table(-1, 5000, 10000, 20000), Bands{E});
        row("empty field", G, table(10, std::nullopt, 10000, 20000), Bands{N});
        row("equal keys", G, table(10, 5000, 5000, 20000), Bands{N, F});
        row("companion meets EMPTY", A, table(10, 20, 20000, 30000), Bands{E, N});
        row("companion just above EMPTY", A, table(10, 22, 20000, 30000), Bands{});
        row("NEAR of 1 has companion 0", A, table(0, 1, 2, 3), Bands{E, N});
        row("weapon companion meets NEAR", W, table(5, 5000, 10000, std::nullopt), Bands{N, F});
        row("weapons have no DOT", W, table(5, 4000, 10000, std::nullopt), Bands{});
        row("two faults at once", A, table(30000, 10000, 20000, 9999999), Bands{E, N, D});
        row("own entry: NEAR far above it", A, table(10, 9360, 18520, 37040), Bands{}, 1852);
        row("own entry: NEAR below it", A, table(10, 1800, 18520, 37040), Bands{N}, 1852);
        row("own entry: EMPTY above it", A, table(2000, 9260, 18520, 37040), Bands{E}, 1852);
        row("own weapon entry: FAR below it", W, table(5, 4000, 8000, std::nullopt), Bands{F}, 9001);
        // clang-format on
    }

    void distanceRulesNameEveryOffendingBand()
    {
        QFETCH(UnitCategory, category);
        QFETCH(TableDistances, distances);
        QFETCH(Bands, offending);
        QFETCH(std::optional<long long>, ownEntry);
        QCOMPARE(offendingBands(category, distances, ownEntry), offending);
    }

    // The player's seven-entry table is not read by position: its band settings read
    // nothing and are never written, while the rest of the level is. The table itself is
    // read entry by entry instead, so none of its settings counts as unreadable.
    void tableOfAnotherShapeIsKept()
    {
        LoadedModel model(QStringLiteral("Labels-player-modified.lua"));
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        QVERIFY(config.unreadableSettings().empty());
        const std::optional<FormatTable> table = customFormatTable(config, LabelLevel::FULL, UnitCategory::Air);
        QVERIFY(table);
        QCOMPARE(table->entries.size(), std::size_t(7));
        for (const DistanceBand band : {DistanceBand::EMPTY, DistanceBand::NEAR, DistanceBand::FAR, DistanceBand::DOT})
            QCOMPARE(config.distanceValue(LabelLevel::FULL, UnitCategory::Air, band), std::nullopt);
        QCOMPARE(config.alignmentIndex(LabelLevel::FULL, UnitCategory::Air), std::nullopt);
        QCOMPARE(config.distanceValue(LabelLevel::ABBREVIATED, UnitCategory::Air, DistanceBand::NEAR),
                 std::optional<int>(8000));

        const QByteArray before = model.workspace.read(labelPath);
        config.setDistance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR, 8000);
        config.setAlignment(LabelLevel::FULL, UnitCategory::Air, 0);
        QVERIFY(config.getPendingEdits().empty());
        const ApplyOutcome refused = config.applyPendingEdits();
        QVERIFY(refused.written());
        QCOMPARE(refused.notSaved.size(), std::size_t(2));
        QCOMPARE(model.workspace.read(labelPath), before);

        config.setDistance(LabelLevel::FULL, UnitCategory::Ground, DistanceBand::NEAR, 6000);
        QVERIFY(config.applyPendingEdits().written());
        const QByteArray after = model.workspace.read(labelPath);
        for (const char* kept : {"[2500]", "[7500]", "[5000]\t= {aircraft_symbol_near", "[10000]\t= {aircraft"})
            QVERIFY2(after.contains(kept), kept);
        ProfileStore profile;
        const LabelConfig reread(profile);
        QCOMPARE(reread.distanceValue(LabelLevel::FULL, UnitCategory::Ground, DistanceBand::NEAR),
                 std::optional<int>(6000));
    }

    // The two alignments the simulator accepts besides the seven read, show and write;
    // a name outside the nine is unreadable and kept.
    void everyAcceptedAlignmentIsReadAndWritten()
    {
        LoadedModel model(QStringLiteral("Labels-player-modified.lua"),
                          "weapon_symbol_far\t\t\t\t\t,\"RightTop\"\t,0.75",
                          "weapon_symbol_far\t\t\t\t\t,\"Sideways\"\t,0.75");
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        QCOMPARE(config.alignmentIndex(LabelLevel::ABBREVIATED, UnitCategory::Ground), std::optional<int>(7));
        QCOMPARE(config.alignmentIndex(LabelLevel::DOT, UnitCategory::Navy), std::optional<int>(8));
        const LabelSetting& odd = config.alignment(LabelLevel::ABBREVIATED, UnitCategory::Weapon);
        QVERIFY(!config.isReadable(odd));
        QCOMPARE(config.alignmentIndex(LabelLevel::ABBREVIATED, UnitCategory::Weapon), std::nullopt);

        config.setAlignment(LabelLevel::FULL, UnitCategory::Ground, 8);
        config.setAlignment(LabelLevel::ABBREVIATED, UnitCategory::Weapon, 0);
        const ApplyOutcome outcome = config.applyPendingEdits();
        QVERIFY(outcome.written());
        QCOMPARE(outcome.notSaved, std::vector<const LabelSetting*>{&odd});
        ProfileStore profile;
        const LabelConfig reread(profile);
        QCOMPARE(reread.alignmentIndex(LabelLevel::FULL, UnitCategory::Ground), std::optional<int>(8));
        QCOMPARE(reread.alignmentIndex(LabelLevel::ABBREVIATED, UnitCategory::Ground), std::optional<int>(7));
        QVERIFY(model.workspace.read(labelPath).contains("\"Sideways\""));
    }

    void anotherProgramsChangeIsNoticed()
    {
        LoadedModel model;
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        QVERIFY(!config.labelFileChangedOnDisk());
        const QByteArray original = model.workspace.read(labelPath);

        // The same bytes written again by someone else are no change.
        QVERIFY(model.workspace.write(labelPath, original));
        QVERIFY(!config.labelFileChangedOnDisk());
        QVERIFY(model.workspace.write(labelPath, original + "-- updated\r\n"));
        QVERIFY(config.labelFileChangedOnDisk());
        QVERIFY(QFile::remove(model.workspace.path(labelPath)));
        QVERIFY(config.labelFileChangedOnDisk());

        // What the editor itself writes is what it expects to find.
        config.setVisibility(UnitCategory::Air, false);
        QVERIFY(config.applyPendingEdits().written());
        QVERIFY(!config.labelFileChangedOnDisk());
        config.load();
        QVERIFY(!config.labelFileChangedOnDisk());
    }

    // The first write of a run keeps the file as it was; later writes keep nothing more,
    // and only the newest copies stay.
    void backupBeforeTheFirstWriteOfARun()
    {
        LoadedModel model;
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        const QByteArray original = model.workspace.read(labelPath);
        for (int i = 0; i < LabelBackups::kept + 2; ++i)
            QVERIFY(model.workspace.write(
                backupFolder + QStringLiteral("/Labels-2001-01-01-0000%1-000.bak").arg(i, 2, 10, QChar('0')), "old"));
        QVERIFY(model.workspace.write(backupFolder + "/notes.txt", "mine"));

        config.setVisibility(UnitCategory::Air, false);
        QVERIFY(config.applyPendingEdits().written());
        QStringList copies = backups(model.workspace);
        QCOMPARE(copies.size(), LabelBackups::kept + 1);  // the ten newest and the player's notes
        QVERIFY(copies.contains("notes.txt"));
        QVERIFY(!copies.contains("Labels-2001-01-01-000000-000.bak"));
        const QString newest = copies.at(copies.size() - 2);
        QVERIFY(newest.startsWith("Labels-") && newest.endsWith(".bak") && !newest.startsWith("Labels-2001"));
        QCOMPARE(model.workspace.read(backupFolder + "/" + newest), original);

        config.setVisibility(UnitCategory::Air, true);
        QVERIFY(config.applyPendingEdits().written());
        QVERIFY(model.workspace.installDefault());
        QVERIFY(config.restoreDefault());
        QCOMPARE(backups(model.workspace), copies);
    }

    void damagedFactoryCopyIsRefused_data()
    {
        QTest::addColumn<QByteArray>("factory");
        QTest::addColumn<bool>("restored");
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise.append(static_cast<char>((i * 7919 + 13) % 256));
        QByteArray latin1 = ModelWorkspace::fixture("factory-default.lua");
        latin1.replace("\xCB\x84", "\xE9");  // a symbol in another code page
        // clang-format off
        QTest::newRow("the factory copy") << ModelWorkspace::fixture("factory-default.lua") << true;
        QTest::newRow("random bytes") << noise << false;
        QTest::newRow("not UTF-8") << latin1 << false;
        QTest::newRow("Lua without the settings") << QByteArray("AirOn = true\n") << false;
        QTest::newRow("cut short") << ModelWorkspace::fixture("factory-default.lua").left(6000) << false;
        // clang-format on
    }

    void damagedFactoryCopyIsRefused()
    {
        QFETCH(QByteArray, factory);
        QFETCH(bool, restored);
        LoadedModel model;
        QVERIFY(model.ready);
        QVERIFY(model.workspace.installDefault(factory));
        const QByteArray before = model.workspace.read(labelPath);

        const ModelOutcome outcome = model.config->restoreDefault();
        QCOMPARE(static_cast<bool>(outcome), restored);
        QCOMPARE(model.workspace.read(labelPath), restored ? factory : before);
        if (!restored) {
            QCOMPARE(outcome.failure, ModelFailure::FactoryCopyDamaged);
            QVERIFY(backups(model.workspace).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(WriteSafetyTest)
#include "tst_write_safety.moc"
