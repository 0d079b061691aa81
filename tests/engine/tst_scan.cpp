// The scanning primitives on hand-checked cases, and their stateful forms (as the
// parser uses them) giving the same answers.
#include <QtTest>

#include <stdexcept>

#include "lua/LuaScan.h"
#include "lua/LuaScanners.h"

using namespace lua;

class ScanTest : public QObject {
    Q_OBJECT

private slots:
    void find_data();
    void find();
    void blanksAndTrim();
    void commentRanges_data();
    void commentRanges();
    void isCommentLine();
    void valueIsClosed_data();
    void valueIsClosed();
    void items_data();
    void items();
    void conversions();
    void findOutsideBrackets_data();
    void findOutsideBrackets();
};

void ScanTest::find_data()
{
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected");
    // clang-format off
    QTest::newRow("comment marker") << false << "ab--c" << "--" << 0 << 2;
    QTest::newRow("overlapping start") << false << "aaab" << "aab" << 0 << 1;
    QTest::newRow("from skips earlier") << false << "a-a-" << "-" << 2 << 3;
    QTest::newRow("absent") << false << "abc" << "x" << 0 << -1;
    QTest::newRow("from past the end") << false << "abc" << "c" << 7 << -1;
    QTest::newRow("negative from") << false << "abc" << "a" << -1 << -1;
    QTest::newRow("word: elseif is not if") << true << "elseif x" << "if" << 0 << -1;
    QTest::newRow("word: if at start") << true << "if x" << "if" << 0 << 0;
    QTest::newRow("word: no look-behind at from") << true << "xif" << "if" << 1 << 1;
    QTest::newRow("word: word char after") << true << "iffy if" << "if" << 0 << 5;
    QTest::newRow("word: underscore is a word char") << true << "_end end" << "end" << 0 << 5;
    QTest::newRow("word: case-sensitive") << true << "End end" << "end" << 0 << 4;
    QTest::newRow("word: at the very end") << true << "x=end" << "end" << 0 << 2;
    QTest::newRow("word: from after the only one") << true << "if x" << "if" << 1 << -1;
    QTest::newRow("word: negative from") << true << "if x" << "if" << -1 << -1;
    QTest::newRow("word: from past the end") << true << "if" << "if" << 3 << -1;
    // clang-format on
}

void ScanTest::find()
{
    QFETCH(bool, wholeWord);
    QFETCH(QString, s);
    QFETCH(QString, pattern);
    QFETCH(int, from);
    QFETCH(int, expected);
    const std::string text = s.toStdString();
    const std::string what = pattern.toStdString();
    if (!wholeWord) {
        QCOMPARE(lua::findText(text, what, from), expected);
        return;
    }
    QCOMPARE(lua::findWord(text, what, from), expected);
    QCOMPARE(WordIndex::build(text, {what}).front().find(from), expected);
}

void ScanTest::blanksAndTrim()
{
    const std::string s = " \t a b\r\n";
    QCOMPARE(firstNonSpace(s, 0), 3);
    QCOMPARE(firstNonSpace(s, 4), 5);
    QCOMPARE(firstNonSpace(s, 6), -1);
    QCOMPARE(lastNonSpace(s, -1), 5);
    QCOMPARE(lastNonSpace(s, 4), 3);
    QCOMPARE(lastNonSpace(s, 2), -1);
    QCOMPARE(lastSpace(s, -1), 7);
    QCOMPARE(lastSpace(s, 3), 2);
    QCOMPARE(lastSpace("abc", -1), -1);
    QCOMPARE(lastNonSpace("", -1), -1);
    QCOMPARE(firstNonSpace("\v\fx", 0), 2);
    QCOMPARE(lua::trim(" \t{1, 2}\r\n"), std::string("{1, 2}"));
    QCOMPARE(lua::trim("a  b"), std::string("a  b"));
    QCOMPARE(lua::trim(" \t "), std::string(" \t "));  // all blanks: unchanged
    QCOMPARE(lua::trim(""), std::string());
}

