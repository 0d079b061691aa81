// Apply, Reload and Restore Default: what the setters queue, what reaches Labels.lua,
// and that nothing is ever written that the file cannot hold.
#include <QtTest>

#include <cctype>
#include <functional>
#include <set>

#include "FixtureValues.h"
#include "ModelWorkspace.h"
#include "lua/LuaDocument.h"
#include "model/LabelConfig.h"

namespace {

using Edits = std::vector<std::string>;

const QString labelPath = QStringLiteral("home/Config/View/Labels.lua");
const QString noValue = QStringLiteral("none");

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

// The 42 edits handOverUnchanged queues on the fixture Labels.lua. Entries follow in
// file order: an aircraft's NEAR and a weapon's FAR come after the entry keyed at half
// their distance.
Edits unchangedEdits(const LevelValues& values)
{
    Edits edits = {
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
    };
    const std::string level = "<" + std::string(values.key) + ">.[0].<";
    const auto keys = [&](const char* format, const std::vector<int>& distances) {
        for (std::size_t entry = 0; entry < distances.size(); ++entry)
            edits.push_back(level + format + ">.[" + std::to_string(entry) + "]...[[" + std::to_string(distances[entry])
                            + "]][]");
    };
    const auto& d = values.distances;
    keys("AirFormat", {d[0][0], values.airCompanion, d[0][1], d[0][2], d[0][3]});
    keys("GroundFormat", {d[1][0], d[1][1], d[1][2], d[1][3]});
    keys("NavyFormat", {d[2][0], d[2][1], d[2][2], d[2][3]});
    keys("WeaponFormat", {d[3][0], d[3][1], values.weaponCompanion, d[3][2]});
    for (const auto& [format, entries] :
         {std::pair{"AirFormat", 3}, {"GroundFormat", 2}, {"NavyFormat", 2}, {"WeaponFormat", 3}}) {
        for (int entry = 1; entry <= entries; ++entry)
            edits.push_back(level + format + ">.[" + std::to_string(entry) + "].[1]...[][\"" + values.alignment
                            + "\"]");
    }
    return edits;
}

template <class T>
QString shown(const std::optional<T>& value)
{
    if (!value)
        return noValue;
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
    for (const LevelValues& values : labelsLuaLevels) {
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

QStringList readingsOfTheFile()
{
    ProfileStore freshProfile;
    return readings(LabelConfig(freshProfile));
}

const std::set<std::string> generalStatements = {"ColorEnemiesSide",
                                                 "ColorAliesSide",
                                                 "AirOn",
                                                 "GroundOn",
                                                 "NavyOn",
                                                 "WeaponOn",
                                                 "aircraft_symbol_near",
                                                 "aircraft_symbol_far",
                                                 "ground_symbol_near",
                                                 "ground_symbol_far",
                                                 "navy_symbol_near",
                                                 "navy_symbol_far",
                                                 "weapon_symbol_near",
                                                 "weapon_symbol_far"};

// The file's text with the named statements reduced to their key and their value without
// blanks and trailing commas: what stays when those statements are rewritten.
std::string canonical(const QString& path, const std::set<std::string>& keys)
{
    lua::LuaDocument document;
    document.load(toPath(path));
    std::string text;
    int from = 0;
    for (const auto& node : document.statements()) {
        if (!keys.count(node->key) || document.statementByKey(node->key) != node.get())
            continue;
        text += document.text().substr(from, node->startPos - from) + node->key + " = ";
        for (char c : node->value) {
            if (c == '}' || c == ')') {
                while (text.back() == ',')
                    text.pop_back();
            }
            if (!std::isspace(static_cast<unsigned char>(c)))
                text += c;
        }
        text += "\n";
        from = node->endPos + 1;
    }
    return text + document.text().substr(from);
}

// The edits one call queues.
Edits queuedBy(LabelConfig& config, const std::function<void()>& call)
{
    const std::size_t before = config.getPendingEdits().size();
    call();
    return {config.getPendingEdits().begin() + static_cast<std::ptrdiff_t>(before), config.getPendingEdits().end()};
}

}  // namespace

class LabelApplyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { buildAlignmentTables(); }
    void settersQueueTheirEditsAndApplyReachesTheFile();
    void unchangedApplyKeepsEveryValue_data();
    void unchangedApplyKeepsEveryValue();
    void failedWriteIsReported();
    void symbolIsCarriedIntactOrRefused_data();
    void symbolIsCarriedIntactOrRefused();
    void restoreDefault_data();
    void restoreDefault();
};

// Each setter queues exactly these texts; the setting keeps the new text, and one Apply
// writes everything queued.
void LabelApplyTest::settersQueueTheirEditsAndApplyReachesTheFile()
{
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;

    const std::pair<std::function<void()>, Edits> examples[] = {
        {[&] { config.setVisibility(UnitCategory::Air, true); }, {"<AirOn>...[AirOn][true]"}},
        {[&] { config.setVisibility(UnitCategory::Navy, false); }, {"<NavyOn>...[NavyOn][false]"}},
        {[&] { config.setDistance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR, 10001); },
         {"<LEVEL_FULL>.[0].<AirFormat>.[1]...[[5000]][]", "<LEVEL_FULL>.[0].<AirFormat>.[2]...[[10001]][]"}},
        {[&] { config.setDistance(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::FAR, 20001); },
         {"<LEVEL_FULL>.[0].<WeaponFormat>.[2]...[[10000]][]", "<LEVEL_FULL>.[0].<WeaponFormat>.[3]...[[20001]][]"}},
        {[&] { config.setDistance(LabelLevel::DOT, UnitCategory::Air, DistanceBand::NEAR, 63); },
         {"<LEVEL_DOT>.[0].<AirFormat>.[1]...[[31]][]", "<LEVEL_DOT>.[0].<AirFormat>.[2]...[[63]][]"}},
        {[&] { config.setDistance(LabelLevel::FULL, UnitCategory::Ground, DistanceBand::NEAR, 8000); },
         {"<LEVEL_FULL>.[0].<GroundFormat>.[1]...[[8000]][]"}},
        {[&] { config.setDistance(LabelLevel::ABBREVIATED, UnitCategory::Air, DistanceBand::EMPTY, -5); },
         {"<LEVEL_ABBREVIATED>.[0].<AirFormat>.[0]...[[-5]][]"}},
        {[&] { config.setDistance(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::DOT, 9); }, {}},
        {[&] { config.setAlignment(LabelLevel::FULL, UnitCategory::Navy, 6); },
         {"<LEVEL_FULL>.[0].<NavyFormat>.[1].[1]...[][\"CenterCenter\"]",
          "<LEVEL_FULL>.[0].<NavyFormat>.[2].[1]...[][\"CenterCenter\"]"}},
        {[&] { config.setAlignment(LabelLevel::ABBREVIATED, UnitCategory::Air, 8); },
         {"<LEVEL_ABBREVIATED>.[0].<AirFormat>.[1].[1]...[][\"RightCenter\"]",
          "<LEVEL_ABBREVIATED>.[0].<AirFormat>.[2].[1]...[][\"RightCenter\"]",
          "<LEVEL_ABBREVIATED>.[0].<AirFormat>.[3].[1]...[][\"RightCenter\"]"}},
        {[&] { config.setAlignment(LabelLevel::DOT, UnitCategory::Ground, 9); },
         {"<LEVEL_DOT>.[0].<GroundFormat>.[1].[1]...[][]", "<LEVEL_DOT>.[0].<GroundFormat>.[2].[1]...[][]"}},
        {[&] { config.setSideColour(Side::Allies, 249, 69, 38); },
         {"<ColorAliesSide>...[ColorAliesSide][{249,69,38}]"}},
        {[&] { config.setSymbolSize(13); }, {"<default_font>.[1]...[][13]"}},
        {[&] { config.setSymbol(UnitCategory::Air, SymbolRange::Near, ""); },
         {"<aircraft_symbol_near>...[aircraft_symbol_near][\"\"]"}},
    };
    for (const auto& [call, edits] : examples)
        QCOMPARE(queuedBy(config, call), edits);
    QCOMPARE(config.visibility(UnitCategory::Navy).valueText, std::string("false"));
    QCOMPARE(config.distance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR).keyText, std::string("[10001]"));
    QCOMPARE(config.alignment(LabelLevel::FULL, UnitCategory::Navy).valueText, std::string("\"CenterCenter\""));
    QCOMPARE(config.alignment(LabelLevel::DOT, UnitCategory::Ground).valueText, std::string());
    QCOMPARE(config.sideColourSetting(Side::Allies).valueText, std::string("{249,69,38}"));

    config.setSideColour(Side::Enemies, 10, 20, 30);
    QVERIFY(config.setSymbol(UnitCategory::Navy, SymbolRange::Near, "⊕"));
    config.setDistance(LabelLevel::ABBREVIATED, UnitCategory::Weapon, DistanceBand::FAR, 18002);
    config.setDistance(LabelLevel::DOT, UnitCategory::Weapon, DistanceBand::EMPTY, 15);
    QVERIFY(config.applyPendingEdits().written());

    ProfileStore freshProfile;
    const LabelConfig reread(freshProfile);
    QCOMPARE(reread.sideColour(Side::Enemies), std::optional<ColourTriple>(ColourTriple{10, 20, 30}));
    QCOMPARE(reread.visibilityOn(UnitCategory::Navy), std::optional<bool>(false));
    QCOMPARE(reread.symbolText(UnitCategory::Air, SymbolRange::Near), std::optional<std::string>(""));
    QCOMPARE(reread.symbolText(UnitCategory::Navy, SymbolRange::Near), std::optional<std::string>("⊕"));
    QCOMPARE(reread.distanceValue(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR), std::optional<int>(10001));
    QCOMPARE(reread.distanceValue(LabelLevel::ABBREVIATED, UnitCategory::Air, DistanceBand::EMPTY),
             std::optional<int>(-5));
    QCOMPARE(reread.distanceValue(LabelLevel::DOT, UnitCategory::Air, DistanceBand::NEAR), std::optional<int>(63));
    QCOMPARE(reread.distanceValue(LabelLevel::ABBREVIATED, UnitCategory::Weapon, DistanceBand::FAR),
             std::optional<int>(18002));
    QCOMPARE(reread.distanceValue(LabelLevel::DOT, UnitCategory::Weapon, DistanceBand::EMPTY), std::optional<int>(15));
    QCOMPARE(reread.alignmentIndex(LabelLevel::FULL, UnitCategory::Navy), std::optional<int>(6));
    QCOMPARE(reread.alignmentIndex(LabelLevel::DOT, UnitCategory::Ground), std::optional<int>(6));  // unknown index

    const lua::LuaDocument& written = reread.getDocument();
    QCOMPARE(written.getEntry("<LEVEL_FULL>.[0].<AirFormat>.[1]...").first, std::string("[5000]"));
    QCOMPARE(written.getEntry("<LEVEL_ABBREVIATED>.[0].<WeaponFormat>.[2]...").first, std::string("[9001]"));
    QCOMPARE(written.getEntry("<LEVEL_FULL>.[0].<NavyFormat>.[2].[1]...").second, std::string("\"CenterCenter\""));
}

