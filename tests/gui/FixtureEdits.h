#pragma once
// Label files that differ from the fixture in one place, for the cases the fixture
// does not hold (a distance beyond its slider, a symbol size of 0).
#include <QByteArray>
#include <QString>

class QTemporaryDir;

// Writes <folder>/Labels.lua: the current-layout fixture with `from`, which must stand
// in it exactly once, replaced by `to`. Empty when that cannot be done.
QString editedFixture(const QTemporaryDir& folder, const QByteArray& from, const QByteArray& to);
