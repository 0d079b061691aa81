// Reading a document: which statements become nodes, their keys, values, kinds,
// spans and children, and the function names gathered at load.
#include <QtTest>

#include <map>

#include "EngineTestSupport.h"
#include "lua/LuaDocument.h"
#include "lua/LuaJudge.h"

using lua::LuaValueKind;

namespace {

struct Parsed : enginetest::LoadedText {
    using LoadedText::LoadedText;
    const lua::LuaNode* at(const std::string& key) const { return doc.statementByKey(key); }
    QStringList keys() const
    {
        QStringList keys;
        for (const auto& statement : doc.statements())
            keys << QString::fromStdString(statement->key);
        return keys;
    }
};

// The descendants of node as "key=value" in tree order, checking their links on the way.
void collectDescendants(const lua::LuaNode& node, QStringList& out)
{
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        const lua::LuaNode& child = *node.children[i];
        QCOMPARE(child.parent, &node);
        QCOMPARE(child.depth, node.depth + 1);
        QCOMPARE(child.startPos, -1);
        QVERIFY(!child.isLocal);
        if (!child.key.empty()) {
            const auto first = std::find_if(node.children.begin(), node.children.end(),
                                            [&](const auto& c) { return c->key == child.key; });
            QCOMPARE(node.childrenByKey.at(child.key), first->get());
        }
        out << QString::fromStdString(child.key + "=" + child.value);
        collectDescendants(child, out);
    }
}

void addStatementRow(const char* name, const char* text, const QStringList& keys, const char* key = "",
                     const char* value = "", int start = -1, int end = -1)
{
    QTest::newRow(name) << text << keys << key << value << start << end;
}

}  // namespace

Q_DECLARE_METATYPE(LuaValueKind)

class ParseTest : public QObject {
    Q_OBJECT

private slots:
    void statements_data();
    void statements();
    void textIsNotStructure_data();
    void textIsNotStructure();
    void localOnlyWhenDeclaredSo();
    void classification_data();
    void classification();
    void children_data();
    void children();
    void functionNames_data();
    void functionNames();
    void reloading();
    void levelBlocks_data();
    void levelBlocks();
};

void ParseTest::statements_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("key");  // a statement to look at, with its value and span
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    addStatementRow("trailing comment", "x = 1 -- note\n", {"x"}, "x", "1", 0, 13);
    addStatementRow("blanks and tabs around =", "AirOn\t\t \t= true\n", {"AirOn"}, "AirOn", "true", 0, 15);
    addStatementRow("last word is the key", "local  name  =  \"v\"\n", {"name"}, "name", "\"v\"", 0, 19);
    addStatementRow("comment marker inside a string", "s = \"a -- b\"\n", {"s"}, "s", "\"a -- b\"", 0, 12);
    addStatementRow("dotted key", "t.x = 5\n", {"t.x"}, "t.x", "5", 0, 7);
    addStatementRow("bracket in key part", "t[1] = 5\n", {"t[1]"}, "t[1]", "5", 0, 8);
    addStatementRow("multi-line statement", "a = 0\nt = {\n  a = 1, -- one\n}\nb = 2\n", {"a", "t", "b"}, "t",
                    "{\n  a = 1, }", 6, 29);
    addStatementRow("comment lines inside a statement", "t = {\n-- a comment\n\t[10] = 1, -- ten\n}\n", {"t"}, "t",
                    "{\n\t[10] = 1, }", 0, 38);
    addStatementRow("value on a later line", "y =\n\n  5\nz = 1\n", {"y", "z"}, "y", "5", 0, 8);
    addStatementRow("last line without LF", "a = 1\nb = {2}", {"a", "b"}, "b", "{2}", 6, 12);
    addStatementRow("first of duplicate keys", "k = 1\nk = 2\n", {"k", "k"}, "k", "1", 0, 5);
    addStatementRow("open statement at the end", "a = 1\nt = {\n  b = 2\n", {"a"});
    addStatementRow("dangling =", "a = 1\nc =", {"a"});
    // Parsing resumes right after the block's "end", so the statement starts mid-line.
    addStatementRow("statement after a block on the same line", "if x then y = 1 end z = 2\n", {"z"}, "z", "2", 19, 25);
    addStatementRow("if block", "if x then y = 1 end\nz = 2\n", {"z"});
    addStatementRow("anonymous function value", "f = function() return 1 end\ng = 3\n", {"g"});
    addStatementRow("nested for inside function",
                    "local function n(a)\n for i = 1, 2 do\n  x = i\n end\n y = 2\nend\nz = 3\n", {"z"});
    addStatementRow("elseif is not an opener", "if a then\n b = 1\nelseif c then\n d = 2\nend\ne = 3\n", {"e"});
    addStatementRow("do block is not an opener", "do\n a = 1\nend\nb = 2\n", {"a", "b"});
    addStatementRow("equals sign in a comment", "f() -- a = 1\nb = 2\n", {"b"});
    addStatementRow("comment lines are skipped before the block test", "-- if you edit this\nk = 1\n", {"k"});
    addStatementRow("while block", "while true do\n w = 1\nend\nv = 2\n", {"v"});
    addStatementRow("unmatched opener ends parsing", "a = 1\nfunction f()\n  if x then\nend\nb = 2\n", {"a"});
    addStatementRow("bare opener ends parsing", "a = 1\nfor\n", {"a"});
}

