// Apply, Reload and Restore Default: what the setters queue, what reaches Labels.lua,
// and that nothing is ever written that the file cannot hold.
#include <QtTest>

#include <cctype>
#include <functional>
#include <set>

#include "FixtureValues.h"
#include "LabelConfig.h"
#include "LuaDocument.h"
#include "ModelWorkspace.h"

namespace {

const QString labelPath = QStringLiteral("home/Config/View/Labels.lua");

const std::array<LevelValues, 3>& levels = labelsLuaLevels;

const char* levelName(LabelLevel level)
{
    return level == LabelLevel::FULL ? "FULL" : level == LabelLevel::ABBREVIATED ? "ABBREVIATED" : "DOT";
}

// What the main window hands over on Apply when nothing was changed: every value as
// the model reads it, in the window's order; a value the model cannot read goes over
// as the control's default.
void handOverUnchanged(LabelConfig& config, LabelLevel level)
{
    for (Side side : {Side::Enemies, Side::Allies}) {
        const ColourTriple colour = config.sideColour(side).value_or(ColourTriple{});
        config.setSideColour(side, colour.red, colour.green, colour.blue);
    }
    config.setSymbolSize(config.symbolSizeValue().value_or(1));
    for (UnitCategory category : allCategories)
        config.setVisibility(category, config.visibilityOn(category).value_or(false));
    for (UnitCategory category : allCategories) {
        for (SymbolRange range : {SymbolRange::Near, SymbolRange::Far})
            config.setSymbol(category, range, config.symbolText(category, range).value_or(""));
    }
    for (UnitCategory category : allCategories) {
        for (DistanceBand band : allBands) {
            if (hasBand(category, band))
                config.setDistance(level, category, band, config.distanceValue(level, category, band).value_or(0));
        }
    }
    for (UnitCategory category : allCategories)
        config.setAlignment(level, category, config.alignmentIndex(level, category).value_or(0));
}

template <class T>
QString shown(const std::optional<T>& value)
{
    if (!value)
        return QStringLiteral("-");
    if constexpr (std::is_same_v<T, ColourTriple>)
        return QStringLiteral("%1,%2,%3").arg(value->red).arg(value->green).arg(value->blue);
    else if constexpr (std::is_same_v<T, std::string>)
        return QString::fromStdString(*value);
    else
        return QString::number(*value);
}

// Every value the model reads, as text, in catalogue order.
QStringList readings(const LabelConfig& config)
{
    QStringList all;
    for (Side side : {Side::Enemies, Side::Allies})
        all << shown(config.sideColour(side));
    all << shown(config.symbolSizeValue());
    for (UnitCategory category : allCategories) {
        all << shown(config.visibilityOn(category));
        for (SymbolRange range : {SymbolRange::Near, SymbolRange::Far})
            all << shown(config.symbolText(category, range));
    }
    for (const LevelValues& values : levels) {
        for (UnitCategory category : allCategories) {
            all << shown(config.alignmentIndex(values.level, category));
            for (DistanceBand band : allBands) {
                if (hasBand(category, band))
                    all << shown(config.distanceValue(values.level, category, band));
            }
        }
    }
    return all;
}

std::set<std::string> generalStatements()
{
    return {"ColorEnemiesSide",    "ColorAliesSide",      "AirOn",              "GroundOn",
            "NavyOn",              "WeaponOn",            "aircraft_symbol_near", "aircraft_symbol_far",
            "ground_symbol_near",  "ground_symbol_far",   "navy_symbol_near",   "navy_symbol_far",
            "weapon_symbol_near",  "weapon_symbol_far"};
}

std::set<std::string> statementsTouchedAt(LabelLevel level)
{
    std::set<std::string> keys = generalStatements();
    keys.insert("default_font");
    keys.insert(std::string("LEVEL_") + levelName(level));
    return keys;
}

// The document's text with the named statements cut out, each leaving only its key.
std::string outside(const lua::LuaDocument& document, const std::set<std::string>& keys)
{
    std::string rest;
    int from = 0;
    for (const auto& node : document.statements()) {
        if (!keys.count(node->key) || document.statementByKey(node->key) != node.get())
            continue;
        rest += document.text().substr(from, node->startPos - from) + "<" + node->key + ">\n";
        from = node->endPos + 1;
    }
    return rest + document.text().substr(from);
}

// A value text without blanks and trailing commas: what stays when a statement is rewritten.
std::string normalised(const std::string& value)
{
    std::string compact;
    for (char c : value) {
        if (c == '}' || c == ')') {
            while (!compact.empty() && compact.back() == ',')
                compact.pop_back();
        }
        if (!std::isspace(static_cast<unsigned char>(c)))
            compact += c;
    }
    return compact;
}

std::unique_ptr<lua::LuaDocument> documentOf(const QString& path)
{
    auto document = std::make_unique<lua::LuaDocument>();
    document->load(toPath(path));
    return document;
}

// The edits one call queues.
std::vector<std::string> queuedBy(LabelConfig& config, const std::function<void()>& call)
{
    const std::size_t before = config.getPendingEdits().size();
    call();
    return {config.getPendingEdits().begin() + static_cast<std::ptrdiff_t>(before), config.getPendingEdits().end()};
}

using Edits = std::vector<std::string>;

}  // namespace

class LabelApplyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void settersQueueTheirEdits();
    void unchangedApplyAtFullQueuesInWindowOrder();
    void weaponDistancesAreWrittenAtEveryLevel_data();
    void weaponDistancesAreWrittenAtEveryLevel();
    void unchangedApplyKeepsEveryValue_data();
    void unchangedApplyKeepsEveryValue();
    void changedValuesReachTheFile();
    void olderLayoutAppliesOnlyWhatItHolds();
    void failedWriteIsReported();
    void symbolIsCarriedIntactOrRefused_data();
    void symbolIsCarriedIntactOrRefused();
    void restoreDefaultPutsTheFactoryCopyInPlace();
    void restoreDefaultWithoutFactoryCopyKeepsTheFile_data();
    void restoreDefaultWithoutFactoryCopyKeepsTheFile();
};

void LabelApplyTest::initTestCase()
{
    buildAlignmentTables();
}

void LabelApplyTest::settersQueueTheirEdits()
{
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;

    QCOMPARE(queuedBy(config, [&] { config.setVisibility(UnitCategory::Air, true); }),
             Edits{"<AirOn>...[AirOn][true]"});
    QCOMPARE(queuedBy(config, [&] { config.setVisibility(UnitCategory::Navy, false); }),
             Edits{"<NavyOn>...[NavyOn][false]"});
    QCOMPARE(config.visibility(UnitCategory::Navy).valueText, std::string("false"));

    QCOMPARE(queuedBy(config, [&] { config.setDistance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR, 10001); }),
             (Edits{"<LEVEL_FULL>.[0].<AirFormat>.[1]...[[5000]][]", "<LEVEL_FULL>.[0].<AirFormat>.[2]...[[10001]][]"}));
    QCOMPARE(config.distance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR).keyText, std::string("[10001]"));
    QCOMPARE(queuedBy(config, [&] { config.setDistance(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::FAR, 20001); }),
             (Edits{"<LEVEL_FULL>.[0].<WeaponFormat>.[2]...[[10000]][]",
                    "<LEVEL_FULL>.[0].<WeaponFormat>.[3]...[[20001]][]"}));
    QCOMPARE(queuedBy(config, [&] { config.setDistance(LabelLevel::DOT, UnitCategory::Air, DistanceBand::NEAR, 1); }),
             (Edits{"<LEVEL_DOT>.[0].<AirFormat>.[1]...[[0]][]", "<LEVEL_DOT>.[0].<AirFormat>.[2]...[[1]][]"}));
    QCOMPARE(queuedBy(config, [&] { config.setDistance(LabelLevel::FULL, UnitCategory::Ground, DistanceBand::NEAR, 8000); }),
             Edits{"<LEVEL_FULL>.[0].<GroundFormat>.[1]...[[8000]][]"});
    QCOMPARE(queuedBy(config, [&] { config.setDistance(LabelLevel::ABBREVIATED, UnitCategory::Air, DistanceBand::EMPTY, -5); }),
             Edits{"<LEVEL_ABBREVIATED>.[0].<AirFormat>.[0]...[[-5]][]"});
    QCOMPARE(queuedBy(config, [&] { config.setDistance(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::DOT, 9); }),
             Edits{});

    QCOMPARE(queuedBy(config, [&] { config.setAlignment(LabelLevel::FULL, UnitCategory::Navy, 6); }),
             (Edits{"<LEVEL_FULL>.[0].<NavyFormat>.[1].[1]...[][\"CenterCenter\"]",
                    "<LEVEL_FULL>.[0].<NavyFormat>.[2].[1]...[][\"CenterCenter\"]"}));
    QCOMPARE(config.alignment(LabelLevel::FULL, UnitCategory::Navy).valueText, std::string("\"CenterCenter\""));
    QCOMPARE(queuedBy(config, [&] { config.setAlignment(LabelLevel::ABBREVIATED, UnitCategory::Air, 3); }),
             (Edits{"<LEVEL_ABBREVIATED>.[0].<AirFormat>.[1].[1]...[][\"LeftTop\"]",
                    "<LEVEL_ABBREVIATED>.[0].<AirFormat>.[2].[1]...[][\"LeftTop\"]",
                    "<LEVEL_ABBREVIATED>.[0].<AirFormat>.[3].[1]...[][\"LeftTop\"]"}));
    QCOMPARE(queuedBy(config, [&] { config.setAlignment(LabelLevel::DOT, UnitCategory::Ground, 7); }),
             (Edits{"<LEVEL_DOT>.[0].<GroundFormat>.[1].[1]...[][]", "<LEVEL_DOT>.[0].<GroundFormat>.[2].[1]...[][]"}));
    QCOMPARE(config.alignment(LabelLevel::DOT, UnitCategory::Ground).valueText, std::string());

    QCOMPARE(queuedBy(config, [&] { config.setSideColour(Side::Allies, 249, 69, 38); }),
             Edits{"<ColorAliesSide>...[ColorAliesSide][{249,69,38}]"});
    QCOMPARE(config.sideColourSetting(Side::Allies).valueText, std::string("{249,69,38}"));
    QCOMPARE(queuedBy(config, [&] { config.setSymbolSize(13); }), Edits{"<default_font>.[1]...[][13]"});
    QCOMPARE(queuedBy(config, [&] { QVERIFY(config.setSymbol(UnitCategory::Air, SymbolRange::Near, "")); }),
             Edits{"<aircraft_symbol_near>...[aircraft_symbol_near][\"\"]"});
}

