#include <algorithm>

#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"
#include "model/QuotedText.h"

namespace {

// A document holding a text, parsed as a load would parse it.
void readInto(lua::LuaDocument& document, const std::string& text)
{
    readAsLabelScript(document);
    static_cast<void>(document.replaceText(text, false));
    document.collectFunctionNames();
    document.parse();
}

}  // namespace

lua::Verdict LabelConfig::judgeDocument(lua::LevelRuns& newRuns) const
{
    const lua::Clock::time_point deadline = lua::Clock::now() + lua::checkTime;
    lua::LuaDocument saved;
    readInto(saved, savedText);
    return lua::judgeWrite(savedRuns, document.text(), lua::intendedChanges(saved, document, unsavedEdits), deadline,
                           &newRuns);
}

void LabelConfig::addMove(std::vector<MovedKey>& moves, const MovedKey& move)
{
    for (MovedKey& earlier : moves) {
        if (earlier.level == move.level && earlier.category == move.category) {
            earlier.to = move.to;
            return;
        }
    }
    moves.push_back(move);
}

void LabelConfig::revertToSavedText()
{
    unsavedEdits.clear();
    unsavedMoves.clear();
    readInto(document, savedText);
    bindSettings();
}

ApplyOutcome LabelConfig::applyPendingEdits()
{
    ApplyOutcome outcome;
    outcome.notSaved.swap(notQueued);
    std::vector<std::string> edits;
    edits.swap(pendingEdits);
    std::vector<MovedKey> moves;
    moves.swap(pendingMoves);
    const bool nothingAsked = edits.empty() && outcome.notSaved.empty();
    // An empty text means the file was never read (or could not be); writing it
    // would wipe out the player's file.
    if (document.text().empty() && !nothingAsked) {
        outcome.write = ModelOutcome::failed(ModelFailure::LabelFileNotRead);
        return outcome;
    }
    // What Lua cannot read now, the editor cannot tell the meaning of after a change.
    if (compileProblem && !nothingAsked) {
        lua::Verdict verdict;
        verdict.compile = compileProblem;
        outcome.write = ModelOutcome::refused(ModelFailure::LabelFileDoesNotCompile, verdict);
        return outcome;
    }
    if (edits.empty() && unsavedEdits.empty())
        return outcome;
    for (const std::string& edit : edits) {
        if (!edit.empty())
            static_cast<void>(document.applyEdit(edit, false));
    }
    // The edited text stays in memory when it cannot be saved, so a later Apply can.
    unsavedEdits.insert(unsavedEdits.end(), edits.begin(), edits.end());
    for (const MovedKey& move : moves)
        addMove(unsavedMoves, move);
    if (tamperForTests) {
        std::string text = document.text();
        tamperForTests(text);
        readInto(document, text);
    }
    lua::Verdict verdict;
    lua::LevelRuns newRuns;
    const auto check = [&] { verdict = judgeDocument(newRuns); };
    if (checkRunner)
        checkRunner(check);
    else
        check();
    if (!verdict) {
        revertToSavedText();
        outcome.write = ModelOutcome::refused(ModelFailure::LuaRefused, verdict);
        return outcome;
    }
    // A folder that cannot take the file is named as such, not as a failed backup.
    if (const lua::WriteFailure obstacle = lua::LuaFileAccess::writeObstacle(labelFilePath);
        obstacle != lua::WriteFailure::None) {
        outcome.write = ModelOutcome::of(lua::WriteOutcome::failed(obstacle));
        return outcome;
    }
    outcome.write = backups.beforeWriting(labelFilePath);
    if (!outcome.write)
        return outcome;
    outcome.write = ModelOutcome::of(document.write());
    if (outcome.written()) {
        savedText = document.text();
        savedRuns = std::move(newRuns);
        unsavedEdits.clear();
        for (const MovedKey& move : unsavedMoves) {
            if (move.to != move.from)
                outcome.moved.push_back(move);
        }
        unsavedMoves.clear();
    }
    return outcome;
}

ModelOutcome LabelConfig::readFactoryCopy(std::string& bytes) const
{
    const lua::LuaFileAccess& files = document.fileAccess();
    // A missing factory copy opens as a failed stream, which reads as empty.
    bytes = files.readBytes(files.openForReading(factoryCopyPath).get());
    if (bytes.empty())
        return ModelOutcome::failed(ModelFailure::FactoryCopyUnreadable);
    // A damaged copy would replace a working file with one the simulator or the
    // editor cannot use.
    lua::LuaDocument factory;
    readInto(factory, files.textOf(bytes));
    std::vector<LabelSetting> factorySettings = buildCatalogue();
    std::vector<bool> readable(factorySettings.size(), false);
    static_cast<void>(readSettings(factory, factorySettings, readable));
    if (!isUtf8(bytes) || std::find(readable.begin(), readable.end(), false) != readable.end())
        return ModelOutcome::failed(ModelFailure::FactoryCopyDamaged);
    if (lua::Verdict verdict = lua::judgeReplacement(factory.text()); !verdict) {
        ModelOutcome outcome = ModelOutcome::refused(ModelFailure::FactoryCopyDamaged, std::move(verdict));
        return outcome;
    }
    return ModelOutcome::done();
}

// The factory copy goes in place byte for byte, with its own line ends.
ModelOutcome LabelConfig::restoreDefault()
{
    if (labelFilePath.empty())
        return ModelOutcome::failed(ModelFailure::NoLabelFile);
    std::string bytes;
    if (ModelOutcome read = readFactoryCopy(bytes); !read)
        return read;
    if (const lua::WriteFailure obstacle = lua::LuaFileAccess::writeObstacle(labelFilePath);
        obstacle != lua::WriteFailure::None)
        return ModelOutcome::of(lua::WriteOutcome::failed(obstacle));
    if (ModelOutcome backedUp = backups.beforeWriting(labelFilePath); !backedUp)
        return backedUp;
    const ModelOutcome outcome = ModelOutcome::of(document.fileAccess().writeAll(labelFilePath, bytes, false));
    if (outcome)
        load();
    return outcome;
}

ModelOutcome LabelConfig::createLabelFile()
{
    std::string bytes;
    if (ModelOutcome read = readFactoryCopy(bytes); !read)
        return read;
    const std::filesystem::path path = labelFileUnder(profile.getWorkDirectory());
    std::error_code error;
    // A file that came into being meanwhile is the player's: it is read, never replaced.
    if (std::filesystem::exists(path, error)) {
        load();
        return ModelOutcome::done();
    }
    std::filesystem::create_directories(path.parent_path(), error);
    if (error)
        return ModelOutcome::failed(ModelFailure::LabelFolderNotCreated, error.message());
    const ModelOutcome outcome = ModelOutcome::of(document.fileAccess().writeAll(path, bytes, false));
    if (outcome)
        load();
    return outcome;
}