void ParseTest::statements()
{
    QFETCH(QString, text);
    QFETCH(QStringList, keys);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, start);
    QFETCH(int, end);
    Parsed p(text.toStdString());
    QCOMPARE(p.keys(), keys);
    if (key.isEmpty())
        return;
    const lua::LuaNode* node = p.at(key.toStdString());
    QCOMPARE(QString::fromStdString(node->value), value);
    QCOMPARE(node->startPos, start);
    QCOMPARE(node->endPos, end);
}

// Brackets, "--", "=", opener words and the other quote mark inside a string, and anything
// inside a comment, are text: the document's statements are those Lua runs, each holding
// the whole value Lua assigns there.
void ParseTest::textIsNotStructure_data()
{
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("bracket in a double-quoted string")
        << "G = {\"{%N%n%D%n%P\", \"LeftBottom\"}\nW = {[5000] = {\"[%N%n%D\", 1}}\nC = {10, 10, 10}\n";
    QTest::newRow("bracket in a single-quoted string") << "G = {'(%N', 'x'}\nH = '<'\nC = 2\n";
    QTest::newRow("comment marker in a string") << "S = \"a -- b\"\nT = {'--', 1}\nC = 3\n";
    QTest::newRow("opener word in a trailing comment")
        << "F = {\"x\", 3} -- recommend 3 or 4 for VR\nA = 1 -- if you like\nB = 2\n";
    QTest::newRow("opener word in a string") << "W = \"for the end\"\nX = {'if', \"while\", 'function'}\nY = 1\n";
    QTest::newRow("quote of the other kind") << "Q = \"it's {\"\nR = 'say \"}\"'\nZ = {\"'\", '\"'}\n";
    QTest::newRow("escaped quotes") << "E = \"a\\\"{ -- for\"\nF = 'b\\'('\nG = \"\\\\\"\nH = 1\n";
    QTest::newRow("equals sign in a string or a comment") << "V = \"x = {\" -- y = 2\nW = {a = \"=\"}\n";
    QTest::newRow("long string on its line") << "L = [[it's {]]\nM = {[=[for]=], 1}\n";
    // clang-format on
    QTest::newRow("a squadron's single-level script")
        << QString::fromStdString(enginetest::readBytes(enginetest::fixture("Labels-single-ramp.lua")));
}

void ParseTest::textIsNotStructure()
{
    QFETCH(QString, text);
    const std::string script = text.toStdString();
    const lua::ScriptRun run = lua::runScript(script, 1, lua::Clock::now() + lua::checkTime);
    QVERIFY2(!run.stop, run.stop.message.c_str());
    std::map<std::string, std::map<std::string, std::string>> byGlobal;  // name -> what its value unfolds to
    for (const auto& [path, value] : run.values) {
        const std::size_t step = path.find_first_of(".[");
        byGlobal[path.substr(0, step)][step == std::string::npos ? std::string() : path.substr(step)] = value;
    }
    Parsed p(script);
    QStringList keys;
    for (const auto& statement : p.doc.statements()) {
        keys << QString::fromStdString(statement->key);
        const auto literal = lua::literalValues(statement->value);
        QVERIFY2(literal, statement->value.c_str());
        QCOMPARE(*literal, byGlobal[statement->key]);
    }
    QStringList globals;
    for (const auto& [name, values] : byGlobal)
        globals << QString::fromStdString(name);
    keys.sort();
    QCOMPARE(keys, globals);
}

