#include <algorithm>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

namespace lua {

std::optional<std::pair<std::string, std::string>> LuaDocument::parseEdit(const std::string& edit)
{
    const int p = findText(edit, "...", 0);
    const int q = findText(edit, "[", p);
    const int r = matchingBracket(edit, q);
    if (p == -1 || q == -1 || r == -1)
        return std::nullopt;
    std::string newKey = edit.substr(q + 1, r - q - 1);
    // A value group whose brackets pair up to the end of the edit is taken whole, so a
    // new value may hold balanced brackets (a whole table with its "[10] = ..." keys), and
    // any bracket inside its quoted strings ("[%N").
    const int v = r + 1;
    if (v < static_cast<int>(edit.size()) && edit[v] == '[' && matchingBracket(edit, v) == static_cast<int>(edit.size()) - 1)
        return std::make_pair(std::move(newKey), edit.substr(v + 1, edit.size() - v - 2));
    // Otherwise the value group is found from the end, and cannot hold "[" or "]". Its
    // "]" always exists (r at least); a last "[" after it leaves the value unchanged.
    const auto open = edit.rfind('[');
    const auto close = edit.rfind(']');
    std::string newValue = close > open ? edit.substr(open + 1, close - open - 1) : std::string();
    return std::make_pair(std::move(newKey), std::move(newValue));
}

void LuaDocument::reserialise(LuaNode& node)
{
    std::string value;
    const bool record = node.kind == LuaValueKind::Record;
    if (node.kind == LuaValueKind::Call)
        value = node.calleeName + "(";
    else
        value = record ? "{\n" : "{";
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        const LuaNode& child = *node.children[i];
        if (i > 0)
            value += record ? ",\n" : ",";
        if (record)
            value += std::string(child.depth, '\t') + child.key + " = ";
        value += child.value;
    }
    if (record)
        value += "\n" + std::string(node.depth, '\t') + "}";
    else
        value += node.kind == LuaValueKind::Call ? ")" : "}";
    node.value = std::move(value);
}

int LuaDocument::rewriteStatement(const LuaNode& top)
{
    // The statement's whole lines are replaced: its indentation and inner comments go,
    // every byte outside them stays. A tree older than the text (after replaceText)
    // cannot point outside it.
    const std::size_t start = std::min<std::size_t>(top.startPos, text_.size());
    const std::size_t end = std::clamp<std::size_t>(top.endPos + 1, start, text_.size());
    std::string statement = (top.isLocal ? localMarker + " " : std::string()) + top.key + " = " + top.value + "\n";
    // A statement that follows a block's "end" on the same line starts mid-line; a
    // blank keeps it from being glued to that "end", which would break the script.
    if (start > 0 && isWordChar(text_[start - 1]) && isWordChar(statement.front()))
        statement.insert(statement.begin(), ' ');
    text_.replace(start, end - start, statement);
    return static_cast<int>(start + statement.size()) - 1;
}

WriteOutcome LuaDocument::applyEdit(const std::string& edit, bool save)
{
    const auto parts = parseEdit(edit);
    LuaNode* node = parts ? lookupMutable(edit) : nullptr;
    if (!node)
        return WriteOutcome::success();
    const auto& [newKey, newValue] = *parts;
    if (keepLayout_ && newKey.empty() && !newValue.empty() && node->kind == LuaValueKind::Record) {
        // Entries added or removed: only their lines change, if the table reads as meant.
        const std::string before = text_;
        const bool continuingBefore = continuing_;
        if (spliceEntries(*node, newValue)) {
            parse();
            const LuaNode* now = lookup(edit);
            if (now && now->kind == LuaValueKind::Record && holdsEntriesOf(*now, newValue))
                return save ? write() : WriteOutcome::success();
            text_ = before;
            continuing_ = continuingBefore;
            parse();
            node = lookupMutable(edit);
        }
    }
    if (keepLayout_ && newKey.empty() != newValue.empty()) {
        if (const auto place = placeOf(*node, !newKey.empty())) {
            text_.replace(static_cast<std::size_t>(place->first), static_cast<std::size_t>(place->second - place->first),
                          newKey.empty() ? newValue : newKey);
            const WriteOutcome outcome = save ? write() : WriteOutcome::success();
            parse();
            return outcome;
        }
    }
    if (!newKey.empty())
        node->key = newKey;
    if (!newValue.empty())
        node->value = newValue;
    if (!newKey.empty() || !newValue.empty()) {
        for (LuaNode* ancestor = node->parent; ancestor; ancestor = ancestor->parent)
            reserialise(*ancestor);
    }
    const LuaNode* top = topLevelOf(edit);
    const auto index = static_cast<std::size_t>(
        std::find_if(statements_.begin(), statements_.end(), [&](const auto& s) { return s.get() == top; })
        - statements_.begin());
    const int newEnd = rewriteStatement(*top);
    const WriteOutcome outcome = save ? write() : WriteOutcome::success();
    if (!reparseRewritten(index, newEnd))
        parse();
    return outcome;
}

WriteOutcome LuaDocument::replaceText(const std::string& newText, bool save)
{
    text_ = newText;
    treeFollowsText_ = false;
    return save ? write() : WriteOutcome::success();
}

WriteOutcome LuaDocument::write()
{
    WriteOutcome outcome = fileAccess_.writeAll(path_, text_, crlf_, bom_);
    if (outcome)
        diskBytes_ = LuaFileAccess::bytesOf(text_, crlf_, bom_);
    return outcome;
}

// Content, not the time stamp: an updater may restore a file's time, and a save that
// changes nothing does not count as a change.
bool LuaDocument::changedOnDisk() const
{
    const std::unique_ptr<std::ifstream> stream = fileAccess_.openForReading(path_);
    if (!stream || !*stream)
        return true;
    return fileAccess_.readBytes(stream.get()) != diskBytes_;
}

}  // namespace lua
