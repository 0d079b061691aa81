// Opening Labels.lua: every catalogue setting receives its texts, the readers
// interpret them, and what cannot be read is reported instead of crashing.
#include <QtTest>

#include <functional>
#include <set>

#include "FixtureValues.h"
#include "LabelConfig.h"
#include "ModelWorkspace.h"

namespace {

const char* levelKey(LabelLevel level)
{
    switch (level) {
    case LabelLevel::FULL: return "LEVEL_FULL";
    case LabelLevel::ABBREVIATED: return "LEVEL_ABBREVIATED";
    case LabelLevel::DOT: return "LEVEL_DOT";
    }
    return "";
}

struct SymbolRow {
    UnitCategory category;
    SymbolRange range;
    const char* key;
    const char* value;
};

const SymbolRow symbolRows[] = {
    {UnitCategory::Air, SymbolRange::Near, "aircraft_symbol_near", "\"˄\""},
    {UnitCategory::Air, SymbolRange::Far, "aircraft_symbol_far", "\"✈\""},
    {UnitCategory::Ground, SymbolRange::Near, "ground_symbol_near", "\"ˉ\""},
    {UnitCategory::Ground, SymbolRange::Far, "ground_symbol_far", "\"ˉ\""},
    {UnitCategory::Navy, SymbolRange::Near, "navy_symbol_near", "\"˜\""},
    {UnitCategory::Navy, SymbolRange::Far, "navy_symbol_far", "\"˜\""},
    {UnitCategory::Weapon, SymbolRange::Near, "weapon_symbol_near", "\"ˈ\""},
    {UnitCategory::Weapon, SymbolRange::Far, "weapon_symbol_far", "\"ˈ\""},
};

const char* visibilityKeys[] = {"AirOn", "GroundOn", "NavyOn", "WeaponOn"};

bool isLevelSetting(const LabelSetting* setting)
{
    return setting->group == SettingGroup::Alignment || setting->group == SettingGroup::Distance;
}

}  // namespace

class LabelLoadingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everySettingReceivesItsTexts();
    void gettersNameTheirCatalogueEntries();
    void olderLayoutOpensWithWhatItCanRead();
    void unreadableValueIsReportedAndNeverWritten_data();
    void unreadableValueIsReportedAndNeverWritten();
    void missingLabelFileLeavesTheModelEmpty();
    void folderAtTheLabelFilePlaceCounts();
    void trailingSeparatorGivesTheSamePath();
    void emptyWorkDirectoryMeansTheCurrentDirectory();
    void unanswerableExistenceTestThrows();
    void changeToFolderWithoutLabelFileKeepsSettings();
    void reloadDiscardsUnappliedTexts();
};

void LabelLoadingTest::initTestCase()
{
    buildAlignmentTables();
}

