#include "lua/LuaDocument.h"

#include <algorithm>

#include "lua/LuaScan.h"
#include "lua/LuaScanners.h"
#include "lua/LuaValues.h"

namespace lua {

namespace {

// Longer texts are not taken as function names: no real name comes near it, and in a
// broken file the name rules could otherwise pick up overlapping megabyte-long "names".
constexpr int maxFunctionName = 256;

int length(std::string_view s) { return static_cast<int>(s.size()); }

}  // namespace

struct LuaDocument::BlockWords {
    // One pass over the text indexes every block word; the closer's index is then split off.
    explicit BlockWords(std::string_view text) : openers(WordIndex::build(text, openersThenCloser()))
    {
        closer = openers.back();
        openers.pop_back();
    }
    static std::vector<std::string> openersThenCloser()
    {
        std::vector<std::string> words = blockOpeners;
        words.push_back(blockCloser);
        return words;
    }
    // The smallest whole-word position >= from of any opener, or -1.
    int nextOpener(int from) const
    {
        int best = -1;
        for (const WordIndex& opener : openers) {
            const int at = opener.find(from);
            if (at != -1 && (best == -1 || at < best))
                best = at;
        }
        return best;
    }

    std::vector<WordIndex> openers;
    WordIndex closer;
};

LuaDocument::LuaDocument() = default;
LuaDocument::~LuaDocument() = default;

void LuaDocument::load(const std::filesystem::path& path)
{
    const std::unique_ptr<std::ifstream> stream = fileAccess_.openForReading(path);
    if (!stream)
        return;
    path_ = path;
    diskBytes_ = fileAccess_.readBytes(stream.get());
    text_ = fileAccess_.textOf(diskBytes_, &crlf_, &bom_);
    // A file read anew is read on its own: a statement the previous text left open at its
    // end must not change how this one reads, or a Reload would read the same file
    // differently from the first load.
    continuing_ = false;
    collectFunctionNames();
    parse();
}

void LuaDocument::collectFunctionNames()
{
    const int wordLength = length(functionWord);
    CodeCursor code(text_);
    for (int kw = findWord(text_, functionWord, 0); kw != -1; kw = findWord(text_, functionWord, kw + 1)) {
        if (!code.isCode(kw))
            continue;
        const int p = firstNonSpace(text_, kw + wordLength);
        if (p == -1)
            continue;
        std::string name;
        if (text_[p] == '(') {
            // Anonymous and assigned: "name = function(": the word before the "=".
            const int e = kw > 0 ? lastNonSpace(text_, kw - 1) : -1;
            const int f = e > 0 ? lastNonSpace(text_, e - 1) : -1;
            if (f != -1) {
                const int from = std::max(0, f - maxFunctionName);
                const int g = lastSpace(std::string_view(text_).substr(from, f - from + 1), -1);
                if (g != -1)
                    name = text_.substr(from + g + 1, f - from - g);
            }
        } else if (isWordChar(text_[p])) {
            // "function M.new(" gives "M.new".
            const std::string_view window = std::string_view(text_).substr(p, maxFunctionName + 1);
            const auto paren = window.find('(');
            if (paren != std::string_view::npos || length(window) <= maxFunctionName)
                name = std::string(window.substr(0, paren));
        }
        if (!name.empty() && length(name) <= maxFunctionName)
            functionNames_.push_back(std::move(name));
    }
}

void LuaDocument::parse()
{
    statements_.clear();
    branches_.clear();
    blocksRead_ = 0;
    continuingBefore_.clear();
    blockWords_.reset();
    limit_ = length(text_);
    const ValueReader reader(functionNames_);
    // continuing_ is not reset: a statement left open at the end of the text keeps
    // the comment-line test off until the next statement settles it.
    continuingAtParseStart_ = continuing_;
    cursor_ = 0;
    while (cursor_ < length(text_))
        gatherStatement(reader);
    decideBranches();
    indexStatements();
    treeFollowsText_ = true;
}

void LuaDocument::indexStatements()
{
    statementsByKey_.clear();
    for (const auto& statement : statements_)
        statementsByKey_.emplace(statement->key, statement.get());  // the first of a key wins lookups
    for (LevelBranch& branch : branches_)
        indexBranch(branch);
}

void LuaDocument::indexBranch(LevelBranch& branch)
{
    branch.statementsByKey.clear();
    for (const auto& statement : branch.statements)
        branch.statementsByKey.emplace(statement->key, statement.get());
}

bool LuaDocument::reparseRewritten(std::size_t index, int newEnd)
{
    // The text before the statement is unchanged, and so is the parse's path through
    // it, provided the parse starts in the same state as the one that built the tree.
    if (!treeFollowsText_ || continuing_ != continuingAtParseStart_ || index >= statements_.size())
        return false;
    // A level block ends gathering at its branches' ends, and its branches' nodes lie after
    // the statement too: only the whole text gives the tree.
    if (!branches_.empty())
        return false;
    const bool continuingAtEnd = continuing_;
    const int start = statements_[index]->startPos;
    const int shift = newEnd - statements_[index]->endPos;
    std::vector<std::unique_ptr<LuaNode>> following(std::make_move_iterator(statements_.begin() + index + 1),
                                                    std::make_move_iterator(statements_.end()));
    const std::vector<bool> followingContinuing(continuingBefore_.begin() + index + 1, continuingBefore_.end());
    continuing_ = continuingBefore_[index];
    statements_.resize(index);
    continuingBefore_.resize(index);
    blockWords_.reset();
    cursor_ = start;
    limit_ = length(text_);
    gatherStatement(ValueReader(functionNames_));
    // If the new statement is one node ending at its own LF with no bracket left open,
    // the parse leaves it in the state it left the old one in, and reads on exactly as
    // before: the following statements are the old ones, moved.
    const bool sameState
        = statements_.size() == index + 1 && cursor_ == newEnd + 1 && !continuing_ && branches_.empty();
    continuing_ = continuingAtEnd;
    if (!sameState)
        return false;
    for (auto& statement : following) {
        statement->startPos += shift;
        statement->endPos += shift;
        statements_.push_back(std::move(statement));
    }
    continuingBefore_.insert(continuingBefore_.end(), followingContinuing.begin(), followingContinuing.end());
    indexStatements();
    cursor_ = length(text_);
    return true;
}

void LuaDocument::gatherStatement(const ValueReader& reader)
{
    const int start = cursor_;
    const bool continuingBefore = continuing_;
    int lineStart = start;
    int eq = -1;
    ValueClosureScan closure(0);
    int blankAfterEqUpTo = 0;  // pending[eq + 1 .. this) is known to be blank
    for (;;) {
        if (cursor_ >= limit_) {
            cursor_ = limit_;  // the unfinished statement is dropped and parsing ends
            return;
        }
        const auto lineEnd = text_.find('\n', cursor_);
        cursor_ = lineEnd == std::string::npos ? length(text_) - 1 : static_cast<int>(lineEnd);
        const std::string_view pending(text_.data() + start, cursor_ - start + 1);

        if (!continuing_ && isCommentLine(pending))
            break;
        const int resume = skipBlock(start, lineStart, reader);
        if (resume != -1) {
            cursor_ = resume;  // the block and what was gathered before it are dropped
            return;
        }
        if (eq == -1) {
            // The first "=" in code is always on the statement's first line: a line
            // without one ends the statement.
            eq = findInCode(pending, '=');
            if (eq == -1)
                break;
            closure = ValueClosureScan(eq);
            blankAfterEqUpTo = eq + 1;
        }
        closure.feed(pending);
        continuing_ = !closure.isClosed();
        if (!continuing_) {
            const int valueStart = firstNonSpace(pending, blankAfterEqUpTo);
            if (valueStart != -1) {
                addStatement(start, continuingBefore, reader);
                break;
            }
            blankAfterEqUpTo = length(pending);  // the value starts on a later line
        }
        ++cursor_;
        lineStart = cursor_;
    }
    ++cursor_;
}

int LuaDocument::skipBlock(int start, int lineStart, const ValueReader& reader)
{
    const std::string_view pending(text_.data() + start, cursor_ - start + 1);
    // Earlier lines of the statement were checked when they ended and hold no opener, and
    // they end in LF (so the last line starts in code), so searching the last line gives
    // the same answer as searching the whole pending statement.
    const std::string_view line = pending.substr(lineStart - start);
    for (const std::string& opener : blockOpeners) {
        CodeCursor code(line);
        int found = findWord(line, opener, 0);
        while (found != -1 && !code.isCode(found))
            found = findWord(line, opener, found + 1);
        if (found == -1)
            continue;
        const int at = lineStart - start + found;
        const int kw = cursor_ - length(pending) + 1 + at;
        if (!blockWords_)
            blockWords_ = std::make_unique<BlockWords>(text_);
        const BlockWords& words = *blockWords_;
        // Nested blocks are matched by counting the openers that start before each
        // candidate "end". A "do" or "repeat" block is not an opener and "elseif" is not
        // "if": players' files rely on exactly this reading. Words in strings and comments
        // are text to Lua, and to the count.
        int e = words.closer.find(kw + length(opener));
        int o = words.nextOpener(kw + 1);
        // A level block opens its statement and holds no other block.
        const bool opensStatement = lineStart == start && at == firstNonSpace(pending, 0) && !continuing_;
        if (opener == "if" && opensStatement && !gatheringInto_ && e != -1 && (o == -1 || o > e))
            static_cast<void>(readLevelBlock(kw, e, reader));
        while (o != -1 && e != -1 && o <= e) {
            e = words.closer.find(e + length(blockCloser));
            o = words.nextOpener(o + 2);
        }
        // An opener without its "end" runs to the end of the text.
        return e == -1 ? length(text_) : e + length(blockCloser);
    }
    return -1;
}

void LuaDocument::addStatement(int start, bool continuingBefore, const ValueReader& reader)
{
    const std::string_view s(text_.data() + start, cursor_ - start + 1);
    const int eq = findInCode(s, '=');
    std::string key = lastWordBefore(s, eq);

    // The value runs from the first non-blank character after "=" to the statement's
    // end, without the characters of its comments.
    std::string value;
    int from = firstNonSpace(s, eq + 1);
    if (from == -1)
        return;
    for (const auto& [first, last] : commentRanges(s)) {
        if (last < from)
            continue;
        value.append(s.substr(from, std::max(0, first - from)));
        from = last + 1;
    }
    value.append(s.substr(std::min(from, length(s))));
    value = trim(value);
    if (key.empty() || value.empty())
        return;

    std::unique_ptr<LuaNode> node = reader.makeNode(std::move(key), std::move(value), nullptr);
    // Declared local only by its first word: "local" in a comment or a string ("locals",
    // "off when flying locally") leaves a global a global, and its rewrite keeps it one.
    const std::string_view declaration = trimmedView(s);
    node->isLocal = declaration.substr(0, localMarker.size()) == localMarker
        && (declaration.size() == localMarker.size() || !isWordChar(declaration[localMarker.size()]));
    node->startPos = start;
    node->endPos = cursor_;
    // Work allowance for the item splitter: a well-formed statement needs a few times
    // its length per nesting level.
    std::size_t workBudget = 64 * s.size() + 4096;
    reader.buildChildren(*node, workBudget);
    if (gatheringInto_) {
        gatheringInto_->statements.push_back(std::move(node));
        return;
    }
    statements_.push_back(std::move(node));
    continuingBefore_.push_back(continuingBefore);
}

const LuaNode* LuaDocument::statementByKey(const std::string& key) const
{
    const auto it = statementsByKey_.find(key);
    return it == statementsByKey_.end() ? nullptr : it->second;
}

const LuaNode* LuaDocument::branchStatement(int labels, const std::string& key) const
{
    for (const LevelBranch& branch : branches_) {
        if (!branch.takenAt(labels))
            continue;
        const auto it = branch.statementsByKey.find(key);
        if (it != branch.statementsByKey.end())
            return it->second;
    }
    return nullptr;
}

const LevelBranch* LuaDocument::branchOf(const LuaNode& node) const
{
    const LuaNode* top = &node;
    while (top->parent)
        top = top->parent;
    for (const LevelBranch& branch : branches_) {
        for (const auto& statement : branch.statements) {
            if (statement.get() == top)
                return &branch;
        }
    }
    return nullptr;
}

}  // namespace lua
