#pragma once
// Where the label settings live in Labels.lua: the level tables, the format table of
// each unit category, and which entry of a format table holds which distance band.
#include <array>
#include <string>
#include <vector>

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

// The 72 settings in catalogue order, each with its identity and node path; texts empty.
std::vector<LabelSetting> buildCatalogue();
