#pragma once
// --diff: the settings whose values differ between two label files, matched by their
// --list names, so that files of different layouts compare.
#include <QJsonObject>
#include <QStringList>

#include <vector>

class LabelConfig;

namespace cli {

// One JSON object a line for each setting whose value differs: the setting's --list
// fields without its value, with "a" and "b" holding the two values (a side that lacks
// the setting has none). A table of the player's own shape is compared entry by entry
// where both files give it the same distances, and otherwise as one whole table, named
// by its level and category, whose values are its entries.
QStringList diffLines(const LabelConfig& a, const LabelConfig& b);
// The same, as objects.
std::vector<QJsonObject> differences(const LabelConfig& a, const LabelConfig& b);

}  // namespace cli
