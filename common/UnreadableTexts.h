#pragma once
// Why a setting cannot be changed, and which levels share the tables shown, in the four
// interface languages (the command line uses the English).
#include <QString>

#include <vector>

#include "model/LabelTypes.h"
#include "model/UnreadableReason.h"

// The reason, as --list gives it and the window's tooltip quotes it.
QString unreadableText(const Unreadable& reason);
// The tooltip of a control whose setting cannot be changed.
QString unreadableTip(const Unreadable& reason);
// Beside the level box: the other levels the tables shown also serve ("Same as DOT").
QString sharedLevelsText(const QStringList& otherLevels);