void LabelApplyTest::unchangedApplyAtFullQueuesInWindowOrder()
{
    LoadedModel model;
    QVERIFY(model.ready);
    handOverUnchanged(*model.config, LabelLevel::FULL);

    const auto key = [](const char* format, int entry, int distance) {
        return "<LEVEL_FULL>.[0].<" + std::string(format) + ">.[" + std::to_string(entry) + "]...[["
            + std::to_string(distance) + "]][]";
    };
    const auto align = [](const char* format, int entry) {
        return "<LEVEL_FULL>.[0].<" + std::string(format) + ">.[" + std::to_string(entry)
            + "].[1]...[][\"LeftBottom\"]";
    };
    const Edits expected = {
        "<ColorEnemiesSide>...[ColorEnemiesSide][{0,82,199}]",
        "<ColorAliesSide>...[ColorAliesSide][{249,69,38}]",
        "<default_font>.[1]...[][13]",
        "<AirOn>...[AirOn][true]",
        "<GroundOn>...[GroundOn][true]",
        "<NavyOn>...[NavyOn][true]",
        "<WeaponOn>...[WeaponOn][true]",
        "<aircraft_symbol_near>...[aircraft_symbol_near][\"˄\"]",
        "<aircraft_symbol_far>...[aircraft_symbol_far][\"✈\"]",
        "<ground_symbol_near>...[ground_symbol_near][\"ˉ\"]",
        "<ground_symbol_far>...[ground_symbol_far][\"ˉ\"]",
        "<navy_symbol_near>...[navy_symbol_near][\"˜\"]",
        "<navy_symbol_far>...[navy_symbol_far][\"˜\"]",
        "<weapon_symbol_near>...[weapon_symbol_near][\"ˈ\"]",
        "<weapon_symbol_far>...[weapon_symbol_far][\"ˈ\"]",
        key("AirFormat", 0, 10), key("AirFormat", 1, 5000), key("AirFormat", 2, 10000),
        key("AirFormat", 3, 20000), key("AirFormat", 4, 30000),
        key("GroundFormat", 0, 10), key("GroundFormat", 1, 5000), key("GroundFormat", 2, 10000),
        key("GroundFormat", 3, 20000),
        key("NavyFormat", 0, 10), key("NavyFormat", 1, 10000), key("NavyFormat", 2, 20000),
        key("NavyFormat", 3, 40000),
        key("WeaponFormat", 0, 5), key("WeaponFormat", 1, 5000), key("WeaponFormat", 2, 10000),
        key("WeaponFormat", 3, 20000),
        align("AirFormat", 1), align("AirFormat", 2), align("AirFormat", 3),
        align("GroundFormat", 1), align("GroundFormat", 2),
        align("NavyFormat", 1), align("NavyFormat", 2),
        align("WeaponFormat", 1), align("WeaponFormat", 2), align("WeaponFormat", 3),
    };
    QCOMPARE(expected.size(), std::size_t(42));
    QCOMPARE(model.config->getPendingEdits(), expected);
}

