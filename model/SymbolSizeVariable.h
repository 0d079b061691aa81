#pragma once
// A symbol size the file gives by a name rather than a number, as server files do:
//     local fontSize = 12
//     if enableVR == true then fontSize = 18 end
//     font_properties = {"DejaVuLGCSans.ttf", fontSize, 0, 0, 0}
// The size then depends on what the script computes, so the editor shows where it is
// set and never writes a number over the name (the setting reads as unreadable, and
// setSymbolSize refuses it).
#include <optional>
#include <string>

class LabelConfig;

// The name that sets the symbol size the window shows (FULL's), following a level's
// font table to the top-level table it names (font_properties = font_properties);
// none when the size is a number or cannot be found.
std::optional<std::string> symbolSizeVariable(const LabelConfig& model);
