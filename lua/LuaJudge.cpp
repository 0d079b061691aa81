#include "lua/LuaJudge.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <unordered_map>

#include "lua/LuaSandbox.h"
#include "lua/LuaScan.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

namespace lua {

namespace {

// Unfolding the globals is bounded too: a script may build a huge or deep table.
constexpr std::size_t unfoldedBound = 200'000;
constexpr int depthBound = 100;

// "205: '}' expected near '0.7'" -> line 205 and the rest.
CompileProblem problemOf(std::string message)
{
    CompileProblem problem;
    std::size_t digits = 0;
    while (digits < message.size() && message[digits] >= '0' && message[digits] <= '9')
        ++digits;
    if (digits > 0 && digits < 10 && digits + 1 < message.size() && message[digits] == ':') {
        problem.line = std::atoi(message.substr(0, digits).c_str());
        std::size_t rest = digits + 1;
        while (rest < message.size() && message[rest] == ' ')
            ++rest;
        message.erase(0, rest);
    }
    problem.message = message;
    return problem;
}

std::string quoted(const std::string& raw)
{
    std::string out = "\"";
    for (const char c : raw) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\0': out += "\\0"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::string numberText(lua_State* state, int index)
{
    char text[64];
    if (lua_isinteger(state, index)) {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(lua_tointeger(state, index)));
        return text;
    }
    std::snprintf(text, sizeof text, "%.14g", static_cast<double>(lua_tonumber(state, index)));
    std::string out = text;
    // 1.0 and 1 are different values to math.type, and to a careful reader of the file.
    if (out.find_first_of(".eEn") == std::string::npos)
        out += ".0";
    return out;
}

// Keys sort by kind, then numbers by value and strings by bytes, so two runs unfold alike.
struct Key {
    int kind = 0;  // 0 number, 1 string, 2 boolean, 3 anything else
    double number = 0;
    std::string text;  // how the key is written after its table's path
    int slot = 0;      // where the key waits in the list of keys while the table is unfolded
    bool operator<(const Key& o) const
    {
        if (kind != o.kind)
            return kind < o.kind;
        if (kind == 0 && number != o.number)
            return number < o.number;
        return text < o.text;
    }
};

Key keyOnTop(lua_State* state)
{
    Key key;
    switch (lua_type(state, -1)) {
    case LUA_TNUMBER:
        key.number = static_cast<double>(lua_tonumber(state, -1));
        key.text = "[" + numberText(state, -1) + "]";
        break;
    case LUA_TSTRING: {
        key.kind = 1;
        std::size_t length = 0;
        const char* bytes = lua_tolstring(state, -1, &length);
        const std::string name(bytes, length);
        key.text = isName(name) ? "." + name : "[" + quoted(name) + "]";
        break;
    }
    case LUA_TBOOLEAN:
        key.kind = 2;
        key.text = lua_toboolean(state, -1) ? "[true]" : "[false]";
        break;
    default: key.kind = 3; key.text = std::string("[") + luaL_typename(state, -1) + "]";
    }
    return key;
}

// Writes what a run defines into a ScriptRun. Runs inside lua_pcall, so that running out
// of memory while unfolding is an error, not the end of the editor.
struct Unfolding {
    ScriptRun* run = nullptr;
    std::unordered_map<const void*, std::string> firstPath;
    std::size_t waiting = 0;  // keys gathered and not yet unfolded
    bool tooLarge = false;

