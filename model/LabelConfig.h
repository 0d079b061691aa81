#pragma once
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lua/LuaDocument.h"
#include "model/LabelBackups.h"
#include "model/FormatTable.h"
#include "model/LabelCatalogue.h"
#include "model/LabelSetting.h"
#include "model/LabelTypes.h"
#include "model/ModelOutcome.h"
#include "model/ProfileStore.h"

// <work directory>/Config/View/Labels.lua
std::filesystem::path labelFileUnder(const std::filesystem::path& workDirectory);

// True when something exists at <work directory>/Config/View/Labels.lua.
// Throws std::filesystem::filesystem_error when the file system cannot answer
// (for example permission denied on a folder of the path).
bool labelFileExists(const ProfileStore& profile);
// The same test for a label file anywhere.
bool labelFileExistsAt(const std::filesystem::path& path);

// What keeps Labels.lua as a whole from being used, found when it is read.
enum class LabelFileState {
    Readable,
    Folder,          // a folder stands where the file should be
    Empty,           // the file holds nothing
    Unreadable,      // the file is there but cannot be read (permissions, a lock)
    NotUtf8,         // the simulator reads labels as UTF-8, and these bytes are not
    DoesNotCompile,  // Lua cannot read it, so neither can the simulator
};

// The entry written with a band (CategoryLayout::companionEntry): its key, and whether it
// follows the band. It does when it stands at half of the band's distance (rounded either
// way, as players write either); otherwise it is the player's own entry, which a change
// of the band leaves where it is.
struct CompanionKey {
    long long key = 0;
    bool followsBand = false;
};

// A key a write moved that the player did not name: the companion of a band that changed.
struct MovedKey {
    LabelLevel level;
    UnitCategory category;
    DistanceBand band;  // the band it follows
    long long from;
    long long to;
};

// What Apply did: whether Labels.lua was written (and why not), the settings whose
// values could not be saved because the last load could not read them, and the keys the
// write moved with the bands the player changed.
struct [[nodiscard]] ApplyOutcome {
    ModelOutcome write;
    std::vector<const LabelSetting*> notSaved;
    std::vector<MovedKey> moved;  // only when written
    bool written() const { return static_cast<bool>(write); }
};

// The model of Config/View/Labels.lua: 72 settings bound to the file by node paths.
class LabelConfig {
public:
    explicit LabelConfig(ProfileStore& profile);  // runs load(); may throw like labelFileExists
    // Bound to one label script wherever it is and whatever its name (the command line):
    // every load reads that file, never the one under the profile's work directory.
    LabelConfig(ProfileStore& profile, std::filesystem::path labelFile);

    // Reads the label file if it exists; otherwise changes nothing. May throw like labelFileExists.
    void load();
    // Stores the directory in the profile, then load(); the outcome is that of the
    // profile's write (a directory the profile cannot hold is still used).
    ModelOutcome changeWorkDirectory(const std::filesystem::path& directory);

    // Raw settings (texts as loaded or as the setters left them).
    const LabelSetting& visibility(UnitCategory category) const;
    const LabelSetting& symbol(UnitCategory category, SymbolRange range) const;
    const LabelSetting& symbolSize() const;
    const LabelSetting& alignment(LabelLevel level, UnitCategory category) const;
    const LabelSetting& distance(LabelLevel level, UnitCategory category, DistanceBand band) const;  // no Weapon DOT
    const LabelSetting& sideColourSetting(Side side) const;

    // Readers: the interpreted value, or nullopt when the setting is absent or unreadable.
    std::optional<bool> visibilityOn(UnitCategory category) const;  // "true" -> on, other non-empty -> off
    std::optional<std::string> symbolText(UnitCategory category, SymbolRange range) const;  // UTF-8, as Lua reads it
    std::optional<int> symbolSizeValue() const;
    std::optional<int> alignmentIndex(LabelLevel level, UnitCategory category) const;  // a name not listed: none
    std::optional<int> distanceValue(LabelLevel level, UnitCategory category, DistanceBand band) const;
    std::optional<ColourTriple> sideColour(Side side) const;
    // The companion of the table's band as the file holds it; none where the category has
    // no companion or the band rows cannot read the table.
    std::optional<CompanionKey> companionKey(LabelLevel level, UnitCategory category) const;

