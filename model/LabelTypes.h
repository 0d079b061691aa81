#pragma once
#include <map>
#include <string>

// Enumerations that address the label settings; the level combo box of the main
// window uses the same numbering as LabelLevel.
enum class LabelLevel { FULL = 0, ABBREVIATED = 1, DOT = 2 };
enum class UnitCategory { Air = 0, Ground = 1, Navy = 2, Weapon = 3 };
enum class DistanceBand { EMPTY = 0, NEAR = 1, FAR = 2, DOT = 3 };
enum class SymbolRange { Near = 0, Far = 1 };
enum class Side { Enemies = 0, Allies = 1 };

struct ColourTriple {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const ColourTriple& o) const { return red == o.red && green == o.green && blue == o.blue; }
    bool operator!=(const ColourTriple& o) const { return !(*this == o); }
};

// Alignment tables shared by the model, the main window's combo boxes and the preview.
// alignmentByIndex gives the name in double quotes ("\"RightBottom\"" for 0);
// indexByAlignment maps the bare name to its index.
extern std::map<int, std::string> alignmentByIndex;
extern std::map<std::string, int> indexByAlignment;
void buildAlignmentTables();
