#pragma once
#include <string>

#include "model/ModelOutcome.h"

// Symbols and the work directory are stored in Lua files as text between double quotes
// with nothing escaped, so that a folder path keeps its backslashes as the player's
// profile has always held them. Texts that would not survive that are refused, with
// the reason quotedTextRefusal gives.
std::string inQuotes(const std::string& text);

// Why `text`, stored as `key = "text"` through an edit, would not read back exactly;
// no refusal when it would.
TextRefusal quotedTextRefusal(const std::string& key, const std::string& text);
