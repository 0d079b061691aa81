// Opening Labels.lua: every catalogue setting receives its texts and the readers
// interpret them; a missing file, a folder in its place or a file system that cannot
// answer are handled without crashing.
#include <QtTest>

#include <set>

#include "FixtureValues.h"
#include "ModelWorkspace.h"
#include "model/LabelConfig.h"

class LabelLoadingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { buildAlignmentTables(); }
    void everySettingReceivesItsTexts();
    void missingLabelFileLeavesTheModelEmpty();
    void folderAtTheLabelFilePlaceCounts();
    void unanswerableExistenceTestThrows();
    void workDirectoryLocatesTheLabelFile();
    void reloadDiscardsUnappliedTexts();
};

void LabelLoadingTest::everySettingReceivesItsTexts()
{
    const LoadedModel model;
    QVERIFY(model.ready);
    const LabelConfig& config = *model.config;

    QCOMPARE(QDir::fromNativeSeparators(fromPath(config.getLabelFilePath())), model.workspace.labelFile());
    QCOMPARE(config.getLoadList().size(), std::size_t(72));
    QVERIFY(config.unreadableSettings().empty());

    for (std::size_t c = 0; c < allCategories.size(); ++c) {
        const CategoryTexts& texts = categoryTexts[c];
        QCOMPARE(config.visibility(allCategories[c]).keyText, std::string(texts.visibilityKey));
        QCOMPARE(config.visibility(allCategories[c]).valueText, std::string("true"));
        QCOMPARE(config.visibilityOn(allCategories[c]), std::optional<bool>(true));
        for (SymbolRange range : {SymbolRange::Near, SymbolRange::Far}) {
            const std::string symbol = texts.symbols[int(range)];
            QCOMPARE(config.symbol(allCategories[c], range).keyText, std::string(texts.symbolKeys[int(range)]));
            QCOMPARE(config.symbol(allCategories[c], range).valueText, "\"" + symbol + "\"");
            QCOMPARE(config.symbolText(allCategories[c], range), std::optional<std::string>(symbol));
        }
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

    // Each level setting names its place, so a message can name it; no two share one.
    std::set<std::string> paths;
    for (const LevelValues& values : labelsLuaLevels) {
        for (std::size_t c = 0; c < allCategories.size(); ++c) {
            const UnitCategory category = allCategories[c];
            const std::string place = "<" + std::string(values.key) + ">.[0].<" + categoryTexts[c].formatKey + ">";
            const LabelSetting& alignment = config.alignment(values.level, category);
            QVERIFY(alignment.group == SettingGroup::Alignment && alignment.level == values.level
                    && alignment.category == category);
            QVERIFY(alignment.nodePath.rfind(place, 0) == 0);
            paths.insert(alignment.nodePath);
            QCOMPARE(alignment.keyText, std::string());
            QCOMPARE(alignment.valueText, "\"" + std::string(values.alignment) + "\"");
            QCOMPARE(config.alignmentIndex(values.level, category), std::optional<int>(values.alignmentIndex));
            for (std::size_t b = 0; b < allBands.size(); ++b) {
                if (!hasBand(category, allBands[b]))
                    continue;
                const int expected = values.distances[c][b];
                const LabelSetting& distance = config.distance(values.level, category, allBands[b]);
                QVERIFY(distance.group == SettingGroup::Distance && distance.level == values.level
                        && distance.category == category && distance.band == allBands[b]);
                QVERIFY(distance.nodePath.rfind(place, 0) == 0);
                paths.insert(distance.nodePath);
                QCOMPARE(distance.keyText, "[" + std::to_string(expected) + "]");
                QCOMPARE(config.distanceValue(values.level, category, allBands[b]), std::optional<int>(expected));
                if (allBands[b] == DistanceBand::EMPTY)
                    QCOMPARE(distance.valueText, std::string("EMPTY"));
                else if (allBands[b] != DistanceBand::DOT || category == UnitCategory::Weapon)
                    QVERIFY(distance.valueText.find(values.alignment) != std::string::npos);
            }
        }
    }
    QCOMPARE(paths.size(), std::size_t(57));
    QCOMPARE(config.distance(LabelLevel::FULL, UnitCategory::Air, DistanceBand::NEAR).valueText,
             std::string("{aircraft_symbol_near..DISTANCE_NAME\t\t\t, \"LeftBottom\"\t,0.75\t, 0.5\t, -3\t, 0}"));
    QCOMPARE(config.distance(LabelLevel::DOT, UnitCategory::Air, DistanceBand::DOT).valueText,
             std::string("dot_symbol(0,0.1)"));
    QCOMPARE(config.distance(LabelLevel::ABBREVIATED, UnitCategory::Ground, DistanceBand::DOT).valueText,
             std::string("dot_symbol(0.75, 0.1)"));
    QVERIFY(!config.distanceValue(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::DOT));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                             config.distance(LabelLevel::FULL, UnitCategory::Weapon, DistanceBand::DOT));
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
    QCOMPARE(outcome.write.failure, ModelFailure::LabelFileNotRead);
    QCOMPARE(outcome.notSaved.size(), std::size_t(1));
    QVERIFY(!QFileInfo::exists(workspace.labelFile()));
    QCOMPARE(config.restoreDefault().failure, ModelFailure::NoLabelFile);
}

void LabelLoadingTest::folderAtTheLabelFilePlaceCounts()
{
    ModelWorkspace workspace;
    QVERIFY(workspace.writeHomeProfile());
    QVERIFY(QDir().mkpath(workspace.labelFile()));
    ProfileStore profile;
    QVERIFY(labelFileExists(profile));
    LabelConfig config(profile);

    QCOMPARE(QDir::fromNativeSeparators(fromPath(config.getLabelFilePath())), workspace.labelFile());
    QCOMPARE(config.getLoadList().size(), std::size_t(72));
    for (const LabelSetting* setting : config.getLoadList())
        QVERIFY(setting->keyText.empty() && setting->valueText.empty());
    config.setVisibility(UnitCategory::Air, true);
    QCOMPARE(config.applyPendingEdits().write.failure, ModelFailure::LabelFileNotRead);
    QVERIFY(QFileInfo(workspace.labelFile()).isDir());
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

void LabelLoadingTest::workDirectoryLocatesTheLabelFile()
{
    ModelWorkspace workspace;
    ProfileStore profile;  // no profile: the current directory
    QVERIFY(!labelFileExists(profile));
    QVERIFY(workspace.write("Config/View/Labels.lua", ModelWorkspace::fixture("Labels.lua")));
    QVERIFY(labelFileExists(profile));
    LabelConfig config(profile);
    QCOMPARE(config.symbolSizeValue(), std::optional<int>(13));

    QVERIFY(workspace.installLabels("Labels.lua"));
    QVERIFY(config.changeWorkDirectory(workspace.home() / ""));  // a trailing separator
    QCOMPARE(QDir::fromNativeSeparators(fromPath(config.getLabelFilePath())), workspace.labelFile());

    // A folder without a label file is remembered, but the settings stay those of the last file.
    const std::filesystem::path elsewhere = toPath(workspace.path("elsewhere"));
    QVERIFY(config.changeWorkDirectory(elsewhere));
    QCOMPARE(ProfileStore().getWorkDirectory(), elsewhere);
    QVERIFY(!labelFileExists(profile));
    QCOMPARE(QDir::fromNativeSeparators(fromPath(config.getLabelFilePath())), workspace.labelFile());
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
