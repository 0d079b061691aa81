#pragma once
// Lua itself, the simulator's own language, as the last word on a label script: whether
// it compiles, and what it defines when it runs at each detail level. The engine's own
// reader finds where a value lies in the text; only Lua can say what the simulator will
// make of the text around it.
//
// Scripts run in a sandbox: the base, string, table and math libraries only (no io, os,
// package, require, load, loadfile, dofile, debug), with a bound on instructions and on
// memory, so no script can reach outside, hang the editor or exhaust its memory.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "lua/LuaDocument.h"

namespace lua {

// Why Lua cannot compile a text: the line it stopped at (0 when it names none) and its
// own message without the chunk name, e.g. "'}' expected near '0.7'".
struct CompileProblem {
    int line = 0;
    std::string message;
};

// None when Lua compiles the text as a script (text only, never bytecode).
std::optional<CompileProblem> compileProblem(const std::string& text);

// What a script defines when the simulator runs it at one detail level (the global
// `labels` set to 1 FULL, 2 ABBREVIATED, 3 DOT): every global it sets, unfolded into one
// entry per value, keyed by its path ("LEVEL_FULL.AirFormat[10000][2]"). A table reached
// again through another path is one entry naming the first path ("=LEVEL_FULL.font"),
// so a value shared by several tables changes in one place.
struct ScriptRun {
    std::map<std::string, std::string> values;  // path -> value text ("\"LeftBottom\"", "10000", "{}", ...)
    std::string error;                          // Lua's message when the run stopped early
    bool exceededBounds = false;                // ran out of instructions or memory
};
ScriptRun runScript(const std::string& text, int labels);

// What a value text written in the file stands for, unfolded as ScriptRun unfolds it
// (the value itself under "", a table's items under "[1]", ".name", ...); none when the
// text is not a value of its own (it names a variable, calls a function, fails).
std::optional<std::map<std::string, std::string>> literalValues(const std::string& text);

// The detail levels the simulator sets, in the order the checks run them.
constexpr int labelLevels[] = {1, 2, 3};

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
    bool newRunFails = false;               // the new text stops (error or bounds) where the old did not
    std::string newRunError;
    std::vector<std::string> damaged;  // paths whose values change unasked, or intended changes that did not happen
    explicit operator bool() const { return !compile && !newRunFails && damaged.empty(); }
};

// Compiles the new text, runs the old and the new at every level and compares what they
// define: nothing but the intended changes may differ, and each must have happened.
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
// to its end, within the bounds, at every level.
Verdict judgeReplacement(const std::string& newText);

}  // namespace lua
