#pragma once
#include <map>
#include <string>

// The process-wide interface language: 0 English, 1 Chinese, 2 Russian, 3 Japanese.
extern int currentLanguage;
// Index -> code stored in the profile: "EN", "CN", "RU", "JP".
extern const std::map<int, std::string> languageCodes;
