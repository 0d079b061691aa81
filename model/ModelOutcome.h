#pragma once
// Why the model refused a text or could not do what was asked, as codes the window words
// in the player's language. The system's own words, where there are any, are kept aside
// as a detail.
#include <string>
#include <utility>

#include "lua/LuaFileAccess.h"
#include "lua/LuaJudge.h"

// What keeps a text (a symbol, a format table's text, a folder path) from being stored in
// a Lua file and read back exactly as it was.
enum class TextProblem {
    None,
    DoubleQuote,       // would end the profile's unescaped string early
    LineBreak,         // a string between quotes ends at the line
    ControlCharacter,  // a tab or another control character, which no label shows
    CodePage,          // a folder name the system's code page cannot write
};

struct TextRefusal {
    TextProblem problem = TextProblem::None;
    explicit operator bool() const { return problem != TextProblem::None; }
};

enum class ModelFailure {
    None,
    LanguageUnknown,        // no interface language has that number
    DirectoryNotStorable,   // the folder path holds a text the profile cannot keep (see refusal)
    DataFolderNotCreated,   // the folder "data" for a new profile could not be made
    LabelFileNotRead,       // Labels.lua was never read, so it is not written over
    NoLabelFile,            // no Labels.lua has been found yet
    FactoryCopyUnreadable,  // data/default.lua is missing, unreadable or empty
    FactoryCopyDamaged,     // data/default.lua is not UTF-8 text, Lua cannot run it, or its settings cannot be read
    BackupFailed,           // the copy of Labels.lua could not be made, so it is not replaced (see writeFailure)
    LabelFileDoesNotCompile,  // Lua cannot read Labels.lua as it is, so the simulator cannot either (see verdict)
    LuaRefused,             // Lua finds that the new text would not do what was asked (see verdict)
    LabelFolderNotCreated,  // the folders Config/View for a new Labels.lua could not be made
    NotWritten,             // the file could not be written (see writeFailure)
};

struct [[nodiscard]] ModelOutcome {
    ModelFailure failure = ModelFailure::None;
    lua::WriteFailure writeFailure = lua::WriteFailure::None;  // with NotWritten
    TextRefusal refusal;                                       // with DirectoryNotStorable
    std::string detail;                                        // the system's own words, if any
    lua::Verdict verdict;                                      // with LabelFileDoesNotCompile and LuaRefused
    explicit operator bool() const { return failure == ModelFailure::None; }

    static ModelOutcome done() { return {}; }
    static ModelOutcome failed(ModelFailure why, std::string systemDetail = {})
    {
        return {why, lua::WriteFailure::None, {}, std::move(systemDetail), {}};
    }
    static ModelOutcome refused(ModelFailure why, lua::Verdict verdict)
    {
        return {why, lua::WriteFailure::None, {}, {}, std::move(verdict)};
    }
    static ModelOutcome of(const lua::WriteOutcome& write)
    {
        if (write)
            return done();
        return {ModelFailure::NotWritten, write.failure, {}, write.detail, {}};
    }
};
