#pragma once
// Fixed words and byte-level scanning primitives of the Lua document engine.
// The engine does not tokenize Lua: it searches byte strings, knowing only which of their
// characters are code and which are text (see TextReader). Positions are int indices; -1
// means "not found". A forward search from outside s finds nothing; a backward one from
// past its end starts at its last index.
#include <cstddef>
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

// What a character is to Lua: code, or part of a quoted string or a comment. Brackets,
// quotes, "--", "=" and words are structure only in code.
enum class CharRole : char { Code, String, Comment };

// Lua's reading of a text, one character after the other, from a place where code starts
// (a line's or a statement's start). A string opens with " or ', takes backslash escapes
// and ends at its closing quote or at the line's end; a long string ("[[...]]", "[=[...]=]")
// is one only when it closes on its own line. A comment runs from "--" to the line's end,
// its LF included ("--[[" too). Every string and comment thus ends with its line, so each
// line reads the same on its own, and a line-based gathering of statements never loses
// its place: a long bracket left open at the line's end stays brackets, as it always was.
class TextReader {
public:
    // The role of s[i]; i follows the index of the previous call (or is where reading starts).
    CharRole step(std::string_view s, std::size_t i)
    {
        const char c = s[i];
        switch (inside_) {
        case CharRole::Code:
            if (c == '"' || c == '\'') {
                inside_ = CharRole::String;
                quote_ = c;
            } else if (c == '-' && i + 1 < s.size() && s[i + 1] == '-') {
                inside_ = CharRole::Comment;
            } else if (c == '[' && i + 1 < s.size() && (s[i + 1] == '[' || s[i + 1] == '=')) {
                longEnd_ = longStringEnd(s, i);
                if (longEnd_ == 0)
                    return CharRole::Code;
                inside_ = CharRole::String;
                quote_ = '[';
            }
            return inside_;
        case CharRole::String:
            if (quote_ == '[') {
                if (i == longEnd_)
                    inside_ = CharRole::Code;
                return CharRole::String;
            }
            if (c == '\n') {
                inside_ = CharRole::Code;
                escaped_ = false;
                return CharRole::Code;
            }
            if (escaped_)
                escaped_ = false;
            else if (c == '\\')
                escaped_ = true;
            else if (c == quote_)
                inside_ = CharRole::Code;
            return CharRole::String;
        case CharRole::Comment:
            if (c == '\n')
                inside_ = CharRole::Code;
            return CharRole::Comment;
        }
        return CharRole::Code;
    }

private:
    // The index of the last "]" of the long string opened at s[open], when it closes on its
    // line; 0 when it does not, or when s[open] opens no long string ("[=x").
    static std::size_t longStringEnd(std::string_view s, std::size_t open);

    CharRole inside_ = CharRole::Code;
    char quote_ = '\0';  // '"', '\'', or '[' for a long string
    bool escaped_ = false;
    std::size_t longEnd_ = 0;
};

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
// The comments of s, read as TextReader reads from s's start.
std::vector<CommentRange> commentRanges(std::string_view s);
// The quoted strings and the comments of s (where Lua reads text), read likewise.
std::vector<CommentRange> textRanges(std::string_view s);
// ranges as commentRanges or textRanges gives them: in text order, not overlapping.
bool inComment(const std::vector<CommentRange>& ranges, int i);
// The first c that is code, s read from its start; -1 without one.
int findInCode(std::string_view s, char c);
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
// Where the group opened by the bracket s[open] closes: the first partner of s[open] at its
// depth, brackets of every kind counted, strings and comments inside it read as text (s[open
// + 1] is read as code). -1 when it does not close, or s[open] is no opening bracket.
int matchingBracket(std::string_view s, int open);

}  // namespace lua
