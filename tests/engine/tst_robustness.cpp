// Whatever a file holds, reading and editing it must end, stay inside the text and
// keep the tree consistent. Random documents from Lua-like fragments (fixed seed),
// random paths and edits, and a few pathological shapes.
#include <QtTest>

#include <random>
#include <stdexcept>

#include "EngineTestSupport.h"
#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"
#include "lua/LuaValues.h"

namespace {

// clang-format off
const std::vector<std::string> fragments = {
    "function", "end", "if", "for", "while", "local", "then", "do", "elseif", "true", "false",
    "x", "AirOn", "t.k", "f", "(", ")", "{", "}", "[", "]", "<", ">", ",", "\"", "=", " = ",
    "--", "\n", "\r\n", "\t", " ", "1", "-2.5", "[10]", "...", "{a = 1, b = {2, 3}}", "f(1, 2)",
    "\xCB\x84", "'", ";", ".", "=function(",
};
// clang-format on

std::string randomDocument(std::mt19937& random)
{
    std::uniform_int_distribution<int> count(0, 300);
    std::uniform_int_distribution<std::size_t> pick(0, fragments.size() - 1);
    std::string text;
    for (int n = count(random); n > 0; --n)
        text += fragments[pick(random)];
    return text;
}

bool isPlainName(const std::string& key)
{
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return lua::isWordChar(c); });
}

// Parent links, depths and the key map agree with the children lists.
void checkNode(const lua::LuaNode& node)
{
    for (const auto& owned : node.children) {
        const lua::LuaNode& child = *owned;
        QCOMPARE(child.parent, &node);
        QCOMPARE(child.depth, node.depth + 1);
        QVERIFY(!child.value.empty());
        if (!child.key.empty()) {
            const auto first = std::find_if(node.children.begin(), node.children.end(),
                                            [&](const auto& c) { return c->key == child.key; });
            QCOMPARE(node.childrenByKey.at(child.key), first->get());
        }
        checkNode(child);
    }
    QVERIFY(node.depth <= lua::ValueReader::maxDepth);
}

void checkDocument(const lua::LuaDocument& doc)
{
    const int size = static_cast<int>(doc.text().size());
    int previousEnd = -1;
    for (const auto& statement : doc.statements()) {
        QVERIFY(statement->startPos > previousEnd);
        QVERIFY(statement->startPos <= statement->endPos);
        QVERIFY(statement->endPos < size);
        QVERIFY(doc.text()[statement->endPos] == '\n' || statement->endPos == size - 1);
        QVERIFY(!statement->key.empty() && !statement->value.empty());
        QVERIFY(doc.statementByKey(statement->key));
        previousEnd = statement->endPos;
        checkNode(*statement);
    }
}

// A path to a random node of the tree, by positions below a top-level statement.
std::string randomPath(std::mt19937& random, const lua::LuaDocument& doc, const lua::LuaNode** target)
{
    std::uniform_int_distribution<std::size_t> pickStatement(0, doc.statements().size() - 1);
    const lua::LuaNode* node = doc.statements()[pickStatement(random)].get();
    std::string path = "<" + node->key + ">";
    while (!node->children.empty() && random() % 3 != 0) {
        const std::size_t i = random() % node->children.size();
        path += ".[" + std::to_string(i) + "]";
        node = node->children[i].get();
    }
    *target = node;
    return path + "...";
}

}  // namespace

class RobustnessTest : public QObject {
    Q_OBJECT

private slots:
    void randomDocuments();
    void pathologicalShapes_data();
    void pathologicalShapes();
};