// The first word decides; the letters "local" elsewhere in the statement do not, and a
// rewritten statement stays what it was.
void ParseTest::localOnlyWhenDeclaredSo()
{
    Parsed p("local z = \"abc\"\nname = \"locals\"\nAirOn = true -- off when flying locally\n"
             "  local\tw = 1\nlocalized = 2\nt = { local_x = 1 }\n");
    QVERIFY(p.at("z")->isLocal);
    QVERIFY(p.at("w")->isLocal);
    for (const char* global : {"name", "AirOn", "localized", "t"})
        QVERIFY2(!p.at(global)->isLocal, global);

    QVERIFY(p.doc.applyEdit("<AirOn>...[][false]", false));
    QVERIFY(p.doc.applyEdit("<z>...[][\"xyz\"]", false));
    QVERIFY(p.doc.text().find("\nAirOn = false\n") != std::string::npos);
    QVERIFY(p.doc.text().rfind("local z = \"xyz\"\n", 0) == 0);
    QVERIFY(!p.at("AirOn")->isLocal);
}

void ParseTest::classification_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<LuaValueKind>("kind");
    // clang-format off
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
    // clang-format on
}

void ParseTest::classification()
{
    QFETCH(QString, value);
    QFETCH(LuaValueKind, kind);
    Parsed p("function f() return 1 end\nv = " + value.toStdString() + "\n");
    QCOMPARE(p.at("v")->kind, kind);
}

void ParseTest::children_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("callee");
    QTest::addColumn<QStringList>("descendants");  // "key=value" in tree order
    // clang-format off
    QTest::newRow("call of a defined function") << "f(2)" << "f" << QStringList{"=2"};
    QTest::newRow("call of an unknown function") << "g(2)" << "" << QStringList{};
    QTest::newRow("dotted callee") << "x.f(3, {4, 5})" << "x.f" << QStringList{"=3", "={4, 5}", "=4", "=5"};
    QTest::newRow("empty field ends a record") << "{ a = 1, , b = 2 }" << "" << QStringList{"a=1"};
    QTest::newRow("trailing comma") << "{ 1, 2, }" << "" << QStringList{"=1", "=2"};
    // clang-format on
    // The key is the last word before "=", which for "[ 5 ]" is "]".
    // clang-format off
    QTest::newRow("bracketed keys") << "{ [20000] = \"x\", [ 5 ]= 6 }" << "" << QStringList{"[20000]=\"x\"", "]=6"};
    QTest::newRow("field without = ends the list") << "{ a = 1, 2, b = 3 }" << "" << QStringList{"a=1"};
    QTest::newRow("duplicate field keys") << "{ a = 1, a = 2 }" << "" << QStringList{"a=1", "a=2"};
    QTest::newRow("nested tables") << "{ {1, 2}, { x = { 3 } } }" << ""
                                   << QStringList{"={1, 2}", "=1", "=2", "={ x = { 3 } }", "x={ 3 }", "=3"};
    QTest::newRow("multi-line record") << "{\n  a = 1, -- one\n}" << "" << QStringList{"a=1"};
    // clang-format on
}

void ParseTest::children()
{
    QFETCH(QString, value);
    QFETCH(QString, callee);
    QFETCH(QStringList, descendants);
    Parsed p("function f() return 1 end\nv = " + value.toStdString() + "\n");
    const lua::LuaNode* v = p.at("v");
    QCOMPARE(v->depth, 0);
    QCOMPARE(QString::fromStdString(v->calleeName), callee);
    QStringList found;
    collectDescendants(*v, found);
    QCOMPARE(found, descendants);
}

