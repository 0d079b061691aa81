#pragma once
// One Apply of a label file, whoever asks for it (the window's Apply, --set, --import):
// the changes are gathered, judged together by the table and text rules before anything
// is handed over, so a refusal writes nothing, then handed to the model's setters in
// one order and written once.
#include <vector>

#include "model/FormatTable.h"
#include "model/LabelConfig.h"
#include "model/SettingValues.h"

struct SettingChange {
    const LabelSetting* setting = nullptr;  // the model's own (modelSetting)
    SettingValue value;
};

// A table of the player's own shape whose changed distances break the rules, with them.
struct OffendingTable {
    LabelLevel level;
    UnitCategory category;
    std::vector<long long> distances;
};

// What keeps the gathered changes from being written, the first that does.
struct EditRefusal {
    enum class Kind { None, DistancesInvalid, TablesInvalid, TablesNotCarried, SymbolNotWritable };
    Kind kind = Kind::None;
    std::vector<const LabelSetting*> settings;  // the bands that break the rules, or the symbol
    std::vector<OffendingTable> tables;         // the tables refused
    std::string symbol;                         // the symbol refused
    TextRefusal text;                           // and why
    explicit operator bool() const { return kind != Kind::None; }
};

class LabelEdits {
public:
    explicit LabelEdits(LabelConfig& target) : model(target) { }

    // The callers hand over only what differs from what the model holds, each in its
    // own terms (a window field left empty, an assignment of the value already there).
    void change(const SettingChange& change);
    // A table of the player's own shape, as changed from what customFormatTable gave.
    void changeTable(const FormatTable& table);

    // In the order they are handed over.
    const std::vector<SettingChange>& changes() const { return settingChanges; }
    bool empty() const { return settingChanges.empty() && tables.empty(); }

    EditRefusal refusal() const;
    // Hands the changes over (colours, symbol size, visibility, symbols, distances,
    // alignments, then the tables) and writes the file once.
    ApplyOutcome apply();

private:
    std::vector<const LabelSetting*> offendingDistances() const;
    std::vector<OffendingTable> offendingTables() const;
    std::vector<OffendingTable> uncarriedTables() const;

    LabelConfig& model;
    std::vector<SettingChange> settingChanges;
    std::vector<FormatTable> tables;
};