void LabelApplyTest::weaponDistancesAreWrittenAtEveryLevel_data()
{
    QTest::addColumn<int>("level");
    for (std::size_t i = 0; i < levels.size(); ++i)
        QTest::newRow(levelName(levels[i].level)) << int(i);
}

void LabelApplyTest::weaponDistancesAreWrittenAtEveryLevel()
{
    QFETCH(int, level);
    const LevelValues& values = levels[static_cast<std::size_t>(level)];
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;

    handOverUnchanged(config, values.level);
    QCOMPARE(config.getPendingEdits().size(), std::size_t(42));

    const std::string format = std::string("<LEVEL_") + levelName(values.level) + ">.[0].<WeaponFormat>";
    const int far = values.distances[3][2];
    QCOMPARE(queuedBy(config, [&] { config.setDistance(values.level, UnitCategory::Weapon, DistanceBand::FAR, far + 2); }),
             (Edits{format + ".[2]...[[" + std::to_string((far + 2) / 2) + "]][]",
                    format + ".[3]...[[" + std::to_string(far + 2) + "]][]"}));
    QVERIFY(config.applyPendingEdits().written);

    const auto written = documentOf(model.workspace.labelFile());
    QCOMPARE(written->getEntry(format + ".[2]...").first, "[" + std::to_string((far + 2) / 2) + "]");
    QCOMPARE(written->getEntry(format + ".[3]...").first, "[" + std::to_string(far + 2) + "]");
    QCOMPARE(written->getEntry(format + ".[1]...").first, "[" + std::to_string(values.distances[3][1]) + "]");
}

void LabelApplyTest::unchangedApplyKeepsEveryValue_data()
{
    weaponDistancesAreWrittenAtEveryLevel_data();
}

