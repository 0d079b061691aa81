#pragma once
// The strongest check of a write: run the label script with Lua before and after and
// compare what it defines, as the simulator would see it.
#include <QString>
#include <QStringList>

namespace luacheck {

// What the script defines (definitions.lua): one line per value, "NAME = value",
// tables unfolded. Empty, with a test failure, when Lua cannot run the script.
QStringList definitions(const QString& script);

// The names (left of " = ") whose lines differ between two runs, each once, sorted.
QStringList changedNames(const QStringList& before, const QStringList& after);

// Whether every name starts with one of the prefixes.
bool allUnder(const QStringList& names, const QStringList& prefixes);

}  // namespace luacheck
