#include <algorithm>
#include <string_view>

#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"

namespace {

// Well-formed UTF-8: the simulator reads the script as UTF-8, and the symbols of a
// damaged copy would show as garbage in every label.
bool isUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6       ? 2
            : (lead >> 4) == 0xE       ? 3
            : (lead >> 3) == 0x1E      ? 4
                                       : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size())
            return false;
        for (int k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}

}  // namespace

ApplyOutcome LabelConfig::applyPendingEdits()
{
    ApplyOutcome outcome;
    outcome.notSaved.swap(notQueued);
    std::vector<std::string> edits;
    edits.swap(pendingEdits);
    // An empty text means the file was never read (or could not be); writing it
    // would wipe out the player's file.
    if (document.text().empty() && !(edits.empty() && outcome.notSaved.empty())) {
        outcome.write = ModelOutcome::failed(ModelFailure::LabelFileNotRead);
        return outcome;
    }
    if (edits.empty() && !textUnsaved)
        return outcome;
    for (const std::string& edit : edits) {
        if (!edit.empty())
            static_cast<void>(document.applyEdit(edit, false));
    }
    // The edited text stays in memory when it cannot be saved, so a later Apply can.
    textUnsaved = true;
    outcome.write = backups.beforeWriting(labelFilePath);
    if (!outcome.write)
        return outcome;
    outcome.write = ModelOutcome::of(document.write());
    textUnsaved = !outcome.written();
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
    static_cast<void>(factory.replaceText(files.textOf(bytes), false));
    factory.collectFunctionNames();
    factory.parse();
    std::vector<LabelSetting> factorySettings = buildCatalogue();
    std::vector<bool> readable(factorySettings.size(), false);
    static_cast<void>(readSettings(factory, factorySettings, readable));
    if (!isUtf8(bytes) || std::find(readable.begin(), readable.end(), false) != readable.end())
        return ModelOutcome::failed(ModelFailure::FactoryCopyDamaged);
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