void LabelApplyTest::unchangedApplyKeepsEveryValue()
{
    QFETCH(int, level);
    const LabelLevel chosen = levels[static_cast<std::size_t>(level)].level;
    LoadedModel model;
    QVERIFY(model.ready);
    QVERIFY(model.workspace.write("original.lua", ModelWorkspace::fixture("Labels.lua")));
    LabelConfig& config = *model.config;
    const QStringList before = readings(config);

    handOverUnchanged(config, chosen);
    const Edits firstQueue = config.getPendingEdits();
    const ApplyOutcome outcome = config.applyPendingEdits();
    QVERIFY(outcome.written);
    QVERIFY(outcome.notSaved.empty());
    QVERIFY(config.getPendingEdits().empty());

    const QByteArray afterFirst = model.workspace.read(labelPath);
    QCOMPARE(afterFirst.count("\n"), afterFirst.count("\r\n"));
    QVERIFY(afterFirst.contains("\r\nAirOn = true\r\n"));  // the statements were rewritten

    const auto original = documentOf(model.workspace.path("original.lua"));
    const auto written = documentOf(model.workspace.labelFile());
    const std::set<std::string> touched = statementsTouchedAt(chosen);
    QCOMPARE(outside(*written, touched), outside(*original, touched));
    for (const std::string& key : touched)
        QCOMPARE(normalised(written->statementByKey(key)->value), normalised(original->statementByKey(key)->value));

    ProfileStore freshProfile;
    const LabelConfig reread(freshProfile);
    QCOMPARE(readings(reread), before);
    QCOMPARE(readings(config), before);

    handOverUnchanged(config, chosen);
    QCOMPARE(config.getPendingEdits(), firstQueue);
    QVERIFY(config.applyPendingEdits().written);
    QCOMPARE(model.workspace.read(labelPath), afterFirst);
}

void LabelApplyTest::changedValuesReachTheFile()
{
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;

    config.setSideColour(Side::Enemies, 10, 20, 30);
    config.setVisibility(UnitCategory::Ground, false);
    QVERIFY(config.setSymbol(UnitCategory::Navy, SymbolRange::Near, "⊕"));
    config.setDistance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR, 12001);
    config.setAlignment(LabelLevel::FULL, UnitCategory::Navy, 6);
    config.setDistance(LabelLevel::DOT, UnitCategory::Weapon, DistanceBand::EMPTY, 15);
    QVERIFY(config.applyPendingEdits().written);

    ProfileStore freshProfile;
    const LabelConfig reread(freshProfile);
    QCOMPARE(reread.sideColour(Side::Enemies), std::optional<ColourTriple>(ColourTriple{10, 20, 30}));
    QCOMPARE(reread.visibilityOn(UnitCategory::Ground), std::optional<bool>(false));
    QCOMPARE(reread.symbolText(UnitCategory::Navy, SymbolRange::Near), std::optional<std::string>("⊕"));
    QCOMPARE(reread.symbolText(UnitCategory::Navy, SymbolRange::Far), std::optional<std::string>("˜"));
    QCOMPARE(reread.distanceValue(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR), std::optional<int>(12001));
    QCOMPARE(reread.distanceValue(LabelLevel::ABBREVIATED, UnitCategory::Air, DistanceBand::NEAR), std::optional<int>(8000));
    QCOMPARE(reread.alignmentIndex(LabelLevel::FULL, UnitCategory::Navy), std::optional<int>(6));
    QCOMPARE(reread.alignmentIndex(LabelLevel::FULL, UnitCategory::Ground), std::optional<int>(2));
    QCOMPARE(reread.distanceValue(LabelLevel::DOT, UnitCategory::Weapon, DistanceBand::EMPTY), std::optional<int>(15));

    const auto written = documentOf(model.workspace.labelFile());
    QCOMPARE(written->getEntry("<LEVEL_FULL>.[0].<AirFormat>.[1]...").first, std::string("[6000]"));
    QCOMPARE(written->getEntry("<LEVEL_FULL>.[0].<NavyFormat>.[1].[1]...").second, std::string("\"CenterCenter\""));
    QCOMPARE(written->getEntry("<LEVEL_FULL>.[0].<NavyFormat>.[0]...").second, std::string("EMPTY"));
    QCOMPARE(written->getEntry("<LEVEL_FULL>.[0].<NavyFormat>.[3]...").second, std::string("dot_symbol(0.75,0.1)"));
}

