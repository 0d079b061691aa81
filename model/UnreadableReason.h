#pragma once
// Why the window cannot show a setting's value, and so offers no control to change it:
// the command line lists the reason, the window words it on the disabled control.
#include <optional>
#include <string>

class LabelConfig;
struct LabelSetting;

enum class UnreadableWhy {
    NotFound,        // nothing in the file at the setting's place
    SymbolsInTexts,  // no symbol of its own: the file's label texts hold their symbols
    SetByName,       // the symbol size is a name the script computes (`written` holds it)
    OwnTableShape,   // a band or alignment of a table the player laid out in a shape of its own
    NoValue,         // a visibility flag written without a value
    NotQuotedText,   // the rest: what the file writes there is not what the setting takes
    NotWholeNumber,
    NotColour,
    NotAlignment,
};

struct Unreadable {
    UnreadableWhy why = UnreadableWhy::NotFound;
    std::string written;  // what the file writes there (for SetByName, the name), trimmed
};

// None for a setting the last load read.
std::optional<Unreadable> whyUnreadable(const LabelConfig& model, const LabelSetting& setting);
