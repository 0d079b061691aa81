#pragma once
// The values the fixture Labels.lua holds (see the fixtures' README).
#include <array>

#include "model/LabelTypes.h"

inline constexpr std::array<UnitCategory, 4> allCategories
    = {UnitCategory::Air, UnitCategory::Ground, UnitCategory::Navy, UnitCategory::Weapon};
inline constexpr std::array<DistanceBand, 4> allBands
    = {DistanceBand::EMPTY, DistanceBand::NEAR, DistanceBand::FAR, DistanceBand::DOT};

inline bool hasBand(UnitCategory category, DistanceBand band)
{
    return !(category == UnitCategory::Weapon && band == DistanceBand::DOT);
}

// Per category, in the order of allCategories.
struct CategoryTexts {
    const char* visibilityKey;
    const char* formatKey;
    const char* symbolKeys[2];  // near, far
    const char* symbols[2];
};

inline const std::array<CategoryTexts, 4> categoryTexts = {{
    {"AirOn", "AirFormat", {"aircraft_symbol_near", "aircraft_symbol_far"}, {"˄", "✈"}},
    {"GroundOn", "GroundFormat", {"ground_symbol_near", "ground_symbol_far"}, {"ˉ", "ˉ"}},
    {"NavyOn", "NavyFormat", {"navy_symbol_near", "navy_symbol_far"}, {"˜", "˜"}},
    {"WeaponOn", "WeaponFormat", {"weapon_symbol_near", "weapon_symbol_far"}, {"ˈ", "ˈ"}},
}};

struct LevelValues {
    LabelLevel level;
    const char* key;        // of the level's statement
    const char* alignment;  // the bare name every category of the level uses
    int alignmentIndex;
    // [category][band] in the order of allCategories and allBands; weapons have no DOT band (0 there).
    std::array<std::array<int, 4>, 4> distances;
    int airCompanion;     // key of AirFormat entry [1]
    int weaponCompanion;  // key of WeaponFormat entry [2]
};

// clang-format off
inline const std::array<LevelValues, 3> labelsLuaLevels = {{
    {LabelLevel::FULL, "LEVEL_FULL", "LeftBottom", 2,
     {{{10, 10000, 20000, 30000}, {10, 5000, 10000, 20000}, {10, 10000, 20000, 40000}, {5, 5000, 20000, 0}}},
     5000, 10000},
    {LabelLevel::ABBREVIATED, "LEVEL_ABBREVIATED", "RightTop", 1,
     {{{20, 8000, 16000, 25000}, {20, 4000, 9000, 18000}, {20, 9000, 18000, 36000}, {8, 4000, 18000, 0}}},
     4000, 9000},
    {LabelLevel::DOT, "LEVEL_DOT", "CenterCenter", 6,
     {{{30, 6000, 12000, 24000}, {30, 3000, 7000, 14000}, {30, 7000, 14000, 30000}, {10, 3000, 14000, 0}}},
     3000, 7000},
}};
// clang-format on