void LabelApplyTest::unchangedApplyKeepsEveryValue_data()
{
    QTest::addColumn<int>("level");  // the level handed over, an index into labelsLuaLevels
    QTest::addColumn<QByteArray>("find");
    QTest::addColumn<QByteArray>("replace");
    QTest::addColumn<QString>("unreadable");  // the node path of the one setting the replacement spoils
    QTest::addColumn<int>("queued");          // 42 less the edits that setting would have queued
    for (int i = 0; i < int(labelsLuaLevels.size()); ++i)
        QTest::newRow(labelsLuaLevels[i].key) << i << QByteArray() << QByteArray() << QString() << 42;
    const QByteArray size = "\", 13, 0";
    const QByteArray allies = "{249, 69 , 38}";
    const QString alliesPath = QStringLiteral("<ColorAliesSide>...");
    // clang-format off
    QTest::newRow("visibility line missing")
        << 0 << QByteArray("AirOn\t\t\t \t\t= true\r\n") << QByteArray() << QStringLiteral("<AirOn>...") << 41;
    QTest::newRow("size not a whole number")
        << 0 << size << QByteArray("\", 13.5, 0") << QStringLiteral("<default_font>.[1]...") << 41;
    QTest::newRow("size beyond 32 bits")
        << 0 << size << QByteArray("\", 99999999999, 0") << QStringLiteral("<default_font>.[1]...") << 41;
    QTest::newRow("colour of two components") << 0 << allies << QByteArray("{249, 69}") << alliesPath << 41;
    QTest::newRow("colour of four components") << 0 << allies << QByteArray("{249, 69, 38, 255}") << alliesPath << 41;
    QTest::newRow("colour component above 255") << 0 << allies << QByteArray("{249, 69 , 380}") << alliesPath << 41;
    QTest::newRow("symbol not a string") << 0 << QByteArray("navy_symbol_far       = \"\xCB\x9C\"")
                                         << QByteArray("navy_symbol_far       = navy_symbol_near")
                                         << QStringLiteral("<navy_symbol_far>...") << 41;
    QTest::newRow("distance key not a number")
        << 2 << QByteArray("[3000]\t= {ground_symbol_near") << QByteArray("[NEAR]\t= {ground_symbol_near")
        << QStringLiteral("<LEVEL_DOT>.[0].<GroundFormat> .[1]...") << 41;
    QTest::newRow("alignment not a string")
        << 0 << QByteArray("[20000]\t= {aircraft_symbol_far ..DISTANCE\t\t\t\t, \"LeftBottom\"")
        << QByteArray("[20000]\t= {aircraft_symbol_far ..DISTANCE\t\t\t\t, LeftBottom")
        << QStringLiteral("<LEVEL_FULL>.[0].<AirFormat>.[3].[1]...") << 39;
    // clang-format on
}

