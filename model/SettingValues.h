#pragma once
// A setting's value as one text, the way the command line prints and takes it and the
// compare of two files shows it: true, ✈, 12, 255,0,0, LeftBottom, 8000.
#include <optional>
#include <string>

#include "model/LabelSetting.h"
#include "model/LabelTypes.h"

class LabelConfig;

// The window's symbol size slider goes from 1 to 99, and so does every other way in.
constexpr int smallestSymbolSize = 1;
constexpr int largestSymbolSize = 99;

// A value a setting can take; which member counts depends on the setting's group.
struct SettingValue {
    bool on = false;       // Visibility
    std::string symbol;    // Symbol, UTF-8
    long long number = 0;  // SymbolSize, Distance, Alignment (its index)
    ColourTriple colour;   // SideColour
};

// The model's own setting for a catalogue identity (the shared one for a table that
// several levels share).
const LabelSetting& modelSetting(const LabelConfig& model, const LabelSetting& identity);

// The value the model holds, as a text; none when the last load could not read it.
std::optional<std::string> heldValue(const LabelConfig& model, const LabelSetting& setting);
std::string valueShown(const LabelSetting& setting, const SettingValue& value);

// Why a text is no value of the setting.
enum class ValueProblem {
    None,
    NotTrueOrFalse,   // Visibility
    SizeOutOfRange,   // SymbolSize: a whole number from 1 to 99
    NotAColour,       // SideColour: red,green,blue, each from 0 to 255
    NotAnAlignment,   // one of the nine names
    NotAWholeNumber,  // Distance (its range is the table rules' to judge)
};
// Reads a text as the setting's value; true and false and the alignment names in any case.
ValueProblem readValue(const LabelSetting& setting, const std::string& text, SettingValue& into);
