#pragma once
#include <QString>

#include <vector>

struct LabelSetting;
struct MovedKey;
namespace Ui {
class MainWindow;
}

// Names settings with the words the window shows for them in the current language,
// one line per section, e.g. "FULL Distance Settings: Aircraft (NEAR, FAR), Navy (DOT)".
QString describeSettings(const std::vector<const LabelSetting*>& settings, const Ui::MainWindow& ui);

// One setting in those words, as a line of its own: "FULL Alignment: Navy".
QString settingWords(const LabelSetting& setting, const Ui::MainWindow& ui);

// The keys Apply moved with their band, for the confirmation, in the current language:
// a heading and a line per key; empty when it moved none.
QString describeMovedKeys(const std::vector<MovedKey>& moved, const Ui::MainWindow& ui);
