// The scanning primitives: the documented cases, and the stateful scanners checked
// against straightforward renderings of the primitives on random texts.
#include <QtTest>

#include <random>
#include <regex>
#include <stdexcept>

#include "LuaScan.h"
#include "LuaScanners.h"

using namespace lua;

namespace {

// Straight from the item splitter's description: counts from scratch for each n.
std::string referenceItem(std::string_view s, int n, bool call)
{
    std::string t = call ? trim(s.substr(s.find('('))) : trim(s);
    const char endMarker = call ? ')' : '}';
    if (t.size() < 2)
        return {};
    const int last = static_cast<int>(t.size()) - 1;
    int depth = 0, count = -1, i = 1;
    bool outside = true;
    for (;; ++i) {
        if (i > last)
            return {};
        if (t[i] == '"')
            outside = !outside;
        else if (isOpeningBracket(t[i]))
            ++depth;
        else if (isClosingBracket(t[i]))
            --depth;
        if (outside && depth <= 0 && (t[i] == ',' || i == last))
            ++count;
        if (count == n)
            break;
    }
    int d = depth, start = -1;
    bool o = outside;
    for (int p = i - 1; p >= 0; --p) {
        if (t[p] == '"')
            o = !o;
        else if (isClosingBracket(t[p]))
            ++d;
        else if (isOpeningBracket(t[p]))
            --d;
        if (o && d <= depth && (t[p] == ',' || p == 0)) {
            start = p;
            break;
        }
    }
    if (start == -1) {
        const auto opener = t.rfind(call ? '(' : '{', i - 1);
        start = opener == std::string::npos ? -1 : static_cast<int>(opener);
    }
    const std::string item = trim(t.substr(start + 1, i - 1 - start));
    return firstNonSpace(item, 0) == -1 || item == std::string(1, endMarker) ? std::string() : item;
}

bool referenceValueIsClosed(std::string_view s, int eq)
{
    const auto ranges = commentRanges(s);
    const auto commented = [&](int i) {
        for (const auto& [first, last] : ranges) {
            if (first <= i && i <= last)
                return true;
        }
        return false;
    };
    int i = eq;
    while (i < static_cast<int>(s.size()) && !(isOpeningBracket(s[i]) && !commented(i)))
        ++i;
    if (i >= static_cast<int>(s.size()))
        return true;
    int depth = 1;
    for (int j = i + 1; j < static_cast<int>(s.size()) && depth > 0; ++j) {
        if (s[j] == s[i] && !commented(j))
            ++depth;
        else if (s[j] == bracketPartner(s[i]) && !commented(j))
            --depth;
    }
    return depth == 0;
}

// Random texts over a small alphabet rich in the characters the primitives care about.
std::string randomText(std::mt19937& random, int maxLength)
{
    static const std::string alphabet = "{}()[]<>,\"=- \n\tabif1.end";
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    std::string text(length(random), ' ');
    for (char& c : text)
        c = alphabet[pick(random)];
    return text;
}

}  // namespace

class ScanTest : public QObject {
    Q_OBJECT

private slots:
    void findText_data();
    void findText();
    void findWord_data();
    void findWord();
    void blanks();
    void trim_data();
    void trim();
    void commentRanges_data();
    void commentRanges();
    void valueIsClosed_data();
    void valueIsClosed();
    void tableItem_data();
    void tableItem();
    void callItem();
    void parseBracketedKey_data();
    void parseBracketedKey();
    void conversionErrors();
    void findOutsideBrackets_data();
    void findOutsideBrackets();
    void splitterMatchesItemRule();
    void closureScanMatchesValueIsClosed();
    void commentLineMatchesPattern();
    void wordIndexMatchesFindWord();
};

void ScanTest::findText_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected");
    QTest::newRow("comment marker") << "ab--c" << "--" << 0 << 2;
    QTest::newRow("overlapping start") << "aaab" << "aab" << 0 << 1;
    QTest::newRow("from skips earlier") << "a-a-" << "-" << 2 << 3;
    QTest::newRow("absent") << "abc" << "x" << 0 << -1;
    QTest::newRow("from past the end") << "abc" << "c" << 7 << -1;
    QTest::newRow("negative from") << "abc" << "a" << -1 << -1;
}

void ScanTest::findText()
{
    QFETCH(QString, s);
    QFETCH(QString, pattern);
    QFETCH(int, from);
    QFETCH(int, expected);
    QCOMPARE(lua::findText(s.toStdString(), pattern.toStdString(), from), expected);
}

