#include <algorithm>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

namespace lua {

const LuaNode* LuaDocument::startOf(const std::string& path, int& steps) const
{
    const auto open = path.find('<');
    const auto close = path.find('>');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return nullptr;
    const std::string top = path.substr(open + 1, close - open - 1);
    steps = findOutsideBrackets(path, '.', 0);
    const bool branch = std::any_of(branches_.begin(), branches_.end(),
                                    [&](const LevelBranch& b) { return b.step == top; });
    if (!branch)
        return statementByKey(top);
    // "<if labels == 3>.<AirFormat>": the branch, then the key of one of its statements.
    const int name = steps == -1 ? -1 : findText(path, "<", steps);
    const int nameEnd = name == -1 ? -1 : findText(path, ">", name);
    if (name != steps + 1 || nameEnd == -1)
        return nullptr;
    steps = findOutsideBrackets(path, '.', name);
    return branchStatement(top, path.substr(name + 1, nameEnd - name - 1));
}

const LuaNode* LuaDocument::topLevelOf(const std::string& path) const
{
    int steps = -1;
    return startOf(path, steps);
}

const LuaNode* LuaDocument::lookup(const std::string& path) const
{
    int a = -1;
    const LuaNode* node = startOf(path, a);
    if (!node)
        return nullptr;
    const int b = findText(path, "...", 0);
    while (a != b) {
        // With "..." inside a bracket group there is no "." left to read a segment after.
        if (a == -1)
            return nullptr;
        const int index = findText(path, "[", a);
        const int name = findText(path, "<", a);
        if (index == -1 && name == -1)
            return nullptr;
        if (index != -1 && (name == -1 || index < name)) {
            const int close = findText(path, "]", a);
            if (close < index)
                return nullptr;
            const int n = toInt(path.substr(index + 1, close - index - 1));
            if (n < 0 || n >= static_cast<int>(node->children.size()))
                return nullptr;
            node = node->children[n].get();
            a = findOutsideBrackets(path, '.', a + 1);
        } else {
            const int close = findText(path, ">", a);
            if (close < name)
                return nullptr;
            const auto child = node->childrenByKey.find(path.substr(name + 1, close - name - 1));
            if (child == node->childrenByKey.end())
                return nullptr;  // also the empty name: no child has an empty key there
            node = child->second;
            a = findText(path, ".", a + 1);
        }
    }
    return node;
}

LuaNode* LuaDocument::lookupMutable(const std::string& path)
{
    // The nodes are the document's own, held by non-const owners.
    return const_cast<LuaNode*>(lookup(path));
}

std::pair<std::string, std::string> LuaDocument::getEntry(const std::string& path) const
{
    const LuaNode* node = lookup(path);
    if (!node)
        return {};
    return {node->key, node->value};
}

}  // namespace lua
