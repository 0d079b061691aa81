#pragma once
// --set: assignments such as "FULL.Air.NEAR=8000" carried into the label file the way
// the window's Apply carries its fields: checked first, then only what differs handed to
// the model's setters, and the file written once.
#include <QString>
#include <QStringList>

#include <vector>

#include "model/FormatTable.h"

class LabelConfig;

namespace cli {

struct SetOutcome {
    int exitCode = 0;      // 0 written (or nothing to change), 1 refused or not written
    QStringList changed;   // "FULL.Air.NEAR: 10000 -> 8000", for what was written
    QStringList problems;  // why not, for standard error
};

// A table of the player's own shape written whole (--import), with its change line.
struct TakenTable {
    FormatTable table;
    QString line;
};

SetOutcome setValues(LabelConfig& model, const QStringList& assignments,
                     const std::vector<TakenTable>& wholeTables = {});

}  // namespace cli
