#pragma once
// The strongest check of a write: run the label script with Lua before and after and
// compare what it defines, as the simulator would see it.
#include <QString>
#include <QStringList>

namespace luacheck {

// What the script defines (definitions.lua): one line per value, "NAME = value",
// tables unfolded. Empty, with a test failure, when Lua cannot run the script. A level
// (1 FULL, 2 ABBREVIATED, 3 DOT) is set as the simulator sets it; 0 leaves it unset.
QStringList definitions(const QString& script, int level = 0);

// The names (left of " = ") whose lines differ between two runs, each once, sorted.
QStringList changedNames(const QStringList& before, const QStringList& after);

// Whether every name starts with one of the prefixes.
bool allUnder(const QStringList& names, const QStringList& prefixes);

}  // namespace luacheck
