// Applying edits: which statement is rewritten and how, what stays byte for byte,
// malformed edit texts, and replacing the whole text.
#include <QtTest>

#include "EngineTestSupport.h"
#include "lua/LuaDocument.h"

namespace {

// The text of a document after applying edits (without saving) to the given text.
std::string edited(const std::string& text, const std::vector<std::string>& edits)
{
    enginetest::LoadedText loaded(text);
    for (const std::string& edit : edits)
        static_cast<void>(loaded.doc.applyEdit(edit, false));
    return loaded.doc.text();
}

}  // namespace

class EditsTest : public QObject {
    Q_OBJECT

private slots:
    void rewrites_data();
    void rewrites();
    void keepingTheLayout_data();
    void keepingTheLayout();
    void savingWritesTheFile();
    void replaceText();
    void openStatementAtEndLeavesCommentsText();
};

void EditsTest::rewrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("replace a value") << "-- head\nLanguage = EN\n-- tail\n" << QStringList{"<Language>...[][JP]"}
        << "-- head\nLanguage = JP\n-- tail\n";
    QTest::newRow("field of a multi-line table")
        << "x = 0\nT = {\n  a = 1, -- one\n  b = \"x\",\n}\ny = 1\n" << QStringList{"<T>.<b>...[][\"y\"]"}
        << "x = 0\nT = {\n\ta = 1,\n\tb = \"y\"\n}\ny = 1\n";
    QTest::newRow("two levels deep") << "R = {\n  a = {\n    b = 1,\n  },\n}\n" << QStringList{"<R>.<a>.<b>...[][2]"}
        << "R = {\n\ta = {\n\t\tb = 2\n\t}\n}\n";
    QTest::newRow("local stays local") << "local x = 5\n" << QStringList{"<x>...[][6]"} << "local x = 6\n";
    QTest::newRow("indentation is lost") << "    y = 1\n" << QStringList{"<y>...[][2]"} << "y = 2\n";
    QTest::newRow("empty groups still rewrite")
        << "z   =   { 1 ,  2 } -- c\n" << QStringList{"<z>...[][]"} << "z = { 1 ,  2 }\n";
    QTest::newRow("new key in brackets") << "F = { [10] = 1, [20] = 2 }\n" << QStringList{"<F>.[1]...[[25]][]"}
        << "F = {\n\t[10] = 1,\n\t[25] = 2\n}\n";
    QTest::newRow("key and value") << "F = { a = 1 }\n" << QStringList{"<F>.<a>...[b][3]"} << "F = {\n\tb = 3\n}\n";
    QTest::newRow("array item") << "C = {0,\t82 ,199}\n" << QStringList{"<C>.[1]...[][90]"} << "C = {0,90,199}\n";
    QTest::newRow("call argument") << "function base(t) return t end\nL = base({ A = { [10] = 1 } })\n"
        << QStringList{"<L>.[0].<A>.[0]...[][2]"}
        << "function base(t) return t end\nL = base({\n\t\tA = {\n\t\t\t[10] = 2\n\t\t}\n\t})\n";
    QTest::newRow("siblings keep their parsed text") << "T = { p = {1,  2}, q = 3 }\n" << QStringList{"<T>.<q>...[][4]"}
        << "T = {\n\tp = {1,  2},\n\tq = 4\n}\n";
    QTest::newRow("first of a duplicated key") << "k = 1\nk = 2\n" << QStringList{"<k>...[][9]"} << "k = 9\nk = 2\n";
    QTest::newRow("last line gains an LF") << "a = 1\nb = 2" << QStringList{"<b>...[][3]"} << "a = 1\nb = 3\n";
    QTest::newRow("\"local\" inside a string keeps a global global")
        << "name = \"locals\"\n" << QStringList{"<name>...[][\"x\"]"} << "name = \"x\"\n";
    QTest::newRow("top-level key renamed") << "a = 1\n" << QStringList{"<a>...[b][]"} << "b = 1\n";
    QTest::newRow("statement after a block on the same line stays apart from it")
        << "if x then y = 1 end z = 2\n" << QStringList{"<z>...[][3]", "<z>...[][4]"} << "if x then y = 1 end z = 4\n";
    QTest::newRow("statement after a block and a semicolon")
        << "if x then y = 1 end; z = 2\n" << QStringList{"<z>...[][3]"} << "if x then y = 1 end z = 3\n";
    QTest::newRow("edits see each other's results")
        << "T = { a = 1, b = 2 }\nU = 3\n" << QStringList{"<T>.<a>...[][5]", "<T>.<b>...[][6]", "<U>...[][7]"}
        << "T = {\n\ta = 5,\n\tb = 6\n}\nU = 7\n";
    const QString branches = "local IS_DOT = labels == 3\nif IS_DOT then -- dots\nF = { [5] = 1 } -- d\nG = 1\n"
                             "else\n  F = { [5] = 2 }\nend\nF = 3\n";
    QTest::newRow("inside a level branch") << branches << QStringList{"<if labels == 3>.<F>.[0]...[[6]][]"}
        << "local IS_DOT = labels == 3\nif IS_DOT then -- dots\nF = {\n\t[6] = 1\n}\nG = 1\n"
           "else\n  F = { [5] = 2 }\nend\nF = 3\n";
    QTest::newRow("in the other branch, then at top level") << branches
        << QStringList{"<if labels == 1>.<F>.[0]...[][7]", "<F>...[][4]"}
        << "local IS_DOT = labels == 3\nif IS_DOT then -- dots\nF = { [5] = 1 } -- d\nG = 1\n"
           "else\nF = {\n\t[5] = 7\n}\nend\nF = 4\n";
    QTest::newRow("a whole table with bracketed keys") << "F = { [5] = 1 }\n"
        << QStringList{"<F>...[][{\n\t[5] = 1,\n\t[9] = {\"a\", \"b\"}\n}]"}
        << "F = {\n\t[5] = 1,\n\t[9] = {\"a\", \"b\"}\n}\n";
    QTest::newRow("a bracket inside a string") << "W = { {\"|\", 1} }\n" << QStringList{"<W>.[0].[0]...[][\"[%N%n%D\"]"}
        << "W = {{\"[%N%n%D\",1}}\n";
    QTest::newRow("brackets that do not pair up: the last group") << "a = 1\n" << QStringList{"<a>...[][[2]"}
        << "a = 2\n";
    QTest::newRow("value group not closed keeps the value") << "a = 1\n" << QStringList{"<a>...[b][2"} << "b = 1\n";
    // clang-format on
    // Malformed edits change nothing, not even the statement's layout.
    const QString kept = "a   =  1 -- keep\n";
    // clang-format off
    QTest::newRow("no terminator") << kept << QStringList{"<a>[b][2]"} << kept;
    QTest::newRow("no group") << kept << QStringList{"<a>..."} << kept;
    QTest::newRow("group never closed") << kept << QStringList{"<a>...[[2]"} << kept;
    QTest::newRow("unknown path") << kept << QStringList{"<zz>...[][2]"} << kept;
    QTest::newRow("index beyond") << kept << QStringList{"<a>.[3]...[][2]"} << kept;
    QTest::newRow("empty edit") << kept << QStringList{""} << kept;
    QTest::newRow("only dots") << kept << QStringList{"..."} << kept;
    // clang-format on
}