    // The value on top of the stack, under path; the stack is left as it was.
    void unfold(lua_State* state, const std::string& path, int depth)
    {
        if (tooLarge || run->values.size() + waiting >= unfoldedBound || depth > depthBound) {
            tooLarge = true;
            return;
        }
        const int type = lua_type(state, -1);
        switch (type) {
        case LUA_TNIL: return;
        case LUA_TBOOLEAN: run->values[path] = lua_toboolean(state, -1) ? "true" : "false"; return;
        case LUA_TNUMBER: run->values[path] = numberText(state, -1); return;
        case LUA_TSTRING: {
            std::size_t length = 0;
            const char* bytes = lua_tolstring(state, -1, &length);
            run->values[path] = quoted(std::string(bytes, length));
            return;
        }
        case LUA_TTABLE: break;
        default: run->values[path] = lua_typename(state, type); return;
        }
        const void* identity = lua_topointer(state, -1);
        if (const auto seen = firstPath.find(identity); seen != firstPath.end()) {
            run->values[path] = "=" + seen->second;
            return;
        }
        firstPath.emplace(identity, path);
        run->values[path] = "{}";
        luaL_checkstack(state, 4, "the tables are nested too deep");
        const int table = lua_gettop(state);
        lua_newtable(state);
        const int slots = table + 1;
        std::vector<Key> keys;
        lua_pushnil(state);
        while (lua_next(state, table) != 0) {
            lua_pop(state, 1);
            // A table too large to compare is not gathered whole first.
            if (run->values.size() + waiting + keys.size() >= unfoldedBound) {
                lua_pop(state, 2);
                tooLarge = true;
                return;
            }
            Key key = keyOnTop(state);
            key.slot = static_cast<int>(keys.size()) + 1;
            lua_pushvalue(state, -1);
            lua_rawseti(state, slots, key.slot);
            keys.push_back(std::move(key));
        }
        waiting += keys.size();
        std::sort(keys.begin(), keys.end());
        for (const Key& key : keys) {
            lua_rawgeti(state, slots, key.slot);
            lua_rawget(state, table);
            --waiting;
            unfold(state, path + key.text, depth + 1);
            lua_pop(state, 1);
        }
        lua_pop(state, 1);
    }
};

// Arguments: the Unfolding, the table of globals as they stood before the script ran.
int unfoldGlobals(lua_State* state)
{
    auto* unfolding = static_cast<Unfolding*>(lua_touserdata(state, 1));
    lua_pushglobaltable(state);
    const int globals = lua_gettop(state);
    std::vector<std::string> names;
    lua_pushnil(state);
    while (lua_next(state, globals) != 0) {
        if (lua_type(state, -2) == LUA_TSTRING) {
            lua_pushvalue(state, -2);
            lua_rawget(state, 2);
            if (!lua_rawequal(state, -1, -2))
                names.emplace_back(lua_tostring(state, -3));
            lua_pop(state, 1);
        }
        lua_pop(state, 1);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        lua_pushstring(state, name.c_str());
        lua_rawget(state, globals);
        unfolding->unfold(state, name, 0);
        lua_pop(state, 1);
    }
    return 0;
}

// Arguments: the Unfolding, a value; unfolds the value under the path "".
int unfoldValue(lua_State* state)
{
    static_cast<Unfolding*>(lua_touserdata(state, 1))->unfold(state, "", 0);
    return 0;
}

// Copies the table of globals (argument 1) into a new table, returned.
int snapshotGlobals(lua_State* state)
{
    lua_newtable(state);
    lua_pushnil(state);
    while (lua_next(state, 1) != 0) {
        lua_pushvalue(state, -2);
        lua_insert(state, -2);
        lua_rawset(state, 2);
    }
    return 1;
}

}  // namespace

std::optional<CompileProblem> compileProblem(const std::string& text)
{
    Sandbox sandbox;
    if (!sandbox.state())
        return CompileProblem{0, "not enough memory"};
    if (sandbox.load(text))
        return std::nullopt;
    return problemOf(sandbox.errorMessage());
}

namespace {

// A value written in the file is a literal, which Lua reads at once.
constexpr std::chrono::milliseconds literalTime{100};

RunStop stopOf(RunEnd end, const Sandbox& sandbox)
{
    RunStop stop;
    switch (end) {
    case RunEnd::Finished: return stop;
    case RunEnd::Error: {
        const CompileProblem problem = problemOf(sandbox.errorMessage());
        return {RunStop::Error, problem.line, problem.message};
    }
    case RunEnd::Instructions: stop.kind = RunStop::Instructions; break;
    case RunEnd::Memory: stop.kind = RunStop::Memory; break;
    case RunEnd::Time:
    case RunEnd::Stopped: stop.kind = RunStop::Time; break;
    }
    stop.line = sandbox.lineReached();
    return stop;
}

ScriptRun runInSandbox(const std::string& text, int labels, Clock::time_point deadline)
{
    ScriptRun run;
    run.stop.kind = RunStop::Memory;
    Sandbox sandbox(deadline);
    lua_State* state = sandbox.state();
    if (!state)
        return run;
    lua_pushinteger(state, labels);
    lua_setglobal(state, "labels");
    lua_pushcfunction(state, snapshotGlobals);
    lua_pushglobaltable(state);
    if (lua_pcall(state, 1, 1, 0) != LUA_OK)
        return run;
    const int before = lua_gettop(state);
    run.stop = stopOf(sandbox.load(text) ? sandbox.run() : RunEnd::Error, sandbox);
    if (run.stop.atBound())
        return run;
    lua_settop(state, before);
    Unfolding unfolding;
    unfolding.run = &run;
    lua_pushcfunction(state, unfoldGlobals);
    lua_pushlightuserdata(state, &unfolding);
    lua_pushvalue(state, before);
    if (lua_pcall(state, 2, 0, 0) != LUA_OK || unfolding.tooLarge)
        run = {{}, {RunStop::TooLarge, 0, {}}};
    // Finalizers cannot change what the simulator reads; they must end, though.
    if (const RunStop closing = stopOf(sandbox.runFinalizers(), sandbox); closing.atBound())
        run = {{}, closing};
    return run;
}

Clock::time_point shareOf(Clock::time_point deadline, std::size_t runsLeft)
{
    const Clock::time_point now = Clock::now();
    return deadline <= now ? now : now + (deadline - now) / static_cast<int>(runsLeft);
}

}  // namespace

ScriptRun runScript(const std::string& text, int labels, Clock::time_point deadline)
{
    ScriptRun givenUp;
    givenUp.stop.kind = RunStop::Time;
    return inTime<ScriptRun>([text, labels, deadline] { return runInSandbox(text, labels, deadline); }, deadline,
                             givenUp);
}

LevelRuns runAtEveryLevel(const std::string& text, Clock::time_point deadline)
{
    LevelRuns runs;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        // Each run given up leaves a thread busy until the library function returns.
        const bool givenUp = i > 0 && runs[i - 1].stop.kind == RunStop::Time && runs[i - 1].stop.line == 0;
        runs[i] = givenUp ? runs[i - 1] : runScript(text, labelLevels[i], shareOf(deadline, runs.size() - i));
    }
    return runs;
}

