#pragma once
// Where the label settings live in Labels.lua: the level tables, the format table of
// each unit category, and which entry of a format table holds which distance band.
#include <array>
#include <string>
#include <vector>

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

const CategoryLayout& layoutOf(UnitCategory category);
int bandEntry(UnitCategory category, DistanceBand band);  // -1: the category has no such band

// "<LEVEL_FULL>.[0].<AirFormat>.[3]": one entry of a format table, without the terminator.
std::string entryPath(LabelLevel level, UnitCategory category, int entry);
// "<LEVEL_FULL>.[0].<AirFormat>...": a whole format table, as a lookup takes it.
std::string formatTablePath(LabelLevel level, UnitCategory category);

// Whether a format table is laid out as the editor models it: the category's number of
// entries, each keyed by a distance, EMPTY first, the dot entry last where the category
// has one, and an alignment at element [1] of every entry whose alignment is read or
// written. Any other table (a player's extra bands, say) is the player's, not ours.
bool hasModelledShape(const lua::LuaNode& table, UnitCategory category);

// The 72 settings in catalogue order, each with its identity and node path; texts empty.
std::vector<LabelSetting> buildCatalogue();
