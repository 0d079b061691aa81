// Which branches of a script's "if" chains each detail level takes, as Lua itself runs it.
#include <algorithm>

#include "lua/LuaJudge.h"
#include "lua/LuaSandbox.h"

extern "C" {
#include <lua.h>
}

namespace lua {

namespace {

// The bodies a run of the script at one level enters; none entered when the run cannot be
// made or is given up.
std::vector<bool> bodiesEntered(const std::string& text, const std::vector<LineSpan>& bodies, int labels,
                                Clock::time_point deadline)
{
    std::vector<bool> entered(bodies.size(), false);
    int lastLine = 0;
    for (const LineSpan& body : bodies)
        lastLine = std::max(lastLine, body.last);
    Sandbox sandbox(deadline);
    if (!sandbox.state() || !sandbox.load(text))
        return entered;
    lua_pushinteger(sandbox.state(), labels);
    lua_setglobal(sandbox.state(), "labels");
    // Past the last body the rest of the script cannot change which ones were entered.
    static_cast<void>(sandbox.run([&](int line) {
        for (std::size_t i = 0; i < bodies.size(); ++i)
            entered[i] = entered[i] || (line >= bodies[i].first && line <= bodies[i].last);
        return line > lastLine;
    }));
    return entered;
}

}  // namespace

std::vector<std::vector<int>> branchesEntered(const std::string& text, const std::vector<LineSpan>& bodies)
{
    std::vector<std::vector<int>> levels(bodies.size());
    const Clock::time_point deadline = Clock::now() + checkTime;
    for (const int labels : labelLevels) {
        const std::vector<bool> entered = inTime<std::vector<bool>>(
            [text, bodies, labels, deadline] { return bodiesEntered(text, bodies, labels, deadline); }, deadline, {});
        for (std::size_t i = 0; i < entered.size(); ++i) {
            if (entered[i])
                levels[i].push_back(labels);
        }
    }
    return levels;
}

}  // namespace lua