    // The settings the last load could not read (absent or not interpretable), catalogue order.
    // The distances and alignments of a table of the player's own shape are not among them:
    // such a table is read and changed entry by entry (customFormatTable, setFormatTable).
    std::vector<const LabelSetting*> unreadableSettings() const;
    // The layout of the file last loaded: where it keeps each setting.
    ScriptLayout scriptLayout() const { return fileLayout; }
    // The levels the category's format table at this level serves, in level order (the
    // level itself among them). A single-level script's tables serve every level, and so
    // does a branch of a level block that Lua takes at every level; such a table is one
    // set of settings, those of its first level, whichever level names it.
    std::vector<LabelLevel> levelsSharingTable(LabelLevel level, UnitCategory category) const;
    // The levels every one of whose tables is the same as this level's (the level among them).
    std::vector<LabelLevel> levelsSharingAllTables(LabelLevel level) const;
    // Levels whose own symbol size differs from FULL's (older scripts give each level one):
    // the window shows FULL's, and a change of it leaves theirs as they are.
    const std::vector<LabelLevel>& levelsWithOwnSymbolSize() const { return ownSizeLevels; }
    bool isReadable(const LabelSetting& setting) const;

    // Why a symbol cannot be written (a line break or another control character); any
    // other text is written as a Lua string and reads back as it was.
    static TextRefusal symbolRefusal(const std::string& symbolUtf8);

    // Setters: update the setting texts and queue PendingEdit texts. A setting the last
    // load could not read queues nothing and is reported in Apply's notSaved instead.
    void setVisibility(UnitCategory category, bool on);
    bool setSymbol(UnitCategory category, SymbolRange range,
                   const std::string& symbolUtf8);  // false: refused, nothing queued
    void setSymbolSize(int size);
    void setSideColour(Side side, int red, int green, int blue);
    // The band's companion follows it to half the new distance when it follows the band.
    void setDistance(LabelLevel level, UnitCategory category, DistanceBand band, int distance);
    void setAlignment(LabelLevel level, UnitCategory category, int alignmentIndex);
    // A format table of the player's own shape (FormatTable.h), as changed from what
    // customFormatTable gave: queues only what differs (a distance, a field, or the whole
    // table when entries were added or removed). Its distances must have passed
    // offendingEntries. A table the file does not hold as one of its own queues nothing.
    void setFormatTable(const FormatTable& table);

    const std::vector<std::string>& getPendingEdits() const { return pendingEdits; }
    // Applies the queued edits and writes Labels.lua once, after keeping a copy of it the
    // first time in a run. Nothing queued and nothing unsaved writes nothing.
    ApplyOutcome applyPendingEdits();
    // Where Restore Default and a new label file take the factory settings from.
    void setFactoryCopy(std::filesystem::path path) { factoryCopyPath = std::move(path); }
    // A folder without a label file gets one: the factory copy, byte for byte, with the
    // folders Config/View made as needed; then it is loaded. A damaged factory copy is
    // refused as Restore Default refuses it.
    ModelOutcome createLabelFile();
    // Puts data/default.lua in place of Labels.lua and reloads. A factory copy that is
    // missing, empty, not UTF-8 text or without readable settings leaves Labels.lua
    // untouched and is reported.
    ModelOutcome restoreDefault();
    // Whether another program changed, replaced or removed Labels.lua since the editor
    // last read or wrote it.
    bool labelFileChangedOnDisk() const { return document.changedOnDisk(); }
    // Edits an earlier Apply could not save; the next Apply writes them.
    bool hasUnsavedText() const { return !unsavedEdits.empty(); }
    // What the last load found wrong with the file as a whole; Lua's complaint when it
    // cannot compile it (Apply is refused then: only Reload and Restore Default help).
    LabelFileState labelFileState() const { return fileState; }
    const std::optional<lua::CompileProblem>& compileProblemAtLoad() const { return compileProblem; }
    // What Lua's runs of the file as last read or written found at each level: where the
    // script stops, if it does (a file that does not compile has no runs).
    const lua::LevelRuns& savedTextRuns() const { return savedRuns; }

    // How Apply waits for Lua's check of the changed text (a few seconds at most): by
    // default right here; the window runs it on a thread of its own and keeps drawing.
    // The runner calls check once, and the model is not used until it returns.
    using CheckRunner = std::function<void(const std::function<void()>& check)>;
    void setCheckRunner(CheckRunner runner) { checkRunner = std::move(runner); }

    // For tests: changes the text Apply is about to write before Lua judges it, standing
    // in for a fault of the engine that the check must catch.
    void setTextTamperingForTests(std::function<void(std::string&)> tamper) { tamperForTests = std::move(tamper); }

