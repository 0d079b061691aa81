#pragma once
#include <string>

// Symbols and the work directory are stored in Lua files as text between double
// quotes with nothing escaped, so that a folder path keeps its backslashes as the
// player's profile has always held them. Texts that would not survive that are
// refused, with the reason quotedTextProblem gives.
std::string inQuotes(const std::string& text);

// Why `text`, stored as `key = "text"` through an edit, would not read back exactly:
// a phrase naming the culprit ("square brackets", "the word \"for\""); empty when it would.
std::string quotedTextProblem(const std::string& key, const std::string& text);
