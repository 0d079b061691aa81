#pragma once
// --set for the format tables of the player's own shape, entry by entry. An entry is
// named by the level, the category and the distance the file gives it:
//   DOT.Air.4000.distance=4500   DOT.Air.4000.opacity=0.5   DOT.Air.4000.text=·
//   DOT.Air.add=5000             (a copy of the entry that applies at 5000, keyed 5000)
//   DOT.Air.remove=4000
// Tables of the usual shape are changed by their bands instead (FULL.Air.NEAR=8000).
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>

#include "model/FormatTable.h"

class LabelConfig;

namespace cli {

// The tables the assignments change, as they will be written, and the change lines.
struct TableChanges {
    std::map<std::pair<LabelLevel, UnitCategory>, FormatTable> tables;
    QStringList changed;
    QStringList assigned;  // the entries' distances and fields given so far, in lower case
};

// Whether a name addresses a format table rather than a setting: a level, a category,
// then an entry's distance or add or remove.
bool namesTable(const QString& name);

// Carries one assignment into the changes; a problem for standard error when it cannot.
std::optional<QString> changeTable(const LabelConfig& model, const QString& name, const QString& value,
                                   TableChanges& into);

}  // namespace cli
