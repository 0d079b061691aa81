#include "model/Language.h"

int currentLanguage = 0;

const std::map<int, std::string> languageCodes = {
    {0, "EN"},
    {1, "CN"},
    {2, "RU"},
    {3, "JP"},
};
