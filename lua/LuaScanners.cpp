#include "LuaScanners.h"

#include <algorithm>

#include "LuaScan.h"

namespace lua {

void ValueClosureScan::feed(std::string_view s)
{
    const int end = static_cast<int>(s.size());
    for (int j = next_; j < end; ++j) {
        const char c = s[j];
        // Comments are line comments found by a plain search for "--", quotes or not.
        if (!inComment_ && c == '-' && j + 1 < end && s[j + 1] == '-')
            inComment_ = true;
        if (!inComment_ && j >= eq_ && !closed_) {
            // Only the first bracket's own kind is counted.
            if (opener_ == '\0') {
                if (isOpeningBracket(c)) {
                    opener_ = c;
                    partner_ = bracketPartner(c);
                    depth_ = 1;
                }
            } else if (c == opener_) {
                ++depth_;
            } else if (c == partner_ && --depth_ == 0) {
                closed_ = true;
            }
        }
        if (inComment_ && c == '\n')
            inComment_ = false;
    }
    next_ = std::max(next_, end);
}

ItemSplitter::ItemSplitter(std::string trimmedList, char listOpener, char endMarker,
                           std::size_t workLimit)
    : t_(std::move(trimmedList)), listOpener_(listOpener), endMarker_(endMarker),
      workLimit_(workLimit), ended_(t_.size() < 2)
{
}

std::string ItemSplitter::next()
{
    if (ended_ || work_ > workLimit_) {
        ended_ = true;
        return {};
    }
    const int last = static_cast<int>(t_.size()) - 1;
    // Forward: the item ends at the next "," (or the last character) that is outside
    // strings and not inside brackets. Brackets inside strings are counted too, and
    // the list's own opening bracket t_[0] is never looked at.
    bool found = false;
    while (!found && i_ < last) {
        const char c = t_[++i_];
        ++work_;
        if (c == '"')
            outside_ = !outside_;
        else if (isOpeningBracket(c))
            ++depth_;
        else if (isClosingBracket(c))
            --depth_;
        found = outside_ && depth_ <= 0 && (c == ',' || i_ == last);
    }
    if (!found) {
        ended_ = true;
        return {};
    }
    // Backward: the item starts after the nearest "," (or t_[0]) where the reversed
    // bookkeeping is outside strings and not deeper than at the item's end.
    int depth = depth_;
    bool outside = outside_;
    int start = -1;
    for (int p = i_ - 1; p >= 0 && start == -1; --p) {
        const char c = t_[p];
        ++work_;
        if (c == '"')
            outside = !outside;
        else if (isClosingBracket(c))
            ++depth;
        else if (isOpeningBracket(c))
            --depth;
        if (outside && depth <= depth_ && (c == ',' || p == 0))
            start = p;
    }
    if (start == -1) {
        const auto opener = t_.rfind(listOpener_, static_cast<std::size_t>(i_ - 1));
        start = opener == std::string::npos ? -1 : static_cast<int>(opener);
    }
    std::string item = trim(std::string_view(t_).substr(start + 1, i_ - 1 - start));
    if (firstNonSpace(item, 0) == -1 || item == std::string(1, endMarker_))
        return {};
    return item;
}

WordIndex::WordIndex(std::string_view text, std::string_view word)
{
    const int size = static_cast<int>(text.size());
    for (int i = findText(text, word, 0); i != -1; i = findText(text, word, i + 1)) {
        const int after = i + static_cast<int>(word.size());
        if (after < size && isWordChar(text[after]))
            continue;
        endBounded_.push_back(i);
        if (i == 0 || !isWordChar(text[i - 1]))
            wholeWords_.push_back(i);
    }
}

int WordIndex::find(int from) const
{
    // findWord does not look behind the start position itself.
    if (std::binary_search(endBounded_.begin(), endBounded_.end(), from))
        return from;
    const auto it = std::lower_bound(wholeWords_.begin(), wholeWords_.end(), from);
    return from < 0 || it == wholeWords_.end() ? -1 : *it;
}

bool isCommentLine(std::string_view s)
{
    const int first = firstNonSpace(s, 0);
    return first != -1 && s.substr(first, 2) == commentMarker;
}

}  // namespace lua
