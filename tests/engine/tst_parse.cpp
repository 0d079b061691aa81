// Reading a document: which statements become nodes, their keys, values, kinds,
// spans and children, and the function names gathered at load.
#include <QtTest>

#include "EngineTestSupport.h"
#include "LuaDocument.h"

using lua::LuaValueKind;

namespace {

struct Parsed {
    explicit Parsed(const std::string& text) { enginetest::loadText(doc, scratch, text); }
    const lua::LuaNode* at(const std::string& key) const { return doc.statementByKey(key); }
    std::vector<std::string> keys() const
    {
        std::vector<std::string> keys;
        for (const auto& statement : doc.statements())
            keys.push_back(statement->key);
        return keys;
    }
    enginetest::Scratch scratch;
    lua::LuaDocument doc;
};

std::vector<std::string> childValues(const lua::LuaNode& node)
{
    std::vector<std::string> values;
    for (const auto& child : node.children)
        values.push_back(child->value);
    return values;
}

using Strings = std::vector<std::string>;

}  // namespace

Q_DECLARE_METATYPE(LuaValueKind)

class ParseTest : public QObject {
    Q_OBJECT

private slots:
    void statementValues_data();
    void statementValues();
    void multiLineStatement();
    void valueOnNextLine();
    void isLocalIsASubstringTest();
    void lastLineWithoutLf();
    void duplicateKeysFirstWins();
    void classification_data();
    void classification();
    void callsOfDefinedFunctions();
    void recordAndArrayChildren();
    void nestedChildrenKnowTheirParents();
    void blocksMakeNoNodes_data();
    void blocksMakeNoNodes();
    void statementAfterBlockOnSameLine();
    void unmatchedOpenerEndsParsing();
    void commentLinesInsideStatement();
    void functionNames_data();
    void functionNames();
    void functionNamesAccumulateAcrossLoads();
    void nonLuaPathLeavesDocument();
    void missingFileGivesEmptyDocument();
};

void ParseTest::statementValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("trailing comment") << "x = 1 -- note\n" << "x" << "1";
    QTest::newRow("blanks and tabs around =") << "AirOn\t\t \t= true\n" << "AirOn" << "true";
    QTest::newRow("last word is the key") << "local  name  =  \"v\"\n" << "name" << "\"v\"";
    QTest::newRow("comment marker inside string cuts") << "s = \"a -- b\"\n" << "s" << "\"a";
    QTest::newRow("dotted key") << "t.x = 5\n" << "t.x" << "5";
    QTest::newRow("bracket in key part") << "t[1] = 5\n" << "t[1]" << "5";
}

void ParseTest::statementValues()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, value);
    Parsed p(text.toStdString());
    QCOMPARE(p.doc.statements().size(), std::size_t(1));
    const lua::LuaNode& node = *p.doc.statements().front();
    QCOMPARE(QString::fromStdString(node.key), key);
    QCOMPARE(QString::fromStdString(node.value), value);
    QCOMPARE(node.startPos, 0);
    QCOMPARE(node.endPos, text.size() - 1);
}

void ParseTest::multiLineStatement()
{
    const std::string text = "a = 0\nt = {\n  a = 1, -- one\n}\nb = 2\n";
    Parsed p(text);
    QCOMPARE(p.keys(), (Strings{"a", "t", "b"}));
    const lua::LuaNode* t = p.at("t");
    QCOMPARE(t->value, std::string("{\n  a = 1, }"));
    QCOMPARE(t->startPos, 6);
    QCOMPARE(t->endPos, static_cast<int>(text.find("}\n") + 1));
    QCOMPARE(t->kind, LuaValueKind::Record);
    QCOMPARE(childValues(*t), Strings{"1"});
}

void ParseTest::valueOnNextLine()
{
    Parsed p("y =\n\n  5\nz = 1\n");
    QCOMPARE(p.keys(), (Strings{"y", "z"}));
    QCOMPARE(p.at("y")->value, std::string("5"));
    QCOMPARE(p.at("y")->endPos, 8);
}

void ParseTest::isLocalIsASubstringTest()
{
    Parsed p("local z = \"abc\"\nname = \"locals\"\nw = 1\n");
    QVERIFY(p.at("z")->isLocal);
    QVERIFY(p.at("name")->isLocal);
    QVERIFY(!p.at("w")->isLocal);
}

void ParseTest::lastLineWithoutLf()
{
    Parsed p("a = 1\nb = {2}");
    QCOMPARE(p.keys(), (Strings{"a", "b"}));
    QCOMPARE(p.at("b")->endPos, 12);
    QCOMPARE(p.at("b")->value, std::string("{2}"));
    // A statement still open at the end gets no node.
    Parsed open("a = 1\nt = {\n  b = 2\n");
    QCOMPARE(open.keys(), Strings{"a"});
    Parsed dangling("a = 1\nc =");
    QCOMPARE(dangling.keys(), Strings{"a"});
}

void ParseTest::duplicateKeysFirstWins()
{
    Parsed p("k = 1\nk = 2\n");
    QCOMPARE(p.keys(), (Strings{"k", "k"}));
    QCOMPARE(p.at("k")->value, std::string("1"));
    QCOMPARE(p.at("k"), p.doc.statements().front().get());
}

