// The level block: the one kind of block whose assignments get nodes (see LuaDocument.h).
#include <algorithm>

#include "lua/LuaDocument.h"
#include "lua/LuaJudge.h"
#include "lua/LuaScan.h"

namespace lua {

namespace {

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
    bool isElse = false;
    int bodyStart = 0;
    int bodyEnd = 0;
};

// The line of text[at], counted from 1.
int lineAt(std::string_view text, int at)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
}

}  // namespace

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
    int keyword = ifAt;
    int keywordLength = 2;
    while (keyword != endAt) {
        const auto lineEnd = text.find('\n', static_cast<std::size_t>(keyword));
        if (lineEnd == std::string_view::npos || static_cast<int>(lineEnd) >= endAt)
            return false;
        const std::string_view rest
            = text.substr(static_cast<std::size_t>(keyword + keywordLength), lineEnd - keyword - keywordLength);
        BranchPart part;
        if (!parts.empty() && parts.back().isElse)
            return false;  // nothing follows the else branch
        part.isElse = keywordLength == 4;
        if (part.isElse) {
            if (!nothingBut(rest))
                return false;
        } else {
            // "<condition> then", then nothing but a comment. Lua evaluates the condition:
            // any expression will do.
            const auto comment = rest.find("--");
            const std::string_view head = trimmedView(rest.substr(0, comment));
            if ((comment != std::string_view::npos && !nothingBut(rest.substr(comment))) || head.size() < 5
                || head.substr(head.size() - 4) != "then" || isWordChar(head[head.size() - 5]))
                return false;
        }
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
        LevelBranch& branch = branches_.emplace_back();
        branch.block = blocksRead_;
        branch.bodyStart = part.bodyStart;
        branch.bodyEnd = part.bodyEnd;
        branch.firstLine = lineAt(text, part.bodyStart);
        branch.lastLine = lineAt(text, part.bodyEnd) - 1;  // before firstLine for an empty body
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
    const auto assignsAKey = [&](const LevelBranch& branch) {
        return branchKeys_.empty() || std::any_of(branchKeys_.begin(), branchKeys_.end(), [&](const std::string& key) {
                   return branch.statementsByKey.count(key) != 0;
               });
    };
    for (std::size_t i = branchesBefore; i < branches_.size(); ++i)
        indexBranch(branches_[i]);
    const bool levelBlock
        = closed && std::any_of(branches_.begin() + static_cast<std::ptrdiff_t>(branchesBefore), branches_.end(), assignsAKey);
    if (!levelBlock)
        branches_.resize(branchesBefore);
    else
        ++blocksRead_;
    return levelBlock;
}

bool LevelBranch::takenAt(int labels) const { return std::find(levels.begin(), levels.end(), labels) != levels.end(); }

void LuaDocument::decideBranches()
{
    if (branches_.empty())
        return;
    // Which branch a run enters depends on everything the run passes before it, which is
    // all of the text up to the last block but that block's own bodies.
    std::string before;
    std::vector<LineSpan> bodies;
    std::size_t from = 0;
    for (const LevelBranch& branch : branches_) {
        if (branch.block == branches_.back().block) {
            before.append(text_, from, static_cast<std::size_t>(branch.bodyStart) - from).append("\n--\n");
            from = static_cast<std::size_t>(branch.bodyEnd);
        }
        bodies.push_back({branch.firstLine, branch.lastLine});
    }
    if (before != branchesDecidedFor_ || branchLevels_.size() != branches_.size()) {
        branchLevels_ = branchesEntered(text_, bodies);
        branchesDecidedFor_ = std::move(before);
    }
    for (std::size_t i = 0; i < branches_.size(); ++i)
        branches_[i].levels = branchLevels_[i];
}

}  // namespace lua