void EditsTest::rewrites()
{
    QFETCH(QString, text);
    QFETCH(QStringList, edits);
    QFETCH(QString, expected);
    std::vector<std::string> list;
    for (const QString& edit : edits)
        list.push_back(edit.toStdString());
    QCOMPARE(QString::fromStdString(edited(text.toStdString(), list)), expected);
}

// A document that keeps the layout of edited statements replaces only the key or value an
// edit names, where the statement holds it as the tree does; otherwise it rewrites.
void EditsTest::keepingTheLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("expected");
    const QString table = "T = {\n--[d] = {text, alignment}\n[10] = EMPTY, -- ten\n[20] = {\"a\",\t\"LeftTop\"},\n}\n";
    // clang-format off
    QTest::newRow("a distance among comments") << table << "<T>.[1]...[[25]][]"
        << "T = {\n--[d] = {text, alignment}\n[10] = EMPTY, -- ten\n[25] = {\"a\",\t\"LeftTop\"},\n}\n";
    QTest::newRow("a field of an entry") << table << "<T>.[1].[1]...[][\"RightTop\"]"
        << "T = {\n--[d] = {text, alignment}\n[10] = EMPTY, -- ten\n[20] = {\"a\",\t\"RightTop\"},\n}\n";
    QTest::newRow("inside a call and a record")
        << "function base(t) return t end\nL = base({\n\tA = {\n\t\t[10] = {\"x\", 1}, -- c\n\t},\n})\n"
        << "<L>.[0].<A>.[0].[1]...[][0.5]"
        << "function base(t) return t end\nL = base({\n\tA = {\n\t\t[10] = {\"x\", 0.5}, -- c\n\t},\n})\n";
    QTest::newRow("a whole entry") << table << "<T>.[0]...[][{\"\", \"LeftTop\"}]"
        << "T = {\n--[d] = {text, alignment}\n[10] = {\"\", \"LeftTop\"}, -- ten\n[20] = {\"a\",\t\"LeftTop\"},\n}\n";
    QTest::newRow("in a level branch")
        << "local IS_DOT = labels == 3\nif IS_DOT then\nF = {\n[5] = 1, -- near\n}\nend\n"
        << "<if labels == 3>.<F>.[0]...[[6]][]"
        << "local IS_DOT = labels == 3\nif IS_DOT then\nF = {\n[6] = 1, -- near\n}\nend\n";
    const QString entries = "T = {\n--[d] = {text}\n[10] = EMPTY, -- ten\n[20] = {\"a\"}, -- twenty\n[30] = {\"b\"},\n}\n";
    QTest::newRow("an entry removed: the other lines stay") << entries
        << "<T>...[][{\n\t[10] = EMPTY,\n\t[30] = {\"b\"}\n}]"
        << "T = {\n--[d] = {text}\n[10] = EMPTY, -- ten\n[30] = {\"b\"},\n}\n";
    QTest::newRow("an entry added after the one before it") << entries
        << "<T>...[][{\n\t[10] = EMPTY,\n\t[15] = {\"c\"},\n\t[20] = {\"a\"},\n\t[30] = {\"b\"}\n}]"
        << "T = {\n--[d] = {text}\n[10] = EMPTY, -- ten\n[15] = {\"c\"},\n[20] = {\"a\"}, -- twenty\n[30] = {\"b\"},\n}\n";
    QTest::newRow("an entry added after a last one without a comma") << "U = {\n\t[1] = 1 -- one\n}\n"
        << "<U>...[][{[1] = 1, [2] = 2}]" << "U = {\n\t[1] = 1, -- one\n\t[2] = 2,\n}\n";
    QTest::newRow("an entry removed from a nested table")
        << "L = {\n\tA = {\n\t\t[1] = 1, -- one\n\t\t[2] = 2,\n\t},\n}\n" << "<L>.<A>...[][{[2] = 2}]"
        << "L = {\n\tA = {\n\t\t[2] = 2,\n\t},\n}\n";
    QTest::newRow("entries on one line: written anew") << "V = { [1] = 1, [2] = 2 } -- v\n" << "<V>...[][{[1] = 1}]"
        << "V = {[1] = 1}\n";
    QTest::newRow("a comment inside the value goes with it") << "T = { a = {1, -- one\n 2}, -- a\n}\n"
        << "<T>.<a>...[][{3}]" << "T = { a = {3}, -- a\n}\n";
    QTest::newRow("key and value: rewritten") << "T = { a = 1 } -- c\n" << "<T>.<a>...[b][3]" << "T = {\n\tb = 3\n}\n";
    QTest::newRow("a top-level value: rewritten") << "x = 1 -- c\n" << "<x>...[][2]" << "x = 2\n";
    // clang-format on
}

