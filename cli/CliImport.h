#pragma once
// --import: a label file's values set to another file's, in one write through the same
// checks, backup and Lua judge as --set.
#include <QStringList>

#include "cli/CliSet.h"

class LabelConfig;

namespace cli {

// Sets the values of `file` that differ from those of `from` to them: every setting both
// hold, or only those named (as --list names them; a level and a category name a whole
// table). A table of the player's own shape in both is taken whole, as `from` writes it.
SetOutcome importValues(LabelConfig& file, const LabelConfig& from, const QStringList& names);

}  // namespace cli
