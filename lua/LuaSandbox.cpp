#include "lua/LuaSandbox.h"

#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <vector>
#include <utility>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

// Why a bound ends a run for good. A bound that raised a Lua error would be caught by
// any pcall or xpcall of the script, which could loop around it for ever; and a
// finalizer (__gc) runs with hooks off, where no bound reaches it. So:
// - once a bound is passed, the hook jumps (longjmp) straight back to run(), past every
//   pcall and message handler. The Lua library of Debian and the one MinGW cross-builds
//   from the same source are C, whose own errors are the same jumps, so only C frames of
//   Lua lie between run() and the hook. The state is then left in the middle of an
//   instruction and never touched again: its memory is freed block by block from the
//   allocator's own list, never by lua_close (which would also run code of the script);
// - after the memory bound every further allocation fails, so an allocation the script
//   catches leaves nothing to continue with; the next instruction count ends the run;
// - no finalizer runs where no bound reaches it: the sandbox's setmetatable hides __gc
//   from the metatable while it sets it (Lua marks a table for finalization only when
//   its metatable has __gc at that moment) and keeps the table on a list of its own;
//   runFinalizers() calls them as closing the state would, under the same bounds.
// A function of Lua's own libraries that runs long without a Lua instruction (a
// pattern that backtracks through a long text) is beyond any hook: the judge gives such
// a run up at its deadline instead.

namespace lua {

namespace {

// A label script runs in well under a million instructions and a megabyte; these bounds
// leave room for any real script and stop one that loops or grows without end.
constexpr long long instructionBound = 50'000'000;
constexpr int hookInterval = 1000;
constexpr std::size_t memoryBound = 64u << 20;

constexpr const char* chunkName = "=Labels.lua";
constexpr const char* chunkPrefix = "Labels.lua:";

// The registry's list of the tables to finalize, in the order they were marked; each
// table is also a key of the list, so that it is listed once.
constexpr const char* finalizableKey = "halvane.finalizable";

int ignorePrint(lua_State*) { return 0; }

// setmetatable as the base library has it (upvalue 1), but a table whose new metatable
// has __gc goes on the sandbox's list instead of Lua's.
int setMetatableOnList(lua_State* state)
{
    lua_settop(state, 2);
    bool hidden = false;
    if (lua_type(state, 2) == LUA_TTABLE) {
        lua_pushliteral(state, "__gc");
        hidden = lua_rawget(state, 2) != LUA_TNIL;  // kept at 3 while hidden
        if (hidden) {
            lua_pushliteral(state, "__gc");
            lua_pushnil(state);
            lua_rawset(state, 2);
        }
    }
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_pushvalue(state, 1);
    lua_pushvalue(state, 2);
    const int status = lua_pcall(state, 2, 1, 0);
    if (!hidden)
        return status == LUA_OK ? 1 : lua_error(state);
    lua_pushliteral(state, "__gc");
    lua_pushvalue(state, 3);
    lua_rawset(state, 2);
    if (status != LUA_OK)
        return lua_error(state);
    lua_getfield(state, LUA_REGISTRYINDEX, finalizableKey);
    lua_pushvalue(state, 1);
    if (lua_rawget(state, -2) == LUA_TNIL) {
        lua_pushvalue(state, 1);
        lua_rawseti(state, -3, static_cast<lua_Integer>(lua_rawlen(state, -3)) + 1);
        lua_pushvalue(state, 1);
        lua_pushboolean(state, 1);
        lua_rawset(state, -4);
    }
    lua_settop(state, 4);
    return 1;
}

// Calls the finalizers of the listed tables, the last marked first, as lua_close does.
int callFinalizers(lua_State* state)
{
    lua_getfield(state, LUA_REGISTRYINDEX, finalizableKey);
    for (auto i = static_cast<lua_Integer>(lua_rawlen(state, 1)); i >= 1; --i) {
        lua_rawgeti(state, 1, i);
        if (lua_getmetatable(state, 2)) {
            lua_pushliteral(state, "__gc");
            if (lua_rawget(state, 3) != LUA_TNIL) {
                lua_pushvalue(state, 2);
                // An error in a finalizer is only a warning to Lua.
                lua_pcall(state, 1, 0, 0);
            }
        }
        lua_settop(state, 1);
    }
    return 0;
}

// Every block the state holds, so that an abandoned state can be freed without Lua.
struct alignas(std::max_align_t) Block {
    Block* previous;
    Block* next;
};

}  // namespace

struct Sandbox::Bounds {
    Clock::time_point deadline;
    Block blocks{&blocks, &blocks};
    std::size_t used = 0;
    bool running = false;  // the bounds hold while the script runs
    bool outOfMemory = false;
    long long instructions = 0;
    const LineCallback* onLine = nullptr;
    RunEnd end = RunEnd::Finished;
    int line = 0;
    std::jmp_buf leave;

    static Bounds& of(lua_State* state)
    {
        void* userData = nullptr;
        lua_getallocf(state, &userData);
        return *static_cast<Bounds*>(userData);
    }

    void link(Block* block)
    {
        block->previous = &blocks;
        block->next = blocks.next;
        blocks.next->previous = block;
        blocks.next = block;
    }

    static void unlink(Block* block)
    {
        block->previous->next = block->next;
        block->next->previous = block->previous;
    }

