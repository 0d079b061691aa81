#pragma once
// --set: assignments such as "FULL.Air.NEAR=8000" carried into the label file the way
// the window's Apply carries its fields: checked first, then only what differs handed to
// the model's setters, and the file written once.
#include <QString>
#include <QStringList>

class LabelConfig;

namespace cli {

struct SetOutcome {
    int exitCode = 0;      // 0 written (or nothing to change), 1 refused or not written
    QStringList changed;   // "FULL.Air.NEAR: 10000 -> 8000", for what was written
    QStringList problems;  // why not, for standard error
};

SetOutcome setValues(LabelConfig& model, const QStringList& assignments);

}  // namespace cli
