#pragma once
// The sandbox every label script runs in: a fresh Lua state with the base, string, table
// and math libraries only (no io, os, package, require, load, loadfile, dofile, debug),
// bounded in instructions, memory and time, so that no script can reach outside, hang
// the editor or exhaust its memory. Whoever needs a script run (the judge, a function
// that follows the lines a run takes) loads it here and runs it here.
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

struct lua_State;

namespace lua {

using Clock = std::chrono::steady_clock;

// How a run in the sandbox ended.
enum class RunEnd {
    Finished,      // the chunk returned
    Error,         // it raised an error of its own (errorMessage() has Lua's message)
    Instructions,  // it ran past the instruction bound
    Memory,        // it asked for more memory than the bound
    Time,          // it ran past the deadline
    Stopped,       // the line callback asked to stop
};

// A run that does not end by its deadline is waited for this much longer, then given up.
constexpr std::chrono::milliseconds giveUpAfter{250};

// Keeps the thread of a run given up until it has ended, then joins it. A thread is never
// detached: MinGW's threads library can lose a thread detached before it has started (it
// then never runs, or runs on freed state), which a loaded machine makes likely. The
// threads still running when the program ends are ended with it.
void keepUntilEnded(std::thread thread, std::function<bool()> ended);

// A function of Lua's libraries that runs long without a Lua instruction (a pattern that
// backtracks through a long text, table.move over a vast range) is beyond the sandbox's
// hook and can run for years. So every run has a thread of its own, and one that has not
// ended shortly after its deadline is given up: its thread is left to end by itself (the
// next instruction it runs passes the deadline and ends it), and the caller goes on. The
// work must therefore hold copies of what it reads, never references.
template <typename Result>
Result inTime(std::function<Result()> work, Clock::time_point deadline, Result givenUp)
{
    std::packaged_task<Result()> task(std::move(work));
    auto result = std::make_shared<std::future<Result>>(task.get_future());
    std::thread thread(std::move(task));
    if (result->wait_until(deadline + giveUpAfter) != std::future_status::ready) {
        keepUntilEnded(std::move(thread), [result] {
            return result->wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        });
        return givenUp;
    }
    thread.join();
    return result->get();
}

class Sandbox {
public:
    // Called at each new line a run reaches (the chunk's own line numbers); true stops the
    // run there. It must not throw.
    using LineCallback = std::function<bool(int line)>;

    explicit Sandbox(Clock::time_point deadline = Clock::time_point::max());
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // The state to load into and read from; null when none could be made, and after a
    // run that ended at a bound or by the callback (the state was left mid-instruction).
    lua_State* state() const;
    // Compiles a label script's text (text only, never bytecode) as the simulator's
    // loader reads a file, and pushes it as a function; false when Lua cannot compile it,
    // with Lua's message on top of the stack instead.
    bool load(const std::string& text);
    // Calls the function on top of the stack without arguments; its results take its
    // place. With Error, Lua's message takes its place. The bounds hold only here: what
    // the caller does with the state before and after is not the script's doing.
    RunEnd run(const LineCallback& onLine = {});
    // Calls the finalizers (__gc) of the tables the script gave one, as closing the state
    // would, under the same bounds; the simulator runs them when it is done with the
    // script. Finished (or Error, when the state is out of memory) unless a bound ended it.
    RunEnd runFinalizers();
    // The line a run was at when it ended at a bound or by the callback (0: not known).
    int lineReached() const;
    // Lua's message on top of the stack, without the chunk's name ("12: attempt to ...").
    std::string errorMessage() const;

private:
    struct Bounds;
    std::unique_ptr<Bounds> bounds;
    lua_State* lua = nullptr;
};

}  // namespace lua
