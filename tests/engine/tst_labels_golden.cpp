// The real label script: every value the editor addresses reads as the fixture says,
// and one Apply at level FULL rewrites exactly the statements it touches, byte for
// byte as kept in tests/engine/expected/.
#include <QtTest>

#include "EngineTestSupport.h"
#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

namespace {

const char* const levels[3] = {"FULL", "ABBREVIATED", "DOT"};
const char* const categories[4] = {"Air", "Ground", "Navy", "Weapon"};
// Distances of the fixture (EMPTY, NEAR, FAR, DOT; Weapon has no DOT), per level.
const int distances[3][4][4] = {
    {{10, 10000, 20000, 30000}, {10, 5000, 10000, 20000}, {10, 10000, 20000, 40000}, {5, 5000, 20000, 0}},
    {{20, 8000, 16000, 25000}, {20, 4000, 9000, 18000}, {20, 9000, 18000, 36000}, {8, 4000, 18000, 0}},
    {{30, 6000, 12000, 24000}, {30, 3000, 7000, 14000}, {30, 7000, 14000, 30000}, {10, 3000, 14000, 0}},
};
const int bandEntries[4][4] = {{0, 2, 3, 4}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 3, -1}};
const char* const alignments[3] = {"\"LeftBottom\"", "\"RightTop\"", "\"CenterCenter\""};
const int alignmentEntry[4] = {3, 2, 2, 2};

std::string formatPath(int level, int category)
{
    return std::string("<LEVEL_") + levels[level] + ">.[0].<" + categories[category] + "Format>";
}

// Compares a written file with the expected one; on a mismatch the written bytes are
// kept in the temporary folder for inspection.
bool sameAsExpected(const std::string& written, const std::string& expectedName)
{
    if (written == enginetest::readBytes(enginetest::expectedFile(expectedName)))
        return true;
    const auto actual = std::filesystem::temp_directory_path() / (expectedName + ".actual");
    enginetest::writeBytes(actual, written);
    qWarning("written file kept as %s", actual.string().c_str());
    return false;
}

}  // namespace

class LabelsGoldenTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void catalogueValues_data();
    void catalogueValues();
    void catalogueDistancesAndAlignments();
    void unchangedApplyRewritesOnlyTouchedStatements();
    void changedApplyWritesTheNewValues();

private:
    std::unique_ptr<enginetest::Scratch> scratch_;
    std::unique_ptr<lua::LuaDocument> doc_;
};

void LabelsGoldenTest::init()
{
    scratch_ = std::make_unique<enginetest::Scratch>();
    doc_ = std::make_unique<lua::LuaDocument>();
    doc_->load(scratch_->copyFixture("Labels.lua"));
}

void LabelsGoldenTest::catalogueValues_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    for (const char* category : categories) {
        const QString key = QString(category) + "On";
        QTest::newRow(qPrintable(key)) << "<" + key + ">..." << key << "true";
    }
    const QStringList symbols{"aircraft", "\"˄\"", "\"✈\"", "ground", "\"ˉ\"", "\"ˉ\"",
                              "navy",     "\"˜\"", "\"˜\"", "weapon", "\"ˈ\"", "\"ˈ\""};
    for (int i = 0; i < symbols.size(); i += 3) {
        for (int far = 0; far < 2; ++far) {
            const QString key = symbols[i] + (far ? "_symbol_far" : "_symbol_near");
            QTest::newRow(qPrintable(key)) << "<" + key + ">..." << key << symbols[i + 1 + far];
        }
    }
    // clang-format off
    QTest::newRow("symbol size") << "<default_font>.[1]..." << "" << "13";
    QTest::newRow("enemies") << "<ColorEnemiesSide>..." << "ColorEnemiesSide" << "{0,\t82 ,199}";
    QTest::newRow("allies") << "<ColorAliesSide>..." << "ColorAliesSide" << "{249, 69 , 38}";
    QTest::newRow("Air NEAR entry at FULL") << "<LEVEL_FULL>.[0].<AirFormat> .[2]..." << "[10000]"
        << "{aircraft_symbol_near..DISTANCE_NAME\t\t\t, \"LeftBottom\"\t,0.75\t, 0.5\t, -3\t, 0}";
    // clang-format on
}

