#pragma once
// What --list prints and --check reports: every value the window shows, read from the
// model, and why a value could not be read.
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <vector>

class LabelConfig;
struct LabelSetting;

namespace cli {

// Why the last load could not read a setting, in a few words and with the text as it is
// written in the file where there is one.
QString unreadableReason(const LabelConfig& model, const LabelSetting& setting);

// One compact JSON object per value (JSON Lines), in the window's order: visibility,
// symbols, symbol size, colours, then each level's alignments and format-table entries.
QStringList listLines(const LabelConfig& model);
// The same, as objects, and one such object as its line.
std::vector<QJsonObject> listObjects(const LabelConfig& model);
QString jsonLine(const QJsonObject& object);

}  // namespace cli
