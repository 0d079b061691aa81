#pragma once
// How the parser reads a value text: its kind, and the child nodes of tables and calls.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "lua/LuaNode.h"

namespace lua {

// The last word before the "=" at eq: from the last non-blank character before it back
// to the blank before that (or the start of s); empty when only blanks precede eq.
std::string lastWordBefore(std::string_view s, int eq);

class ValueReader {
public:
    // Tables nested deeper than this get no children: no label script comes near it,
    // and it keeps a pathological file from exhausting the stack.
    static constexpr int maxDepth = 100;

    // The names must outlive the reader.
    explicit ValueReader(const std::vector<std::string>& functionNames);

    LuaValueKind classify(std::string_view value) const;
    // A node of the given key, value and parent, with its kind and, for a call, its callee.
    std::unique_ptr<LuaNode> makeNode(std::string key, std::string value, LuaNode* parent) const;
    // Builds the children of node, and theirs, by its kind. workBudget counts the
    // characters the item splitter may still step over; once spent, no further
    // children are built (a broken table whose items overlap would otherwise cost
    // time and memory growing with the square of its length).
    void buildChildren(LuaNode& node, std::size_t& workBudget) const;

private:
    bool callsKnownFunction(std::string_view value) const;
    void buildRecordFields(LuaNode& node, std::size_t& workBudget) const;
    void buildItems(LuaNode& node, std::size_t& workBudget) const;

    std::unordered_set<std::string_view> names_;
    std::vector<std::size_t> nameLengths_;
};

}  // namespace lua
