// Edits that keep the layout of their statement: the key or value of one field or item
// is found in the text and replaced there, comments and blanks around it untouched.
#include <algorithm>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"
#include "lua/LuaValues.h"

namespace lua {

namespace {

using Span = std::pair<int, int>;  // [first, last + 1) in the text

// The statement's text with what its comments and strings cover marked, read the way the
// parser reads a statement: comments and strings are text, brackets and commas count in
// the code left.
class StatementText {
public:
    StatementText(std::string_view whole, int first, int afterLast) : text(whole), end(afterLast)
    {
        const std::string_view statement = whole.substr(first, afterLast - first);
        for (const auto& [from, to] : commentRanges(statement))
            comments.emplace_back(from + first, to + first);
        for (const auto& [from, to] : textRanges(statement))
            texts.emplace_back(from + first, to + first);
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
    // items: at "," in code outside brackets.
    std::optional<Span> item(int open, std::size_t n) const
    {
        int depth = 0;
        int itemStart = open + 1;
        std::size_t index = 0;
        for (int i = open + 1; i < end; ++i) {
            if (inComment(texts, i))
                continue;
            const char c = text[i];
            if (isOpeningBracket(c))
                ++depth;
            else if (isClosingBracket(c))
                --depth;
            const bool endsList = depth < 0;
            if (endsList || (depth == 0 && c == ',')) {
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

    // The first "=" of a span in code, -1 without one.
    int equalsSign(Span span) const
    {
        for (int i = span.first; i < span.second; ++i) {
            if (text[i] == '=' && !inComment(texts, i))
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
    std::vector<CommentRange> texts;  // strings and comments
};

// One change of the text: at `at`, `length` characters give way to `text`.
struct Splice {
    int at;
    int length;
    std::string text;
};

// The positions of a kept old entry in the new list, or -1 where an entry was removed:
// the longest run of entries both lists hold in the same order.
std::vector<int> keptEntries(const LuaNode& before, const LuaNode& after)
{
    const std::size_t n = before.children.size();
    const std::size_t m = after.children.size();
    const auto same = [&](std::size_t i, std::size_t j) {
        return before.children[i]->key == after.children[j]->key
            && before.children[i]->value == after.children[j]->value;
    };
    std::vector<std::vector<int>> longest(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            longest[i][j] = same(i, j) ? longest[i + 1][j + 1] + 1 : std::max(longest[i + 1][j], longest[i][j + 1]);
    std::vector<int> kept(n, -1);
    for (std::size_t i = 0, j = 0; i < n && j < m;) {
        if (same(i, j)) {
            kept[i] = static_cast<int>(j);
            ++i;
            ++j;
        } else if (longest[i + 1][j] >= longest[i][j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    return kept;
}

}  // namespace

std::unique_ptr<LuaNode> LuaDocument::readValue(const std::string& value) const
{
    std::size_t budget = 64 * value.size() + 4096;
    const ValueReader reader(functionNames_);
    std::unique_ptr<LuaNode> node = reader.makeNode("", value, nullptr);
    reader.buildChildren(*node, budget);
    return node;
}

bool LuaDocument::holdsEntriesOf(const LuaNode& table, const std::string& value) const
{
    const std::unique_ptr<LuaNode> wanted = readValue(value);
    return std::equal(table.children.begin(), table.children.end(), wanted->children.begin(),
                      wanted->children.end(), [](const auto& a, const auto& b) {
                          return a->key == b->key && a->value == b->value;
                      });
}

bool LuaDocument::spliceEntries(const LuaNode& table, const std::string& newValue)
{
    if (table.kind != LuaValueKind::Record || table.children.empty())
        return false;
    const LuaNode* top = &table;
    while (top->parent)
        top = top->parent;
    if (top->startPos < 0 || top->endPos >= static_cast<int>(text_.size()))
        return false;
    const StatementText statement(text_, top->startPos, top->endPos + 1);
    std::optional<Span> place;
    if (table.parent) {
        place = placeOf(table, false);
    } else {
        // A table assigned at the top (in a level branch, say) is the statement's value.
        const int eq = statement.equalsSign({top->startPos, top->endPos + 1});
        place = eq == -1 ? std::nullopt : statement.trimmed({eq + 1, top->endPos + 1});
        if (!statement.readsAs(place, table.value))
            return false;
    }
    if (!place)
        return false;
    const std::unique_ptr<LuaNode> wanted = readValue(newValue);
    if (wanted->kind != LuaValueKind::Record)
        return false;
    const int open = place->first;

    // Each old entry's lines: from its line's start to the LF after it, holding nothing
    // else but a "," and a comment.
    struct Lines {
        Span item;
        int start;
        int end;
        bool comma;
    };
    std::vector<Lines> lines;
    for (std::size_t i = 0; i < table.children.size(); ++i) {
        const std::optional<Span> item = statement.item(open, i);
        if (!item)
            return false;
        const int start = static_cast<int>(text_.rfind('\n', static_cast<std::size_t>(item->first - 1)) + 1);
        if (firstNonSpace(std::string_view(text_).substr(0, static_cast<std::size_t>(item->first)), start) != -1)
            return false;
        int after = item->second;
        while (after < static_cast<int>(text_.size()) && (text_[after] == ' ' || text_[after] == '\t'))
            ++after;
        const bool comma = after < static_cast<int>(text_.size()) && text_[after] == ',';
        const auto lineEnd = text_.find('\n', static_cast<std::size_t>(after));
        if (lineEnd == std::string::npos)
            return false;
        const std::string_view rest
            = trimmedView(std::string_view(text_).substr(static_cast<std::size_t>(after + (comma ? 1 : 0)),
                                                          lineEnd - static_cast<std::size_t>(after + (comma ? 1 : 0))));
        if (firstNonSpace(rest, 0) != -1 && rest.substr(0, 2) != "--")
            return false;
        lines.push_back({*item, start, static_cast<int>(lineEnd) + 1, comma});
    }

    const std::vector<int> kept = keptEntries(table, *wanted);
    std::vector<Splice> splices;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (kept[i] == -1)
            splices.push_back({lines[i].start, lines[i].end - lines[i].start, {}});
    }
    // Added entries go after the kept entry before them, with its indentation; those
    // before every kept entry go before the first one.
    int anchor = -1;  // the old entry the next added one follows
    std::size_t added = 0;
    std::vector<bool> commaGiven(lines.size(), false);
    for (std::size_t j = 0; j < wanted->children.size(); ++j) {
        const auto keptHere = std::find(kept.begin(), kept.end(), static_cast<int>(j));
        if (keptHere != kept.end()) {
            anchor = static_cast<int>(keptHere - kept.begin());
            continue;
        }
        const Lines& at = lines[static_cast<std::size_t>(anchor == -1 ? 0 : anchor)];
        const std::string indent = text_.substr(static_cast<std::size_t>(at.start),
                                                static_cast<std::size_t>(at.item.first - at.start));
        const LuaNode& entry = *wanted->children[j];
        if (anchor != -1 && !at.comma && !commaGiven[static_cast<std::size_t>(anchor)]) {
            splices.push_back({at.item.second, 0, ","});
            commaGiven[static_cast<std::size_t>(anchor)] = true;
        }
        splices.push_back({anchor == -1 ? at.start : at.end, 0, indent + entry.key + " = " + entry.value + ",\n"});
        ++added;
    }
    if (added == 0 && splices.empty())
        return false;
    // From the end, so that earlier positions stay valid; at one position the removal
    // first, then the additions in their order.
    std::stable_sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) {
        return a.at != b.at ? a.at > b.at : a.length > b.length;
    });
    for (std::size_t k = 0; k < splices.size();) {
        std::size_t e = k;
        std::string inserted;
        int removed = 0;
        while (e < splices.size() && splices[e].at == splices[k].at) {
            removed += splices[e].length;
            inserted += splices[e].text;
            ++e;
        }
        text_.replace(static_cast<std::size_t>(splices[k].at), static_cast<std::size_t>(removed), inserted);
        k = e;
    }
    return true;
}

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
