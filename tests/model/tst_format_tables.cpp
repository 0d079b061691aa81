// Format tables of the player's own shape: which tables the editor shows as they are,
// what it reads from them, the rules a changed table must keep, and that one change of
// each kind (a distance, a field, an added and a removed entry) reaches what Lua defines
// as that change alone, at that level.
#include <QtTest>

#include <functional>

#include "FixtureValues.h"
#include "LuaCheck.h"
#include "ModelWorkspace.h"
#include "model/FormatTable.h"

namespace {
const QString current = QStringLiteral("Labels.lua");
const QString playerModified = QStringLiteral("Labels-player-modified.lua");
const QString levelBranches = QStringLiteral("Labels-level-branches.lua");
const QString customTables = QStringLiteral("Labels-custom-tables.lua");
const QString keyOrder = QStringLiteral("Labels-key-order.lua");

using Distances = QList<long long>;
using TableChange = std::function<void(FormatTable&)>;

Distances distancesOf(const FormatTable& table)
{
    Distances distances;
    for (const FormatEntry& entry : table.entries)
        distances << entry.distance;
    return distances;
}

// The names Lua prints for an entry: the entry itself and each of its fields.
QStringList entryNames(const QString& entry, int fields)
{
    QStringList names{entry};
    for (int i = 1; i <= fields; ++i)
        names << entry + "[" + QString::number(i) + "]";
    return names;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

// Entries as loaded: each at its place in the text.
FormatTable tableOf(const std::vector<long long>& distances)
{
    FormatTable table;
    for (const long long distance : distances)
        table.entries.push_back({distance, "EMPTY", {}, static_cast<int>(table.entries.size())});
    return table;
}

const std::array<LabelLevel, 3> levels = {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT};
}  // namespace

Q_DECLARE_METATYPE(LabelLevel)
Q_DECLARE_METATYPE(UnitCategory)
Q_DECLARE_METATYPE(TableChange)
Q_DECLARE_METATYPE(EntryField)
Q_DECLARE_METATYPE(FieldProblem)
Q_DECLARE_METATYPE(DistanceBand)

class FormatTablesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { buildAlignmentTables(); }

    // --- Opening ----------------------------------------------------------------------

