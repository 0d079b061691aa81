// Resolving node paths: index and key segments, the terminator, blanks, and every
// way a path can fail to find a node.
#include <QtTest>

#include <stdexcept>

#include "EngineTestSupport.h"
#include "LuaDocument.h"

class PathsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void lookup_data();
    void lookup();
    void getEntry();
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
                         "M = { a = 1 }\n");
}

void PathsTest::lookup_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("top level") << "<Language>..." << true << "Language" << "EN";
    QTest::newRow("index then index") << "<T>.[1].[0]..." << true << "" << "3";
    QTest::newRow("index past the end") << "<T>.[2]..." << false << "" << "";
    QTest::newRow("negative index") << "<T>.[-1]..." << false << "" << "";
    QTest::newRow("keys") << "<R>.<a>.<b>..." << true << "b" << "5";
    QTest::newRow("fields by position") << "<R>.[0].[0]..." << true << "b" << "5";
    QTest::newRow("blank before dot") << "<R> .<a>..." << true << "a" << "{ b = 5 }";
    QTest::newRow("blank after a key segment") << "<R>.<a> .<b>..." << true << "b" << "5";
    QTest::newRow("first of a duplicated key") << "<D>..." << true << "D" << "1";
    QTest::newRow("inside an if block") << "<I>..." << false << "" << "";
    QTest::newRow("inside an anonymous function") << "<F>.[0]..." << false << "" << "";
    QTest::newRow("bracketed key") << "<W>.<[20000]>..." << true << "[20000]" << "\"w\"";
    QTest::newRow("unknown top level") << "<Nope>..." << false << "" << "";
    QTest::newRow("unknown key") << "<R>.<z>..." << false << "" << "";
    QTest::newRow("empty key segment") << "<R>.<>..." << false << "" << "";
    QTest::newRow("segment that is neither") << "<R>.a..." << false << "" << "";
    QTest::newRow("no terminator") << "<R>.<a>.<b>" << true << "b" << "5";
    QTest::newRow("no terminator, no steps") << "<Language>" << true << "Language" << "EN";
    QTest::newRow("stops at terminator") << "<W>.<c>...[][x.<zz>]" << true << "c" << "{ 7 }";
    QTest::newRow("index segment without ]") << "<T>.[0..." << false << "" << "";
    QTest::newRow("terminator inside brackets") << "<T>x[...]" << false << "" << "";
    // The character right after a group is never taken as a group of its own.
    QTest::newRow("bracket right after the key") << "<T>[...]" << true << "T" << "{ {1, 2}, {3, 4} }";
    QTest::newRow("no top-level brackets") << "Language..." << false << "" << "";
    QTest::newRow("> before <") << ">M<..." << false << "" << "";
    QTest::newRow("empty path") << "" << false << "" << "";
}

void PathsTest::lookup()
{
    QFETCH(QString, path);
    QFETCH(bool, found);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const lua::LuaNode* node = doc_.lookup(path.toStdString());
    QCOMPARE(node != nullptr, found);
    if (node) {
        QCOMPARE(QString::fromStdString(node->key), key);
        QCOMPARE(QString::fromStdString(node->value), value);
    }
}

void PathsTest::getEntry()
{
    QCOMPARE(doc_.getEntry("<R>.<a>.<b>..."), std::make_pair(std::string("b"), std::string("5")));
    QCOMPARE(doc_.getEntry("<T>.[9]..."), std::make_pair(std::string(), std::string()));
}

void PathsTest::topLevelOf()
{
    QCOMPARE(doc_.topLevelOf("<R>.<a>..."), doc_.statementByKey("R"));
    QCOMPARE(doc_.topLevelOf("<Nope>..."), nullptr);
    QCOMPARE(doc_.topLevelOf("R..."), nullptr);
}

void PathsTest::nonNumericIndexThrows()
{
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc_.lookup("<T>.[x]..."));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, doc_.lookup("<T>.[99999999999]..."));
}

QTEST_APPLESS_MAIN(PathsTest)
#include "tst_paths.moc"
