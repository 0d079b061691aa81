// The level block: the one kind of block whose assignments get nodes (see LuaDocument.h).
#include <algorithm>
#include <array>
#include <charconv>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

namespace lua {

namespace {

const std::string levelVariable = "labels";
constexpr std::array<int, 3> simulatorLevels = {1, 2, 3};

int length(std::string_view s) { return static_cast<int>(s.size()); }

// Whether text[at..] starts with the whole word.
bool wordAt(std::string_view text, int at, std::string_view word)
{
    const auto end = static_cast<std::size_t>(at) + word.size();
    return at >= 0 && text.substr(static_cast<std::size_t>(at), word.size()) == word
        && (end >= text.size() || !isWordChar(text[end]));
}

// A line's rest that holds nothing but blanks or a line comment. A long comment
// ("--[[") could run over the next lines and hide a branch's start.
bool nothingBut(std::string_view rest)
{
    if (firstNonSpace(rest, 0) == -1)
        return true;
    const std::string_view t = trimmedView(rest);
    return t.substr(0, 2) == "--" && t.substr(0, 4) != "--[[" && t.substr(0, 4) != "--[=";
}

// One "if"/"elseif"/"else" line of the block and the body after it.
struct BranchPart {
    int level = 0;  // the flag's N; 0 for else
    int bodyStart = 0;
    int bodyEnd = 0;
};

}  // namespace

std::optional<int> LuaDocument::levelFlagValue(std::string_view value)
{
    const std::string_view t = trimmedView(value);
    if (!wordAt(t, 0, levelVariable))
        return std::nullopt;
    const std::string_view rest = trimmedView(t.substr(levelVariable.size()));
    if (rest.substr(0, 2) != "==")
        return std::nullopt;
    const std::string_view number = trimmedView(rest.substr(2));
    int level = 0;
    const auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), level);
    if (number.empty() || error != std::errc() || stop != number.data() + number.size())
        return std::nullopt;
    return level;
}

bool LuaDocument::readLevelBlock(int ifAt, int endAt, const ValueReader& reader)
{
    const std::string_view text(text_);
    // "end" opens its line and ends the block's last one.
    const auto endLineStart = static_cast<int>(text.rfind('\n', static_cast<std::size_t>(endAt)) + 1);
    const auto endLineEnd = text.find('\n', static_cast<std::size_t>(endAt));
    if (firstNonSpace(text, endLineStart) != endAt
        || !nothingBut(text.substr(static_cast<std::size_t>(endAt) + 3, endLineEnd - endAt - 3)))
        return false;

    std::vector<BranchPart> parts;
    std::vector<int> named;
    int keyword = ifAt;
    int keywordLength = 2;
    while (keyword != endAt) {
        const auto lineEnd = text.find('\n', static_cast<std::size_t>(keyword));
        if (lineEnd == std::string_view::npos || static_cast<int>(lineEnd) >= endAt)
            return false;
        const std::string_view rest
            = text.substr(static_cast<std::size_t>(keyword + keywordLength), lineEnd - keyword - keywordLength);
        BranchPart part;
        if (std::find(named.begin(), named.end(), 0) != named.end())
            return false;  // nothing follows the else branch
        if (keywordLength == 4) {
            if (!nothingBut(rest))
                return false;
        } else {
            // "<flag> then", then nothing but a comment
            const auto comment = rest.find("--");
            const std::string_view head = trimmedView(rest.substr(0, comment));
            if ((comment != std::string_view::npos && !nothingBut(rest.substr(comment))) || head.size() < 5
                || head.substr(head.size() - 4) != "then" || !isBlank(head[head.size() - 5]))
                return false;
            const std::string_view flag = trimmedView(head.substr(0, head.size() - 5));
            const auto found = isName(flag) ? levelFlags_.find(std::string(flag)) : levelFlags_.end();
            if (found == levelFlags_.end() || found->second == 0)
                return false;
            part.level = found->second;
        }
        if (std::find(named.begin(), named.end(), part.level) != named.end())
            return false;
        named.push_back(part.level);
        part.bodyStart = static_cast<int>(lineEnd) + 1;
        // The body runs to the next line that opens with "elseif" or "else", or to the end line.
        int next = part.bodyStart;
        keyword = endAt;
        while (next < endLineStart) {
            const int first = firstNonSpace(text.substr(0, text.find('\n', static_cast<std::size_t>(next))), next);
            if (first != -1 && (wordAt(text, first, "elseif") || wordAt(text, first, "else"))) {
                keyword = first;
                break;
            }
            next = static_cast<int>(text.find('\n', static_cast<std::size_t>(next))) + 1;
        }
        keywordLength = keyword == endAt ? 3 : wordAt(text, keyword, "else") ? 4 : 6;
        part.bodyEnd = keyword == endAt ? endLineStart : next;
        parts.push_back(part);
    }

    // A branch word anywhere else (after a statement, say) would split the block
    // differently from how Lua reads it; in a string or a comment it is text.
    const std::string_view block = text.substr(static_cast<std::size_t>(ifAt), endAt - ifAt);
    const std::vector<CommentRange> texts = textRanges(block);
    std::size_t branchWords = 0;
    for (const std::string_view word : {"elseif", "else"}) {
        for (int at = findWord(block, word, 1); at != -1; at = findWord(block, word, at + 1))
            branchWords += inComment(texts, at) ? 0 : 1;
    }
    if (branchWords != parts.size() - 1)
        return false;

    const std::size_t branchesBefore = branches_.size();
    bool closed = true;
    for (const BranchPart& part : parts) {
        std::string step = "else";
        if (part.level != 0) {
            step = "if " + levelVariable + " == " + std::to_string(part.level);
        } else {
            std::vector<int> left;
            for (const int level : simulatorLevels) {
                if (std::find(named.begin(), named.end(), level) == named.end())
                    left.push_back(level);
            }
            if (left.size() == 1)
                step = "if " + levelVariable + " == " + std::to_string(left.front());
        }
        LevelBranch& branch = branches_.emplace_back();
        branch.step = std::move(step);
        gatheringInto_ = &branch;
        limit_ = part.bodyEnd;
        cursor_ = part.bodyStart;
        continuing_ = false;
        while (cursor_ < limit_)
            gatherStatement(reader);
        closed = closed && !continuing_;
    }
    gatheringInto_ = nullptr;
    limit_ = length(text_);
    continuing_ = false;
    if (!closed)
        branches_.resize(branchesBefore);
    return closed;
}

}  // namespace lua