// An Apply of what was loaded rewrites only the statements it touches, keeps every value
// and the CR LF line ends, and a second one writes the same bytes. A value the model
// cannot read goes over as its control's default: it must not reach the file, and Apply
// names it.
void LabelApplyTest::unchangedApplyKeepsEveryValue()
{
    QFETCH(int, level);
    QFETCH(QByteArray, find);
    QFETCH(QByteArray, replace);
    QFETCH(QString, unreadable);
    QFETCH(int, queued);
    const LevelValues& values = labelsLuaLevels[static_cast<std::size_t>(level)];
    LoadedModel model(QStringLiteral("Labels.lua"), find, replace);
    QVERIFY(model.ready);
    QVERIFY(model.workspace.write("original.lua", model.workspace.read(labelPath)));
    LabelConfig& config = *model.config;

    const std::vector<const LabelSetting*> unreadableSettings = config.unreadableSettings();
    QCOMPARE(unreadableSettings.size(), std::size_t(unreadable.isEmpty() ? 0 : 1));
    for (const LabelSetting* setting : unreadableSettings) {
        QCOMPARE(QString::fromStdString(setting->nodePath), unreadable);
        QVERIFY(!config.isReadable(*setting));
    }
    const QStringList before = readings(config);
    QCOMPARE(before.count(noValue), int(unreadableSettings.size()));

    handOverUnchanged(config, values.level);
    QCOMPARE(config.getPendingEdits().size(), std::size_t(queued));
    if (unreadableSettings.empty())
        QCOMPARE(config.getPendingEdits(), unchangedEdits(values));
    const ApplyOutcome outcome = config.applyPendingEdits();
    QVERIFY(outcome.written());
    QCOMPARE(outcome.notSaved, unreadableSettings);
    QVERIFY(config.getPendingEdits().empty());

    const QByteArray afterFirst = model.workspace.read(labelPath);
    QCOMPARE(afterFirst.count("\n"), afterFirst.count("\r\n"));
    QVERIFY(afterFirst.contains("\r\nWeaponOn = true\r\n"));  // the statements were rewritten
    std::set<std::string> touched = generalStatements;
    touched.insert({"default_font", values.key});
    QCOMPARE(canonical(model.workspace.labelFile(), touched), canonical(model.workspace.path("original.lua"), touched));
    QCOMPARE(readingsOfTheFile(), before);
    QCOMPARE(readings(config), before);

    handOverUnchanged(config, values.level);
    QVERIFY(config.applyPendingEdits().written());
    QCOMPARE(model.workspace.read(labelPath), afterFirst);
}