void LabelApplyTest::olderLayoutAppliesOnlyWhatItHolds()
{
    LoadedModel model(QStringLiteral("Labels-older-layout.lua"));
    QVERIFY(model.ready);
    const QByteArray original = model.workspace.read(labelPath);
    QVERIFY(model.workspace.write("original.lua", original));
    LabelConfig& config = *model.config;

    handOverUnchanged(config, LabelLevel::DOT);
    QCOMPARE(config.getPendingEdits().size(), std::size_t(14));
    const ApplyOutcome outcome = config.applyPendingEdits();
    QVERIFY(outcome.written);
    QCOMPARE(outcome.notSaved.size(), std::size_t(20));
    for (const LabelSetting* setting : outcome.notSaved) {
        QVERIFY(setting == &config.symbolSize()
                || (setting->level == LabelLevel::DOT
                    && (setting->group == SettingGroup::Alignment || setting->group == SettingGroup::Distance)));
    }

    const QByteArray written = model.workspace.read(labelPath);
    QVERIFY(!written.contains('\r'));
    const auto before = documentOf(model.workspace.path("original.lua"));
    const auto after = documentOf(model.workspace.labelFile());
    QCOMPARE(outside(*after, generalStatements()), outside(*before, generalStatements()));
    QCOMPARE(after->statementByKey("LEVEL_DOT")->value, before->statementByKey("LEVEL_DOT")->value);
}

void LabelApplyTest::failedWriteIsReported()
{
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;
    QVERIFY(QDir(model.workspace.path("home/Config")).removeRecursively());

    config.setVisibility(UnitCategory::Air, false);
    const ApplyOutcome outcome = config.applyPendingEdits();
    QVERIFY(!outcome.written);
    QVERIFY(!outcome.reason.empty());
    QVERIFY(config.getPendingEdits().empty());
    QVERIFY(config.getDocument().text().find("\nAirOn = false\n") != std::string::npos);

    // The text in memory survives, so a later Apply can still save it.
    QVERIFY(QDir().mkpath(model.workspace.path("home/Config/View")));
    QVERIFY(config.applyPendingEdits().written);
    QVERIFY(model.workspace.read(labelPath).contains("\r\nAirOn = false\r\n"));
}

void LabelApplyTest::symbolIsCarriedIntactOrRefused_data()
{
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("palette symbol") << QByteArray("☢") << true;
    QTest::newRow("empty") << QByteArray("") << true;
    QTest::newRow("several characters") << QByteArray("·%N") << true;
    QTest::newRow("block word inside a word") << QByteArray("forward") << true;
    QTest::newRow("local") << QByteArray("local") << true;
    QTest::newRow("closed parentheses") << QByteArray("(x)") << true;
    QTest::newRow("lone closing bracket") << QByteArray("a)") << true;
    QTest::newRow("single hyphen") << QByteArray("-") << true;
    QTest::newRow("path terminator and equals sign") << QByteArray("...=") << true;
    QTest::newRow("opening square bracket") << QByteArray("[") << false;
    QTest::newRow("closing square bracket") << QByteArray("a]") << false;
    QTest::newRow("double quote") << QByteArray("\"") << false;
    QTest::newRow("backslash") << QByteArray("\\") << false;
    QTest::newRow("line feed") << QByteArray("a\nb") << false;
    QTest::newRow("carriage return") << QByteArray("\r") << false;
    QTest::newRow("two hyphens") << QByteArray("--") << false;
    QTest::newRow("for") << QByteArray("for") << false;
    QTest::newRow("if") << QByteArray("◯ if") << false;
    QTest::newRow("function") << QByteArray("function") << false;
    QTest::newRow("while") << QByteArray("while") << false;
    QTest::newRow("unclosed parenthesis") << QByteArray("(") << false;
    QTest::newRow("unclosed brace") << QByteArray("{") << false;
    QTest::newRow("unclosed angle bracket") << QByteArray("<") << false;
}

