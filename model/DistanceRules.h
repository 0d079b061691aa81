#pragma once
// What makes a category's distance table one the simulator reads as the player meant:
// every distance a whole number from 0 to maxDistance, and the keys strictly growing
// from EMPTY to the top band, the companion entry included: keyed at half the band it
// follows, or at its own key when it is the player's own entry. Equal keys would make
// the simulator keep only one of the entries, and keys out of order would give the
// bands' entries to other bands, as the simulator reads a table in key order.
#include <array>
#include <optional>
#include <vector>

#include "model/LabelTypes.h"

class LabelConfig;

constexpr long long maxDistance = 1000000;

// A table's distances by band (EMPTY, NEAR, FAR, DOT); none where there is no whole number.
using TableDistances = std::array<std::optional<long long>, 4>;

// The bands whose distance breaks the rules, in band order: a band out of range or
// missing, and both bands of every pair out of order. A companion that follows its band
// counts as that band; the player's own entry in its place (ownEntry, its key) stays
// where it is, so only the band next to it is named. Bands the category does not have
// are ignored.
std::vector<DistanceBand> offendingBands(UnitCategory category, const TableDistances& distances,
                                         std::optional<long long> ownEntry = std::nullopt);

// The same for a table of the model that the caller would change to `proposed` (the
// window's fields, the command line's assignments), its companion as the file holds it.
// Only a changed table is judged, and only one the model can write: a table the last
// load could not read is refused at hand-over instead, whatever is proposed for it.
std::vector<DistanceBand> offendingBands(const LabelConfig& model, LabelLevel level, UnitCategory category,
                                         const TableDistances& proposed);