void LabelApplyTest::failedWriteIsReported()
{
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;
    QVERIFY(QDir(model.workspace.path("home/Config")).removeRecursively());

    config.setVisibility(UnitCategory::Air, false);
    const ApplyOutcome outcome = config.applyPendingEdits();
    QCOMPARE(outcome.write.failure, ModelFailure::NotWritten);
    QCOMPARE(outcome.write.writeFailure, lua::WriteFailure::FolderMissing);
    QVERIFY(config.getPendingEdits().empty());
    QVERIFY(config.getDocument().text().find("\nAirOn = false\n") != std::string::npos);

    // The text in memory survives, so a later Apply can still save it.
    QVERIFY(QDir().mkpath(model.workspace.path("home/Config/View")));
    QVERIFY(config.applyPendingEdits().written());
    QVERIFY(model.workspace.read(labelPath).contains("\r\nAirOn = false\r\n"));
}

void LabelApplyTest::symbolIsCarriedIntactOrRefused_data()
{
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<TextProblem>("problem");  // None: accepted
    // clang-format off
    QTest::newRow("several characters") << QByteArray("·%N") << TextProblem::None;
    QTest::newRow("block word inside a word") << QByteArray("forward") << TextProblem::None;
    QTest::newRow("local") << QByteArray("local") << TextProblem::None;
    QTest::newRow("closed parentheses") << QByteArray("(x)") << TextProblem::None;
    QTest::newRow("lone closing bracket") << QByteArray("a)") << TextProblem::None;
    QTest::newRow("single hyphen") << QByteArray("-") << TextProblem::None;
    QTest::newRow("path terminator and equals sign") << QByteArray("...=") << TextProblem::None;
    // Written as a Lua string, with " and \ escaped, a symbol is text to the engine too.
    QTest::newRow("square bracket") << QByteArray("a]") << TextProblem::None;
    QTest::newRow("unpaired bracket and codes") << QByteArray("[%N%n%D") << TextProblem::None;
    QTest::newRow("double quote") << QByteArray("\"") << TextProblem::None;
    QTest::newRow("backslash") << QByteArray("\\") << TextProblem::None;
    QTest::newRow("escaped quote's look") << QByteArray("a\\\"b'") << TextProblem::None;
    QTest::newRow("two hyphens") << QByteArray("--") << TextProblem::None;
    QTest::newRow("for") << QByteArray("for") << TextProblem::None;
    QTest::newRow("if after a blank") << QByteArray("◯ if") << TextProblem::None;
    QTest::newRow("unclosed parenthesis") << QByteArray("(") << TextProblem::None;
    QTest::newRow("unclosed angle bracket") << QByteArray("<") << TextProblem::None;
    QTest::newRow("line break") << QByteArray("a\nb") << TextProblem::LineBreak;
    QTest::newRow("tab") << QByteArray("\t˄") << TextProblem::ControlCharacter;
    QTest::newRow("delete") << QByteArray("a\x7f") << TextProblem::ControlCharacter;
    // clang-format on
}