void ScanTest::commentRanges_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QList<int>>("expected");  // first, last, first, last, ...
    // clang-format off
    QTest::newRow("trailing comment") << "a = 1 -- x\nb = 2" << QList<int>{6, 10};
    QTest::newRow("long bracket is a line comment") << "--[[ a\nb ]] c" << QList<int>{0, 6};
    QTest::newRow("no LF") << "x -- y" << QList<int>{2, 5};
    QTest::newRow("not inside a string") << "s = \"a -- b\" -- c\nt" << QList<int>{13, 17};
    QTest::newRow("after a single-quoted string") << "s = 'a\\' --' --c" << QList<int>{13, 15};
    QTest::newRow("a string ends at its line") << "s = \"a\n-- b" << QList<int>{7, 10};
    QTest::newRow("two comments") << "--a\n--b\n" << QList<int>{0, 3, 4, 7};
    QTest::newRow("dashes run") << "---\nx" << QList<int>{0, 3};
    QTest::newRow("none") << "a - b" << QList<int>{};
    // clang-format on
}

void ScanTest::commentRanges()
{
    QFETCH(QString, s);
    QFETCH(QList<int>, expected);
    const auto ranges = lua::commentRanges(s.toStdString());
    QList<int> found;
    for (const auto& [first, last] : ranges)
        found << first << last;
    QCOMPARE(found, expected);
    for (int i = 0; i < s.size(); ++i) {
        bool expectedIn = false;
        for (int r = 0; r < expected.size(); r += 2)
            expectedIn = expectedIn || (expected[r] <= i && i <= expected[r + 1]);
        QCOMPARE(inComment(ranges, i), expectedIn);
    }
}

void ScanTest::isCommentLine()
{
    for (const char* line : {"--x", " \t-- note", "\n--", "---"})
        QVERIFY2(lua::isCommentLine(line), line);
    for (const char* line : {"", "  ", "-", "- -", "x -- y", "a--"})
        QVERIFY2(!lua::isCommentLine(line), line);
}

void ScanTest::valueIsClosed_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<bool>("closed");
    // clang-format off
    QTest::newRow("open brace") << "t = {" << false;
    QTest::newRow("brace in comment") << "t = { -- }" << false;
    QTest::newRow("comment ends at LF") << "t = { -- }\n}\n" << true;
    QTest::newRow("no bracket") << "x = 5" << true;
    QTest::newRow("closed on a later line") << "t = {\n a = 1,\n}\n" << true;
    QTest::newRow("only the first kind counts") << "f = base({\n" << false;
    QTest::newRow("other kind ignored") << "f = (a}" << false;
    QTest::newRow("bracket before eq ignored") << "t[1] = 5" << true;
    QTest::newRow("bracket in a string") << "s = { \"}\"" << false;
    QTest::newRow("quote of the other kind") << "s = { '\"}', \"'}\" }" << true;
    QTest::newRow("long string on its line") << "s = { [[}]] }" << true;
    QTest::newRow("long bracket open at the line end") << "s = [[\n]]\n" << true;
    QTest::newRow("nested same kind") << "t = {{}" << false;
    QTest::newRow("nested over lines") << "t = {\n{\n}\n}\n" << true;
    // clang-format on
}

void ScanTest::valueIsClosed()
{
    QFETCH(QString, s);
    QFETCH(bool, closed);
    const std::string text = s.toStdString();
    const int eq = static_cast<int>(text.find('='));
    QCOMPARE(lua::valueIsClosed(text, eq), closed);
    // Fed line by line, as the parser does, the answer after each line is the one
    // for the text so far.
    ValueClosureScan scan(eq);
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1)) {
        const std::string_view pending(text.data(), end + 1);
        scan.feed(pending);
        QCOMPARE(scan.isClosed(), lua::valueIsClosed(pending, eq));
    }
    scan.feed(text);
    QCOMPARE(scan.isClosed(), closed);
}

