#include "lua/LuaValues.h"

#include <algorithm>

#include "lua/LuaScan.h"
#include "lua/LuaScanners.h"

namespace lua {

std::string lastWordBefore(std::string_view s, int eq)
{
    const int last = eq > 0 ? lastNonSpace(s, eq - 1) : -1;
    if (last == -1)
        return {};
    const int blank = lastSpace(s, last);
    return std::string(s.substr(blank + 1, last - blank));
}

ValueReader::ValueReader(const std::vector<std::string>& functionNames)
{
    // The name list may repeat names (it grows at every load); matching needs each once.
    for (const std::string& name : functionNames) {
        if (names_.insert(name).second)
            nameLengths_.push_back(name.size());
    }
    std::sort(nameLengths_.begin(), nameLengths_.end());
    nameLengths_.erase(std::unique(nameLengths_.begin(), nameLengths_.end()), nameLengths_.end());
}

bool ValueReader::callsKnownFunction(std::string_view value) const
{
    // "Some defined name directly followed by (": look behind every "(" for a name of
    // each length in use, instead of searching the value once per name.
    for (std::size_t paren = value.find('('); paren != std::string_view::npos; paren = value.find('(', paren + 1)) {
        for (std::size_t length : nameLengths_) {
            if (length > paren)
                break;
            if (names_.count(value.substr(paren - length, length)))
                return true;
        }
    }
    return false;
}

LuaValueKind ValueReader::classify(std::string_view v) const
{
    const int a = firstNonSpace(v, 0);
    if (a == -1)
        return LuaValueKind::Other;
    // "true" anywhere as a word decides alone, so "false and true" is not a boolean.
    const int trueAt = findWord(v, "true", a);
    if (trueAt == a || (trueAt == -1 && findWord(v, "false", a) == a))
        return LuaValueKind::Boolean;

    std::size_t i = static_cast<std::size_t>(a) + (v[a] == '-' ? 1 : 0);
    if (i < v.size()) {
        const auto rest = v.substr(i);
        const bool digitsAndDots
            = std::all_of(rest.begin(), rest.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
        if (digitsAndDots && std::count(rest.begin(), rest.end(), '.') <= 1)
            return LuaValueKind::Number;
    }
    if (v[a] == '"')
        return LuaValueKind::String;
    if (v[a] == '{') {
        const std::string first = tableItem(v, 0);
        const bool isRecord = !first.empty() && first.front() != '{' && findInCode(first, '=') != -1;
        return isRecord ? LuaValueKind::Record : LuaValueKind::Array;
    }
    if (callsKnownFunction(v))
        return LuaValueKind::Call;
    return LuaValueKind::Other;
}

std::unique_ptr<LuaNode> ValueReader::makeNode(std::string key, std::string value, LuaNode* parent) const
{
    auto node = std::make_unique<LuaNode>();
    node->parent = parent;
    node->depth = parent ? parent->depth + 1 : 0;
    node->kind = classify(value);
    if (node->kind == LuaValueKind::Call)
        node->calleeName = value.substr(0, value.find('('));
    node->key = std::move(key);
    node->value = std::move(value);
    return node;
}

namespace {

void adopt(LuaNode& parent, std::unique_ptr<LuaNode> child)
{
    if (!child->key.empty())
        parent.childrenByKey.emplace(child->key, child.get());  // the first of a key wins
    parent.children.push_back(std::move(child));
}

void spend(std::size_t& workBudget, const ItemSplitter& items) { workBudget -= std::min(workBudget, items.work()); }

}  // namespace

void ValueReader::buildRecordFields(LuaNode& node, std::size_t& workBudget) const
{
    ItemSplitter items(trimmedView(node.value), '{', '}', workBudget);
    // A field list ends at the first item that is empty, has no "=", or lacks a key or a value.
    for (std::string item = items.next(); !item.empty(); item = items.next()) {
        const int eq = findInCode(item, '=');
        if (eq == -1)
            break;
        std::string key = trim(lastWordBefore(item, eq));
        const int valueStart = firstNonSpace(item, eq + 1);
        std::string value = valueStart == -1 ? std::string() : trim(std::string_view(item).substr(valueStart));
        if (key.empty() || value.empty())
            break;
        adopt(node, makeNode(std::move(key), std::move(value), &node));
    }
    spend(workBudget, items);
}

void ValueReader::buildItems(LuaNode& node, std::size_t& workBudget) const
{
    std::string_view list = node.value;
    char opener = '{';
    char endMarker = '}';
    if (node.kind == LuaValueKind::Call) {
        // The arguments of the value's first "(", which need not be the known function's.
        list = list.substr(std::min(list.find('('), list.size()));
        opener = '(';
        endMarker = ')';
    }
    ItemSplitter items(trimmedView(list), opener, endMarker, workBudget);
    for (std::string item = items.next(); !item.empty(); item = items.next())
        adopt(node, makeNode({}, std::move(item), &node));
    spend(workBudget, items);
}

void ValueReader::buildChildren(LuaNode& node, std::size_t& workBudget) const
{
    if (node.depth >= maxDepth)
        return;
    switch (node.kind) {
    case LuaValueKind::Record: buildRecordFields(node, workBudget); break;
    case LuaValueKind::Array:
    case LuaValueKind::Call: buildItems(node, workBudget); break;
    default: return;
    }
    for (const auto& child : node.children)
        buildChildren(*child, workBudget);
}

}  // namespace lua