// A symbol reaches the file so that it reads back exactly, or it is refused with a
// reason and nothing is queued.
void LabelApplyTest::symbolIsCarriedIntactOrRefused()
{
    QFETCH(QByteArray, symbol);
    QFETCH(TextProblem, problem);
    const bool accepted = problem == TextProblem::None;
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;
    const std::string text = symbol.toStdString();

    QCOMPARE(LabelConfig::symbolRefusal(text).problem, problem);
    QCOMPARE(config.setSymbol(UnitCategory::Air, SymbolRange::Near, text), accepted);
    if (!accepted) {
        QVERIFY(config.getPendingEdits().empty());
        QCOMPARE(config.symbol(UnitCategory::Air, SymbolRange::Near).valueText, std::string("\"˄\""));
        return;
    }
    handOverUnchanged(config, LabelLevel::FULL);
    QVERIFY(config.applyPendingEdits().written());
    ProfileStore freshProfile;
    const LabelConfig reread(freshProfile);
    QCOMPARE(reread.symbolText(UnitCategory::Air, SymbolRange::Near), std::optional<std::string>(text));
    QCOMPARE(reread.symbolText(UnitCategory::Air, SymbolRange::Far), std::optional<std::string>("✈"));
    QVERIFY(reread.unreadableSettings().empty());
}

