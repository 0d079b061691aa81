#include "LuaCheck.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTest>

namespace luacheck {

QStringList definitions(const QString& script, int level)
{
    QProcess lua;
    // Not in the test's workspace: under Wine the ended process still holds its current
    // folder for a moment, and the workspace could not be removed.
    lua.setWorkingDirectory(QDir::tempPath());
    QStringList arguments = {QStringLiteral(HALVANE_LUA_DEFINITIONS), script};
    if (level != 0)
        arguments << QString::number(level);
    lua.start(QStringLiteral(HALVANE_LUA), arguments);
    if (!lua.waitForFinished(30000) || lua.exitStatus() != QProcess::NormalExit || lua.exitCode() != 0) {
        QTest::qFail(qPrintable("Lua could not run " + script + ": " + QString::fromUtf8(lua.readAllStandardError())),
                     __FILE__, __LINE__);
        return {};
    }
    // A Lua for Windows ends its printed lines with CR LF.
    return QString::fromUtf8(lua.readAllStandardOutput())
        .remove(QLatin1Char('\r'))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList changedNames(const QStringList& before, const QStringList& after)
{
    const QSet<QString> old(before.begin(), before.end());
    const QSet<QString> now(after.begin(), after.end());
    QSet<QString> names;
    for (const QString& line : (old - now) + (now - old))
        names.insert(line.section(QStringLiteral(" = "), 0, 0));
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted;
}

bool allUnder(const QStringList& names, const QStringList& prefixes)
{
    for (const QString& name : names) {
        bool under = false;
        for (const QString& prefix : prefixes)
            under = under || name.startsWith(prefix);
        if (!under)
            return false;
    }
    return true;
}

}  // namespace luacheck
