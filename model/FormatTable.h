#pragma once
// Format tables of the player's own shape.
//
// A category's format table maps distances to what a label shows below them. When it
// has the shape the simulator ships (hasModelledShape), the band settings of the
// catalogue read and write it. Players and servers also keep tables of their own: a
// fade ramp of seven dots, six steps in nautical miles, entries written as calls
// (`[32000] = dot_symbol(0,0.1)`) or names (`EMPTY`), entries of two fields
// (`{text, alignment}`). Such a table is shown and changed as it is, entry by entry:
//
//   const std::optional<FormatTable> loaded = customFormatTable(model, LabelLevel::DOT, UnitCategory::Air);
//   FormatTable table = *loaded;
//   table.entries[2].distance = 5000;                        // a distance
//   setField(table.entries[1], EntryField::Opacity, "0.5");  // a field
//   insertEntry(table, 3);                                    // a copy of entry 3 before it
//   table.entries.erase(table.entries.begin() + 5);          // an entry removed
//   if (offendingEntries(table, *loaded).empty()) model.setFormatTable(table);
//
// The simulator reads a table's entries in the order of their keys, whatever order the
// text writes them in: a table is shown in key order, and each entry keeps its place in
// the text (loadedIndex), by which its edits find it.
//
// setFormatTable queues only what differs from the table as loaded: a changed distance
// or field is one edit of that key or field; an added or removed entry rewrites the
// table's value, the loaded entries in their places in the text (the engine keeps the
// lines of the entries that stay).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/LabelTypes.h"
#include "model/ModelOutcome.h"

namespace lua {
class LuaDocument;
}
class LabelConfig;
enum class ScriptLayout;

// The fields of a table entry, in the order the simulator reads them.
enum class EntryField { Text = 0, Alignment = 1, ColourBlend = 2, Opacity = 3, ShiftX = 4, ShiftY = 5 };
constexpr int entryFieldCount = 6;

struct FormatEntry {
    long long distance = 0;           // the entry applies while the unit is nearer than this
    std::string value;                // as written, comment-free: "EMPTY", "dot_symbol(0,0.1)", "{...}"
    std::vector<std::string> fields;  // a table entry's items as written, text first; empty otherwise
    int loadedIndex = -1;             // its place in the text as loaded; -1 for an added entry

    bool isTable() const { return !fields.empty(); }
    bool hasField(EntryField field) const { return static_cast<std::size_t>(field) < fields.size(); }
};

struct FormatTable {
    LabelLevel level = LabelLevel::FULL;
    UnitCategory category = UnitCategory::Air;
    std::vector<FormatEntry> entries;  // in key order as loaded (putInKeyOrder)
};

// The category's table at the level when its shape is the player's own; none for a
// table the band rows show, a missing one, and one whose keys are not all whole
// numbers in brackets (such a table is kept as it is, never guessed at).
std::optional<FormatTable> customFormatTable(const LabelConfig& model, LabelLevel level, UnitCategory category);
std::optional<FormatTable> customFormatTable(const lua::LuaDocument& document, ScriptLayout layout, LabelLevel level,
                                             UnitCategory category);

// Whether two tables hold the same entries: distances and values as written.
bool sameEntries(const FormatTable& a, const FormatTable& b);

// Sorts the entries by distance, as the simulator reads them; equal ones keep their order.
void putInKeyOrder(FormatTable& table);

// The entry that applies at a range: the nearest whose distance is above it; none beyond
// the farthest.
const FormatEntry* entryAt(const FormatTable& table, long long range);

// A field as the player reads it: a string's text without its quotes ("%D"), an
// alignment's bare name, anything else as written (`aircraft_symbol_near..NAME`, 0.75).
std::string shownField(const FormatEntry& entry, EntryField field);
// Why a typed field cannot be stored; the entry is then left as it was.
enum class FieldProblem {
    None,
    Text,            // the text would not reach the file intact (see text)
    NotANumber,      // colour blend, opacity and shifts are numbers
    NotAnAlignment,  // one of the nine names
    NoSuchField,     // the entry is not a table, or has fewer fields
};
struct FieldRefusal {
    FieldProblem problem = FieldProblem::None;
    TextRefusal text;
    explicit operator bool() const { return problem != FieldProblem::None; }
};
// Sets a field from what the player typed: the text becomes a string (unless it is what
// the field showed, which keeps an expression as written), the alignment one of the nine
// names, the numbers as typed.
FieldRefusal setField(FormatEntry& entry, EntryField field, const std::string& shown);

// Inserts a copy of entry `at` before it, halfway between its distance and the one
// before (0 for the first). An empty table gets an empty entry at 0.
void insertEntry(FormatTable& table, std::size_t at);

// The edits that turn the table as the document holds it into `changed`, in the form
// LabelConfig queues them; none when nothing differs or the document holds no such table.
// A table whose text would not survive an edit (brackets in its strings that do not pair
// up) gives none either: an added or removed entry there is not written.
std::vector<std::string> formatTableEdits(const lua::LuaDocument& document, ScriptLayout layout,
                                          const FormatTable& changed);

// The entries of `changed` whose distance the change from `before` makes break the rules:
// a whole number from 0 to 1000000, no two entries alike (Lua would keep only one). The
// order does not matter, as the simulator reads the entries by key. An entry `before`
// already held wrong at the same distance is not the change's doing and is not named;
// an entry that joins it is.
std::vector<std::size_t> offendingEntries(const FormatTable& changed, const FormatTable& before);
