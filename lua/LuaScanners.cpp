#include "lua/LuaScanners.h"

#include <algorithm>

#include "lua/LuaScan.h"

namespace lua {

void ValueClosureScan::feed(std::string_view s)
{
    const int end = static_cast<int>(s.size());
    for (int j = next_; j < end; ++j) {
        const char c = s[j];
        const bool code = reader_.step(s, static_cast<std::size_t>(j)) == CharRole::Code;
        if (code && j >= eq_ && !closed_) {
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
    }
    next_ = std::max(next_, end);
}

ItemSplitter::ItemSplitter(std::string_view trimmedList, char listOpener, char endMarker, std::size_t workLimit)
    : t_(trimmedList),
      listOpener_(listOpener),
      endMarker_(endMarker),
      workLimit_(workLimit),
      ended_(t_.size() < 2)
{
}

std::string ItemSplitter::next()
{
    if (ended_ || work_ > workLimit_) {
        ended_ = true;
        return {};
    }
    const int last = static_cast<int>(t_.size()) - 1;
    // Forward: the item ends at the next "," (or the last character) that is code and
    // not inside brackets; the list's own opening bracket t_[0] is never looked at.
    bool found = false;
    while (!found && i_ < last) {
        const char c = t_[++i_];
        ++work_;
        if (reader_.step(t_, static_cast<std::size_t>(i_)) != CharRole::Code) {
            if (!texts_.empty() && texts_.back().second == i_ - 1)
                texts_.back().second = i_;
            else
                texts_.emplace_back(i_, i_);
            continue;
        }
        if (isOpeningBracket(c))
            ++depth_;
        else if (isClosingBracket(c))
            --depth_;
        found = depth_ <= 0 && (c == ',' || i_ == last);
    }
    if (!found) {
        ended_ = true;
        return {};
    }
    const int start = itemStart();
    previousEnd_ = i_;
    previousDepth_ = depth_;
    const std::string_view item = trimmedView(t_.substr(start + 1, i_ - 1 - start));
    if (firstNonSpace(item, 0) == -1 || (item.size() == 1 && item[0] == endMarker_))
        return {};
    return std::string(item);
}

int ItemSplitter::itemStart()
{
    // Shortcut for an item ended by a counted ",": no "," between it and the previous
    // counted one (or t_[0]) can qualify below, as it would have been counted too. So
    // the start is the previous counted "," if that is not deeper, and for the first
    // item t_[0] if its own bookkeeping, reversed, qualifies.
    if (t_[i_] == ',') {
        if (previousEnd_ != -1 && previousDepth_ <= depth_)
            return previousEnd_;
        const char first = t_[0];
        const int depthAtStart = isClosingBracket(first) ? 1 : isOpeningBracket(first) ? -1 : 0;
        if (previousEnd_ == -1 && depthAtStart <= depth_)
            return 0;
    }
    // Backward: the item starts after the nearest "," (or t_[0]) that is code where the
    // reversed bookkeeping is not deeper than at the item's end.
    int depth = depth_;
    auto text = texts_.rbegin();  // the last text that does not start after p
    for (int p = i_ - 1; p >= 0; --p) {
        const char c = t_[p];
        ++work_;
        while (text != texts_.rend() && text->first > p)
            ++text;
        if (text != texts_.rend() && p <= text->second)
            continue;
        if (isClosingBracket(c))
            ++depth;
        else if (isOpeningBracket(c))
            --depth;
        if (depth <= depth_ && (c == ',' || p == 0))
            return p;
    }
    const auto opener = t_.rfind(listOpener_, static_cast<std::size_t>(i_ - 1));
    return opener == std::string_view::npos ? -1 : static_cast<int>(opener);
}

bool CodeCursor::isCode(int i)
{
    if (i < next_)
        return code_;
    const auto lf = s_.substr(static_cast<std::size_t>(next_), static_cast<std::size_t>(i - next_)).rfind('\n');
    if (lf != std::string_view::npos) {
        reader_ = TextReader();
        next_ += static_cast<int>(lf) + 1;
    }
    for (; next_ <= i; ++next_)
        code_ = reader_.step(s_, static_cast<std::size_t>(next_)) == CharRole::Code;
    return code_;
}

std::vector<WordIndex> WordIndex::build(std::string_view text, const std::vector<std::string>& words)
{
    // A word of word characters that is not followed by another word character ends
    // where a run of word characters ends; it is a whole word when it is the whole run.
    // A run is all code or all text (no quote, "-" or "[" is a word character), and is
    // read only when it holds a word: the words are rare, and a line is read on its own.
    std::vector<WordIndex> indexes(words.size());
    const int size = static_cast<int>(text.size());
    CodeCursor code(text);
    for (int runStart = 0; runStart < size;) {
        if (!isWordChar(text[runStart])) {
            ++runStart;
            continue;
        }
        int runEnd = runStart;
        while (runEnd < size && isWordChar(text[runEnd]))
            ++runEnd;
        const std::string_view run = text.substr(runStart, runEnd - runStart);
        for (std::size_t w = 0; w < words.size(); ++w) {
            const std::string& word = words[w];
            if (run.size() < word.size() || run.substr(run.size() - word.size()) != word || !code.isCode(runStart))
                continue;
            indexes[w].endBounded_.push_back(runEnd - static_cast<int>(word.size()));
            if (run.size() == word.size())
                indexes[w].wholeWords_.push_back(runStart);
        }
        runStart = runEnd;
    }
    return indexes;
}

int WordIndex::find(int from) const
{
    // findWord does not look behind the start position itself.
    if (std::binary_search(endBounded_.begin(), endBounded_.end(), from))
        return from;
    const auto it = std::lower_bound(wholeWords_.begin(), wholeWords_.end(), from);
    return from < 0 || it == wholeWords_.end() ? -1 : *it;
}

}  // namespace lua