void EditsTest::keepingTheLayout()
{
    QFETCH(QString, text);
    QFETCH(QString, edit);
    QFETCH(QString, expected);
    enginetest::LoadedText loaded(text.toStdString());
    loaded.doc.keepLayoutOfEditedStatements(true);
    QVERIFY(loaded.doc.applyEdit(edit.toStdString(), false));
    QCOMPARE(QString::fromStdString(loaded.doc.text()), expected);
    // The tree is the one the new text gives.
    lua::LuaDocument reread;
    enginetest::loadText(reread, loaded.scratch, loaded.doc.text(), "reread.lua");
    QCOMPARE(enginetest::treeSnapshot(loaded.doc), enginetest::treeSnapshot(reread));
}

void EditsTest::savingWritesTheFile()
{
    const std::string original = "-- c\r\nx = 1\r\ny   = 2\r\n";
    enginetest::LoadedText loaded(original);
    lua::LuaDocument& doc = loaded.doc;
    QVERIFY(doc.crlf());
    // An edit whose path finds nothing still counts as written, and rewrites nothing.
    QVERIFY(doc.applyEdit("<missing>...[][3]", true).written);
    QCOMPARE(enginetest::readBytes(doc.path()), original);
    const lua::WriteOutcome outcome = doc.applyEdit("<x>...[][3]", true);
    QVERIFY(outcome.written);
    QCOMPARE(outcome.failure, lua::WriteFailure::None);
    QCOMPARE(enginetest::readBytes(doc.path()), std::string("-- c\r\nx = 3\r\ny   = 2\r\n"));
    QCOMPARE(doc.text(), std::string("-- c\nx = 3\ny   = 2\n"));
}