std::optional<std::map<std::string, std::string>> literalValues(const std::string& text)
{
    using Literal = std::optional<std::map<std::string, std::string>>;
    const Clock::time_point deadline = Clock::now() + literalTime;
    return inTime<Literal>(
        [text, deadline]() -> Literal {
            Sandbox sandbox(deadline);
            lua_State* state = sandbox.state();
            if (!state || !sandbox.load("return " + text) || sandbox.run() != RunEnd::Finished)
                return std::nullopt;
            lua_settop(state, 1);
            if (lua_isnil(state, -1) && text != "nil")
                return std::nullopt;
            ScriptRun run;
            Unfolding unfolding;
            unfolding.run = &run;
            lua_pushcfunction(state, unfoldValue);
            lua_insert(state, -2);
            lua_pushlightuserdata(state, &unfolding);
            lua_insert(state, -2);
            if (lua_pcall(state, 2, 0, 0) != LUA_OK || unfolding.tooLarge)
                return std::nullopt;
            return run.values;
        },
        deadline, std::nullopt);
}

namespace {

using Values = std::map<std::string, std::string>;

// Whether `now` is `was` with some of its occurrences of `before` replaced by `after`.
bool replacedIn(const std::string& was, const std::string& now, const std::string& before, const std::string& after)
{
    if (before.empty() || was.size() * now.size() > 1u << 22)
        return false;
    std::set<std::pair<std::size_t, std::size_t>> failed;
    const std::function<bool(std::size_t, std::size_t)> match = [&](std::size_t i, std::size_t j) {
        if (i == was.size() || j == now.size())
            return i == was.size() && j == now.size();
        if (failed.count({i, j}))
            return false;
        const bool replaced = was.compare(i, before.size(), before) == 0 && now.compare(j, after.size(), after) == 0
            && match(i + before.size(), j + after.size());
        const bool kept = !replaced && was[i] == now[j] && match(i + 1, j + 1);
        if (!replaced && !kept)
            failed.insert({i, j});
        return replaced || kept;
    };
    return match(0, 0);
}

// The inside of a quoted value text, as it stands in the value texts of a run.
std::string inside(const std::string& quotedText)
{
    return quotedText.size() >= 2 && quotedText.front() == '"' ? quotedText.substr(1, quotedText.size() - 2)
                                                                : quotedText;
}

bool within(const std::string& path, const std::string& prefix)
{
    return path.compare(0, prefix.size(), prefix) == 0
        && (path.size() == prefix.size() || path[prefix.size()] == '.' || path[prefix.size()] == '[');
}

// The old run's values as they would read with every intended key move made.
Values withKeysMoved(const Values& old, const std::vector<const IntendedChange*>& moves)
{
    const auto moved = [&](const std::string& path) {
        for (const IntendedChange* move : moves) {
            const std::string from = move->path + "[" + move->before + "]";
            if (within(path, from))
                return move->path + "[" + move->after + "]" + path.substr(from.size());
        }
        return path;
    };
    Values out;
    for (const auto& [path, value] : old) {
        const bool alias = !value.empty() && value.front() == '=';
        out[moved(path)] = alias ? "=" + moved(value.substr(1)) : value;
    }
    return out;
}

class Comparison {
public:
    Comparison(const Values& oldValues, const Values& newValues, const std::vector<const IntendedChange*>& intended)
        : now(newValues)
    {
        std::vector<const IntendedChange*> moves;
        for (const IntendedChange* change : intended) {
            if (change->kind == IntendedChange::Key && !change->path.empty()
                && oldValues.count(change->path + "[" + change->before + "]"))
                moves.push_back(change);
            else if (change->kind != IntendedChange::Key)
                changes.push_back(change);
            else
                keyNotSeen = true;
        }
        was = withKeysMoved(oldValues, moves);
        for (const IntendedChange* move : moves) {
            const std::string to = move->path + "[" + move->after + "]";
            if (!now.count(to))
                damaged.push_back(to);
        }
        for (const IntendedChange* change : changes) {
            // A place the old run does not have is not where the script keeps the value:
            // the change is then known by its values alone.
            if (atKnownPlace(*change)) {
                seen.insert(change);
                if (value(now, change->path) != change->after)
                    damaged.push_back(change->path);
            }
        }
    }