void LabelsGoldenTest::catalogueValues()
{
    QFETCH(QString, path);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const auto [foundKey, foundValue] = doc_->getEntry(path.toStdString());
    QCOMPARE(QString::fromStdString(foundKey), key);
    QCOMPARE(QString::fromStdString(foundValue), value);
}

void LabelsGoldenTest::catalogueDistancesAndAlignments()
{
    for (int level = 0; level < 3; ++level) {
        for (int c = 0; c < 4; ++c) {
            for (int band = 0; band < 4 && bandEntries[c][band] != -1; ++band) {
                const std::string path = formatPath(level, c) + " .[" + std::to_string(bandEntries[c][band]) + "]...";
                const std::string key = doc_->getEntry(path).first;
                QVERIFY2(!key.empty(), path.c_str());
                QCOMPARE(lua::parseBracketedKey(key), distances[level][c][band]);
            }
            const std::string path = formatPath(level, c) + ".[" + std::to_string(alignmentEntry[c]) + "].[1]...";
            QCOMPARE(doc_->getEntry(path).second, std::string(alignments[level]));
        }
    }
}

void LabelsGoldenTest::unchangedApplyRewritesOnlyTouchedStatements()
{
    const std::vector<std::string> batch = enginetest::applyBatch("full-apply.edits");
    QCOMPARE(batch.size(), std::size_t(42));
    for (const std::string& edit : batch) {
        QVERIFY(doc_->applyEdit(edit, false).written);
        // Only the rewritten statement is read again; the tree is what a full parse gives.
        const std::string afterEdit = enginetest::treeSnapshot(*doc_);
        doc_->parse();
        QCOMPARE(enginetest::treeSnapshot(*doc_), afterEdit);
    }
    QVERIFY(doc_->write().written);
    const std::string written = enginetest::readBytes(doc_->path());
    QVERIFY(sameAsExpected(written, "Labels-after-full-apply.lua"));
    // A second Apply of the same values changes no byte.
    for (const std::string& edit : batch)
        static_cast<void>(doc_->applyEdit(edit, false));
    QVERIFY(doc_->write().written);
    QCOMPARE(enginetest::readBytes(doc_->path()), written);
}

void LabelsGoldenTest::changedApplyWritesTheNewValues()
{
    // Changed: enemies' green 90, symbol size 15, Navy hidden, Air near symbol "A",
    // Air NEAR 12001 (companion 6000), Ground NEAR 6000, Weapon FAR 24000 (companion
    // 12000), Air alignment CenterTop.
    for (const std::string& edit : enginetest::applyBatch("changed-apply.edits"))
        static_cast<void>(doc_->applyEdit(edit, false));
    QVERIFY(doc_->write().written);
    QVERIFY(sameAsExpected(enginetest::readBytes(doc_->path()), "Labels-after-changed-apply.lua"));

    lua::LuaDocument reread;
    reread.load(doc_->path());
    QCOMPARE(reread.getEntry("<ColorEnemiesSide>...").second, std::string("{0,90,199}"));
    QCOMPARE(reread.getEntry("<NavyOn>...").second, std::string("false"));
    QCOMPARE(reread.getEntry("<LEVEL_FULL>.[0].<AirFormat> .[2]...").first, std::string("[12001]"));
    QCOMPARE(reread.getEntry("<LEVEL_FULL>.[0].<AirFormat> .[1]...").first, std::string("[6000]"));
    QCOMPARE(reread.getEntry("<LEVEL_FULL>.[0].<WeaponFormat> .[2]...").first, std::string("[12000]"));
    QCOMPARE(reread.getEntry("<LEVEL_FULL>.[0].<AirFormat>.[1].[1]...").second, std::string("\"CenterTop\""));
    // The other levels are untouched.
    QCOMPARE(reread.getEntry("<LEVEL_DOT>.[0].<AirFormat>.[3].[1]...").second, std::string("\"CenterCenter\""));
}

QTEST_APPLESS_MAIN(LabelsGoldenTest)
#include "tst_labels_golden.moc"
