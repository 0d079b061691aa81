#pragma once
#include <string>
#include <string_view>

#include "model/ModelOutcome.h"

// Symbols and the work directory are stored in Lua files as text between double quotes
// with nothing escaped, so that a folder path keeps its backslashes as the player's
// profile has always held them. Texts that would not survive that are refused, with
// the reason quotedTextRefusal gives.
std::string inQuotes(const std::string& text);

// Why `text`, stored as `key = "text"` through an edit, would not read back exactly;
// no refusal when it would.
TextRefusal quotedTextRefusal(const std::string& key, const std::string& text);

// Well-formed UTF-8: the simulator reads the script as UTF-8, and the symbols of text in
// another encoding would show as garbage in every label.
bool isUtf8(std::string_view text);