    std::vector<std::string> unexplained()
    {
        std::set<std::string> paths;
        for (const auto& entry : was)
            paths.insert(entry.first);
        for (const auto& entry : now)
            paths.insert(entry.first);
        std::vector<std::string> sameTables;
        for (const std::string& path : paths) {
            const std::string before = value(was, path);
            const std::string after = value(now, path);
            if (before == after || below(sameTables, path))
                continue;
            // A table several places share is written out at the first path the run
            // reaches it by, and named there by the others: when that place goes (a
            // table rewritten whole), another place writes it out. It is the same table.
            if ((isAlias(before) || isAlias(after)) && reached(was, path) == reached(now, path)) {
                sameTables.push_back(path);
                continue;
            }
            if (!explained(path, before, after))
                damaged.push_back(path);
        }
        return damaged;
    }

    // Whether every intended change shows in what the new run defines (after unexplained()).
    bool everyChangeSeen() const { return !keyNotSeen && seen.size() == changes.size(); }

private:
    static bool isAlias(const std::string& value) { return !value.empty() && value.front() == '='; }

    static bool below(const std::vector<std::string>& tables, const std::string& path)
    {
        return std::any_of(tables.begin(), tables.end(), [&](const std::string& table) { return within(path, table); });
    }

    // Every value at and below a path, as "[2]=\"LeftBottom\"" lines, the tables named
    // there by another path read where that path leads.
    static std::string reached(const Values& values, const std::string& path, const std::string& shownAs = {},
                               int depth = 0)
    {
        std::string read;
        for (auto it = values.lower_bound(path); it != values.end() && it->first.compare(0, path.size(), path) == 0;
             ++it) {
            const std::string rest = it->first.substr(path.size());
            if (!rest.empty() && rest[0] != '[' && rest[0] != '.')
                continue;
            // An alias to a table around it (a table holding itself) is read as written.
            const std::string target = isAlias(it->second) ? it->second.substr(1) : std::string();
            if (!target.empty() && depth < 8 && !within(it->first, target))
                read += reached(values, target, shownAs + rest, depth + 1);
            else
                read += shownAs + rest + "=" + it->second + "\n";
        }
        return read;
    }

