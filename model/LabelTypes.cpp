#include "model/LabelTypes.h"

#include <array>

#include "model/QuotedText.h"

namespace {

// The seven names the editor always offered keep their indexes; the two the simulator
// also accepts follow them.
const std::array<const char*, 9> alignmentNames = {
    "RightBottom", "RightTop",     "LeftBottom", "LeftTop",     "CenterBottom",
    "CenterTop",   "CenterCenter", "LeftCenter", "RightCenter",
};

std::map<int, std::string> makeAlignmentByIndex()
{
    std::map<int, std::string> byIndex;
    for (int i = 0; i < static_cast<int>(alignmentNames.size()); ++i)
        byIndex[i] = inQuotes(alignmentNames[i]);
    return byIndex;
}

std::map<std::string, int> makeIndexByAlignment()
{
    std::map<std::string, int> byName;
    for (int i = 0; i < static_cast<int>(alignmentNames.size()); ++i)
        byName[alignmentNames[i]] = i;
    return byName;
}

}  // namespace

// Filled at static initialisation as well, so that code running before start-up
// builds them (and tests) never sees empty tables.
std::map<int, std::string> alignmentByIndex = makeAlignmentByIndex();
std::map<std::string, int> indexByAlignment = makeIndexByAlignment();

void buildAlignmentTables()
{
    alignmentByIndex = makeAlignmentByIndex();
    indexByAlignment = makeIndexByAlignment();
}
