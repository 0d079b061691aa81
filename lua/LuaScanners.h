#pragma once
// Stateful forms of the scanning primitives, for the parser: they give the same
// answers as the primitives of LuaScan.h but keep their place, so that a statement
// growing line by line, or a table read item by item, is scanned once instead of
// from the start on every call.
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "lua/LuaScan.h"

namespace lua {

// valueIsClosed(s, eq), fed with a statement that grows by whole lines (every fed
// text but the last of the document ends in LF, so no comment marker or long string
// straddles two feeds).
class ValueClosureScan {
public:
    explicit ValueClosureScan(int eq) : eq_(eq) { }
    // s is the whole statement so far; only the part not yet seen is scanned.
    void feed(std::string_view s);
    bool isClosed() const { return opener_ == '\0' || closed_; }

private:
    int eq_;
    int next_ = 0;
    TextReader reader_;
    char opener_ = '\0';
    char partner_ = '\0';
    int depth_ = 0;
    bool closed_ = false;
};

// The item splitter of tableItem/callItem, yielding items 0, 1, 2, ... in turn.
// next() gives what tableItem/callItem would give for the next n; "" for an empty
// item and for every call after the list has ended. A work limit (characters
// stepped over) ends the list early; the parser sets one so that a broken table
// whose items overlap cannot make it scan for ever.
class ItemSplitter {
public:
    // trimmedList must outlive the splitter.
    ItemSplitter(std::string_view trimmedList, char listOpener, char endMarker,
                 std::size_t workLimit = std::numeric_limits<std::size_t>::max());
    std::string next();
    std::size_t work() const { return work_; }

private:
    int itemStart();

    std::string_view t_;
    TextReader reader_;
    std::vector<CommentRange> texts_;  // the strings and comments in t_[1 .. i_], in order
    char listOpener_;
    char endMarker_;
    std::size_t workLimit_;
    std::size_t work_ = 0;
    int i_ = 0;
    int depth_ = 0;
    bool ended_ = false;
    int previousEnd_ = -1;   // where the previous item ended, -1 before the first
    int previousDepth_ = 0;  // the depth there
};

// Whether characters of a text are code, asked in text order: each character is read at
// most once, and a line that holds no character asked about is passed over unread, since
// every line starts in code (see TextReader).
class CodeCursor {
public:
    // s must outlive the cursor; s[0] starts code.
    explicit CodeCursor(std::string_view s) : s_(s) { }
    // i not below the previous call's.
    bool isCode(int i);

private:
    std::string_view s_;
    TextReader reader_;
    int next_ = 0;      // the first character the reader has not read
    bool code_ = true;  // the answer for next_ - 1
};

// findWord(text, word, from) answered from an index of the word's occurrences in code
// (text read by TextReader from its start: words in strings and comments are not
// there), so that repeated searches over one text (block skipping) stay cheap.
class WordIndex {
public:
    // One index per word, all made in one pass; the words consist of word characters.
    static std::vector<WordIndex> build(std::string_view text, const std::vector<std::string>& words);
    int find(int from) const;

private:
    std::vector<int> endBounded_;  // occurrences not followed by a word character
    std::vector<int> wholeWords_;  // those also not preceded by a word character
};

}  // namespace lua