    static std::string value(const Values& values, const std::string& path)
    {
        const auto found = values.find(path);
        return found == values.end() ? std::string() : found->second;
    }

    bool atKnownPlace(const IntendedChange& change) const
    {
        return change.kind == IntendedChange::Value && !change.path.empty() && was.count(change.path);
    }

    static bool explains(const IntendedChange& change, bool knownPlace, const std::string& path,
                         const std::string& before, const std::string& after)
    {
        switch (change.kind) {
        case IntendedChange::Value:
            return knownPlace ? path == change.path && after == change.after
                              : before == change.before && after == change.after;
        case IntendedChange::Text:
            return !before.empty() && before.front() == '"' && !after.empty() && after.front() == '"'
                && replacedIn(inside(before), inside(after), inside(change.before), inside(change.after));
        case IntendedChange::Subtree: return within(path, change.path);
        case IntendedChange::Key: break;
        }
        return false;
    }

    bool explained(const std::string& path, const std::string& before, const std::string& after)
    {
        bool any = false;
        for (const IntendedChange* change : changes) {
            if (explains(*change, atKnownPlace(*change), path, before, after)) {
                seen.insert(change);
                any = true;
            }
        }
        return any;
    }

    Values was;
    const Values& now;
    std::vector<const IntendedChange*> changes;
    std::set<const IntendedChange*> seen;
    bool keyNotSeen = false;
    std::vector<std::string> damaged;
};

}  // namespace

Verdict judgeWrite(const LevelRuns& oldRuns, const std::string& newText, const std::vector<IntendedChange>& intended,
                   Clock::time_point deadline, LevelRuns* newRuns)
{
    Verdict verdict;
    verdict.compile = compileProblem(newText);
    if (verdict.compile)
        return verdict;
    LevelRuns runs;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const ScriptRun& before = oldRuns[i];
        verdict.labels = labelLevels[i];
        // What a run cut short at a bound would have defined is not known.
        if (before.stop.atBound()) {
            verdict.oldRunStops = true;
            verdict.stop = before.stop;
            return verdict;
        }
        runs[i] = runScript(newText, verdict.labels, shareOf(deadline, runs.size() - i));
        const ScriptRun& after = runs[i];
        // The same stop in both is the script's own (a value the simulator provides, say).
        if (after.stop && !after.stop.sameAs(before.stop)) {
            verdict.newRunFails = true;
            verdict.stop = after.stop;
            return verdict;
        }
        std::vector<const IntendedChange*> atThisLevel;
        for (const IntendedChange& change : intended) {
            if (change.onlyAtLevels == 0 || (change.onlyAtLevels & (1u << verdict.labels)) != 0)
                atThisLevel.push_back(&change);
        }
        Comparison comparison(before.values, after.values, atThisLevel);
        verdict.damaged = comparison.unexplained();
        if (!verdict.damaged.empty())
            return verdict;
        // Where the script stops, a change it has not reached does not reach the simulator.
        if (before.stop && !comparison.everyChangeSeen()) {
            verdict.oldRunStops = true;
            verdict.stop = before.stop;
            return verdict;
        }
    }
    verdict.labels = 0;
    if (newRuns)
        *newRuns = std::move(runs);
    return verdict;
}

Verdict judgeWrite(const std::string& oldText, const std::string& newText, const std::vector<IntendedChange>& intended)
{
    const Clock::time_point start = Clock::now();
    return judgeWrite(runAtEveryLevel(oldText, start + checkTime / 2), newText, intended, start + checkTime);
}

Verdict judgeReplacement(const std::string& newText)
{
    Verdict verdict;
    verdict.compile = compileProblem(newText);
    if (verdict.compile)
        return verdict;
    const LevelRuns runs = runAtEveryLevel(newText, Clock::now() + checkTime);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].stop) {
            verdict.labels = labelLevels[i];
            verdict.newRunFails = true;
            verdict.stop = runs[i].stop;
            return verdict;
        }
    }
    return verdict;
}

}  // namespace lua

