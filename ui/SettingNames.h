#pragma once
#include <QString>

#include <vector>

struct LabelSetting;
namespace Ui {
class MainWindow;
}

// Names settings with the words the window shows for them in the current language,
// one line per section, e.g. "FULL Distance Settings: Aircraft (NEAR, FAR), Navy (DOT)".
QString describeSettings(const std::vector<const LabelSetting*>& settings, const Ui::MainWindow& ui);