void LabelApplyTest::restoreDefault_data()
{
    QTest::addColumn<QString>("factory");
    // clang-format off
    QTest::newRow("factory copy") << QStringLiteral("copy");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("empty") << QStringLiteral("empty");
    QTest::newRow("a folder") << QStringLiteral("folder");
    // clang-format on
}

// Labels.lua is replaced and reloaded only from a factory copy that holds something.
void LabelApplyTest::restoreDefault()
{
    QFETCH(QString, factory);
    LoadedModel model(QStringLiteral("Labels-older-layout.lua"));
    QVERIFY(model.ready);
    if (factory == "copy")
        QVERIFY(model.workspace.installDefault());
    if (factory == "empty")
        QVERIFY(model.workspace.installDefault(QByteArray()));
    if (factory == "folder")
        QVERIFY(QDir().mkpath(model.workspace.path("data/default.lua")));
    LabelConfig& config = *model.config;
    config.setVisibility(UnitCategory::Air, false);
    const QByteArray labels = model.workspace.read(labelPath);
    const QStringList before = readings(config);

    const ModelOutcome outcome = config.restoreDefault();
    if (factory != "copy") {
        QCOMPARE(outcome.failure, ModelFailure::FactoryCopyUnreadable);
        QCOMPARE(model.workspace.read(labelPath), labels);
        QCOMPARE(readings(config), before);
        return;
    }
    QVERIFY(outcome);
    QCOMPARE(model.workspace.read(labelPath), ModelWorkspace::fixture("factory-default.lua"));
    QVERIFY(config.unreadableSettings().empty());
    QCOMPARE(config.visibilityOn(UnitCategory::Air), std::optional<bool>(true));
    QCOMPARE(config.symbolText(UnitCategory::Air, SymbolRange::Far), std::optional<std::string>("˄"));
    QCOMPARE(config.symbolSizeValue(), std::optional<int>(13));
    QCOMPARE(config.alignmentIndex(LabelLevel::DOT, UnitCategory::Weapon), std::optional<int>(2));
    QCOMPARE(config.distanceValue(LabelLevel::ABBREVIATED, UnitCategory::Navy, DistanceBand::FAR),
             std::optional<int>(20000));
}

QTEST_GUILESS_MAIN(LabelApplyTest)
#include "tst_label_apply.moc"
