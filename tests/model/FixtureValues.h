#pragma once
// The values the fixture Labels.lua holds at each level (see the fixtures' README).
#include <array>

#include "LabelTypes.h"

struct LevelValues {
    LabelLevel level;
    const char* alignment;  // the bare name every category of the level uses
    int alignmentIndex;
    // [category][band] in the order Air, Ground, Navy, Weapon and EMPTY, NEAR, FAR, DOT;
    // weapons have no DOT band (0 there).
    std::array<std::array<int, 4>, 4> distances;
    int airCompanion;     // key of AirFormat entry [1]
    int weaponCompanion;  // key of WeaponFormat entry [2]
};

inline const std::array<LevelValues, 3> labelsLuaLevels = {{
    {LabelLevel::FULL, "LeftBottom", 2,
     {{{10, 10000, 20000, 30000}, {10, 5000, 10000, 20000}, {10, 10000, 20000, 40000}, {5, 5000, 20000, 0}}},
     5000, 10000},
    {LabelLevel::ABBREVIATED, "RightTop", 1,
     {{{20, 8000, 16000, 25000}, {20, 4000, 9000, 18000}, {20, 9000, 18000, 36000}, {8, 4000, 18000, 0}}},
     4000, 9000},
    {LabelLevel::DOT, "CenterCenter", 6,
     {{{30, 6000, 12000, 24000}, {30, 3000, 7000, 14000}, {30, 7000, 14000, 30000}, {10, 3000, 14000, 0}}},
     3000, 7000},
}};

inline constexpr std::array<UnitCategory, 4> allCategories = {UnitCategory::Air, UnitCategory::Ground,
                                                              UnitCategory::Navy, UnitCategory::Weapon};
inline constexpr std::array<DistanceBand, 4> allBands = {DistanceBand::EMPTY, DistanceBand::NEAR, DistanceBand::FAR,
                                                         DistanceBand::DOT};

inline bool hasBand(UnitCategory category, DistanceBand band)
{
    return !(category == UnitCategory::Weapon && band == DistanceBand::DOT);
}
