#include "model/LabelConfig.h"

ApplyOutcome LabelConfig::applyPendingEdits()
{
    ApplyOutcome outcome;
    outcome.notSaved.swap(notQueued);
    std::vector<std::string> edits;
    edits.swap(pendingEdits);
    // An empty text means the file was never read (or could not be); writing it
    // would wipe out the player's file.
    if (document.text().empty()) {
        outcome.write = ModelOutcome::failed(ModelFailure::LabelFileNotRead);
        return outcome;
    }
    for (const std::string& edit : edits) {
        if (!edit.empty())
            static_cast<void>(document.applyEdit(edit, false));
    }
    outcome.write = ModelOutcome::of(document.write());
    return outcome;
}

ModelOutcome LabelConfig::restoreDefault()
{
    if (labelFilePath.empty())
        return ModelOutcome::failed(ModelFailure::NoLabelFile);
    const std::filesystem::path factoryPath = "data/default.lua";
    const lua::LuaFileAccess& files = document.fileAccess();
    bool crlf = false;
    // A missing factory copy opens as a failed stream, which reads as empty.
    const std::string factoryText = files.readAll(files.openForReading(factoryPath).get(), &crlf);
    if (factoryText.empty())
        return ModelOutcome::failed(ModelFailure::FactoryCopyUnreadable);
    // The factory copy goes in place as it is, with its own line ends.
    const ModelOutcome outcome = ModelOutcome::of(files.writeAll(labelFilePath, factoryText, crlf));
    if (outcome)
        load();
    return outcome;
}