void LabelLoadingTest::everySettingReceivesItsTexts()
{
    const LoadedModel model;
    QVERIFY(model.ready);
    const LabelConfig& config = *model.config;

    QCOMPARE(fromPath(config.getLabelFilePath()), model.workspace.labelFile());
    QCOMPARE(config.getLoadList().size(), std::size_t(72));
    QVERIFY(config.unreadableSettings().empty());

    for (std::size_t i = 0; i < allCategories.size(); ++i) {
        const LabelSetting& visibility = config.visibility(allCategories[i]);
        QCOMPARE(visibility.keyText, std::string(visibilityKeys[i]));
        QCOMPARE(visibility.valueText, std::string("true"));
        QCOMPARE(config.visibilityOn(allCategories[i]), std::optional<bool>(true));
    }
    for (const SymbolRow& row : symbolRows) {
        const LabelSetting& symbol = config.symbol(row.category, row.range);
        QCOMPARE(symbol.keyText, std::string(row.key));
        QCOMPARE(symbol.valueText, std::string(row.value));
        QCOMPARE(config.symbolText(row.category, row.range), std::optional<std::string>(symbol.valueText.substr(1, symbol.valueText.size() - 2)));
    }
    QCOMPARE(config.symbolSize().keyText, std::string());
    QCOMPARE(config.symbolSize().valueText, std::string("13"));
    QCOMPARE(config.symbolSizeValue(), std::optional<int>(13));
    QCOMPARE(config.sideColourSetting(Side::Enemies).keyText, std::string("ColorEnemiesSide"));
    QCOMPARE(config.sideColourSetting(Side::Enemies).valueText, std::string("{0,\t82 ,199}"));
    QCOMPARE(config.sideColourSetting(Side::Allies).keyText, std::string("ColorAliesSide"));
    QCOMPARE(config.sideColourSetting(Side::Allies).valueText, std::string("{249, 69 , 38}"));
    QCOMPARE(config.sideColour(Side::Enemies), std::optional<ColourTriple>(ColourTriple{0, 82, 199}));
    QCOMPARE(config.sideColour(Side::Allies), std::optional<ColourTriple>(ColourTriple{249, 69, 38}));

    for (const LevelValues& values : labelsLuaLevels) {
        for (std::size_t c = 0; c < allCategories.size(); ++c) {
            const UnitCategory category = allCategories[c];
            const LabelSetting& alignment = config.alignment(values.level, category);
            QCOMPARE(alignment.keyText, std::string());
            QCOMPARE(alignment.valueText, "\"" + std::string(values.alignment) + "\"");
            QCOMPARE(config.alignmentIndex(values.level, category), std::optional<int>(values.alignmentIndex));
            for (std::size_t b = 0; b < allBands.size(); ++b) {
                if (!hasBand(category, allBands[b]))
                    continue;
                const int expected = values.distances[c][b];
                const LabelSetting& distance = config.distance(values.level, category, allBands[b]);
                QCOMPARE(distance.keyText, "[" + std::to_string(expected) + "]");
                QCOMPARE(config.distanceValue(values.level, category, allBands[b]), std::optional<int>(expected));
                if (allBands[b] == DistanceBand::EMPTY)
                    QCOMPARE(distance.valueText, std::string("EMPTY"));
                else if (allBands[b] != DistanceBand::DOT || category == UnitCategory::Weapon)
                    QVERIFY(distance.valueText.find(values.alignment) != std::string::npos);
            }
        }
    }
    QCOMPARE(config.distance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR).valueText,
             std::string("{aircraft_symbol_near..DISTANCE_NAME\t\t\t, \"LeftBottom\"\t,0.75\t, 0.5\t, -3\t, 0}"));
    QCOMPARE(config.distance(LabelLevel::DOT, UnitCategory::Air, DistanceBand::DOT).valueText,
             std::string("dot_symbol(0,0.1)"));
    QCOMPARE(config.distance(LabelLevel::ABBREVIATED, UnitCategory::Ground, DistanceBand::DOT).valueText,
             std::string("dot_symbol(0.75, 0.1)"));
    QVERIFY(!config.distanceValue(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::DOT));
}

void LabelLoadingTest::gettersNameTheirCatalogueEntries()
{
    ModelWorkspace workspace;
    ProfileStore profile;
    const LabelConfig config(profile);

    QCOMPARE(config.visibility(UnitCategory::Navy).nodePath, std::string("<NavyOn>..."));
    QCOMPARE(config.symbol(UnitCategory::Weapon, SymbolRange::Far).nodePath, std::string("<weapon_symbol_far>..."));
    QCOMPARE(config.symbolSize().nodePath, std::string("<default_font>.[1]..."));
    QCOMPARE(config.sideColourSetting(Side::Allies).nodePath, std::string("<ColorAliesSide>..."));
    QCOMPARE(config.alignment(LabelLevel::FULL, UnitCategory::Air).nodePath,
             std::string("<LEVEL_FULL>.[0].<AirFormat>.[3].[1]..."));
    QCOMPARE(config.alignment(LabelLevel::DOT, UnitCategory::Weapon).nodePath,
             std::string("<LEVEL_DOT>.[0].<WeaponFormat>.[2].[1]..."));
    QCOMPARE(config.distance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR).nodePath,
             std::string("<LEVEL_FULL>.[0].<AirFormat> .[2]..."));
    QCOMPARE(config.distance(LabelLevel::ABBREVIATED, UnitCategory::Weapon, DistanceBand::FAR).nodePath,
             std::string("<LEVEL_ABBREVIATED>.[0].<WeaponFormat> .[3]..."));
    QCOMPARE(config.distance(LabelLevel::DOT, UnitCategory::Navy, DistanceBand::DOT).nodePath,
             std::string("<LEVEL_DOT>.[0].<NavyFormat> .[3]..."));

    std::set<std::string> paths;
    for (const LevelValues& values : labelsLuaLevels) {
        for (UnitCategory category : allCategories) {
            const LabelSetting& alignment = config.alignment(values.level, category);
            QVERIFY(alignment.group == SettingGroup::Alignment && alignment.level == values.level
                    && alignment.category == category);
            QVERIFY(alignment.nodePath.rfind(std::string("<") + levelKey(values.level) + ">", 0) == 0);
            for (DistanceBand band : allBands) {
                if (!hasBand(category, band))
                    continue;
                const LabelSetting& distance = config.distance(values.level, category, band);
                QVERIFY(distance.group == SettingGroup::Distance && distance.level == values.level
                        && distance.category == category && distance.band == band);
                paths.insert(distance.nodePath);
            }
        }
    }
    QCOMPARE(paths.size(), std::size_t(45));  // 15 distances per level, no two alike
    QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                             config.distance(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::DOT));
}

