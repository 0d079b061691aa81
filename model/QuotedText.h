#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "model/ModelOutcome.h"

// Texts stored in Lua files. Symbols and the texts of format tables are Lua strings: the
// simulator reads them as Lua does, so they are written with '"' and '\' escaped, and read
// back as Lua reads them. The work directory is kept between double quotes with nothing
// escaped, so that a folder path keeps its backslashes as the player's profile has always
// held them.
std::string inQuotes(const std::string& text);
std::string luaString(const std::string& text);

// The text a string written in a Lua file stands for: one string between double or single
// quotes whose escapes are \" \' and \\ (the ones luaString writes, and players write by
// hand). None for anything else, a string with other escapes included: shown as its text,
// it would be written back as another string.
std::optional<std::string> luaStringText(std::string_view written);

// Why a symbol or a format table's text cannot be written: a line break or another control
// character, which a label cannot show (and a line break would end the line's string).
TextRefusal labelTextRefusal(const std::string& text);

// Well-formed UTF-8: the simulator reads the script as UTF-8, and the symbols of text in
// another encoding would show as garbage in every label.
bool isUtf8(std::string_view text);
