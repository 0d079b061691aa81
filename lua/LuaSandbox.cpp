#include "lua/LuaSandbox.h"

#include <cstdlib>
#include <utility>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

namespace lua {

namespace {

// A label script runs in well under a million instructions and a megabyte; these bounds
// leave room for any real script and stop one that loops or grows without end.
constexpr long long instructionBound = 50'000'000;
constexpr int hookInterval = 1000;
constexpr std::size_t memoryBound = 64u << 20;

constexpr const char* chunkName = "=Labels.lua";
constexpr const char* chunkPrefix = "Labels.lua:";

int ignorePrint(lua_State*) { return 0; }

}  // namespace

struct Sandbox::Bounds {
    Clock::time_point deadline;
    std::size_t used = 0;
    long long instructions = 0;
    RunEnd exceeded = RunEnd::Finished;
    const LineCallback* onLine = nullptr;

    static Bounds& of(lua_State* state)
    {
        void* userData = nullptr;
        lua_getallocf(state, &userData);
        return *static_cast<Bounds*>(userData);
    }

    static void* allocate(void* userData, void* block, std::size_t oldSize, std::size_t newSize)
    {
        auto* bounds = static_cast<Bounds*>(userData);
        // Without a block, oldSize tells the kind of object, not a size.
        const std::size_t held = block ? oldSize : 0;
        if (newSize == 0) {
            std::free(block);
            bounds->used -= held;
            return nullptr;
        }
        if (newSize > held && bounds->used + (newSize - held) > memoryBound) {
            bounds->exceeded = RunEnd::Memory;
            return nullptr;
        }
        void* moved = std::realloc(block, newSize);
        if (moved)
            bounds->used = bounds->used - held + newSize;
        return moved;
    }

    static void watch(lua_State* state, lua_Debug* event)
    {
        Bounds& bounds = of(state);
        if (event->event == LUA_HOOKLINE) {
            if (bounds.onLine && (*bounds.onLine)(event->currentline)) {
                bounds.exceeded = RunEnd::Stopped;
                luaL_error(state, "stopped at line %d", event->currentline);
            }
            return;
        }
        bounds.instructions += hookInterval;
        if (bounds.instructions > instructionBound) {
            bounds.exceeded = RunEnd::Instructions;
            luaL_error(state, "the script runs too long");
        }
        if (Clock::now() > bounds.deadline) {
            bounds.exceeded = RunEnd::Time;
            luaL_error(state, "the script runs too long");
        }
    }
};

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
    lua_sethook(lua, Bounds::watch, LUA_MASKCOUNT, hookInterval);
}

Sandbox::~Sandbox()
{
    if (lua)
        lua_close(lua);
}

lua_State* Sandbox::state() const { return lua; }

bool Sandbox::load(const std::string& text)
{
    return luaL_loadbufferx(lua, text.data(), text.size(), chunkName, "t") == LUA_OK;
}

RunEnd Sandbox::run(const LineCallback& onLine)
{
    bounds->onLine = onLine ? &onLine : nullptr;
    lua_sethook(lua, Bounds::watch, onLine ? LUA_MASKCOUNT | LUA_MASKLINE : LUA_MASKCOUNT, hookInterval);
    const int status = lua_pcall(lua, 0, LUA_MULTRET, 0);
    bounds->onLine = nullptr;
    lua_sethook(lua, Bounds::watch, LUA_MASKCOUNT, hookInterval);
    if (bounds->exceeded != RunEnd::Finished)
        return bounds->exceeded;
    return status == LUA_OK ? RunEnd::Finished : RunEnd::Error;
}

std::string Sandbox::errorMessage() const
{
    const char* text = lua_tostring(lua, -1);
    std::string message = text ? text : "(an error without a message)";
    if (message.rfind(chunkPrefix, 0) == 0)
        message.erase(0, std::char_traits<char>::length(chunkPrefix));
    return message;
}

}  // namespace lua
