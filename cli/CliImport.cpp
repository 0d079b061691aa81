#include "cli/CliImport.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <map>
#include <utility>

#include "cli/CliDiff.h"
#include "cli/CliNames.h"
#include "model/FormatTable.h"
#include "model/LabelDifferences.h"
#include "model/LabelConfig.h"

namespace cli {
namespace {

// A value of --list as --set takes it.
QString assigned(const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.isDouble())
        return QString::number(value.toInteger());
    if (value.isArray()) {
        QStringList parts;
        for (const QJsonValue& part : value.toArray())
            parts << QString::number(part.toInteger());
        return parts.join(QLatin1Char(','));
    }
    return value.toString();
}

QString distances(const FormatTable& table)
{
    QStringList list;
    for (const FormatEntry& entry : table.entries)
        list << QString::number(entry.distance);
    return list.join(QStringLiteral(", "));
}

// A setting (any level's, also one neither file holds), a table of a level, or one of
// its entries by distance.
bool known(const QString& name)
{
    static const QRegularExpression table(
        QStringLiteral("^(FULL|ABBREVIATED|DOT)\\.(Air|Ground|Navy|Weapon)(\\.\\d+)?$"),
        QRegularExpression::CaseInsensitiveOption);
    return settingNamed(name) || table.match(name).hasMatch();
}

bool wanted(const QStringList& names, const QString& name)
{
    return names.isEmpty() || names.contains(name, Qt::CaseInsensitive);
}

}  // namespace

SetOutcome importValues(LabelConfig& file, const LabelConfig& from, const QStringList& names)
{
    QStringList unknown;
    for (const QString& name : names) {
        if (!known(name))
            unknown << QStringLiteral("\"%1\" names no setting (halvane --list FILE shows their names)").arg(name);
    }
    if (!unknown.isEmpty())
        return {1, {}, unknown};
    QStringList assignments;
    // The tables to take whole, by their level and category ("DOT.Air"); each has an
    // alignment setting, which tells them.
    std::map<std::pair<LabelLevel, UnitCategory>, QString> ownTables;
    for (const QJsonObject& difference : differences(file, from)) {
        if (!difference.contains(QStringLiteral("a")) || !difference.contains(QStringLiteral("b")))
            continue;  // a setting one of the files does not hold
        const QString name = difference.value(QStringLiteral("name")).toString();
        const QString kind = difference.value(QStringLiteral("setting")).toString();
        const QJsonValue value = difference.value(QStringLiteral("b"));
        const QString table = difference.value(QStringLiteral("level")).toString() + QLatin1Char('.')
            + difference.value(QStringLiteral("category")).toString();
        if (kind == QLatin1String("table")
            || (kind == QLatin1String("entry") && !difference.contains(QStringLiteral("band"))
                && !name.endsWith(QLatin1String(".companion")))) {
            if (wanted(names, name) || wanted(names, table))
                if (const std::optional<LabelSetting> alignment = settingNamed(table + QStringLiteral(".alignment")))
                    ownTables[{alignment->level, alignment->category}] = table;
        } else if (kind == QLatin1String("entry")) {
            // A band is set by its distance; the entry that follows it moves with it.
            const QJsonValue distance = value.toObject().value(QStringLiteral("distance"));
            if (difference.contains(QStringLiteral("band")) && wanted(names, name)
                && difference.value(QStringLiteral("a")).toObject().value(QStringLiteral("distance")) != distance)
                assignments << name + QLatin1Char('=') + assigned(distance);
        } else if (wanted(names, name)) {
            assignments << name + QLatin1Char('=') + assigned(value);
        }
    }
    std::vector<TakenTable> tables;
    QStringList problems;
    for (const auto& [at, name] : ownTables) {
        const auto [level, category] = at;
        std::optional<FormatTable> theirs = customFormatTable(from, level, category);
        if (!theirs) {
            problems << name
                    + QStringLiteral(": the table here is of the usual shape in one file only; it was not "
                                     "taken (its bands were)");
            continue;
        }
        const QString before = customFormatTable(file, level, category)
            ? distances(*customFormatTable(file, level, category))
            : QStringLiteral("the usual shape");
        // A table the other file shares between levels is taken into the level named.
        const FormatTable taken = takenTable({level, category, std::nullopt, theirs});
        tables.push_back({taken, QStringLiteral("%1: %2 -> %3").arg(name, before, distances(taken))});
    }
    if (assignments.isEmpty() && tables.empty())
        return {problems.isEmpty() ? 0 : 1, {}, problems};
    SetOutcome outcome = setValues(file, assignments, tables);
    if (!problems.isEmpty()) {
        outcome.problems << problems;
        outcome.exitCode = 1;
    }
    return outcome;
}

}  // namespace cli
