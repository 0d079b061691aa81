// Edits that keep the layout of their statement: the key or value of one field or item
// is found in the text and replaced there, comments and blanks around it untouched.
#include <algorithm>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

namespace lua {

namespace {

using Span = std::pair<int, int>;  // [first, last + 1) in the text

// The statement's text with what its comments cover marked, read the way the parser
// reads a statement: comments first, then strings and brackets in what is left.
class StatementText {
public:
    StatementText(std::string_view whole, int first, int afterLast) : text(whole), end(afterLast)
    {
        for (const auto& [from, to] : commentRanges(whole.substr(first, afterLast - first)))
            comments.emplace_back(from + first, to + first);
    }

    bool counts(int i) const { return !inComment(comments, i) && !isBlank(text[i]); }

    // The span without blanks and comments at either end; none when nothing is left.
    std::optional<Span> trimmed(Span span) const
    {
        int first = span.first;
        int last = span.second - 1;
        while (first <= last && !counts(first))
            ++first;
        while (last >= first && !counts(last))
            --last;
        return first <= last ? std::optional<Span>(Span{first, last + 1}) : std::nullopt;
    }

    // Item n of the list whose opening bracket is at `open`, split as the parser splits
    // items: at "," outside strings and brackets, brackets inside strings counted too.
    std::optional<Span> item(int open, std::size_t n) const
    {
        int depth = 0;
        bool outside = true;
        int itemStart = open + 1;
        std::size_t index = 0;
        for (int i = open + 1; i < end; ++i) {
            if (inComment(comments, i))
                continue;
            const char c = text[i];
            if (c == '"')
                outside = !outside;
            else if (isOpeningBracket(c))
                ++depth;
            else if (isClosingBracket(c))
                --depth;
            const bool endsList = depth < 0;
            if (endsList || (outside && depth == 0 && c == ',')) {
                if (index == n)
                    return trimmed({itemStart, i});
                if (endsList)
                    return std::nullopt;
                ++index;
                itemStart = i + 1;
            }
        }
        return std::nullopt;
    }

    // The first "=" of a span outside comments, -1 without one.
    int equalsSign(Span span) const
    {
        for (int i = span.first; i < span.second; ++i) {
            if (text[i] == '=' && !inComment(comments, i))
                return i;
        }
        return -1;
    }

    bool holds(const std::optional<Span>& span, const std::string& expected) const
    {
        return span && text.substr(span->first, span->second - span->first) == expected;
    }

    // Whether the span reads as the parser read it: the text without its comments, trimmed.
    bool readsAs(const std::optional<Span>& span, const std::string& expected) const
    {
        if (!span)
            return false;
        std::string kept;
        for (int i = span->first; i < span->second; ++i) {
            if (!inComment(comments, i))
                kept.push_back(text[i]);
        }
        return trim(kept) == expected;
    }

    std::string_view text;
    int end;
    std::vector<CommentRange> comments;
};

}  // namespace

std::optional<std::pair<int, int>> LuaDocument::placeOf(const LuaNode& target, bool key) const
{
    std::vector<const LuaNode*> chain;  // from the statement down to the node
    for (const LuaNode* n = &target; n; n = n->parent)
        chain.push_back(n);
    std::reverse(chain.begin(), chain.end());
    const LuaNode& top = *chain.front();
    if (top.startPos < 0 || top.endPos >= static_cast<int>(text_.size()))
        return std::nullopt;
    const StatementText statement(text_, top.startPos, top.endPos + 1);
    const int eq = statement.equalsSign({top.startPos, top.endPos + 1});
    std::optional<Span> value = eq == -1 ? std::nullopt : statement.trimmed({eq + 1, top.endPos + 1});
    if (!statement.readsAs(value, top.value))
        return std::nullopt;
    std::optional<Span> keySpan;
    for (std::size_t d = 1; d < chain.size(); ++d) {
        const LuaNode& table = *chain[d - 1];
        const LuaNode& child = *chain[d];
        const auto position = static_cast<std::size_t>(
            std::find_if(table.children.begin(), table.children.end(), [&](const auto& c) { return c.get() == &child; })
            - table.children.begin());
        const char opener = table.kind == LuaValueKind::Call ? '(' : '{';
        const auto open = text_.find(opener, static_cast<std::size_t>(value->first));
        if (open == std::string::npos || static_cast<int>(open) >= value->second)
            return std::nullopt;
        const std::optional<Span> item = statement.item(static_cast<int>(open), position);
        if (!item)
            return std::nullopt;
        keySpan.reset();
        value = item;
        if (table.kind == LuaValueKind::Record) {
            const int sign = statement.equalsSign(*item);
            if (sign == -1)
                return std::nullopt;
            keySpan = statement.trimmed({item->first, sign});
            value = statement.trimmed({sign + 1, item->second});
            if (!statement.readsAs(keySpan, child.key))
                return std::nullopt;
        }
        if (!statement.readsAs(value, child.value))
            return std::nullopt;
    }
    // A key is replaced only where it stands exactly as read. A value goes with the comments
    // inside it (a table's, when the whole table is written anew), but no others.
    if (key && !statement.holds(keySpan, target.key))
        return std::nullopt;
    if (key)
        return keySpan;
    return chain.size() > 1 ? value : std::nullopt;
}

}  // namespace lua