void LabelLoadingTest::olderLayoutOpensWithWhatItCanRead()
{
    const LoadedModel model(QStringLiteral("Labels-older-layout.lua"));
    QVERIFY(model.ready);
    const LabelConfig& config = *model.config;

    const std::vector<const LabelSetting*> unreadable = config.unreadableSettings();
    QCOMPARE(unreadable.size(), std::size_t(58));
    for (const LabelSetting* setting : unreadable) {
        QVERIFY(isLevelSetting(setting) || setting == &config.symbolSize());
        QVERIFY(!config.isReadable(*setting));
        QVERIFY(setting->keyText.empty() && setting->valueText.empty());
    }
    QVERIFY(!config.symbolSizeValue());
    for (const LevelValues& values : labelsLuaLevels) {
        for (UnitCategory category : allCategories) {
            QVERIFY(!config.alignmentIndex(values.level, category));
            for (DistanceBand band : allBands)
                QVERIFY(!config.distanceValue(values.level, category, band));
        }
    }
    for (UnitCategory category : allCategories)
        QCOMPARE(config.visibilityOn(category), std::optional<bool>(true));
    QCOMPARE(config.symbolText(UnitCategory::Air, SymbolRange::Far), std::optional<std::string>("✈"));
    QCOMPARE(config.sideColour(Side::Enemies), std::optional<ColourTriple>(ColourTriple{0, 82, 199}));
}

void LabelLoadingTest::unreadableValueIsReportedAndNeverWritten_data()
{
    QTest::addColumn<QByteArray>("find");
    QTest::addColumn<QByteArray>("replace");
    QTest::addColumn<int>("which");
    enum { visibility, size, allies, navyFar, dotGroundNear, fullAirAlignment };
    QTest::newRow("visibility line missing")
        << QByteArray("AirOn\t\t\t \t\t= true\r\n") << QByteArray() << int(visibility);
    QTest::newRow("size not a whole number") << QByteArray("\", 13, 0") << QByteArray("\", 13.5, 0") << int(size);
    QTest::newRow("size beyond 32 bits") << QByteArray("\", 13, 0") << QByteArray("\", 99999999999, 0") << int(size);
    QTest::newRow("colour of two components")
        << QByteArray("{249, 69 , 38}") << QByteArray("{249, 69}") << int(allies);
    QTest::newRow("colour of four components")
        << QByteArray("{249, 69 , 38}") << QByteArray("{249, 69, 38, 255}") << int(allies);
    QTest::newRow("colour component above 255")
        << QByteArray("{249, 69 , 38}") << QByteArray("{249, 69 , 380}") << int(allies);
    QTest::newRow("symbol of one character")
        << QByteArray("navy_symbol_far       = \"\xCB\x9C\"") << QByteArray("navy_symbol_far       = X")
        << int(navyFar);
    QTest::newRow("symbol not a string")
        << QByteArray("navy_symbol_far       = \"\xCB\x9C\"") << QByteArray("navy_symbol_far       = navy_symbol_near")
        << int(navyFar);
    QTest::newRow("distance key not a number")
        << QByteArray("[3000]\t= {ground_symbol_near") << QByteArray("[NEAR]\t= {ground_symbol_near")
        << int(dotGroundNear);
    QTest::newRow("distance key beyond 32 bits")
        << QByteArray("[3000]\t= {ground_symbol_near") << QByteArray("[3000000000]\t= {ground_symbol_near")
        << int(dotGroundNear);
    QTest::newRow("alignment not a string")
        << QByteArray("[20000]\t= {aircraft_symbol_far ..DISTANCE\t\t\t\t, \"LeftBottom\"")
        << QByteArray("[20000]\t= {aircraft_symbol_far ..DISTANCE\t\t\t\t, LeftBottom") << int(fullAirAlignment);
}

