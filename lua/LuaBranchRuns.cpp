// Which branches of a script's "if" chains each detail level takes, as Lua itself runs it.
#include <algorithm>

#include "lua/LuaJudge.h"
#include "lua/LuaSandbox.h"

extern "C" {
#include <lua.h>
}

namespace lua {

std::vector<std::vector<int>> branchesEntered(const std::string& text, const std::vector<LineSpan>& bodies)
{
    std::vector<std::vector<int>> levels(bodies.size());
    int lastLine = 0;
    for (const LineSpan& body : bodies)
        lastLine = std::max(lastLine, body.last);
    for (const int labels : labelLevels) {
        Sandbox sandbox;
        if (!sandbox.state() || !sandbox.load(text))
            continue;
        lua_pushinteger(sandbox.state(), labels);
        lua_setglobal(sandbox.state(), "labels");
        std::vector<bool> entered(bodies.size(), false);
        // Past the last body the rest of the script cannot change which ones were entered.
        static_cast<void>(sandbox.run([&](int line) {
            for (std::size_t i = 0; i < bodies.size(); ++i)
                entered[i] = entered[i] || (line >= bodies[i].first && line <= bodies[i].last);
            return line > lastLine;
        }));
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            if (entered[i])
                levels[i].push_back(labels);
        }
    }
    return levels;
}

}  // namespace lua
