#pragma once
// Fixed words and byte-level scanning primitives of the Lua document engine.
// The engine does not tokenize Lua: it searches byte strings. Positions are
// int indices; -1 means "not found". A forward search from outside s finds nothing;
// a backward one from past its end starts at its last index.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lua {

// Fixed words, built during static initialisation.
extern const std::vector<std::string> blockOpeners;  // "function", "if", "for", "while" (in this order)
extern const std::string blockCloser;                // "end"
extern const std::string localMarker;                // "local"
extern const std::string functionWord;               // "function"
extern const std::string commentMarker;              // "--"

// Opening/closing brackets: ( [ { <  and  ) ] } >
// (Inline: the scanners call them for every character of every value.)
inline bool isOpeningBracket(char c) { return c == '(' || c == '[' || c == '{' || c == '<'; }
inline bool isClosingBracket(char c) { return c == ')' || c == ']' || c == '}' || c == '>'; }
// space, HT, LF, VT, FF, CR
inline bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// ASCII letters, digits, '_'
inline bool isWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
// A Lua name: word characters, not starting with a digit.
inline bool isName(std::string_view s)
{
    if (s.empty() || (s.front() >= '0' && s.front() <= '9'))
        return false;
    for (const char c : s) {
        if (!isWordChar(c))
            return false;
    }
    return true;
}

// Builds the bracket pair map; start-up calls it once before any document is parsed.
// Calling it again is harmless, and bracketPartner() builds it on first use as well.
void buildBracketPairs();
char bracketPartner(char c);  // partner of a bracket both ways, '\0' for any other character

int findText(std::string_view s, std::string_view pattern, int from);
int findWord(std::string_view s, std::string_view word, int from);
int firstNonSpace(std::string_view s, int from);
int lastNonSpace(std::string_view s, int at);  // at == -1: the last index
int lastSpace(std::string_view s, int at);     // at == -1: the last index
std::string trim(std::string_view s);
// s without leading and trailing blanks, as trim() gives it, but without a copy.
std::string_view trimmedView(std::string_view s);

using CommentRange = std::pair<int, int>;  // inclusive first and last index
std::vector<CommentRange> commentRanges(std::string_view s);
// ranges as commentRanges gives them: in text order, not overlapping.
bool inComment(const std::vector<CommentRange>& ranges, int i);
// A comment line is one where the regular expression "^\\s*--" is found: optional
// blanks, then "--", at the very start of s (a statement gathered so far).
bool isCommentLine(std::string_view s);

bool valueIsClosed(std::string_view s, int eq);
std::string tableItem(std::string_view s, int n);
// Throws std::out_of_range("invalid string position") when s has no "(".
std::string callItem(std::string_view s, int n);
// Throws std::out_of_range("invalid string position") for an empty s,
// std::invalid_argument("invalid stoi argument") / std::out_of_range("stoi argument out of range").
int parseBracketedKey(std::string_view s);
// The standard string-to-int conversion (leading blanks, a sign, digits up to the first
// other character), with the standard library's portable messages:
// std::invalid_argument("invalid stoi argument") / std::out_of_range("stoi argument out of range").
int toInt(std::string_view s);

int findOutsideBrackets(std::string_view s, char ch, int from);

}  // namespace lua