    const std::filesystem::path& getLabelFilePath() const { return labelFilePath; }
    const lua::LuaDocument& getDocument() const { return document; }
    const std::vector<LabelSetting*>& getLoadList() const { return loadList; }

private:
    std::size_t indexOf(SettingGroup group, UnitCategory category, LabelLevel level = LabelLevel::FULL,
                        DistanceBand band = DistanceBand::EMPTY, SymbolRange range = SymbolRange::Near,
                        Side side = Side::Enemies) const;
    std::optional<std::size_t> positionOf(const LabelSetting& setting) const;
    // The catalogue's own, changeable setting behind a reference the getters gave out.
    LabelSetting& editable(const LabelSetting& setting);
    static bool interpretable(const LabelSetting& setting);
    static bool inModelledTable(const lua::LuaDocument& from, ScriptLayout where, const LabelSetting& setting);
    // Binds every setting to where the document's layout keeps it and gives it its texts;
    // readable tells which ones could be read (present, interpretable, and in a table of
    // the modelled shape). The layout found is returned.
    static ScriptLayout readSettings(const lua::LuaDocument& from, std::vector<LabelSetting>& into,
                                     std::vector<bool>& readable);
    // Where a change of the symbol size goes: the font of every level that shares FULL's.
    void findSymbolSizeTargets();
    // Which level's settings stand for each level's format tables (tableOwner).
    void findSharedTables();
    // After a load or a revert: binds the settings and finds what the layout shares.
    void bindSettings();
    // The factory copy's bytes, when it is UTF-8 text whose settings all read.
    ModelOutcome readFactoryCopy(std::string& bytes) const;
    // Finds what is wrong with the file just read.
    void judgeLoadedFile();
    // Lua's verdict on the document's text against the file's: nothing but the unsaved
    // edits may have changed what the script defines. The new text's runs go to newRuns.
    lua::Verdict judgeDocument(lua::LevelRuns& newRuns) const;
    // Back to the file's text and settings, after Lua refused what the edits made.
    void revertToSavedText();
    // True when the setting may be written; otherwise it is noted as not saved.
    bool admits(const LabelSetting& setting);
    void setValueText(const LabelSetting& setting, const std::string& valueText);
    // A companion moved twice before a write moves once, from where the file has it.
    static void addMove(std::vector<MovedKey>& moves, const MovedKey& move);

    ProfileStore& profile;
    std::filesystem::path givenFile;  // empty: the label file under the profile's work directory
    lua::LuaDocument document;
    std::filesystem::path labelFilePath;
    std::vector<LabelSetting*> loadList;
    std::vector<std::string> pendingEdits;
    std::vector<LabelSetting> settings;          // the catalogue; never resized, so references stay valid
    std::vector<bool> readAtLoad;                // per setting: the last load could interpret it
    std::vector<const LabelSetting*> notQueued;  // setters refused since the last Apply
    std::string savedText;                       // the text the file holds, as last read or written
    std::vector<std::string> unsavedEdits;       // edits applied to the document that no write has saved
    std::vector<MovedKey> pendingMoves;          // the companions the queued edits move
    std::vector<MovedKey> unsavedMoves;          // those the unsaved edits move
    LabelFileState fileState = LabelFileState::Readable;
    std::optional<lua::CompileProblem> compileProblem;
    lua::LevelRuns savedRuns;  // the runs of savedText
    CheckRunner checkRunner;
    std::function<void(std::string&)> tamperForTests;
    ScriptLayout fileLayout = ScriptLayout::LevelCalls;
    std::vector<std::string> symbolSizeTargets;  // paths of the size elements setSymbolSize writes
    std::vector<LabelLevel> ownSizeLevels;
    // Per level and category: the first level holding the same format table.
    std::array<std::array<LabelLevel, 4>, 3> tableOwner{{
        {LabelLevel::FULL, LabelLevel::FULL, LabelLevel::FULL, LabelLevel::FULL},
        {LabelLevel::ABBREVIATED, LabelLevel::ABBREVIATED, LabelLevel::ABBREVIATED, LabelLevel::ABBREVIATED},
        {LabelLevel::DOT, LabelLevel::DOT, LabelLevel::DOT, LabelLevel::DOT},
    }};
    std::filesystem::path factoryCopyPath = std::filesystem::path("data") / "default.lua";
    LabelBackups backups;
};
