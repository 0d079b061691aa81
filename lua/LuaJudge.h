#pragma once
// Lua itself, the simulator's own language, as the last word on a label script: whether
// it compiles, and what it defines when it runs at each detail level. The engine's own
// reader finds where a value lies in the text; only Lua can say what the simulator will
// make of the text around it.
//
// Scripts run in the sandbox of LuaSandbox.h, and every check here ends by its deadline,
// whatever the script does.
#include <array>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lua/LuaDocument.h"
#include "lua/LuaSandbox.h"

namespace lua {

// Why Lua cannot compile a text: the line it stopped at (0 when it names none) and its
// own message without the chunk name, e.g. "'}' expected near '0.7'".
struct CompileProblem {
    int line = 0;
    std::string message;
};

// None when Lua compiles the text as a script (text only, never bytecode).
std::optional<CompileProblem> compileProblem(const std::string& text);

// The time one check may take: the runs of a text at every level, or the whole check of
// an Apply (compiling and running the new text; the old text's runs are the load's).
constexpr std::chrono::milliseconds checkTime{2000};

// Where and why a run did not reach the end of the script.
struct RunStop {
    enum Kind {
        None,          // it ran to its end
        Error,         // Lua stopped it with an error (the script's own, or of a value it lacks)
        Instructions,  // it ran past the instruction bound
        Memory,        // it asked for more memory than the bound
        Time,          // it ran past its deadline; without a line, inside a library function, where it was given up
        TooLarge,      // it ended, but builds more values or deeper tables than can be compared
    };
    Kind kind = None;
    int line = 0;         // where it stopped; 0 when not known
    std::string message;  // Lua's own, with Error
    explicit operator bool() const { return kind != None; }
    bool atBound() const { return kind != None && kind != Error; }
    // The same stop, wherever an edit moved its line.
    bool sameAs(const RunStop& other) const { return kind == other.kind && message == other.message; }
};

// What a script defines when the simulator runs it at one detail level (the global
// `labels` set to 1 FULL, 2 ABBREVIATED, 3 DOT): every global it sets, unfolded into one
// entry per value, keyed by its path ("LEVEL_FULL.AirFormat[10000][2]"). A table reached
// again through another path is one entry naming the first path ("=LEVEL_FULL.font"),
// so a value shared by several tables changes in one place. A run stopped by an error
// holds what the script had set until then; one stopped at a bound holds nothing.
struct ScriptRun {
    std::map<std::string, std::string> values;  // path -> value text ("\"LeftBottom\"", "10000", "{}", ...)
    RunStop stop;
};
ScriptRun runScript(const std::string& text, int labels, Clock::time_point deadline);

// What a value text written in the file stands for, unfolded as ScriptRun unfolds it
// (the value itself under "", a table's items under "[1]", ".name", ...); none when the
// text is not a value of its own (it names a variable, calls a function, fails).
std::optional<std::map<std::string, std::string>> literalValues(const std::string& text);

// The detail levels the simulator sets, in the order the checks run them.
constexpr int labelLevels[] = {1, 2, 3};

// A text's runs at every level, in that order; each has its share of the time left. A
// run given up inside a library function stands for the levels after it too.
using LevelRuns = std::array<ScriptRun, std::size(labelLevels)>;
LevelRuns runAtEveryLevel(const std::string& text, Clock::time_point deadline);

// One change a write means to make, as the runs see it.
struct IntendedChange {
    enum Kind {
        Value,  // the value at `path` (or, with an empty path, any value that held `before`) becomes `after`
        Key,    // the entry `before` of the table at `path` moves, as it was, to the key `after`
        Text,   // strings that held `before` may now hold `after` in its place (a symbol)
        Subtree,  // anything at or under `path` may change (an entry added or removed)
    };
    Kind kind = Value;
    std::string path;    // a table or value path as ScriptRun names it; "" where the place is not known
    std::string before;  // value texts as ScriptRun writes them; for Key, the key texts ("10000")
    std::string after;
    unsigned onlyAtLevels = 0;  // 0: every run; else the levels whose runs it is meant for, as bits 1 << labels
};

// What a write would change beyond what it meant to, or why it cannot be judged.
struct Verdict {
    std::optional<CompileProblem> compile;  // the new text does not compile
    int labels = 0;                         // the run that found the problem
    bool newRunFails = false;               // the new text stops where, or otherwise than, the old did
    bool oldRunStops = false;          // the old text stops at a bound, or with an error before a change takes effect
    RunStop stop;                      // the new run's stop with newRunFails, the old one's with oldRunStops
    std::vector<std::string> damaged;  // paths whose values change unasked, or intended changes that did not happen
    explicit operator bool() const { return !compile && !newRunFails && !oldRunStops && damaged.empty(); }
};

// Compiles the new text, runs it at every level and compares what it defines with the
// old text's runs: nothing but the intended changes may differ, and each must have
// happened. A script that stops may be changed only where the new text stops in the
// same way at every level and each change takes effect before it; one that stops at a
// bound cannot be judged. The new runs go to *newRuns when every level passed.
Verdict judgeWrite(const LevelRuns& oldRuns, const std::string& newText, const std::vector<IntendedChange>& intended,
                   Clock::time_point deadline, LevelRuns* newRuns = nullptr);
// The same, running the old text too, all within checkTime.
Verdict judgeWrite(const std::string& oldText, const std::string& newText, const std::vector<IntendedChange>& intended);

// The changes a batch of edits means to make, as the runs see them: for every node the
// edits name, how its key and its value differ between the document before the edits and
// after them, at the place the script's globals hold it when that place is known.
std::vector<IntendedChange> intendedChanges(const LuaDocument& before, const LuaDocument& after,
                                            const std::vector<std::string>& edits);

// A run of lines of a script, counted from 1; empty when last < first.
struct LineSpan {
    int first = 0;
    int last = 0;
};

// For each span (the bodies of the branches of a script's top-level "if" chains), the
// levels whose run enters it: the values of `labels` (1, 2, 3) for which the script itself,
// run as the simulator runs it, executes a line of the span at its top level.
std::vector<std::vector<int>> branchesEntered(const std::string& text, const std::vector<LineSpan>& bodies);

// For a text that replaces a file whole (the factory settings): it must compile and run
// to its end, within the bounds and checkTime, at every level.
Verdict judgeReplacement(const std::string& newText);

}  // namespace lua