void RobustnessTest::randomDocuments()
{
    std::mt19937 random(424242);
    enginetest::Scratch scratch;
    for (int round = 0; round < 800; ++round) {
        const std::string text = randomDocument(random);
        lua::LuaDocument doc;
        enginetest::loadText(doc, scratch, text);
        checkDocument(doc);
        // The same edits on a second document that always parses its whole text again:
        // after replaceText its tree no longer counts as following the text.
        lua::LuaDocument wholeParse;
        wholeParse.load(doc.path());
        for (int e = 0; e < 12 && !doc.statements().empty(); ++e) {
            const lua::LuaNode* target = nullptr;
            const std::string path = randomPath(random, doc, &target);
            const lua::LuaNode* top = doc.topLevelOf(path);
            if (!top)
                continue;  // a key holding ">" cannot be named by a path
            const bool wellFormed = isPlainName(top->key);
            const lua::LuaNode* targetTop = target;
            while (targetTop->parent)
                targetTop = targetTop->parent;
            // A key used twice resolves to its first statement.
            if (wellFormed && targetTop == top)
                QCOMPARE(doc.lookup(path), target);
            const std::string before = doc.text();
            const int start = top->startPos;
            const int end = top->endPos;
            const std::string edit
                = path + (random() % 2 ? "[k][v]" : "[][" + fragments[random() % fragments.size()] + "]");
            try {
                static_cast<void>(doc.applyEdit(edit, false));
            } catch (const std::exception&) {
                // Brackets in the top-level key make the path malformed: it may throw
                // the documented conversion errors, and then changes nothing.
                if (wellFormed)
                    QFAIL(qPrintable("edit threw: " + QString::fromStdString(edit)));
            }
            static_cast<void>(wholeParse.replaceText(wholeParse.text(), false));
            try {
                static_cast<void>(wholeParse.applyEdit(edit, false));
            } catch (const std::exception&) {
            }
            QCOMPARE(doc.text(), wholeParse.text());
            QCOMPARE(enginetest::treeSnapshot(doc), enginetest::treeSnapshot(wholeParse));
            // Only the statement's own span changed.
            QCOMPARE(doc.text().substr(0, start), before.substr(0, start));
            QVERIFY(doc.text().size() >= before.size() - end - 1);
            QCOMPARE(doc.text().substr(doc.text().size() - (before.size() - end - 1)), before.substr(end + 1));
            checkDocument(doc);
        }
        // Garbage paths and edits find nothing or throw the documented conversion errors.
        for (int g = 0; g < 6; ++g) {
            std::string garbage;
            for (int n = random() % 8; n >= 0; --n)
                garbage += fragments[random() % fragments.size()];
            try {
                doc.lookup(garbage);
                static_cast<void>(doc.applyEdit(garbage, false));
            } catch (const std::invalid_argument&) {
            } catch (const std::out_of_range&) {
            }
            checkDocument(doc);
        }
    }
}

void RobustnessTest::pathologicalShapes_data()
{
    QTest::addColumn<QByteArray>("text");
    const auto times = [](const char* s, int n) { return QByteArray(s).repeated(n); };
    // clang-format off
    QTest::newRow("deep nesting") << "t = " + times("{", 20000) + times("}", 20000) + "\n";
    QTest::newRow("overlapping items") << "t = {" + times("},", 20000) + "}\n";
    QTest::newRow("overlapping calls") << "function f() end\nt = f(" + times("),", 20000) + ")\n";
    QTest::newRow("names without blanks") << " a" + times("=function(a", 20000) + "\n";
    QTest::newRow("openers without end") << times("function if for while\n", 5000);
    QTest::newRow("one long continuing statement") << "t = {\n" + times("a = {1, 2}, -- c\n", 20000) + "}\n";
    QTest::newRow("blank lines after =") << "x =" + times("\n", 50000) + "5\n";
    QTest::newRow("many comment markers") << "x = " + times("-", 50000) + "\n";
    // clang-format on
}

void RobustnessTest::pathologicalShapes()
{
    QFETCH(QByteArray, text);
    enginetest::LoadedText loaded(text.toStdString());
    lua::LuaDocument& doc = loaded.doc;
    checkDocument(doc);
    if (!doc.statements().empty()) {
        const std::string key = doc.statements().front()->key;
        static_cast<void>(doc.applyEdit("<" + key + ">.[0]...[][1]", false));
        checkDocument(doc);
    }
}

QTEST_APPLESS_MAIN(RobustnessTest)
#include "tst_robustness.moc"