void EditsTest::replaceText()
{
    enginetest::LoadedText loaded("long_name = 1\nother = 2\n");
    lua::LuaDocument& doc = loaded.doc;
    QVERIFY(doc.replaceText("x = 5\n", true).written);
    QCOMPARE(enginetest::readBytes(doc.path()), std::string("x = 5\n"));
    QCOMPARE(doc.text(), std::string("x = 5\n"));
    QVERIFY(doc.statementByKey("long_name"));  // the tree waits for the caller to reload
    // An edit through the old tree cannot reach outside the new, shorter text.
    static_cast<void>(doc.applyEdit("<other>...[][3]", false));
    QCOMPARE(doc.text(), std::string("x = 5\nother = 3\n"));
    QVERIFY(doc.replaceText("y = 1\n", false).written);
    QCOMPARE(enginetest::readBytes(doc.path()), std::string("x = 5\n"));
}

void EditsTest::openStatementAtEndLeavesCommentsText()
{
    // The load ends inside the open table, and the parse after an edit starts in that
    // state, where the comment-line test is off: the first line's "for" is still text, as
    // it is to Lua, so the edited text reads as a fresh load of it does.
    enginetest::LoadedText loaded("-- for a while\nx = 1\nt = {\n");
    lua::LuaDocument& doc = loaded.doc;
    QVERIFY(doc.statementByKey("x"));
    static_cast<void>(doc.applyEdit("<x>...[][2]", false));
    QCOMPARE(doc.text(), std::string("-- for a while\nx = 2\nt = {\n"));
    QCOMPARE(doc.statementByKey("x")->value, std::string("2"));
    QCOMPARE(enginetest::treeSnapshot(doc), enginetest::treeSnapshot(enginetest::LoadedText(doc.text()).doc));
}

QTEST_APPLESS_MAIN(EditsTest)
#include "tst_edits.moc"
