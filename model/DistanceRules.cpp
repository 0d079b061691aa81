#include "model/DistanceRules.h"

#include <algorithm>

#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"

namespace {
// One key of the table in the order the simulator reads them, and the band it belongs
// to; none for the player's own entry, which no change of the bands moves.
struct Key {
    long long distance;
    std::optional<DistanceBand> band;
};

void note(std::vector<DistanceBand>& bands, DistanceBand band)
{
    if (std::find(bands.begin(), bands.end(), band) == bands.end())
        bands.push_back(band);
}
}  // namespace

std::vector<DistanceBand> offendingBands(UnitCategory category, const TableDistances& distances,
                                         std::optional<long long> ownEntry)
{
    const CategoryLayout& layout = layoutOf(category);
    std::vector<DistanceBand> offending;
    std::vector<Key> keys;
    for (const DistanceBand band : {DistanceBand::EMPTY, DistanceBand::NEAR, DistanceBand::FAR, DistanceBand::DOT}) {
        if (bandEntry(category, band) < 0)
            continue;
        const std::optional<long long> distance = distances[static_cast<std::size_t>(band)];
        if (!distance || *distance < 0 || *distance > maxDistance) {
            note(offending, band);
            continue;
        }
        // The companion is written just before its band, at half the band's distance.
        if (band == layout.pairedBand && layout.companionEntry >= 0)
            keys.push_back(ownEntry ? Key{*ownEntry, std::nullopt} : Key{*distance / 2, band});
        keys.push_back({*distance, band});
    }
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (keys[i - 1].distance >= keys[i].distance) {
            for (const Key& key : {keys[i - 1], keys[i]}) {
                if (key.band)
                    note(offending, *key.band);
            }
        }
    }
    std::sort(offending.begin(), offending.end());
    return offending;
}

std::vector<DistanceBand> offendingBands(const LabelConfig& model, LabelLevel level, UnitCategory category,
                                         const TableDistances& proposed)
{
    bool writable = true;
    bool changed = false;
    for (const DistanceBand band : {DistanceBand::EMPTY, DistanceBand::NEAR, DistanceBand::FAR, DistanceBand::DOT}) {
        if (bandEntry(category, band) < 0)
            continue;
        writable = writable && model.isReadable(model.distance(level, category, band));
        const std::optional<int> held = model.distanceValue(level, category, band);
        const std::optional<long long>& wanted = proposed[static_cast<std::size_t>(band)];
        changed = changed || wanted.has_value() != held.has_value() || (held && *wanted != *held);
    }
    if (!writable || !changed)
        return {};
    const std::optional<CompanionKey> companion = model.companionKey(level, category);
    return offendingBands(category, proposed,
                          companion && !companion->followsBand ? std::optional<long long>(companion->key)
                                                               : std::nullopt);
}
