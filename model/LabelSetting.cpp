#include "model/LabelSetting.h"

std::string LabelSetting::editText() const { return nodePath + "[" + keyText + "][" + valueText + "]"; }
