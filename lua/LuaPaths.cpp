#include <optional>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

namespace lua {

namespace {

// N for a first step "if labels == N", the branch taken at level N; none for any other.
std::optional<int> levelOfStep(const std::string& step)
{
    const std::string prefix = "if labels == ";
    if (step.size() != prefix.size() + 1 || step.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    const char digit = step.back();
    return digit >= '1' && digit <= '3' ? std::optional<int>(digit - '0') : std::nullopt;
}

}  // namespace

const LuaNode* LuaDocument::startOf(const std::string& path, int& steps) const
{
    const auto open = path.find('<');
    const auto close = path.find('>');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return nullptr;
    const std::string top = path.substr(open + 1, close - open - 1);
    steps = findOutsideBrackets(path, '.', 0);
    const std::optional<int> level = branches_.empty() ? std::nullopt : levelOfStep(top);
    if (!level)
        return statementByKey(top);
    // "<if labels == 3>.<AirFormat>": a level, then the key of a statement of a branch it takes.
    const int name = steps == -1 ? -1 : findText(path, "<", steps);
    const int nameEnd = name == -1 ? -1 : findText(path, ">", name);
    if (name != steps + 1 || nameEnd == -1)
        return nullptr;
    steps = findOutsideBrackets(path, '.', name);
    return branchStatement(*level, path.substr(name + 1, nameEnd - name - 1));
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