    static void* allocate(void* userData, void* pointer, std::size_t oldSize, std::size_t newSize)
    {
        auto& bounds = *static_cast<Bounds*>(userData);
        Block* block = pointer ? static_cast<Block*>(pointer) - 1 : nullptr;
        // Without a block, oldSize tells the kind of object, not a size.
        const std::size_t held = block ? oldSize : 0;
        if (newSize == 0) {
            if (block) {
                unlink(block);
                std::free(block);
                bounds.used -= held;
            }
            return nullptr;
        }
        if (newSize > held && bounds.running && (bounds.outOfMemory || bounds.used + (newSize - held) > memoryBound)) {
            bounds.outOfMemory = true;
            return nullptr;
        }
        if (block)
            unlink(block);
        auto* moved = static_cast<Block*>(std::realloc(block, sizeof(Block) + newSize));
        if (!moved) {
            if (block)
                bounds.link(block);
            // Lua counts on a block never failing to shrink: it keeps its size then.
            return newSize <= held ? pointer : nullptr;
        }
        bounds.link(moved);
        bounds.used = bounds.used - held + newSize;
        return moved + 1;
    }

    // How the run ends at this hook event; Finished while it may go on.
    RunEnd endAt(lua_State* state, lua_Debug* event)
    {
        if (event->event == LUA_HOOKLINE) {
            line = event->currentline;
            return onLine && (*onLine)(line) ? RunEnd::Stopped : RunEnd::Finished;
        }
        instructions += hookInterval;
        const RunEnd bound = outOfMemory      ? RunEnd::Memory
            : instructions > instructionBound ? RunEnd::Instructions
            : Clock::now() > deadline         ? RunEnd::Time
                                              : RunEnd::Finished;
        if (bound != RunEnd::Finished && lua_getinfo(state, "l", event))
            line = event->currentline;
        return bound;
    }

    static void watch(lua_State* state, lua_Debug* event)
    {
        Bounds& bounds = of(state);
        const RunEnd end = bounds.endAt(state, event);
        if (end == RunEnd::Finished)
            return;
        bounds.end = end;
        std::longjmp(bounds.leave, 1);
    }
};

void keepUntilEnded(std::thread thread, std::function<bool()> ended)
{
    struct Kept {
        std::thread thread;
        std::function<bool()> ended;
    };
    static std::mutex guard;
    // Never destroyed: destroying a thread that still runs would end the program.
    static auto* kept = new std::vector<Kept>;
    const std::lock_guard<std::mutex> lock(guard);
    for (auto it = kept->begin(); it != kept->end();) {
        if (!it->ended()) {
            ++it;
            continue;
        }
        it->thread.join();
        it = kept->erase(it);
    }
    kept->push_back({std::move(thread), std::move(ended)});
}

Sandbox::Sandbox(Clock::time_point deadline) : bounds(std::make_unique<Bounds>())
{
    bounds->deadline = deadline;
    lua = lua_newstate(Bounds::allocate, bounds.get());
    if (!lua)
        return;
    const std::pair<const char*, lua_CFunction> libraries[] = {
        {LUA_GNAME, luaopen_base},
        {LUA_STRLIBNAME, luaopen_string},
        {LUA_TABLIBNAME, luaopen_table},
        {LUA_MATHLIBNAME, luaopen_math},
    };
    for (const auto& [name, open] : libraries) {
        luaL_requiref(lua, name, open, 1);
        lua_pop(lua, 1);
    }
    // The base library can reach files and compile code of its own.
    for (const char* name : {"load", "loadfile", "dofile", "require"}) {
        lua_pushnil(lua);
        lua_setglobal(lua, name);
    }
    // A script's prints would land in the editor's output (the command line's lists).
    lua_pushcfunction(lua, ignorePrint);
    lua_setglobal(lua, "print");
    lua_getglobal(lua, "setmetatable");
    lua_pushcclosure(lua, setMetatableOnList, 1);
    lua_setglobal(lua, "setmetatable");
    lua_newtable(lua);
    lua_setfield(lua, LUA_REGISTRYINDEX, finalizableKey);
}

Sandbox::~Sandbox()
{
    while (bounds->blocks.next != &bounds->blocks) {
        Block* block = bounds->blocks.next;
        Bounds::unlink(block);
        std::free(block);
    }
}

lua_State* Sandbox::state() const { return lua; }

bool Sandbox::load(const std::string& text)
{
    // The simulator reads the file with Lua's own loader, which skips a first line that
    // starts with "#" (a "#!" line) but keeps its line end, so the lines keep their numbers.
    const std::size_t start = !text.empty() && text[0] == '#' ? std::min(text.find('\n'), text.size()) : 0;
    return luaL_loadbufferx(lua, text.data() + start, text.size() - start, chunkName, "t") == LUA_OK;
}

RunEnd Sandbox::run(const LineCallback& onLine)
{
    Bounds& watched = *bounds;
    watched.onLine = onLine ? &onLine : nullptr;
    watched.running = true;
    lua_sethook(lua, Bounds::watch, onLine ? LUA_MASKCOUNT | LUA_MASKLINE : LUA_MASKCOUNT, hookInterval);
    if (setjmp(watched.leave) != 0) {
        lua = nullptr;
        watched.running = false;
        return watched.end;
    }
    const int status = lua_pcall(lua, 0, LUA_MULTRET, 0);
    lua_sethook(lua, nullptr, 0, 0);
    watched.running = false;
    if (watched.outOfMemory)
        return RunEnd::Memory;
    return status == LUA_OK ? RunEnd::Finished : RunEnd::Error;
}

RunEnd Sandbox::runFinalizers()
{
    lua_pushcfunction(lua, callFinalizers);
    const RunEnd end = run();
    if (lua)
        lua_pop(lua, 1);
    return end;
}

int Sandbox::lineReached() const { return bounds->line; }

std::string Sandbox::errorMessage() const
{
    const char* text = lua ? lua_tostring(lua, -1) : nullptr;
    std::string message = text ? text : "(an error without a message)";
    if (message.rfind(chunkPrefix, 0) == 0)
        message.erase(0, std::char_traits<char>::length(chunkPrefix));
    return message;
}

}  // namespace lua