// A symbol reaches the file so that it reads back exactly, or it is refused with a
// reason and nothing is queued.
void LabelApplyTest::symbolIsCarriedIntactOrRefused()
{
    QFETCH(QByteArray, symbol);
    QFETCH(bool, accepted);
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;
    const std::string text = symbol.toStdString();

    const std::optional<std::string> problem = LabelConfig::symbolProblem(text);
    QCOMPARE(!problem, accepted);
    QCOMPARE(config.setSymbol(UnitCategory::Air, SymbolRange::Near, text), accepted);
    if (!accepted) {
        QVERIFY2(problem->rfind("A symbol cannot contain ", 0) == 0, problem->c_str());
        QVERIFY(config.getPendingEdits().empty());
        QCOMPARE(config.symbol(UnitCategory::Air, SymbolRange::Near).valueText, std::string("\"˄\""));
        return;
    }
    handOverUnchanged(config, LabelLevel::FULL);
    QVERIFY(config.applyPendingEdits().written);
    ProfileStore freshProfile;
    const LabelConfig reread(freshProfile);
    QCOMPARE(reread.symbolText(UnitCategory::Air, SymbolRange::Near), std::optional<std::string>(text));
    QCOMPARE(reread.symbolText(UnitCategory::Air, SymbolRange::Far), std::optional<std::string>("✈"));
    QVERIFY(reread.unreadableSettings().empty());
}

void LabelApplyTest::restoreDefaultPutsTheFactoryCopyInPlace()
{
    LoadedModel model(QStringLiteral("Labels-older-layout.lua"));
    QVERIFY(model.ready);
    QVERIFY(model.workspace.installDefault());
    LabelConfig& config = *model.config;
    config.setVisibility(UnitCategory::Air, false);

    const lua::WriteOutcome outcome = config.restoreDefault();
    QVERIFY(outcome.written);
    QCOMPARE(model.workspace.read(labelPath), ModelWorkspace::fixture("factory-default.lua"));
    QVERIFY(config.unreadableSettings().empty());
    QCOMPARE(config.visibilityOn(UnitCategory::Air), std::optional<bool>(true));
    QCOMPARE(config.symbolText(UnitCategory::Air, SymbolRange::Far), std::optional<std::string>("˄"));
    QCOMPARE(config.symbolSizeValue(), std::optional<int>(13));
    const LevelValues& full = levels[0];
    for (const LevelValues& values : levels) {
        for (std::size_t c = 0; c < allCategories.size(); ++c) {
            QCOMPARE(config.alignmentIndex(values.level, allCategories[c]), std::optional<int>(full.alignmentIndex));
            for (std::size_t b = 0; b < allBands.size(); ++b) {
                if (hasBand(allCategories[c], allBands[b]))
                    QCOMPARE(config.distanceValue(values.level, allCategories[c], allBands[b]),
                             std::optional<int>(full.distances[c][b]));
            }
        }
    }
}

void LabelApplyTest::restoreDefaultWithoutFactoryCopyKeepsTheFile_data()
{
    QTest::addColumn<int>("factory");
    enum { missing, empty, folder };
    QTest::newRow("missing") << int(missing);
    QTest::newRow("empty") << int(empty);
    QTest::newRow("a folder") << int(folder);
}

void LabelApplyTest::restoreDefaultWithoutFactoryCopyKeepsTheFile()
{
    QFETCH(int, factory);
    LoadedModel model;
    QVERIFY(model.ready);
    if (factory == 1)
        QVERIFY(model.workspace.installDefault(QByteArray()));
    if (factory == 2)
        QVERIFY(QDir().mkpath(model.workspace.path("data/default.lua")));
    LabelConfig& config = *model.config;
    const QByteArray labels = model.workspace.read(labelPath);
    const QStringList before = readings(config);

    const lua::WriteOutcome outcome = config.restoreDefault();
    QVERIFY(!outcome.written);
    QVERIFY2(outcome.reason.find("data/default.lua could not be read") != std::string::npos, outcome.reason.c_str());
    QCOMPARE(model.workspace.read(labelPath), labels);
    QCOMPARE(readings(config), before);
}

QTEST_GUILESS_MAIN(LabelApplyTest)
#include "tst_label_apply.moc"