void LabelLoadingTest::unreadableValueIsReportedAndNeverWritten()
{
    QFETCH(QByteArray, find);
    QFETCH(QByteArray, replace);
    QFETCH(int, which);
    LoadedModel model(QStringLiteral("Labels.lua"), find, replace);
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;

    // Each case: the setting, whether its reader gives a value, and the setter the window would call.
    struct Case {
        const LabelSetting& setting;
        std::function<bool()> readable;
        std::function<void()> set;
    };
    const Case cases[] = {
        {config.visibility(UnitCategory::Air), [&] { return config.visibilityOn(UnitCategory::Air).has_value(); },
         [&] { config.setVisibility(UnitCategory::Air, false); }},
        {config.symbolSize(), [&] { return config.symbolSizeValue().has_value(); }, [&] { config.setSymbolSize(12); }},
        {config.sideColourSetting(Side::Allies), [&] { return config.sideColour(Side::Allies).has_value(); },
         [&] { config.setSideColour(Side::Allies, 1, 2, 3); }},
        {config.symbol(UnitCategory::Navy, SymbolRange::Far),
         [&] { return config.symbolText(UnitCategory::Navy, SymbolRange::Far).has_value(); },
         [&] { QVERIFY(config.setSymbol(UnitCategory::Navy, SymbolRange::Far, "✈")); }},
        {config.distance(LabelLevel::DOT, UnitCategory::Ground, DistanceBand::NEAR),
         [&] { return config.distanceValue(LabelLevel::DOT, UnitCategory::Ground, DistanceBand::NEAR).has_value(); },
         [&] { config.setDistance(LabelLevel::DOT, UnitCategory::Ground, DistanceBand::NEAR, 2500); }},
        {config.alignment(LabelLevel::FULL, UnitCategory::Air),
         [&] { return config.alignmentIndex(LabelLevel::FULL, UnitCategory::Air).has_value(); },
         [&] { config.setAlignment(LabelLevel::FULL, UnitCategory::Air, 3); }},
    };
    const Case& tested = cases[which];

    QVERIFY(!tested.readable());
    QVERIFY(!config.isReadable(tested.setting));
    QCOMPARE(config.unreadableSettings(), std::vector<const LabelSetting*>{&tested.setting});
    const LabelSetting before = tested.setting;

    tested.set();
    config.setVisibility(UnitCategory::Weapon, true);  // a readable one still goes through
    QCOMPARE(config.getPendingEdits().size(), std::size_t(1));
    QCOMPARE(tested.setting.keyText, before.keyText);
    QCOMPARE(tested.setting.valueText, before.valueText);

    const QByteArray file = model.workspace.read("home/Config/View/Labels.lua");
    const ApplyOutcome outcome = config.applyPendingEdits();
    QVERIFY(outcome.written);
    QCOMPARE(outcome.notSaved, std::vector<const LabelSetting*>{&tested.setting});
    QByteArray expected = file;
    expected.replace("WeaponOn \t\t \t\t= true", "WeaponOn = true");
    QCOMPARE(model.workspace.read("home/Config/View/Labels.lua"), expected);
}

void LabelLoadingTest::missingLabelFileLeavesTheModelEmpty()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.writeHomeProfile());
    ProfileStore profile;
    QVERIFY(!labelFileExists(profile));
    LabelConfig config(profile);

    QVERIFY(config.getLabelFilePath().empty());
    QVERIFY(config.getLoadList().empty());
    QCOMPARE(config.unreadableSettings().size(), std::size_t(72));
    QVERIFY(config.visibility(UnitCategory::Air).valueText.empty());
    QVERIFY(!config.sideColour(Side::Enemies));

    config.setVisibility(UnitCategory::Air, true);
    const ApplyOutcome outcome = config.applyPendingEdits();
    QVERIFY(!outcome.written);
    QVERIFY(!outcome.reason.empty());
    QCOMPARE(outcome.notSaved.size(), std::size_t(1));
    QVERIFY(!QFileInfo::exists(workspace.labelFile()));
    QVERIFY(!config.restoreDefault().written);
}