void ParseTest::functionNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");
    // clang-format off
    QTest::newRow("named") << "function M.new(a) end\n" << QStringList{"M.new"};
    QTest::newRow("local named") << "local function dot(a) end\n" << QStringList{"dot"};
    QTest::newRow("assigned") << "local base  = function(t) end\n" << QStringList{"base"};
    QTest::newRow("assigned at file start has no blank before the name") << "f = function() end\n" << QStringList{};
    QTest::newRow("anonymous argument") << "x = 1\ncall(function() end)\n" << QStringList{"call"};
    QTest::newRow("word function only whole") << "functional(1)\n" << QStringList{};
    QTest::newRow("several") << "function a() end\nfunction b() end\n" << QStringList{"a", "b"};
    // clang-format on
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

void ParseTest::reloading()
{
    enginetest::Scratch scratch;
    lua::LuaDocument doc;
    enginetest::loadText(doc, scratch, "function f() end\n", "one.lua");
    enginetest::loadText(doc, scratch, "v = f(1)\n", "two.lua");
    // Function names gathered by an earlier load still make calls.
    QCOMPARE(doc.functionNames(), std::vector<std::string>{"f"});
    QCOMPARE(doc.statementByKey("v")->kind, LuaValueKind::Call);

    enginetest::loadText(doc, scratch, "b = 2\n", "notes.txt");
    QCOMPARE(doc.path(), scratch.file("two.lua"));
    QCOMPARE(doc.text(), std::string("v = f(1)\n"));
    QVERIFY(doc.statementByKey("v"));

    // A file that ends inside an open table reads the same at every load.
    const char* open = "-- a =\nc = 1\nb = {\n";
    enginetest::loadText(doc, scratch, open, "open.lua");
    const QStringList first = Parsed(open).keys();
    QCOMPARE(first, QStringList{"c"});
    enginetest::loadText(doc, scratch, open, "open.lua");
    QCOMPARE(doc.statements().size(), std::size_t(1));
    QCOMPARE(doc.statements().front()->key, std::string("c"));

    doc.load(scratch.file("missing.lua"));
    QCOMPARE(doc.path(), scratch.file("missing.lua"));
    QVERIFY(doc.text().empty());
    QVERIFY(doc.statements().empty());
    QVERIFY(!doc.statementByKey("v"));
}

namespace {
const std::string flags = "local IS_DOT = labels == 3\nlocal IS_ABBREVIATED  =  labels==2\n";
const std::string plainChain = flags
    + "if IS_DOT then -- dots\nA = {1}\nB = 2\nelseif IS_ABBREVIATED then\nA = {3}\nelse\t-- full\nA = {4}\nend\nZ = 9\n";

// Each branch as "levels: key=value, ..." in text order ("-" for a branch no level takes).
QStringList branchesOf(const lua::LuaDocument& doc)
{
    QStringList out;
    for (const lua::LevelBranch& branch : doc.levelBranches()) {
        QStringList statements;
        for (const auto& statement : branch.statements)
            statements << QString::fromStdString(statement->key + "=" + statement->value);
        QStringList levels;
        for (const int level : branch.levels)
            levels << QString::number(level);
        out << (levels.isEmpty() ? QStringLiteral("-") : levels.join(',')) + ": " + statements.join(", ");
    }
    return out;
}

QString replaced(const std::string& text, const std::string& from, const std::string& to)
{
    std::string s = text;
    s.replace(s.find(from), from.size(), to);
    return QString::fromStdString(s);
}
}  // namespace