void ScanTest::findWord_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected");
    QTest::newRow("elseif is not if") << "elseif x" << "if" << 0 << -1;
    QTest::newRow("if at start") << "if x" << "if" << 0 << 0;
    QTest::newRow("no look-behind at from") << "xif" << "if" << 1 << 1;
    QTest::newRow("word char after") << "iffy if" << "if" << 0 << 5;
    QTest::newRow("underscore is a word char") << "_end end" << "end" << 0 << 5;
    QTest::newRow("case-sensitive") << "End end" << "end" << 0 << 4;
    QTest::newRow("at the very end") << "x=end" << "end" << 0 << 2;
}

void ScanTest::findWord()
{
    QFETCH(QString, s);
    QFETCH(QString, word);
    QFETCH(int, from);
    QFETCH(int, expected);
    QCOMPARE(lua::findWord(s.toStdString(), word.toStdString(), from), expected);
}

void ScanTest::blanks()
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
    // Vertical tab and form feed are blanks too.
    QCOMPARE(firstNonSpace("\v\fx", 0), 2);
}

void ScanTest::trim_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("expected");
    QTest::newRow("both ends") << " \t{1, 2}\r\n" << "{1, 2}";
    QTest::newRow("inner blanks kept") << "a  b" << "a  b";
    QTest::newRow("all blanks unchanged") << " \t " << " \t ";
    QTest::newRow("empty") << "" << "";
}

void ScanTest::trim()
{
    QFETCH(QString, s);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(lua::trim(s.toStdString())), expected);
}

void ScanTest::commentRanges_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<QList<int>>("expected");  // first, last, first, last, ...
    QTest::newRow("trailing comment") << "a = 1 -- x\nb = 2" << QList<int>{6, 10};
    QTest::newRow("long bracket is a line comment") << "--[[ a\nb ]] c" << QList<int>{0, 6};
    QTest::newRow("no LF") << "x -- y" << QList<int>{2, 5};
    QTest::newRow("inside a string too") << "s = \"a -- b\"\nt" << QList<int>{7, 12};
    QTest::newRow("two comments") << "--a\n--b\n" << QList<int>{0, 3, 4, 7};
    QTest::newRow("dashes run") << "---\nx" << QList<int>{0, 3};
    QTest::newRow("none") << "a - b" << QList<int>{};
}

void ScanTest::commentRanges()
{
    QFETCH(QString, s);
    QFETCH(QList<int>, expected);
    QList<int> found;
    for (const auto& [first, last] : lua::commentRanges(s.toStdString()))
        found << first << last;
    QCOMPARE(found, expected);
    const auto ranges = lua::commentRanges(s.toStdString());
    for (int i = 0; i < s.size(); ++i) {
        bool expectedIn = false;
        for (int r = 0; r < expected.size(); r += 2)
            expectedIn = expectedIn || (expected[r] <= i && i <= expected[r + 1]);
        QCOMPARE(inComment(ranges, i), expectedIn);
    }
}

void ScanTest::valueIsClosed_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<bool>("closed");
    QTest::newRow("open brace") << "t = {" << false;
    QTest::newRow("brace in comment") << "t = { -- }" << false;
    QTest::newRow("no bracket") << "x = 5" << true;
    QTest::newRow("closed on a later line") << "t = {\n a = 1,\n}\n" << true;
    QTest::newRow("only the first kind counts") << "f = base({\n" << false;
    QTest::newRow("other kind ignored") << "f = (a}" << false;
    QTest::newRow("bracket before eq ignored") << "t[1] = 5" << true;
    QTest::newRow("quotes ignored") << "s = { \"}\"" << true;
    QTest::newRow("nested same kind") << "t = {{}" << false;
}

void ScanTest::valueIsClosed()
{
    QFETCH(QString, s);
    QFETCH(bool, closed);
    const std::string text = s.toStdString();
    QCOMPARE(lua::valueIsClosed(text, static_cast<int>(text.find('='))), closed);
}

void ScanTest::tableItem_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("record field") << "{a = 1, b = {2, 3}}" << 1 << "b = {2, 3}";
    QTest::newRow("empty table") << "{}" << 0 << "";
    QTest::newRow("after trailing comma") << "{1, 2,}" << 2 << "";
    QTest::newRow("last plain item") << "{ 0, 0, 255 }" << 2 << "255";
    QTest::newRow("nested first item") << "{ {1,2}, 3 }" << 0 << "{1,2}";
    QTest::newRow("tab inside") << "{0,\t82 ,199}" << 1 << "82";
    QTest::newRow("comma in string") << "{\"a,b\", c}" << 0 << "\"a,b\"";
    QTest::newRow("empty middle item") << "{1, , 3}" << 1 << "";
    QTest::newRow("item after an empty one") << "{1, , 3}" << 2 << "3";
    QTest::newRow("beyond the end") << "{1}" << 3 << "";
    // "<" counts as a bracket, so the comma is not counted and item 0 is found
    // backwards from the end, after that same comma.
    QTest::newRow("comparison disturbs splitting") << "{a < b, c}" << 0 << "c";
    QTest::newRow("one character") << "{" << 0 << "";
}