void LabelLoadingTest::folderAtTheLabelFilePlaceCounts()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.writeHomeProfile());
    QVERIFY(QDir().mkpath(workspace.labelFile()));
    ProfileStore profile;
    QVERIFY(labelFileExists(profile));
    LabelConfig config(profile);

    QCOMPARE(fromPath(config.getLabelFilePath()), workspace.labelFile());
    QCOMPARE(config.getLoadList().size(), std::size_t(72));
    for (const LabelSetting* setting : config.getLoadList())
        QVERIFY(setting->keyText.empty() && setting->valueText.empty());
    config.setVisibility(UnitCategory::Air, true);
    QVERIFY(!config.applyPendingEdits().written);
    QVERIFY(QFileInfo(workspace.labelFile()).isDir());
}

void LabelLoadingTest::trailingSeparatorGivesTheSamePath()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.installLabels("Labels.lua"));
    ProfileStore profile;
    LabelConfig config(profile);

    config.changeWorkDirectory(workspace.home());
    const std::filesystem::path plain = config.getLabelFilePath();
    config.changeWorkDirectory(workspace.home() / "");
    QCOMPARE(config.getLabelFilePath(), plain);
    QCOMPARE(fromPath(plain), workspace.labelFile());
}

void LabelLoadingTest::emptyWorkDirectoryMeansTheCurrentDirectory()
{
    ModelWorkspace workspace;
    ProfileStore profile;
    QVERIFY(!labelFileExists(profile));
    QVERIFY(workspace.write("Config/View/Labels.lua", ModelWorkspace::fixture("Labels.lua")));
    QVERIFY(labelFileExists(profile));
    const LabelConfig config(profile);
    QCOMPARE(config.symbolSizeValue(), std::optional<int>(13));
}

void LabelLoadingTest::unanswerableExistenceTestThrows()
{
#ifdef Q_OS_WIN
    QSKIP("needs a symbolic link loop");
#else
    ModelWorkspace workspace;
    QVERIFY(workspace.writeHomeProfile());
    QVERIFY(QDir().mkpath(workspace.path("home/Config/View")));
    QVERIFY(QFile::link("Labels.lua", workspace.labelFile()));  // a link to itself
    ProfileStore profile;
    QVERIFY_THROWS_EXCEPTION(std::filesystem::filesystem_error, labelFileExists(profile));
    QVERIFY_THROWS_EXCEPTION(std::filesystem::filesystem_error, LabelConfig config(profile));
#endif
}

void LabelLoadingTest::changeToFolderWithoutLabelFileKeepsSettings()
{
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;

    const std::filesystem::path elsewhere = toPath(model.workspace.path("elsewhere"));
    config.changeWorkDirectory(elsewhere);
    QVERIFY(config.lastProfileWrite().written);
    QCOMPARE(ProfileStore().getWorkDirectory(), elsewhere);
    QVERIFY(!labelFileExists(*model.profile));
    QCOMPARE(fromPath(config.getLabelFilePath()), model.workspace.labelFile());
    QCOMPARE(config.symbolSizeValue(), std::optional<int>(13));
    QVERIFY(config.unreadableSettings().empty());
}

void LabelLoadingTest::reloadDiscardsUnappliedTexts()
{
    LoadedModel model;
    QVERIFY(model.ready);
    LabelConfig& config = *model.config;

    config.setVisibility(UnitCategory::Air, false);
    config.setDistance(LabelLevel::FULL, UnitCategory::Ground, DistanceBand::NEAR, 8000);
    QCOMPARE(config.visibilityOn(UnitCategory::Air), std::optional<bool>(false));
    config.load();
    QCOMPARE(config.visibilityOn(UnitCategory::Air), std::optional<bool>(true));
    QCOMPARE(config.distance(LabelLevel::FULL, UnitCategory::Ground, DistanceBand::NEAR).keyText,
             std::string("[5000]"));
    QCOMPARE(config.getPendingEdits().size(), std::size_t(2));
}

QTEST_GUILESS_MAIN(LabelLoadingTest)
#include "tst_label_loading.moc"