    void tablesOfTheirOwnShapeAreShownAsTheyAre_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<LabelLevel>("level");
        QTest::addColumn<UnitCategory>("category");
        QTest::addColumn<Distances>("distances");  // empty: the band rows show the table
        QTest::addColumn<int>("entry");            // one entry to look at, with its fields as shown
        QTest::addColumn<QStringList>("fields");
        const auto A = UnitCategory::Air, G = UnitCategory::Ground, N = UnitCategory::Navy, W = UnitCategory::Weapon;
        const auto FULL = LabelLevel::FULL, DOT = LabelLevel::DOT;
        // clang-format off
        QTest::newRow("branches: DOT ramp") << levelBranches << DOT << A
            << Distances{500, 2000, 4000, 8000, 16000, 32000, 48000}
            << 2 << QStringList{"˙", "CenterCenter", "0.3", "1", "0", "1"};
        QTest::newRow("branches: DOT ground, calls and names") << levelBranches << DOT << G
            << Distances{500, 3000, 6000, 12000} << 1 << QStringList{};
        QTest::newRow("branches: DOT navy") << levelBranches << DOT << N << Distances{500, 8000, 30000} << 0
            << QStringList{};
        QTest::newRow("branches: DOT weapon, a name for the text") << levelBranches << DOT << W
            << Distances{500, 4000, 9000} << 1 << QStringList{"weapon_symbol_far", "CenterCenter", "0.3", "1", "0", "1"};
        QTest::newRow("custom: nautical miles") << customTables << FULL << A
            << Distances{10, 1852, 5556, 9260, 18520, 37040} << 3
            << QStringList{"aircraft_symbol_far ..DISTANCE_NAME", "LeftBottom", "0.75", "0.5", "-12", "18"};
        QTest::newRow("custom: DOT calls") << customTables << DOT << A << Distances{30, 3000, 6000, 12000, 24000}
            << 4 << QStringList{};
        QTest::newRow("custom: DOT ground") << customTables << DOT << G << Distances{30, 3000, 7000, 14000} << 0
            << QStringList{};
        QTest::newRow("custom: DOT weapon") << customTables << DOT << W << Distances{10, 3000, 7000, 14000} << 0
            << QStringList{};
        QTest::newRow("player's extra near bands") << playerModified << FULL << A
            << Distances{10, 2500, 5000, 7500, 10000, 20000, 30000} << 1
            << QStringList{"aircraft_symbol_near..DISTANCE_NAME_PLAYER", "LeftBottom", "0.9", "0.8", "-3", "0"};
        QTest::newRow("two-field entries of the usual shape: band rows") << customTables << FULL << G
            << Distances{} << 0 << QStringList{};
        QTest::newRow("the simulator's own shape: band rows") << current << FULL << A << Distances{} << 0
            << QStringList{};
        QTest::newRow("branches: FULL, usual shape") << levelBranches << FULL << A << Distances{} << 0
            << QStringList{};
        QTest::newRow("written out of key order: by key") << keyOrder << FULL << G
            << Distances{1000, 2000, 10000, 20000} << 0
            << QStringList{"ground_symbol_near..\"%N%n%D\"", "LeftBottom", "0.75", "0.7", "-3", "0"};
        QTest::newRow("the player's own entry [1]: band rows") << keyOrder << FULL << A << Distances{} << 0
            << QStringList{};
        // clang-format on
    }

    void tablesOfTheirOwnShapeAreShownAsTheyAre()
    {
        QFETCH(QString, fixture);
        QFETCH(LabelLevel, level);
        QFETCH(UnitCategory, category);
        QFETCH(Distances, distances);
        QFETCH(int, entry);
        QFETCH(QStringList, fields);
        LoadedModel model(fixture);
        QVERIFY(model.ready);
        const std::optional<FormatTable> table = customFormatTable(*model.config, level, category);
        QCOMPARE(table.has_value(), !distances.isEmpty());
        if (!table)
            return;
        QCOMPARE(distancesOf(*table), distances);
        const FormatEntry& shown = table->entries.at(static_cast<std::size_t>(entry));
        QCOMPARE(shown.isTable(), !fields.isEmpty());
        QStringList shownFields;
        for (int f = 0; f < entryFieldCount && shown.isTable(); ++f)
            shownFields << QString::fromStdString(shownField(shown, static_cast<EntryField>(f)));
        QCOMPARE(shownFields, fields);
    }

    void newFixturesOpenWithEverySettingReadable_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<bool>("sizeByName");  // the one setting shown as where the file sets it
        QTest::newRow("level branches") << levelBranches << false;
        QTest::newRow("custom tables") << customTables << true;
        QTest::newRow("player modified") << playerModified << false;
    }

    void newFixturesOpenWithEverySettingReadable()
    {
        QFETCH(QString, fixture);
        QFETCH(bool, sizeByName);
        LoadedModel model(fixture);
        QVERIFY(model.ready);
        const LabelConfig& config = *model.config;
        const std::vector<const LabelSetting*> expected
            = sizeByName ? std::vector<const LabelSetting*>{&config.symbolSize()} : std::vector<const LabelSetting*>{};
        QCOMPARE(config.unreadableSettings(), expected);
    }

    // --- Changing entries -------------------------------------------------------------

    void fieldsTakeWhatTheFileCanHold_data()
    {
        QTest::addColumn<EntryField>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<FieldProblem>("problem");
        QTest::addColumn<QString>("written");  // the field as the file will hold it
        // clang-format off
        QTest::newRow("a text becomes a string") << EntryField::Text << "%D km" << FieldProblem::None << "\"%D km\"";
        QTest::newRow("the text shown keeps its expression") << EntryField::Text << "aircraft_symbol_far ..DISTANCE"
            << FieldProblem::None << "aircraft_symbol_far ..DISTANCE";
        QTest::newRow("a square bracket") << EntryField::Text << "[%D" << FieldProblem::None << "\"[%D\"";
        QTest::newRow("a backslash and a quote") << EntryField::Text << "a\\n\"" << FieldProblem::None << "\"a\\\\n\\\"\"";
        QTest::newRow("a block word") << EntryField::Text << "if near --" << FieldProblem::None << "\"if near --\"";
        QTest::newRow("a tab") << EntryField::Text << "\t%D" << FieldProblem::Text << "";
        QTest::newRow("a named alignment") << EntryField::Alignment << "RightCenter" << FieldProblem::None
            << "\"RightCenter\"";
        QTest::newRow("an unknown alignment") << EntryField::Alignment << "Middle" << FieldProblem::NotAnAlignment << "";
        QTest::newRow("a blend") << EntryField::ColourBlend << " 0.4 " << FieldProblem::None << "0.4";
        QTest::newRow("a negative shift") << EntryField::ShiftX << "-7" << FieldProblem::None << "-7";
        QTest::newRow("an opacity in words") << EntryField::Opacity << "half" << FieldProblem::NotANumber << "";
        QTest::newRow("an empty shift") << EntryField::ShiftY << "" << FieldProblem::NotANumber << "";
        // clang-format on
    }

    void fieldsTakeWhatTheFileCanHold()
    {
        QFETCH(EntryField, field);
        QFETCH(QString, typed);
        QFETCH(FieldProblem, problem);
        QFETCH(QString, written);
        FormatEntry entry{9000, "", {"aircraft_symbol_far ..DISTANCE", "\"LeftBottom\"", "0.25", "0.25", "-3", "0"}, 3};
        const FormatEntry before = entry;
        QCOMPARE(setField(entry, field, typed.toStdString()).problem, problem);
        const auto f = static_cast<std::size_t>(field);
        QCOMPARE(QString::fromStdString(entry.fields[f]),
                 problem == FieldProblem::None ? written : QString::fromStdString(before.fields[f]));
        if (field == EntryField::Text && problem == FieldProblem::None)
            QCOMPARE(QString::fromStdString(shownField(entry, field)), typed);  // read back as Lua reads it
        QCOMPARE(setField(entry, EntryField::ShiftY, "1").problem, FieldProblem::None);
        FormatEntry twoFields{9000, "", {"\"x\"", "\"LeftBottom\""}, 0};
        QCOMPARE(setField(twoFields, EntryField::Opacity, "1").problem, FieldProblem::NoSuchField);
    }

    void distancesKeepTheRules_data()
    {
        QTest::addColumn<QList<long long>>("before");  // the table as loaded
        QTest::addColumn<QList<long long>>("after");   // the same entries, then added ones
        QTest::addColumn<QList<int>>("offending");
        using D = QList<long long>;
        QTest::newRow("increasing") << D{} << D{0, 10, 1852, 1000000} << QList<int>{};
        QTest::newRow("equal pair") << D{} << D{10, 500, 500, 900} << QList<int>{1, 2};
        QTest::newRow("falling: Lua reads them by key") << D{} << D{10, 900, 500} << QList<int>{};
        QTest::newRow("beyond a million") << D{} << D{10, 1000001} << QList<int>{1};
        QTest::newRow("negative") << D{} << D{-1, 10} << QList<int>{0};
        QTest::newRow("the file's own fault, untouched")
            << D{10, 500, 500, 2000000} << D{10, 500, 500, 2000000} << QList<int>{};
        QTest::newRow("moved onto another") << D{10, 500, 900} << D{10, 900, 900} << QList<int>{1, 2};
        QTest::newRow("added to the file's pair") << D{10, 500, 500} << D{10, 500, 500, 500} << QList<int>{3};
    }

    void distancesKeepTheRules()
    {
        QFETCH(QList<long long>, before);
        QFETCH(QList<long long>, after);
        QFETCH(QList<int>, offending);
        FormatTable changed = tableOf(std::vector<long long>(after.begin(), after.end()));
        for (std::size_t i = static_cast<std::size_t>(before.size()); i < changed.entries.size(); ++i)
            changed.entries[i].loadedIndex = -1;
        QList<int> found;
        for (const std::size_t i :
             offendingEntries(changed, tableOf(std::vector<long long>(before.begin(), before.end()))))
            found << static_cast<int>(i);
        QCOMPARE(found, offending);
    }

    void addedEntryCopiesItsNeighbour_data()
    {
        QTest::addColumn<int>("at");
        QTest::addColumn<QList<long long>>("distances");
        QTest::newRow("before the first") << 0 << QList<long long>{250, 500, 2000, 4000};
        QTest::newRow("between two") << 2 << QList<long long>{500, 2000, 3000, 4000};
        QTest::newRow("after the last") << 3 << QList<long long>{500, 2000, 4000, 5000};
    }

    void addedEntryCopiesItsNeighbour()
    {
        QFETCH(int, at);
        QFETCH(QList<long long>, distances);
        FormatTable table = tableOf({500, 2000, 4000});
        table.entries[2].value = "dot_symbol(0,0.1)";
        insertEntry(table, static_cast<std::size_t>(at));
        QCOMPARE(distancesOf(table), distances);
        const std::size_t copied = std::min<std::size_t>(static_cast<std::size_t>(at), 2);
        QCOMPARE(table.entries[static_cast<std::size_t>(at)].value, table.entries[copied + (at < 3 ? 1 : 0)].value);
        QCOMPARE(table.entries[static_cast<std::size_t>(at)].loadedIndex, -1);
    }

    void theEntryOfARange_data()
    {
        QTest::addColumn<long long>("range");
        QTest::addColumn<int>("entry");  // -1: none
        QTest::newRow("nearer than the first") << 100LL << 0;
        QTest::newRow("at a key: the next") << 2000LL << 2;
        QTest::newRow("between") << 3999LL << 2;
        QTest::newRow("beyond the last") << 4000LL << -1;
    }

    void theEntryOfARange()
    {
        QFETCH(long long, range);
        QFETCH(int, entry);
        const FormatTable table = tableOf({500, 2000, 4000});
        const FormatEntry* found = entryAt(table, range);
        QCOMPARE(found ? static_cast<int>(found - table.entries.data()) : -1, entry);
    }

    // --- Writing: Lua before and after ------------------------------------------------

    void oneChangeReachesLuaAlone_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<LabelLevel>("level");
        QTest::addColumn<UnitCategory>("category");
        QTest::addColumn<TableChange>("change");
        QTest::addColumn<int>("run");              // the level Lua runs the script at; 0: unset
        QTest::addColumn<QStringList>("changed");  // exactly the names whose values change
        const auto A = UnitCategory::Air, N = UnitCategory::Navy, W = UnitCategory::Weapon;
        const auto FULL = LabelLevel::FULL, DOT = LabelLevel::DOT;
        const auto distance = [](std::size_t entry, long long to) {
            return TableChange([=](FormatTable& t) { t.entries[entry].distance = to; });
        };
        const auto field = [](std::size_t entry, EntryField f, const char* typed) {
            return TableChange([=](FormatTable& t) { QVERIFY(!setField(t.entries[entry], f, typed)); });
        };
        const auto added = [](std::size_t at) { return TableChange([=](FormatTable& t) { insertEntry(t, at); }); };
        const auto removed = [](std::size_t entry) {
            return TableChange([=](FormatTable& t) { t.entries.erase(t.entries.begin() + static_cast<std::ptrdiff_t>(entry)); });
        };
        // clang-format off
        QTest::newRow("custom: nautical-mile distance") << customTables << FULL << A << distance(3, 9000) << 0
            << entryNames("LEVEL_FULL.AirFormat[9260]", 6) + entryNames("LEVEL_FULL.AirFormat[9000]", 6);
        QTest::newRow("custom: nautical-mile opacity") << customTables << FULL << A
            << field(1, EntryField::Opacity, "0.8") << 0 << QStringList{"LEVEL_FULL.AirFormat[1852][4]"};
        QTest::newRow("custom: DOT entry added") << customTables << DOT << A << added(4) << 0
            << entryNames("LEVEL_DOT.AirFormat[18000]", 4);
        QTest::newRow("custom: DOT entry removed") << customTables << DOT << N << removed(2) << 0
            << entryNames("LEVEL_DOT.NavyFormat[14000]", 4);
        QTest::newRow("branches: DOT ramp distance") << levelBranches << DOT << A << distance(3, 9000) << 3
            << entryNames("AirFormat[8000]", 6) + entryNames("AirFormat[9000]", 6);
        QTest::newRow("branches: DOT ramp blend") << levelBranches << DOT << A
            << field(2, EntryField::ColourBlend, "0.35") << 3 << QStringList{"AirFormat[4000][3]"};
        QTest::newRow("branches: DOT navy entry added") << levelBranches << DOT << N << added(2) << 3
            << entryNames("NavyFormat[19000]", 6);
        QTest::newRow("branches: DOT weapon entry removed") << levelBranches << DOT << W << removed(1) << 3
            << entryNames("WeaponFormat[4000]", 6);
        QTest::newRow("player's table: text") << playerModified << FULL << A
            << field(1, EntryField::Text, "%D") << 0 << QStringList{"LEVEL_FULL.AirFormat[2500][1]"};
        QTest::newRow("player's table: alignment") << playerModified << FULL << A
            << field(3, EntryField::Alignment, "LeftCenter") << 0 << QStringList{"LEVEL_FULL.AirFormat[7500][2]"};
        const auto G = UnitCategory::Ground;
        QTest::newRow("out of key order: a field") << keyOrder << FULL << G << field(0, EntryField::Opacity, "0.6")
            << 0 << QStringList{"GroundFormat[1000][4]"};
        QTest::newRow("out of key order: a distance") << keyOrder << FULL << G << distance(1, 1500) << 0
            << entryNames("GroundFormat[2000]", 6) + entryNames("GroundFormat[1500]", 6);
        QTest::newRow("out of key order: an entry added") << keyOrder << FULL << G << added(2) << 0
            << entryNames("GroundFormat[6000]", 6);
        // clang-format on
    }

    void oneChangeReachesLuaAlone()
    {
        QFETCH(QString, fixture);
        QFETCH(LabelLevel, level);
        QFETCH(UnitCategory, category);
        QFETCH(TableChange, change);
        QFETCH(int, run);
        QFETCH(QStringList, changed);
        LoadedModel model(fixture);
        QVERIFY(model.ready);
        const QString file = model.workspace.labelFile();
        // Scripts that pick their tables by level are run at each; the others once.
        const QList<int> runs = run ? QList<int>{1, 2, 3} : QList<int>{0};
        QList<QStringList> before;
        for (const int at : runs)
            before << luacheck::definitions(file, at);

        const std::optional<FormatTable> loaded = customFormatTable(*model.config, level, category);
        QVERIFY(loaded);
        std::optional<FormatTable> table = loaded;
        change(*table);
        QVERIFY(offendingEntries(*table, *loaded).empty());
        model.config->setFormatTable(*table);
        const ApplyOutcome outcome = model.config->applyPendingEdits();
        QVERIFY(outcome.written());
        QVERIFY(outcome.notSaved.empty());

        for (int i = 0; i < runs.size(); ++i) {
            const QStringList names = luacheck::changedNames(before[i], luacheck::definitions(file, runs[i]));
            QCOMPARE(names, runs[i] == run ? sorted(changed) : QStringList());
        }
        // What was written reads back as the table that was handed over.
        const std::optional<FormatTable> reread = customFormatTable(*model.config, level, category);
        QVERIFY(reread);
        QCOMPARE(distancesOf(*reread), distancesOf(*table));
    }

    void whatTheWindowDoesNotShowIsKept_data()
    {
        QTest::addColumn<LabelLevel>("level");
        QTest::addColumn<TableChange>("change");
        QTest::addColumn<QByteArrayList>("kept");  // texts of the file that must stay as they are
        const QByteArray neutral = "LEVEL_NEUTRAL_DOT = {\r\n\tAirFormat = {\r\n\t[500]\t= EMPTY,\r\n"
                                   "\t[2000]\t= {\"\xC2\xB7\",\"CenterCenter\",0,0.8,0,2},";
        const QByteArrayList comments = {"\t-- the simulator reads the colours and the font of a level from the level table\r\n",
                                         "-- 3 nm\r\n", "-- 5 nm\r\n", neutral,
                                         "\t--[distance]\t\t= {text, alignment}\r\n",
                                         "font_properties =  {\"DejaVuLGCSans.ttf\", fontSize, 0, 0, 0}"};
        // clang-format off
        QTest::newRow("a distance among commented entries") << LabelLevel::FULL
            << TableChange([](FormatTable& t) { t.entries[3].distance = 9000; }) << comments;
        QTest::newRow("a field among commented entries") << LabelLevel::FULL
            << TableChange([](FormatTable& t) { QVERIFY(!setField(t.entries[2], EntryField::ShiftY, "20")); }) << comments;
        QTest::newRow("an entry added among commented entries") << LabelLevel::FULL
            << TableChange([](FormatTable& t) { insertEntry(t, 3); }) << comments;
        QTest::newRow("an entry removed among commented entries") << LabelLevel::FULL
            << TableChange([](FormatTable& t) { t.entries.erase(t.entries.begin() + 1); }) << comments;
        QTest::newRow("a DOT entry removed") << LabelLevel::DOT
            << TableChange([](FormatTable& t) { t.entries.pop_back(); })
            << QByteArrayList{neutral, "font_properties =  {\"DejaVuLGCSans.ttf\", fontSize, 0, 0, 0}"};
        // clang-format on
    }

    // Other levels, other tables, the comments between entries and the symbol size set by
    // a name keep their bytes when a table of the player's own shape changes.
    void whatTheWindowDoesNotShowIsKept()
    {
        QFETCH(LabelLevel, level);
        QFETCH(TableChange, change);
        QFETCH(QByteArrayList, kept);
        LoadedModel model(customTables);
        QVERIFY(model.ready);
        const QString labels = QStringLiteral("home/Config/View/Labels.lua");
        for (const QByteArray& text : kept)
            QVERIFY2(model.workspace.read(labels).contains(text), text.constData());
        std::optional<FormatTable> table = customFormatTable(*model.config, level, UnitCategory::Air);
        QVERIFY(table);
        change(*table);
        model.config->setFormatTable(*table);
        QVERIFY(model.config->applyPendingEdits().written());
        const QByteArray after = model.workspace.read(labels);
        for (const QByteArray& text : kept)
            QVERIFY2(after.contains(text), text.constData());
    }

    // A band distance is one change of its own kind too: the band rows of a level-branch
    // and a custom-table script reach Lua at their level alone. The entry written with a
    // band moves with it only when it stood at half of it; otherwise it is the player's.
    void bandDistanceNextToTablesOfTheirOwn_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<LabelLevel>("level");
        QTest::addColumn<UnitCategory>("category");
        QTest::addColumn<DistanceBand>("band");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("run");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QList<long long>>("moved");  // the companion's key before and after; empty: none
        const auto G = UnitCategory::Ground;
        const auto FAR = DistanceBand::FAR;
        // clang-format off
        QTest::newRow("custom: ground FAR at ABBREVIATED") << customTables << LabelLevel::ABBREVIATED << G << FAR << 9500
            << 0 << entryNames("LEVEL_ABBREVIATED.GroundFormat[9000]", 6) + entryNames("LEVEL_ABBREVIATED.GroundFormat[9500]", 6)
            << QList<long long>{};
        QTest::newRow("branches: ground FAR at FULL") << levelBranches << LabelLevel::FULL << G << FAR << 9000 << 1
            << entryNames("GroundFormat[9500]", 6) + entryNames("GroundFormat[9000]", 6) << QList<long long>{};
        QTest::newRow("the player's own entry [1] stays") << keyOrder << LabelLevel::FULL << UnitCategory::Air
            << DistanceBand::NEAR << 9360 << 0 << entryNames("AirFormat[9260]", 6) + entryNames("AirFormat[9360]", 6)
            << QList<long long>{};
        QTest::newRow("a companion rounded up follows") << keyOrder << LabelLevel::FULL << UnitCategory::Weapon << FAR
            << 20000 << 0 << entryNames("WeaponFormat[9001]", 6) + entryNames("WeaponFormat[10000]", 6)
                + entryNames("WeaponFormat[18001]", 6) + entryNames("WeaponFormat[20000]", 6)
            << QList<long long>{9001, 10000};
        // clang-format on
    }

    void bandDistanceNextToTablesOfTheirOwn()
    {
        QFETCH(QString, fixture);
        QFETCH(LabelLevel, level);
        QFETCH(UnitCategory, category);
        QFETCH(DistanceBand, band);
        QFETCH(int, to);
        QFETCH(int, run);
        QFETCH(QStringList, changed);
        QFETCH(QList<long long>, moved);
        LoadedModel model(fixture);
        QVERIFY(model.ready);
        const QString file = model.workspace.labelFile();
        const QStringList before = luacheck::definitions(file, run);
        model.config->setDistance(level, category, band, to);
        const ApplyOutcome outcome = model.config->applyPendingEdits();
        QVERIFY(outcome.written());
        QVERIFY(outcome.notSaved.empty());
        QCOMPARE(luacheck::changedNames(before, luacheck::definitions(file, run)), sorted(changed));
        QList<long long> keys;
        for (const MovedKey& key : outcome.moved)
            keys << key.from << key.to;
        QCOMPARE(keys, moved);
    }

    // The simulator reads by key, so the player's order in the text is kept: an added
    // entry goes before the one next above it, the others stay where they were written.
    void entriesKeepTheirPlaceInTheText()
    {
        LoadedModel model(keyOrder);
        QVERIFY(model.ready);
        std::optional<FormatTable> table = customFormatTable(*model.config, LabelLevel::FULL, UnitCategory::Ground);
        QVERIFY(table);
        insertEntry(*table, 2);
        table->entries[1].distance = 1500;
        model.config->setFormatTable(*table);
        QVERIFY(model.config->applyPendingEdits().written());
        const QByteArray text = model.workspace.read(QStringLiteral("home/Config/View/Labels.lua"));
        const QByteArray ground
            = text.mid(text.indexOf("GroundFormat"), text.indexOf("NavyFormat") - text.indexOf("GroundFormat"));
        QList<QByteArray> keys;
        const QRegularExpression key(QStringLiteral("\\[(\\d+)\\]"));
        for (auto found = key.globalMatch(QString::fromUtf8(ground)); found.hasNext();)
            keys << found.next().captured(1).toUtf8();
        QCOMPARE(keys, (QList<QByteArray>{"1500", "1000", "6000", "10000", "20000"}));
    }

    // A table written whole must pair its brackets up outside its strings to reach the file
    // as one value; one that does not gives no edit at all (the window refuses it before Apply).
    void unpairedBracketsKeepATableWrittenWholeOut()
    {
        LoadedModel model(customTables);
        QVERIFY(model.ready);
        std::optional<FormatTable> table = customFormatTable(*model.config, LabelLevel::DOT, UnitCategory::Air);
        QVERIFY(table);
        table->entries.pop_back();
        QCOMPARE(formatTableEdits(model.config->getDocument(), model.config->scriptLayout(), *table).size(),
                 std::size_t(1));
        table->entries[1].value = "{\"(\", \"LeftTop\"}";
        QCOMPARE(formatTableEdits(model.config->getDocument(), model.config->scriptLayout(), *table).size(),
                 std::size_t(1));
        table->entries[1].value = "{\"(\", x < 1 and \"LeftTop\"}";
        QVERIFY(formatTableEdits(model.config->getDocument(), model.config->scriptLayout(), *table).empty());
    }

    // Nothing changed, nothing queued; and a table the file does not hold as one of its
    // own (the band rows show it) takes no table edits.
    void unchangedTableQueuesNothing()
    {
        LoadedModel model(customTables);
        QVERIFY(model.ready);
        for (const LabelLevel level : levels) {
            for (const UnitCategory category : allCategories) {
                if (const std::optional<FormatTable> table = customFormatTable(*model.config, level, category))
                    model.config->setFormatTable(*table);
            }
        }
        QVERIFY(model.config->getPendingEdits().empty());
        FormatTable bands = tableOf({5, 10});
        bands.level = LabelLevel::ABBREVIATED;
        bands.category = UnitCategory::Air;
        model.config->setFormatTable(bands);
        QVERIFY(model.config->getPendingEdits().empty());
    }
};

QTEST_GUILESS_MAIN(FormatTablesTest)
#include "tst_format_tables.moc"
