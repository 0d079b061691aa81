// Resolving node paths: index and key segments, the terminator, blanks, and every
// way a path can fail to find a node.
#include <QtTest>

#include <stdexcept>

#include "EngineTestSupport.h"
#include "lua/LuaDocument.h"

class PathsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void lookup_data();
    void lookup();
    void topLevelOf();
    void nonNumericIndexThrows();

private:
    enginetest::Scratch scratch_;
    lua::LuaDocument doc_;
};

void PathsTest::initTestCase()
{
    enginetest::loadText(doc_, scratch_,
                         "Language = EN\n"
                         "T = { {1, 2}, {3, 4} }\n"
                         "R = { a = { b = 5 } }\n"
                         "D = 1\n"
                         "D = 2\n"
                         "if x then I = 1 end\n"
                         "F = function() return { 1 } end\n"
                         "W = { [20000] = \"w\", c = { 7 } }\n"
                         "M = { a = 1 }\n"
                         "local IS_DOT = labels == 3\n"
                         "if IS_DOT then\n"
                         "AirFormat = { [500] = EMPTY, [2000] = {\"x\", \"CenterCenter\"} }\n"
                         "else\n"
                         "AirFormat = { [10] = EMPTY }\n"
                         "end\n");
}

void PathsTest::lookup_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    // clang-format off
    QTest::newRow("top level") << "<Language>..." << "Language" << "EN";
    QTest::newRow("index then index") << "<T>.[1].[0]..." << "" << "3";
    QTest::newRow("index past the end") << "<T>.[2]..." << "" << "";
    QTest::newRow("negative index") << "<T>.[-1]..." << "" << "";
    QTest::newRow("keys") << "<R>.<a>.<b>..." << "b" << "5";
    QTest::newRow("fields by position") << "<R>.[0].[0]..." << "b" << "5";
    QTest::newRow("blank before dot") << "<R> .<a>..." << "a" << "{ b = 5 }";
    QTest::newRow("blank after a key segment") << "<R>.<a> .<b>..." << "b" << "5";
    QTest::newRow("first of a duplicated key") << "<D>..." << "D" << "1";
    QTest::newRow("inside an if block") << "<I>..." << "" << "";
    QTest::newRow("inside an anonymous function") << "<F>.[0]..." << "" << "";
    QTest::newRow("bracketed key") << "<W>.<[20000]>..." << "[20000]" << "\"w\"";
    QTest::newRow("unknown top level") << "<Nope>..." << "" << "";
    QTest::newRow("unknown key") << "<R>.<z>..." << "" << "";
    QTest::newRow("empty key segment") << "<R>.<>..." << "" << "";
    QTest::newRow("segment that is neither") << "<R>.a..." << "" << "";
    QTest::newRow("no terminator") << "<R>.<a>.<b>" << "b" << "5";
    QTest::newRow("no terminator, no steps") << "<Language>" << "Language" << "EN";
    QTest::newRow("stops at terminator") << "<W>.<c>...[][x.<zz>]" << "c" << "{ 7 }";
    QTest::newRow("index segment without ]") << "<T>.[0..." << "" << "";
    QTest::newRow("terminator inside brackets") << "<T>x[...]" << "" << "";
    // clang-format on
    // The character right after a group is never taken as a group of its own.
    // clang-format off
    QTest::newRow("bracket right after the key") << "<T>[...]" << "T" << "{ {1, 2}, {3, 4} }";
    QTest::newRow("no top-level brackets") << "Language..." << "" << "";
    QTest::newRow("> before <") << ">M<..." << "" << "";
    QTest::newRow("empty path") << "" << "" << "";
    QTest::newRow("level branch statement") << "<if labels == 3>.<AirFormat>.[1].[1]..." << "" << "\"CenterCenter\"";
    QTest::newRow("level branch by key") << "<if labels == 3>.<AirFormat>.<[500]>..." << "[500]" << "EMPTY";
    QTest::newRow("else branch, taken at FULL") << "<if labels == 1>.<AirFormat>.[0]..." << "[10]" << "EMPTY";
    QTest::newRow("a branch is named by a level only") << "<else>.<AirFormat>.[0]..." << "" << "";
    QTest::newRow("branch statements are not top level") << "<AirFormat>..." << "" << "";
    QTest::newRow("branch without a key") << "<if labels == 3>..." << "" << "";
    QTest::newRow("branch then an index") << "<if labels == 3>.[0]..." << "" << "";
    QTest::newRow("else branch, taken at ABBREVIATED too") << "<if labels == 2>.<AirFormat>.[0]..." << "[10]" << "EMPTY";
    QTest::newRow("no such level") << "<if labels == 4>.<AirFormat>..." << "" << "";
    // clang-format on
}

void PathsTest::lookup()
{
    QFETCH(QString, path);
    QFETCH(QString, key);
    QFETCH(QString, value);  // empty: nothing is found
    const lua::LuaNode* node = doc_.lookup(path.toStdString());
    QCOMPARE(node != nullptr, !value.isEmpty());
    const auto [foundKey, foundValue] = doc_.getEntry(path.toStdString());
    QCOMPARE(QString::fromStdString(foundKey), key);
    QCOMPARE(QString::fromStdString(foundValue), value);
}

void PathsTest::topLevelOf()
{
    QCOMPARE(doc_.topLevelOf("<R>.<a>..."), doc_.statementByKey("R"));
    QCOMPARE(doc_.topLevelOf("<Nope>..."), nullptr);
    QCOMPARE(doc_.topLevelOf("R..."), nullptr);
    QCOMPARE(doc_.topLevelOf("<if labels == 1>.<AirFormat>.[0]..."), doc_.branchStatement(1, "AirFormat"));
    QCOMPARE(doc_.branchStatement(1, "AirFormat"), doc_.branchStatement(2, "AirFormat"));
    QVERIFY(doc_.branchStatement(3, "AirFormat") != doc_.branchStatement(1, "AirFormat"));
}

void PathsTest::nonNumericIndexThrows()
{
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc_.lookup("<T>.[x]..."));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, doc_.lookup("<T>.[99999999999]..."));
}

QTEST_APPLESS_MAIN(PathsTest)
#include "tst_paths.moc"