// A top-level "if" chain laid out plainly gives its branches nodes, whatever its conditions:
// Lua's own run at each level says which branch it takes. Any other block keeps making
// none, and the top level reads as before.
void ParseTest::levelBlocks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("branches");
    QTest::addColumn<QStringList>("keys");  // the top-level statements
    const QStringList topLevel = {"IS_DOT", "IS_ABBREVIATED", "Z"};
    const QStringList chain = {"3: A={1}, B=2", "2: A={3}", "1: A={4}"};
    // clang-format off
    QTest::newRow("dot, abbreviated, else") << QString::fromStdString(plainChain) << chain << topLevel;
    QTest::newRow("flags guarded by and, tabs")
        << replaced(plainChain, "labels == 3", "labels\tand labels ==  3") << chain << topLevel;
    QTest::newRow("conditions as expressions")
        << replaced(replaced(plainChain, "if IS_DOT then", "if (labels or 1) >= 3 then").toStdString(),
                    "elseif IS_ABBREVIATED", "elseif not (labels == 1)")
        << chain << topLevel;
    QTest::newRow("flag forced: one branch at every level") << replaced(plainChain, "labels == 3", "true")
        << QStringList{"1,2,3: A={1}, B=2", "-: A={3}", "-: A={4}"} << topLevel;
    QTest::newRow("else taken at two levels")
        << replaced(plainChain, "elseif IS_ABBREVIATED then\nA = {3}\n", "")
        << QStringList{"3: A={1}, B=2", "1,2: A={4}"} << topLevel;
    QTest::newRow("full named, no else")
        << "local IS_FULL = labels == 1\nlocal IS_DOT = labels == 3\nif IS_FULL then\nA = 1\nelseif IS_DOT then\nA = 2\nend\n"
        << QStringList{"1: A=1", "3: A=2"} << QStringList{"IS_FULL", "IS_DOT"};
    QTest::newRow("table over lines with a comment line")
        << QString::fromStdString(flags + "if IS_DOT then\nT = {\n-- [d] = {text}\n[5] = 1,\n}\nend\n")
        << QStringList{"3: T={\n[5] = 1,\n}"} << QStringList{"IS_DOT", "IS_ABBREVIATED"};
    QTest::newRow("empty branch: no line to enter")
        << QString::fromStdString(flags + "if IS_DOT then\nelse\nA = 1\nend\n") << QStringList{"-: ", "1,2: A=1"} << QStringList{"IS_DOT", "IS_ABBREVIATED"};
    QTest::newRow("condition no level meets") << replaced(plainChain, "if IS_DOT", "if enableVR")
        << QStringList{"-: A={1}, B=2", "2: A={3}", "1,3: A={4}"} << topLevel;
    QTest::newRow("flag set after the block")
        << "if IS_DOT then\nA = 1\nend\nlocal IS_DOT = labels == 3\n" << QStringList{"-: A=1"} << QStringList{"IS_DOT"};
    QTest::newRow("one level twice") << replaced(plainChain, "elseif IS_ABBREVIATED", "elseif IS_DOT")
        << QStringList{"3: A={1}, B=2", "-: A={3}", "1,2: A={4}"} << topLevel;
    QTest::newRow("script stops before the block") << "error('no labels here')\n" + QString::fromStdString(plainChain)
        << QStringList{"-: A={1}, B=2", "-: A={3}", "-: A={4}"} << topLevel;
    QTest::newRow("statement after then") << replaced(plainChain, "then -- dots\n", "then A = {1}\n")
        << QStringList{} << topLevel;
    QTest::newRow("else not opening its line") << replaced(plainChain, "A = {3}\nelse", "A = {3} else")
        << QStringList{} << topLevel;
    QTest::newRow("branch and block words in strings") << replaced(plainChain, "B = 2\n", "B = \"else if\" -- for\n")
        << QStringList{"3: A={1}, B=\"else if\"", "2: A={3}", "1: A={4}"}
        << topLevel;
    QTest::newRow("a block inside") << replaced(plainChain, "B = 2\n", "for i = 1, 2 do\nB = i\nend\n")
        << QStringList{} << topLevel;
    QTest::newRow("statement left open in a branch") << replaced(plainChain, "A = {3}", "A = {3")
        << QStringList{} << topLevel;
    QTest::newRow("long comment after then") << replaced(plainChain, "-- dots", "--[[ dots ]]")
        << QStringList{} << topLevel;
    QTest::newRow("inside a function") << QString::fromStdString(flags + "function f()\nif IS_DOT then\nA = 1\nend\nend\n")
        << QStringList{} << QStringList{"IS_DOT", "IS_ABBREVIATED"};
    // clang-format on
}

void ParseTest::levelBlocks()
{
    QFETCH(QString, text);
    QFETCH(QStringList, branches);
    QFETCH(QStringList, keys);
    Parsed p(text.toStdString());
    QCOMPARE(branchesOf(p.doc), branches);
    QCOMPARE(p.keys(), keys);
}

QTEST_APPLESS_MAIN(ParseTest)
#include "tst_parse.moc"
