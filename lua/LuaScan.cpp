#include "lua/LuaScan.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <iterator>
#include <stdexcept>

#include "lua/LuaScanners.h"

namespace lua {

const std::vector<std::string> blockOpeners{"function", "if", "for", "while"};
const std::string blockCloser{"end"};
const std::string localMarker{"local"};
const std::string functionWord{"function"};
const std::string commentMarker{"--"};

namespace {

std::array<char, 256> bracketPairs{};
bool bracketPairsBuilt = false;

int length(std::string_view s) { return static_cast<int>(s.size()); }

// Item n of a list (none for a negative n); the items before it are stepped over,
// empty ones included.
std::string nthItem(ItemSplitter items, int n)
{
    std::string item;
    for (int k = 0; k <= n; ++k)
        item = items.next();
    return item;
}

}  // namespace

void buildBracketPairs()
{
    bracketPairs.fill('\0');
    for (const auto& [open, close] : {std::pair{'(', ')'}, {'[', ']'}, {'{', '}'}, {'<', '>'}}) {
        bracketPairs[static_cast<unsigned char>(open)] = close;
        bracketPairs[static_cast<unsigned char>(close)] = open;
    }
    bracketPairsBuilt = true;
}

char bracketPartner(char c)
{
    if (!bracketPairsBuilt)
        buildBracketPairs();
    return bracketPairs[static_cast<unsigned char>(c)];
}

int findText(std::string_view s, std::string_view pattern, int from)
{
    if (from < 0 || from > length(s))
        return -1;
    const auto found = s.find(pattern, static_cast<std::size_t>(from));
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

int findWord(std::string_view s, std::string_view word, int from)
{
    if (word.empty())
        return -1;
    for (int i = findText(s, word, from); i != -1; i = findText(s, word, i + 1)) {
        const int after = i + length(word);
        const bool endsWord = after >= length(s) || !isWordChar(s[after]);
        const bool startsWord = i == from || !isWordChar(s[i - 1]);
        if (endsWord && startsWord)
            return i;
    }
    return -1;
}

int firstNonSpace(std::string_view s, int from)
{
    if (from < 0)
        return -1;
    for (int i = from; i < length(s); ++i) {
        if (!isBlank(s[i]))
            return i;
    }
    return -1;
}

namespace {

// Shared by lastNonSpace and lastSpace: the last index <= at whose blankness is wanted.
int lastWithBlankness(std::string_view s, int at, bool blank)
{
    if (at == -1)
        at = length(s) - 1;
    for (int i = std::min(at, length(s) - 1); i >= 0; --i) {
        if (isBlank(s[i]) == blank)
            return i;
    }
    return -1;
}

}  // namespace

int lastNonSpace(std::string_view s, int at) { return lastWithBlankness(s, at, false); }
int lastSpace(std::string_view s, int at) { return lastWithBlankness(s, at, true); }

std::string_view trimmedView(std::string_view s)
{
    const int first = firstNonSpace(s, 0);
    if (first == -1)
        return s;
    return s.substr(first, lastNonSpace(s, -1) - first + 1);
}

std::string trim(std::string_view s) { return std::string(trimmedView(s)); }

std::size_t TextReader::longStringEnd(std::string_view s, std::size_t open)
{
    std::size_t bracket = open + 1;
    while (bracket < s.size() && s[bracket] == '=')
        ++bracket;
    if (bracket >= s.size() || s[bracket] != '[')
        return 0;
    const std::string closing = "]" + std::string(bracket - open - 1, '=') + "]";
    const std::string_view line = s.substr(0, s.find('\n', bracket));
    const std::size_t close = line.find(closing, bracket + 1);
    return close == std::string_view::npos ? 0 : close + closing.size() - 1;
}

namespace {

int lineStartOf(std::string_view s, int i)
{
    const auto lf = i > 0 ? s.rfind('\n', static_cast<std::size_t>(i - 1)) : std::string_view::npos;
    return lf == std::string_view::npos ? 0 : static_cast<int>(lf) + 1;
}

}  // namespace

std::vector<CommentRange> commentRanges(std::string_view s)
{
    // Only a line holding "--" can hold a comment, and a line reads the same on its own,
    // so only those lines are read.
    std::vector<CommentRange> ranges;
    for (int marker = findText(s, commentMarker, 0); marker != -1;) {
        TextReader reader;
        int i = lineStartOf(s, marker);
        while (i < length(s) && s[i] != '\n' && reader.step(s, static_cast<std::size_t>(i)) != CharRole::Comment)
            ++i;
        const int lineEnd = findText(s, "\n", i);
        const int last = lineEnd == -1 ? length(s) - 1 : lineEnd;
        if (i < length(s) && s[i] != '\n')
            ranges.emplace_back(i, last);
        marker = findText(s, commentMarker, last + 1);
    }
    return ranges;
}

std::vector<CommentRange> textRanges(std::string_view s)
{
    std::vector<CommentRange> ranges;
    TextReader reader;
    for (int i = 0; i < length(s); ++i) {
        if (reader.step(s, static_cast<std::size_t>(i)) == CharRole::Code)
            continue;
        if (!ranges.empty() && ranges.back().second == i - 1)
            ranges.back().second = i;
        else
            ranges.emplace_back(i, i);
    }
    return ranges;
}

bool inComment(const std::vector<CommentRange>& ranges, int i)
{
    auto after = std::upper_bound(ranges.begin(), ranges.end(), i,
                                  [](int index, const CommentRange& r) { return index < r.first; });
    return after != ranges.begin() && i <= std::prev(after)->second;
}

int findInCode(std::string_view s, char c)
{
    TextReader reader;
    for (int i = 0; i < length(s); ++i) {
        if (reader.step(s, static_cast<std::size_t>(i)) == CharRole::Code && s[i] == c)
            return i;
    }
    return -1;
}

bool isCommentLine(std::string_view s)
{
    const int first = firstNonSpace(s, 0);
    return first != -1 && s.substr(first, 2) == commentMarker;
}

bool valueIsClosed(std::string_view s, int eq)
{
    ValueClosureScan scan(eq);
    scan.feed(s);
    return scan.isClosed();
}

std::string tableItem(std::string_view s, int n) { return nthItem(ItemSplitter(trimmedView(s), '{', '}'), n); }

std::string callItem(std::string_view s, int n)
{
    const auto open = s.find('(');
    if (open == std::string_view::npos)
        throw std::out_of_range("invalid string position");
    return nthItem(ItemSplitter(trimmedView(s.substr(open)), '(', ')'), n);
}

int toInt(std::string_view s)
{
    const std::string text(s);
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin)
        throw std::invalid_argument("invalid stoi argument");
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        throw std::out_of_range("stoi argument out of range");
    return static_cast<int>(value);
}

int parseBracketedKey(std::string_view s)
{
    if (s.empty())
        throw std::out_of_range("invalid string position");
    const std::string_view inner = s.size() >= 2 ? s.substr(1, s.size() - 2) : std::string_view{};
    return toInt(trim(inner));
}

int findOutsideBrackets(std::string_view s, char ch, int from)
{
    if (from < 0)
        return -1;
    for (int i = from; i < length(s); ++i) {
        if (!isOpeningBracket(s[i])) {
            if (s[i] == ch)
                return i;
            continue;
        }
        int count = 0;
        int j = i;
        do {
            if (isOpeningBracket(s[j]))
                ++count;
            else if (isClosingBracket(s[j]))
                --count;
            ++j;
        } while (count != 0 && j < length(s));
        if (count != 0 || j >= length(s))
            return -1;
        // The character right after a group is only compared, never taken as the
        // start of another group: "<a>[b]" is searched as "<a>", "[", "b", "]".
        if (s[j] == ch)
            return j;
        i = j;
    }
    return -1;
}

int matchingBracket(std::string_view s, int open)
{
    if (open < 0 || open >= length(s) || !isOpeningBracket(s[open]))
        return -1;
    const char partner = bracketPartner(s[open]);
    TextReader reader;
    int depth = 0;
    for (int i = open + 1; i < length(s); ++i) {
        if (reader.step(s, static_cast<std::size_t>(i)) != CharRole::Code)
            continue;
        if (depth == 0 && s[i] == partner)
            return i;
        if (isOpeningBracket(s[i]))
            ++depth;
        else if (isClosingBracket(s[i]))
            --depth;
    }
    return -1;
}

}  // namespace lua
