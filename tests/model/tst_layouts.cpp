// The three layouts of label scripts on players' machines: the current one (levels built
// by a call), plain level tables, and the single-level script. Every setting reads where
// the layout keeps it, and a change reaches the right table, checked by running the
// script with Lua before and after.
#include <QtTest>

#include <functional>

#include "FixtureValues.h"
#include "LuaCheck.h"
#include "ModelWorkspace.h"
#include "model/SymbolSizeVariable.h"

namespace {
const QString current = QStringLiteral("Labels.lua");
const QString olderLayout = QStringLiteral("Labels-older-layout.lua");
const QString singleLevel = QStringLiteral("Labels-single-level.lua");
const QString levelBranches = QStringLiteral("Labels-level-branches.lua");
const QString branchFlags = QStringLiteral("Labels-branch-flags.lua");
const QString branchForced = QStringLiteral("Labels-branch-forced.lua");

// The level-branch fixture's FULL (else) and ABBREVIATED branches; its DOT branch holds
// tables of its own shape, which no band reads.
// clang-format off
const std::array<LevelValues, 2> branchLevels = {{
    {LabelLevel::FULL, "if labels == 1", "LeftBottom", 2,
     {{{12, 9000, 18000, 28000}, {12, 4500, 9500, 19000}, {12, 9500, 19000, 38000}, {6, 4500, 19000, 0}}},
     4500, 9500},
    {LabelLevel::ABBREVIATED, "if labels == 2", "RightTop", 1,
     {{{25, 7000, 14000, 26000}, {25, 3500, 8000, 16000}, {25, 8000, 16000, 32000}, {8, 3500, 16000, 0}}},
     3500, 8000},
}};
// clang-format on

// The simulator's number for a level: what it sets `labels` to.
int levelNumber(LabelLevel level) { return static_cast<int>(level) + 1; }

// The single-level fixture: one table per category at every level.
const LevelValues singleLevelValues
    = {LabelLevel::FULL,
       "",
       "CenterTop",
       5,
       {{{15, 12000, 22000, 32000}, {15, 6000, 11000, 21000}, {15, 11000, 21000, 41000}, {6, 6000, 22000, 0}}},
       6000,
       11000};

using Change = std::function<void(LabelConfig&)>;
}  // namespace
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(LabelLevel)

class LayoutsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { buildAlignmentTables(); }

    void everySettingReadsWhereTheLayoutKeepsIt_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<ScriptLayout>("layout");
        QTest::addColumn<int>("symbolSize");
        QTest::newRow("level calls") << current << ScriptLayout::LevelCalls << 13;
        QTest::newRow("level tables") << olderLayout << ScriptLayout::LevelTables << 13;
        QTest::newRow("single level") << singleLevel << ScriptLayout::SingleLevel << 15;
    }

    void everySettingReadsWhereTheLayoutKeepsIt()
    {
        QFETCH(QString, fixture);
        QFETCH(ScriptLayout, layout);
        QFETCH(int, symbolSize);
        LoadedModel model(fixture);
        QVERIFY(model.ready);
        const LabelConfig& config = *model.config;
        QCOMPARE(config.scriptLayout(), layout);
        QVERIFY(config.unreadableSettings().empty());
        QVERIFY(config.levelsWithOwnSymbolSize().empty());

        QCOMPARE(config.symbolSizeValue(), std::optional<int>(symbolSize));
        QCOMPARE(config.sideColour(Side::Enemies), std::optional<ColourTriple>(ColourTriple{0, 82, 199}));
        QCOMPARE(config.sideColour(Side::Allies), std::optional<ColourTriple>(ColourTriple{249, 69, 38}));
        for (std::size_t c = 0; c < allCategories.size(); ++c) {
            const UnitCategory category = allCategories[c];
            QCOMPARE(config.visibilityOn(category), std::optional<bool>(true));
            QCOMPARE(config.symbolText(category, SymbolRange::Near),
                     std::optional<std::string>(categoryTexts[c].symbols[0]));
            QCOMPARE(config.symbolText(category, SymbolRange::Far),
                     std::optional<std::string>(categoryTexts[c].symbols[1]));
        }
        for (const LevelValues& levelValues : labelsLuaLevels) {
            const LevelValues& values = layout == ScriptLayout::SingleLevel ? singleLevelValues : levelValues;
            for (std::size_t c = 0; c < allCategories.size(); ++c) {
                const UnitCategory category = allCategories[c];
                QCOMPARE(config.alignmentIndex(levelValues.level, category), std::optional<int>(values.alignmentIndex));
                for (std::size_t b = 0; b < allBands.size(); ++b) {
                    if (!hasBand(category, allBands[b]))
                        continue;
                    QCOMPARE(config.distanceValue(levelValues.level, category, allBands[b]),
                             std::optional<int>(values.distances[c][b]));
                }
            }
        }
    }

    void oneChangeReachesTheRightTableAlone_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("under");    // every changed name starts with one of these
        QTest::addColumn<QStringList>("changed");  // names that must be among the changed ones
        const auto nearAir = [](LabelLevel level, int distance) {
            return Change(
                [=](LabelConfig& c) { c.setDistance(level, UnitCategory::Air, DistanceBand::NEAR, distance); });
        };
        const QStringList levelFonts
            = {"LEVEL_FULL.font_properties[2]", "LEVEL_ABBREVIATED.font_properties[2]", "LEVEL_DOT.font_properties[2]"};
        const Change size16([](LabelConfig& c) { c.setSymbolSize(16); });
        const Change navyFar([](LabelConfig& c) { c.setSymbol(UnitCategory::Navy, SymbolRange::Far, "◯"); });
        // clang-format off
        QTest::newRow("level tables: aircraft NEAR at FULL") << olderLayout << nearAir(LabelLevel::FULL, 8000)
            << QStringList{"LEVEL_FULL.AirFormat["}
            << QStringList{"LEVEL_FULL.AirFormat[4000]", "LEVEL_FULL.AirFormat[8000]", "LEVEL_FULL.AirFormat[5000]"};
        QTest::newRow("level tables: ground alignment at ABBREVIATED") << olderLayout
            << Change([](LabelConfig& c) { c.setAlignment(LabelLevel::ABBREVIATED, UnitCategory::Ground, 5); })
            << QStringList{"LEVEL_ABBREVIATED.GroundFormat[4000][2]", "LEVEL_ABBREVIATED.GroundFormat[9000][2]"}
            << QStringList{"LEVEL_ABBREVIATED.GroundFormat[4000][2]", "LEVEL_ABBREVIATED.GroundFormat[9000][2]"};
        QTest::newRow("level tables: symbol size") << olderLayout << size16 << levelFonts << levelFonts;
        QTest::newRow("level tables: navy far symbol") << olderLayout << navyFar
            << QStringList{"LEVEL_FULL.NavyFormat[20000][1]", "LEVEL_ABBREVIATED.NavyFormat[18000][1]",
                           "LEVEL_DOT.NavyFormat[14000][1]"}
            << QStringList{"LEVEL_DOT.NavyFormat[14000][1]"};
        QTest::newRow("single level: aircraft NEAR") << singleLevel << nearAir(LabelLevel::FULL, 9000)
            << QStringList{"AirFormat["}
            << QStringList{"AirFormat[4500]", "AirFormat[9000]", "AirFormat[6000]", "AirFormat[12000]"};
        QTest::newRow("single level: weapon alignment from DOT") << singleLevel
            << Change([](LabelConfig& c) { c.setAlignment(LabelLevel::DOT, UnitCategory::Weapon, 0); })
            << QStringList{"WeaponFormat[6000][2]", "WeaponFormat[11000][2]", "WeaponFormat[22000][2]"}
            << QStringList{"WeaponFormat[6000][2]", "WeaponFormat[11000][2]", "WeaponFormat[22000][2]"};
        QTest::newRow("single level: symbol size") << singleLevel << size16
            << QStringList{"font_properties[2]"} << QStringList{"font_properties[2]"};
        QTest::newRow("single level: navy far symbol") << singleLevel << navyFar
            << QStringList{"NavyFormat[21000][1]"} << QStringList{"NavyFormat[21000][1]"};
        QTest::newRow("level calls: symbol size") << current << size16 << levelFonts << levelFonts;
        // clang-format on
    }

    void oneChangeReachesTheRightTableAlone()
    {
        QFETCH(QString, fixture);
        QFETCH(Change, change);
        QFETCH(QStringList, under);
        QFETCH(QStringList, changed);
        LoadedModel model(fixture);
        QVERIFY(model.ready);
        const QString file = model.workspace.labelFile();
        const QStringList before = luacheck::definitions(file);

        change(*model.config);
        const ApplyOutcome outcome = model.config->applyPendingEdits();
        QVERIFY(outcome.written());
        QVERIFY(outcome.notSaved.empty());

        const QStringList names = luacheck::changedNames(before, luacheck::definitions(file));
        QVERIFY2(luacheck::allUnder(names, under), qPrintable(names.join('\n')));
        for (const QString& name : changed)
            QVERIFY2(names.contains(name), qPrintable(name + " did not change:\n" + names.join('\n')));
    }

    // Each level reads the branch the simulator takes at that level, and nothing else.
    void levelBranchesReadEachLevelFromItsBranch()
    {
        LoadedModel model(levelBranches);
        QVERIFY(model.ready);
        const LabelConfig& config = *model.config;
        QCOMPARE(config.scriptLayout(), ScriptLayout::LevelBranches);
        QCOMPARE(config.symbolSizeValue(), std::optional<int>(14));
        QCOMPARE(config.sideColour(Side::Allies), std::optional<ColourTriple>(ColourTriple{230, 40, 40}));
        QCOMPARE(config.sideColour(Side::Enemies), std::optional<ColourTriple>(ColourTriple{30, 90, 230}));
        QCOMPARE(config.visibilityOn(UnitCategory::Navy), std::optional<bool>(false));
        for (const LevelValues& values : branchLevels) {
            for (std::size_t c = 0; c < allCategories.size(); ++c) {
                const UnitCategory category = allCategories[c];
                QCOMPARE(config.alignmentIndex(values.level, category), std::optional<int>(values.alignmentIndex));
                for (std::size_t b = 0; b < allBands.size(); ++b) {
                    if (hasBand(category, allBands[b]))
                        QCOMPARE(config.distanceValue(values.level, category, allBands[b]),
                                 std::optional<int>(values.distances[c][b]));
                }
            }
        }
        for (const UnitCategory category : allCategories)
            QCOMPARE(config.distanceValue(LabelLevel::DOT, category, DistanceBand::EMPTY), std::nullopt);
    }

    void levelBranchChangeStaysInItsLevel_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QList<int>>("levels");    // the runs (labels = 1, 2, 3) that change
        QTest::addColumn<QStringList>("changed");  // exactly the names that change in those runs
        const Change nearAir([](LabelConfig& c) { c.setDistance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR, 10000); });
        const QStringList nearAirChanged{"AirFormat[10000]", "AirFormat[10000][1]", "AirFormat[10000][2]", "AirFormat[10000][3]",
                           "AirFormat[10000][4]", "AirFormat[10000][5]", "AirFormat[10000][6]",
                           "AirFormat[4500]", "AirFormat[4500][1]", "AirFormat[4500][2]", "AirFormat[4500][3]",
                           "AirFormat[4500][4]", "AirFormat[4500][5]", "AirFormat[4500][6]",
                           "AirFormat[5000]", "AirFormat[5000][1]", "AirFormat[5000][2]", "AirFormat[5000][3]",
                           "AirFormat[5000][4]", "AirFormat[5000][5]", "AirFormat[5000][6]",
                           "AirFormat[9000]", "AirFormat[9000][1]", "AirFormat[9000][2]", "AirFormat[9000][3]",
                           "AirFormat[9000][4]", "AirFormat[9000][5]", "AirFormat[9000][6]"};
        // The forced file's one branch serves every level: a change named at ABBREVIATED
        // reaches each run, as the simulator would read it at each level.
        const Change dotRampEntry([](LabelConfig& c) {
            std::optional<FormatTable> table = customFormatTable(c, LabelLevel::ABBREVIATED, UnitCategory::Air);
            table->entries[2].distance = 5000;
            c.setFormatTable(*table);
        });
        QStringList dotRampChanged;
        for (const QString key : {"AirFormat[4000]", "AirFormat[5000]"}) {
            dotRampChanged << key;
            for (int field = 1; field <= 6; ++field)
                dotRampChanged << key + '[' + QString::number(field) + ']';
        }
        // clang-format off
        QTest::newRow("aircraft NEAR at FULL") << levelBranches << nearAir << QList<int>{1} << nearAirChanged;
        QTest::newRow("flags guarded by and: aircraft NEAR at FULL") << branchFlags << nearAir << QList<int>{1}
            << nearAirChanged;
        QTest::newRow("forced branch: DOT ramp entry named at ABBREVIATED") << branchForced << dotRampEntry
            << QList<int>{1, 2, 3} << dotRampChanged;
        QTest::newRow("ground alignment at ABBREVIATED") << levelBranches
            << Change([](LabelConfig& c) { c.setAlignment(LabelLevel::ABBREVIATED, UnitCategory::Ground, 5); })
            << QList<int>{2} << QStringList{"GroundFormat[3500][2]", "GroundFormat[8000][2]"};
        QTest::newRow("weapon EMPTY at ABBREVIATED") << levelBranches
            << Change([](LabelConfig& c) { c.setDistance(LabelLevel::ABBREVIATED, UnitCategory::Weapon, DistanceBand::EMPTY, 9); })
            << QList<int>{2}
            << QStringList{"WeaponFormat[8]", "WeaponFormat[8][1]", "WeaponFormat[8][2]", "WeaponFormat[8][3]",
                           "WeaponFormat[8][4]", "WeaponFormat[8][5]", "WeaponFormat[8][6]",
                           "WeaponFormat[9]", "WeaponFormat[9][1]", "WeaponFormat[9][2]", "WeaponFormat[9][3]",
                           "WeaponFormat[9][4]", "WeaponFormat[9][5]", "WeaponFormat[9][6]"};
        // clang-format on
    }

    // The branches stay apart: a change reaches Lua, in the runs of the levels that take
    // its branch, as that change alone, and the other levels define what they did before.
    void levelBranchChangeStaysInItsLevel()
    {
        QFETCH(QString, fixture);
        QFETCH(Change, change);
        QFETCH(QList<int>, levels);
        QFETCH(QStringList, changed);
        LoadedModel model(fixture);
        QVERIFY(model.ready);
        const QString file = model.workspace.labelFile();
        std::array<QStringList, 3> before;
        for (const LabelLevel l : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT})
            before[static_cast<std::size_t>(l)] = luacheck::definitions(file, levelNumber(l));

        change(*model.config);
        const ApplyOutcome outcome = model.config->applyPendingEdits();
        QVERIFY(outcome.written());
        QVERIFY(outcome.notSaved.empty());

        for (const LabelLevel l : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT}) {
            const QStringList names
                = luacheck::changedNames(before[static_cast<std::size_t>(l)], luacheck::definitions(file, levelNumber(l)));
            QCOMPARE(names, levels.contains(levelNumber(l)) ? changed : QStringList());
        }
    }

    void symbolSizeGivenByANameIsKept_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QByteArray>("find");
        QTest::addColumn<QByteArray>("replace");
        QTest::addColumn<QString>("variable");  // empty: the size is a number
        const QByteArray font = "default_font \t\t=  {\"DejaVuLGCSans.ttf\", ";
        // clang-format off
        QTest::newRow("level tables naming the top-level font") << QStringLiteral("Labels-custom-tables.lua")
            << QByteArray() << QByteArray() << QStringLiteral("fontSize");
        QTest::newRow("level calls") << current << font + "13" << font + "sizeVR" << QStringLiteral("sizeVR");
        QTest::newRow("single level") << singleLevel << QByteArray("\", 15,") << QByteArray("\", big,")
            << QStringLiteral("big");
        QTest::newRow("a number") << current << QByteArray() << QByteArray() << QString();
        QTest::newRow("level branches, a number") << levelBranches << QByteArray() << QByteArray() << QString();
        // clang-format on
    }

    // The window shows where such a size is set; no setter writes a number over it.
    void symbolSizeGivenByANameIsKept()
    {
        QFETCH(QString, fixture);
        QFETCH(QByteArray, find);
        QFETCH(QByteArray, replace);
        QFETCH(QString, variable);
        LoadedModel model(fixture, find, replace);
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        const std::optional<std::string> name = symbolSizeVariable(config);
        QCOMPARE(name.has_value(), !variable.isEmpty());
        if (!name)
            return;
        QCOMPARE(QString::fromStdString(*name), variable);
        QCOMPARE(config.symbolSizeValue(), std::nullopt);
        const QByteArray before = model.workspace.read(QStringLiteral("home/Config/View/Labels.lua"));
        config.setSymbolSize(16);
        const ApplyOutcome outcome = config.applyPendingEdits();
        QCOMPARE(outcome.notSaved, std::vector<const LabelSetting*>{&config.symbolSize()});
        QCOMPARE(model.workspace.read(QStringLiteral("home/Config/View/Labels.lua")), before);
    }

    // A level table whose size the player set apart keeps it when FULL's changes.
    void levelWithItsOwnSymbolSizeKeepsIt()
    {
        const QByteArray abbreviatedFont = "\"RightTop\"\t,0.25\t, 0.25\t, -3\t, 0},\n\t},\n\tfont_properties =  {"
                                           "\"DejaVuLGCSans.ttf\", ";
        LoadedModel model(olderLayout, abbreviatedFont + "13", abbreviatedFont + "11");
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        QCOMPARE(config.levelsWithOwnSymbolSize(), std::vector<LabelLevel>{LabelLevel::ABBREVIATED});
        const QStringList before = luacheck::definitions(model.workspace.labelFile());
        config.setSymbolSize(16);
        QVERIFY(config.applyPendingEdits().written());
        const QStringList after = luacheck::definitions(model.workspace.labelFile());
        QCOMPARE(luacheck::changedNames(before, after),
                 QStringList({"LEVEL_DOT.font_properties[2]", "LEVEL_FULL.font_properties[2]"}));
        QVERIFY(after.contains("LEVEL_ABBREVIATED.font_properties[2] = 11"));
    }

    // The single-level script's tables are what the simulator uses at every level: a
    // change made at one level is what the others show.
    void singleLevelShowsOneTableAtEveryLevel()
    {
        LoadedModel model(singleLevel);
        QVERIFY(model.ready);
        LabelConfig& config = *model.config;
        config.setDistance(LabelLevel::DOT, UnitCategory::Ground, DistanceBand::FAR, 12000);
        QVERIFY(config.applyPendingEdits().written());
        for (const LabelLevel level : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT})
            QCOMPARE(config.distanceValue(level, UnitCategory::Ground, DistanceBand::FAR), std::optional<int>(12000));
        ProfileStore profile;
        const LabelConfig reread(profile);
        QCOMPARE(reread.distanceValue(LabelLevel::ABBREVIATED, UnitCategory::Ground, DistanceBand::FAR),
                 std::optional<int>(12000));
    }
};

QTEST_GUILESS_MAIN(LayoutsTest)
#include "tst_layouts.moc"