void ParseTest::classification_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<LuaValueKind>("kind");
    QTest::newRow("true") << "true" << LuaValueKind::Boolean;
    QTest::newRow("false") << "false" << LuaValueKind::Boolean;
    QTest::newRow("true or x") << "true or x" << LuaValueKind::Boolean;
    QTest::newRow("false and true") << "false and true" << LuaValueKind::Other;
    QTest::newRow("false or x") << "false or x" << LuaValueKind::Boolean;
    QTest::newRow("trueish") << "trueish" << LuaValueKind::Other;
    QTest::newRow("integer") << "42" << LuaValueKind::Number;
    QTest::newRow("negative decimal") << "-0.75" << LuaValueKind::Number;
    QTest::newRow("dot alone") << "." << LuaValueKind::Number;
    QTest::newRow("trailing dot") << "5." << LuaValueKind::Number;
    QTest::newRow("minus alone") << "-" << LuaValueKind::Other;
    QTest::newRow("two dots") << "1.2.3" << LuaValueKind::Other;
    QTest::newRow("exponent") << "1e3" << LuaValueKind::Other;
    QTest::newRow("string") << "\"abc\"" << LuaValueKind::String;
    QTest::newRow("record") << "{ a = 1 }" << LuaValueKind::Record;
    QTest::newRow("array") << "{ 1, 2 }" << LuaValueKind::Array;
    QTest::newRow("empty table") << "{}" << LuaValueKind::Array;
    QTest::newRow("table of tables") << "{ {a = 1} }" << LuaValueKind::Array;
    QTest::newRow("call of a defined function") << "f(1)" << LuaValueKind::Call;
    QTest::newRow("call inside an expression") << "1 + f(1)" << LuaValueKind::Call;
    QTest::newRow("call of an unknown function") << "g(1)" << LuaValueKind::Other;
    QTest::newRow("name with blank before paren") << "f (1)" << LuaValueKind::Other;
    QTest::newRow("identifier") << "EN" << LuaValueKind::Other;
}

void ParseTest::classification()
{
    QFETCH(QString, value);
    QFETCH(LuaValueKind, kind);
    Parsed p("function f() return 1 end\nv = " + value.toStdString() + "\n");
    QVERIFY(p.at("v"));
    QCOMPARE(p.at("v")->kind, kind);
}

void ParseTest::callsOfDefinedFunctions()
{
    Parsed p("function f() return 1 end\na = f(2)\nb = g(2)\nc = x.f(3, {4, 5})\n");
    QCOMPARE(p.keys(), (Strings{"a", "b", "c"}));
    const lua::LuaNode* a = p.at("a");
    QCOMPARE(a->kind, LuaValueKind::Call);
    QCOMPARE(a->calleeName, std::string("f"));
    QCOMPARE(childValues(*a), Strings{"2"});
    QCOMPARE(a->children.front()->key, std::string());
    QCOMPARE(p.at("b")->kind, LuaValueKind::Other);
    QVERIFY(p.at("b")->children.empty());
    QCOMPARE(p.at("c")->calleeName, std::string("x.f"));
    QCOMPARE(childValues(*p.at("c")), (Strings{"3", "{4, 5}"}));
}

void ParseTest::recordAndArrayChildren()
{
    Parsed p("r = { a = 1, , b = 2 }\n"
             "s = { 1, 2, }\n"
             "d = { [20000] = \"x\", [ 5 ]= 6 }\n"
             "m = { a = 1, 2, b = 3 }\n"
             "w = { a = 1, a = 2 }\n");
    QCOMPARE(p.at("r")->kind, LuaValueKind::Record);
    QCOMPARE(childValues(*p.at("r")), Strings{"1"});
    QCOMPARE(p.at("s")->kind, LuaValueKind::Array);
    QCOMPARE(childValues(*p.at("s")), (Strings{"1", "2"}));
    const lua::LuaNode* d = p.at("d");
    QCOMPARE(d->children.at(0)->key, std::string("[20000]"));
    QCOMPARE(d->children.at(1)->key, std::string("]"));  // the last word before "=" is "]"
    // A field without "=" ends the field list.
    QCOMPARE(childValues(*p.at("m")), Strings{"1"});
    // Both fields are children; the first of a key is found by key.
    const lua::LuaNode* w = p.at("w");
    QCOMPARE(w->children.size(), std::size_t(2));
    QCOMPARE(w->childrenByKey.at("a"), w->children.front().get());
}

void ParseTest::nestedChildrenKnowTheirParents()
{
    Parsed p("T = { {1, 2}, { x = { 3 } } }\n");
    const lua::LuaNode* t = p.at("T");
    const lua::LuaNode& inner = *t->children.at(1)->children.at(0)->children.at(0);
    QCOMPARE(inner.value, std::string("3"));
    QCOMPARE(inner.depth, 3);
    QCOMPARE(inner.parent->key, std::string("x"));
    QCOMPARE(inner.parent->parent->parent, t);
    QCOMPARE(inner.startPos, -1);
    QVERIFY(!inner.isLocal);
}