void ScanTest::tableItem()
{
    QFETCH(QString, s);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(lua::tableItem(s.toStdString(), n)), expected);
}

void ScanTest::callItem()
{
    QCOMPARE(lua::callItem("f(a, {1, 2})", 1), std::string("{1, 2}"));
    QCOMPARE(lua::callItem("f(\"a, b\", c)", 0), std::string("\"a, b\""));
    QCOMPARE(lua::callItem("f(\"a, b\", c)", 1), std::string("c"));
    QCOMPARE(lua::callItem("base({x = 1})", 0), std::string("{x = 1}"));
    QCOMPARE(lua::callItem("f()", 0), std::string());
    try {
        lua::callItem("{1, 2}", 0);
        QFAIL("a text without \"(\" must throw");
    } catch (const std::out_of_range& e) {
        QCOMPARE(std::string(e.what()), std::string("invalid string position"));
    }
}

void ScanTest::parseBracketedKey_data()
{
    QTest::addColumn<QString>("s");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << "[20000]" << 20000;
    QTest::newRow("blanks") << "[ 7 ]" << 7;
    QTest::newRow("negative") << "[-5]" << -5;
    QTest::newRow("stops at first non-digit") << "[12ab]" << 12;
    QTest::newRow("tab") << "[\t5000]" << 5000;
}

void ScanTest::parseBracketedKey()
{
    QFETCH(QString, s);
    QFETCH(int, expected);
    QCOMPARE(lua::parseBracketedKey(s.toStdString()), expected);
}

void ScanTest::conversionErrors()
{
    const auto message = [](auto call) -> std::string {
        try {
            call();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "no exception";
    };
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
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected");
    QTest::newRow("after top-level key") << "<a.b>.[0]..." << 0 << 5;
    QTest::newRow("blank after group") << "<R> .<a>..." << 0 << 4;
    QTest::newRow("nested group") << "[a[.]b].x" << 0 << 7;
    QTest::newRow("unclosed group") << "<a.b" << 0 << -1;
    QTest::newRow("group closed by another kind") << "(a].b" << 0 << 3;
    // The character after a group is only compared, so "<a>[." is searched as
    // "<a>", "[", "." and the "." inside the second group is found.
    QTest::newRow("second group not skipped") << "<a>[.]" << 0 << 4;
    QTest::newRow("none") << "abc" << 0 << -1;
}

void ScanTest::findOutsideBrackets()
{
    QFETCH(QString, s);
    QFETCH(int, from);
    QFETCH(int, expected);
    QCOMPARE(lua::findOutsideBrackets(s.toStdString(), '.', from), expected);
}

void ScanTest::splitterMatchesItemRule()
{
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const bool call = round % 3 == 0;
        std::string text = (call ? "f(" : "{") + randomText(random, 40);
        for (int n = 0; n < 8; ++n) {
            const std::string expected = referenceItem(text, n, call);
            const std::string actual = call ? lua::callItem(text, n) : lua::tableItem(text, n);
            if (actual != expected)
                QFAIL(qPrintable(QString("item %1 of [%2]").arg(n).arg(QString::fromStdString(text))));
        }
    }
}

void ScanTest::closureScanMatchesValueIsClosed()
{
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(random, 60);
        const int eq = static_cast<int>(text.find('='));
        if (eq < 0)
            continue;
        QCOMPARE(lua::valueIsClosed(text, eq), referenceValueIsClosed(text, eq));
        // Fed line by line, as the parser does, the answer after each line is the same.
        ValueClosureScan scan(eq);
        for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', end + 1)) {
            const std::string_view pending(text.data(), end + 1);
            scan.feed(pending);
            QCOMPARE(scan.isClosed(), referenceValueIsClosed(pending, eq));
        }
    }
}

void ScanTest::commentLineMatchesPattern()
{
    const std::regex pattern(commentLinePattern);
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(random, 12);
        QCOMPARE(isCommentLine(text), std::regex_search(text, pattern));
    }
}

void ScanTest::wordIndexMatchesFindWord()
{
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        const std::string text = randomText(random, 80);
        const std::vector<std::string> words{"if", "end", "f"};
        const std::vector<WordIndex> indexes = WordIndex::build(text, words);
        for (std::size_t w = 0; w < words.size(); ++w) {
            for (int from = -1; from <= static_cast<int>(text.size()) + 1; ++from)
                QCOMPARE(indexes[w].find(from), lua::findWord(text, words[w], from));
        }
    }
}

QTEST_APPLESS_MAIN(ScanTest)
#include "tst_scan.moc"
