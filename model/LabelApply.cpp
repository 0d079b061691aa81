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
        outcome.reason = "Labels.lua could not be read, so it is left as it is.";
        return outcome;
    }
    for (const std::string& edit : edits) {
        if (!edit.empty())
            document.applyEdit(edit, false);
    }
    const lua::WriteOutcome written = document.write();
    outcome.written = written.written;
    outcome.reason = written.reason;
    return outcome;
}

lua::WriteOutcome LabelConfig::restoreDefault()
{
    if (labelFilePath.empty())
        return {false, "No Labels.lua has been found yet, so there is nothing to restore."};
    const std::filesystem::path factoryPath = "data/default.lua";
    const lua::LuaFileAccess& files = document.fileAccess();
    bool crlf = false;
    // A missing factory copy opens as a failed stream, which reads as empty.
    const std::string factoryText = files.readAll(files.openForReading(factoryPath).get(), &crlf);
    if (factoryText.empty())
        return {false, "data/default.lua could not be read or is empty, so Labels.lua is left as it is."};
    // The factory copy goes in place as it is, with its own line ends.
    const lua::WriteOutcome outcome = files.writeAll(labelFilePath, factoryText, crlf);
    if (outcome)
        load();
    return outcome;
}
