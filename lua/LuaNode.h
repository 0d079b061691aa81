#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace lua {

enum class LuaValueKind { Boolean = 0, Number = 1, String = 2, Call = 3, Record = 4, Array = 5, Other = 6 };

// One top-level assignment, table field or positional item.
struct LuaNode {
    LuaNode* parent = nullptr;
    int depth = 0;
    std::string value;
    std::string calleeName;  // only for LuaValueKind::Call
    std::vector<std::unique_ptr<LuaNode>> children;
    std::unordered_map<std::string, LuaNode*> childrenByKey;  // first child of each non-empty key
    LuaValueKind kind = LuaValueKind::Other;
    bool isLocal = false;  // top level only
    int startPos = -1;     // top level only: first index of the statement's first line
    int endPos = -1;       // top level only: index of the LF ending its last line
    std::string key;
};

}  // namespace lua