void ParseTest::blocksMakeNoNodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("if block") << "if x then y = 1 end\nz = 2\n" << QStringList{"z"};
    QTest::newRow("anonymous function value")
        << "f = function() return 1 end\ng = 3\n" << QStringList{"g"};
    QTest::newRow("nested for inside function")
        << "local function n(a)\n for i = 1, 2 do\n  x = i\n end\n y = 2\nend\nz = 3\n" << QStringList{"z"};
    QTest::newRow("elseif is not an opener")
        << "if a then\n b = 1\nelseif c then\n d = 2\nend\ne = 3\n" << QStringList{"e"};
    QTest::newRow("do block is not an opener") << "do\n a = 1\nend\nb = 2\n" << QStringList{"a", "b"};
    QTest::newRow("opener word in a trailing comment counts")
        << "a = 1 -- for now\nb = 2\nend\nc = 3\n" << QStringList{"c"};
    QTest::newRow("comment lines are skipped before the block test")
        << "-- if you edit this\nk = 1\n" << QStringList{"k"};
    QTest::newRow("while block") << "while true do\n w = 1\nend\nv = 2\n" << QStringList{"v"};
}

void ParseTest::blocksMakeNoNodes()
{
    QFETCH(QString, text);
    QFETCH(QStringList, keys);
    Parsed p(text.toStdString());
    QStringList found;
    for (const std::string& key : p.keys())
        found << QString::fromStdString(key);
    QCOMPARE(found, keys);
}

void ParseTest::statementAfterBlockOnSameLine()
{
    // Parsing resumes right after the block's "end", so the statement starts mid-line.
    const std::string text = "if x then y = 1 end z = 2\n";
    Parsed p(text);
    QCOMPARE(p.keys(), Strings{"z"});
    QCOMPARE(p.at("z")->startPos, static_cast<int>(text.find(" z")));
}

void ParseTest::unmatchedOpenerEndsParsing()
{
    Parsed p("a = 1\nfunction f()\n  if x then\nend\nb = 2\n");
    QCOMPARE(p.keys(), Strings{"a"});
    Parsed bare("a = 1\nfor\n");
    QCOMPARE(bare.keys(), Strings{"a"});
}

void ParseTest::commentLinesInsideStatement()
{
    Parsed p("t = {\n-- a comment\n\t[10] = 1, -- ten\n}\n");
    const lua::LuaNode* t = p.at("t");
    QVERIFY(t);
    QCOMPARE(t->value, std::string("{\n\t[10] = 1, }"));
    QCOMPARE(t->children.at(0)->key, std::string("[10]"));
}

void ParseTest::functionNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("named") << "function M.new(a) end\n" << QStringList{"M.new"};
    QTest::newRow("local named") << "local function dot(a) end\n" << QStringList{"dot"};
    QTest::newRow("assigned") << "local base  = function(t) end\n" << QStringList{"base"};
    QTest::newRow("assigned at file start has no blank before the name")
        << "f = function() end\n" << QStringList{};
    QTest::newRow("anonymous argument")
        << "x = 1\ncall(function() end)\n" << QStringList{"call"};
    QTest::newRow("word function only whole") << "functional(1)\n" << QStringList{};
    QTest::newRow("several") << "function a() end\nfunction b() end\n" << QStringList{"a", "b"};
}

void ParseTest::functionNames()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    Parsed p(text.toStdString());
    QStringList found;
    for (const std::string& name : p.doc.functionNames())
        found << QString::fromStdString(name);
    QCOMPARE(found, names);
}

void ParseTest::functionNamesAccumulateAcrossLoads()
{
    enginetest::Scratch scratch;
    lua::LuaDocument doc;
    enginetest::loadText(doc, scratch, "function f() end\n", "one.lua");
    enginetest::loadText(doc, scratch, "v = f(1)\n", "two.lua");
    QCOMPARE(doc.functionNames(), Strings{"f"});
    QCOMPARE(doc.statementByKey("v")->kind, LuaValueKind::Call);
}

void ParseTest::nonLuaPathLeavesDocument()
{
    enginetest::Scratch scratch;
    lua::LuaDocument doc;
    enginetest::loadText(doc, scratch, "a = 1\n");
    const auto before = doc.path();
    enginetest::loadText(doc, scratch, "b = 2\n", "notes.txt");
    QCOMPARE(doc.path(), before);
    QCOMPARE(doc.text(), std::string("a = 1\n"));
    QVERIFY(doc.statementByKey("a"));
}

void ParseTest::missingFileGivesEmptyDocument()
{
    enginetest::Scratch scratch;
    lua::LuaDocument doc;
    enginetest::loadText(doc, scratch, "a = 1\n");
    doc.load(scratch.file("missing.lua"));
    QCOMPARE(doc.path(), scratch.file("missing.lua"));
    QVERIFY(doc.text().empty());
    QVERIFY(doc.statements().empty());
    QVERIFY(!doc.statementByKey("a"));
}

QTEST_APPLESS_MAIN(ParseTest)
#include "tst_parse.moc"