void ScanTest::items_data()
{
    QTest::addColumn<bool>("call");
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    // clang-format off
    QTest::newRow("record field") << false << "{a = 1, b = {2, 3}}" << 1 << "b = {2, 3}";
    QTest::newRow("empty table") << false << "{}" << 0 << "";
    QTest::newRow("after trailing comma") << false << "{1, 2,}" << 2 << "";
    QTest::newRow("last plain item") << false << "{ 0, 0, 255 }" << 2 << "255";
    QTest::newRow("nested first item") << false << "{ {1,2}, 3 }" << 0 << "{1,2}";
    QTest::newRow("tab inside") << false << "{0,\t82 ,199}" << 1 << "82";
    QTest::newRow("comma in string") << false << "{\"a,b\", c}" << 0 << "\"a,b\"";
    QTest::newRow("brackets in strings") << false << "{\"{%N\", '[%N', \"a\\\"}\"}" << 2 << "\"a\\\"}\"";
    QTest::newRow("empty middle item") << false << "{1, , 3}" << 1 << "";
    QTest::newRow("item after an empty one") << false << "{1, , 3}" << 2 << "3";
    QTest::newRow("beyond the end") << false << "{1}" << 3 << "";
    QTest::newRow("negative n") << false << "{1}" << -1 << "";
    // clang-format on
    // "<" counts as a bracket, so the comma is not counted and item 0 is found
    // backwards from the end, after that same comma.
    // clang-format off
    QTest::newRow("comparison disturbs splitting") << false << "{a < b, c}" << 0 << "c";
    QTest::newRow("one character") << false << "{" << 0 << "";
    QTest::newRow("unclosed quote hides the rest") << false << "{\"a, b}" << 0 << "";
    // clang-format on
    // Stray closers make the depth negative: an item then starts where the reversed
    // count first comes back to that depth, or at the list's own opener.
    // clang-format off
    QTest::newRow("stray closer in the first item") << false << "{1}, 2}" << 0 << "1}";
    QTest::newRow("item after a stray closer") << false << "{1}, 2}" << 1 << "2";
    QTest::newRow("stray closers after an item") << false << "{a, b)), c}" << 1 << "a, b))";
    QTest::newRow("call: table argument") << true << "f(a, {1, 2})" << 1 << "{1, 2}";
    QTest::newRow("call: comma in string") << true << "f(\"a, b\", c)" << 0 << "\"a, b\"";
    QTest::newRow("call: after a string") << true << "f(\"a, b\", c)" << 1 << "c";
    QTest::newRow("call: bracket in a string") << true << "f(\")\", c)" << 1 << "c";
    QTest::newRow("call: record argument") << true << "base({x = 1})" << 0 << "{x = 1}";
    QTest::newRow("call: no arguments") << true << "f()" << 0 << "";
    // clang-format on
}

void ScanTest::items()
{
    QFETCH(bool, call);
    QFETCH(QString, s);
    QFETCH(int, n);
    QFETCH(QString, expected);
    const std::string text = s.toStdString();
    QCOMPARE(QString::fromStdString(call ? lua::callItem(text, n) : lua::tableItem(text, n)), expected);
}

void ScanTest::conversions()
{
    QCOMPARE(lua::parseBracketedKey("[20000]"), 20000);
    QCOMPARE(lua::parseBracketedKey("[ 7 ]"), 7);
    QCOMPARE(lua::parseBracketedKey("[\t5000]"), 5000);
    QCOMPARE(lua::parseBracketedKey("[-5]"), -5);
    QCOMPARE(lua::parseBracketedKey("[12ab]"), 12);  // up to the first non-digit
    const auto message = [](auto call) -> std::string {
        try {
            call();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no exception";
    };
    QCOMPARE(message([] { lua::callItem("{1, 2}", 0); }), std::string("invalid string position"));
    QCOMPARE(message([] { lua::parseBracketedKey(""); }), std::string("invalid string position"));
    QCOMPARE(message([] { lua::parseBracketedKey("[x]"); }), std::string("invalid stoi argument"));
    QCOMPARE(message([] { lua::parseBracketedKey("["); }), std::string("invalid stoi argument"));
    QCOMPARE(message([] { lua::parseBracketedKey("[99999999999]"); }), std::string("stoi argument out of range"));
    QCOMPARE(message([] { lua::toInt("2147483648"); }), std::string("stoi argument out of range"));
    QCOMPARE(lua::toInt("-2147483648"), -2147483647 - 1);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, lua::toInt(" - 1"));
}

void ScanTest::findOutsideBrackets_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("expected");
    // clang-format off
    QTest::newRow("after top-level key") << "<a.b>.[0]..." << 5;
    QTest::newRow("blank after group") << "<R> .<a>..." << 4;
    QTest::newRow("nested group") << "[a[.]b].x" << 7;
    QTest::newRow("unclosed group") << "<a.b" << -1;
    QTest::newRow("group closed by another kind") << "(a].b" << 3;
    // clang-format on
    // The character after a group is only compared, so "<a>[." is searched as
    // "<a>", "[", "." and the "." inside the second group is found.
    // clang-format off
    QTest::newRow("second group not skipped") << "<a>[.]" << 4;
    QTest::newRow("none") << "abc" << -1;
    // clang-format on
}

void ScanTest::findOutsideBrackets()
{
    QFETCH(QString, s);
    QFETCH(int, expected);
    QCOMPARE(lua::findOutsideBrackets(s.toStdString(), '.', 0), expected);
}

QTEST_APPLESS_MAIN(ScanTest)
#include "tst_scan.moc"
