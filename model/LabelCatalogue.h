#pragma once
// Where the label settings live in Labels.lua: the level tables, the format table of
// each unit category, and which entry of a format table holds which distance band.
//
// Players' scripts come in three layouts, and each setting is bound to where the
// file's layout keeps it:
// - LevelCalls, the simulator's current one: LEVEL_FULL = base_preset({ AirFormat = {...},
//   ... }), the symbol size in the local table default_font;
// - LevelTables, older: LEVEL_FULL = { AirFormat = {...}, ..., font_properties = {...} },
//   each level with a symbol size of its own;
// - SingleLevel, from before the detail levels: AirFormat, GroundFormat, NavyFormat and
//   WeaponFormat at the top, used at every level, and one top-level font_properties;
// - LevelBranches, kept by hand: the format tables assigned in the branches of one
//   "if IS_DOT then ... elseif IS_ABBREVIATED then ... else ... end" (the level block of
//   lua::LuaDocument), one top-level font_properties. A level's tables are those of the
//   branch taken at that level: "<if labels == 3>.<AirFormat>" at DOT.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "lua/LuaDocument.h"
#include "lua/LuaNode.h"
#include "model/LabelSetting.h"
#include "model/LabelTypes.h"

struct CategoryLayout {
    std::string formatKey;              // "AirFormat"
    std::string visibilityKey;          // "AirOn"
    std::string symbolStem;             // "aircraft": aircraft_symbol_near, aircraft_symbol_far
    std::array<int, 4> bandEntry;       // entry of EMPTY, NEAR, FAR, DOT; -1 where there is none
    int alignmentEntry;                 // the entry the alignment is read from
    std::vector<int> alignmentEntries;  // the entries whose alignment Apply writes
    DistanceBand pairedBand;            // the band written together with ...
    int companionEntry;                 // ... this entry, keyed at half its distance; -1: none
};

enum class ScriptLayout { LevelCalls, LevelTables, SingleLevel, LevelBranches };

// Prepares a document to read a label script: only an "if" chain that assigns format
// tables in its branches is read as the level block.
void readAsLabelScript(lua::LuaDocument& document);

// The layout of a parsed label script; a script in none of the four reads as LevelCalls.
ScriptLayout scriptLayoutOf(const lua::LuaDocument& document);

const CategoryLayout& layoutOf(UnitCategory category);
int bandEntry(UnitCategory category, DistanceBand band);  // -1: the category has no such band

// "<LEVEL_FULL>.[0].<AirFormat>.[3]": one entry of a format table, without the terminator.
std::string entryPath(ScriptLayout layout, LabelLevel level, UnitCategory category, int entry);
// "<LEVEL_FULL>.[0].<AirFormat>...": a whole format table, as a lookup takes it.
std::string formatTablePath(ScriptLayout layout, LabelLevel level, UnitCategory category);
// Element [1] of the font table that gives a level its symbol size.
std::string symbolSizePath(ScriptLayout layout, LabelLevel level);

// "[9260]" -> 9260; none for a key that is not a whole number in brackets.
std::optional<long long> distanceKey(const std::string& key);

// Whether a format table is laid out as the editor models it: the category's number of
// entries, each keyed by a distance, the whole-number keys growing in the order they are
// written, EMPTY first, the dot entry last where the category has one, and an alignment
// at element [1] of every entry whose alignment is read or written. Any other table (a
// player's extra bands, or entries written out of order, which the simulator reads by
// key and so not band by band) is the player's, not ours.
bool hasModelledShape(const lua::LuaNode& table, UnitCategory category);

// The 72 settings in catalogue order, each with its identity and its node path in the
// layout; texts empty. (In SingleLevel the three levels share their paths.)
std::vector<LabelSetting> buildCatalogue(ScriptLayout layout = ScriptLayout::LevelCalls);
