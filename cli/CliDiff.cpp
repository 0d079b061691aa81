#include "cli/CliDiff.h"

#include <QJsonArray>

#include <map>
#include <optional>
#include <set>
#include <vector>

#include "cli/CliList.h"
#include "cli/CliNames.h"
#include "model/LabelConfig.h"

namespace cli {
namespace {

const QStringList levelWords
    = {levelWord(LabelLevel::FULL), levelWord(LabelLevel::ABBREVIATED), levelWord(LabelLevel::DOT)};
// What a line of --list says of a setting besides its value: where it is, how it is
// changed, which levels share it.
const QStringList describing = {"setting", "name",  "category", "level",      "side",   "range",
                                "band",    "index", "editable", "everyLevel", "levels", "unreadable"};

struct Listed {
    QJsonObject description;
    QJsonValue value;  // undefined where the file holds no value for it
    // For an entry, what Lua reads of it; two entries written differently may read alike.
    std::optional<std::string> read;

    bool sameAs(const Listed& other) const { return read && other.read ? *read == *other.read : value == other.value; }
};

// The settings of one file by name, in its --list order.
struct Listing {
    std::vector<QString> order;
    std::map<QString, Listed> byName;
    // The tables of the player's own shape: level.category, and the names of their entries.
    std::map<QString, std::vector<QString>> ownTables;
};

QJsonValue valueOf(const QJsonObject& object)
{
    if (object.contains(QStringLiteral("unreadable")))
        return QJsonValue(QJsonValue::Undefined);
    if (object.contains(QStringLiteral("value")))
        return object.value(QStringLiteral("value"));
    QJsonObject entry = object;
    for (const QString& key : describing)
        entry.remove(key);
    entry.remove(QStringLiteral("companionOf"));
    return entry;
}

// Every value at and below a path as "[2]=\"LeftBottom\"" lines, a table first reached
// through another path read there: the path a run names it by depends on the order of
// the script's globals, not on what it holds.
void readBelow(const std::map<std::string, std::string>& values, const std::string& path, const std::string& shownAs,
               std::string& read, int depth = 0)
{
    for (auto it = values.lower_bound(path); it != values.end() && it->first.rfind(path, 0) == 0; ++it) {
        const std::string below = it->first.substr(path.size());
        if (!below.empty() && below[0] != '[')
            continue;
        if (it->second.rfind('=', 0) == 0 && depth < 8)
            readBelow(values, it->second.substr(1), shownAs + below, read, depth + 1);
        else
            read += shownAs + below + "=" + it->second + "\n";
    }
}

// What Lua reads of an entry in the run of its level: its distance, then every value at
// and below it with its path below the entry ("[2]=\"LeftBottom\""). None where the run
// holds no such table.
std::optional<std::string> luaEntry(const LabelConfig& model, const QJsonObject& object)
{
    const int level = levelWords.indexOf(object.value(QStringLiteral("level")).toString());
    if (level < 0 || !object.contains(QStringLiteral("distance")))
        return std::nullopt;
    const std::map<std::string, std::string>& values = model.savedTextRuns()[static_cast<std::size_t>(level)].values;
    const std::string format = object.value(QStringLiteral("category")).toString().toStdString() + "Format";
    // The level's own table, or the global one a script sets for the level it runs at;
    // a table reached first through another path is named by that path.
    for (std::string table : {"LEVEL_" + levelWords[level].toStdString() + "." + format, format}) {
        auto found = values.find(table);
        while (found != values.end() && found->second.rfind('=', 0) == 0)
            found = values.find(table = found->second.substr(1));
        if (found == values.end())
            continue;
        const std::string distance = std::to_string(object.value(QStringLiteral("distance")).toInt());
        std::string read = distance + "\n";
        readBelow(values, table + "[" + distance + "]", "", read);
        return read;
    }
    return std::nullopt;
}

QString tableOf(const QJsonObject& object)
{
    return object.value(QStringLiteral("level")).toString() + QLatin1Char('.')
        + object.value(QStringLiteral("category")).toString();
}

// A setting several levels share is listed once; here it stands at each of them, as
// the other file may hold it level by level.
std::vector<QJsonObject> atEachLevel(const QJsonObject& object)
{
    QStringList levels;
    if (object.value(QStringLiteral("everyLevel")).toBool())
        levels = levelWords;
    for (const QJsonValue& level : object.value(QStringLiteral("levels")).toArray())
        levels << level.toString();
    if (levels.isEmpty())
        return {object};
    std::vector<QJsonObject> copies;
    const QString rest = object.value(QStringLiteral("name")).toString().section(QLatin1Char('.'), 1);
    for (const QString& level : levels) {
        QJsonObject copy = object;
        copy.insert(QStringLiteral("level"), level);
        if (!rest.isEmpty())
            copy.insert(QStringLiteral("name"), level + QLatin1Char('.') + rest);
        copy.remove(QStringLiteral("everyLevel"));
        copy.remove(QStringLiteral("levels"));
        copies.push_back(copy);
    }
    return copies;
}

Listing listingOf(const LabelConfig& model)
{
    Listing listing;
    for (const QJsonObject& listed : listObjects(model)) {
        for (QJsonObject object : atEachLevel(listed)) {
            QString name = object.value(QStringLiteral("name")).toString();
            // An entry that follows its band is named after it, as --set reports it.
            if (name.isEmpty() && object.contains(QStringLiteral("companionOf")))
                name = tableOf(object) + QLatin1Char('.') + object.value(QStringLiteral("companionOf")).toString()
                    + QStringLiteral(".companion");
            if (name.isEmpty() || listing.byName.count(name))
                continue;
            const bool ownEntry = object.value(QStringLiteral("setting")) == QLatin1String("entry")
                && !object.contains(QStringLiteral("band")) && !object.contains(QStringLiteral("companionOf"));
            if (ownEntry)
                listing.ownTables[tableOf(object)].push_back(name);
            object.insert(QStringLiteral("name"), name);
            const QJsonValue value = valueOf(object);
            const std::optional<std::string> read = object.value(QStringLiteral("setting")) == QLatin1String("entry")
                ? luaEntry(model, object)
                : std::nullopt;
            for (const QString& key : object.keys())
                if (!describing.contains(key))
                    object.remove(key);
            listing.order.push_back(name);
            listing.byName[name] = {object, value, read};
        }
    }
    return listing;
}

QString distancesOf(const Listing& listing, const QString& table)
{
    QStringList distances;
    const auto found = listing.ownTables.find(table);
    if (found != listing.ownTables.end())
        for (const QString& name : found->second)
            distances << name.section(QLatin1Char('.'), 2);
    return distances.join(QLatin1Char(','));
}

// The entries of a table as values, in the file's --list order; undefined for none.
QJsonValue wholeTable(const Listing& listing, const QString& table)
{
    QJsonArray entries;
    for (const QString& name : listing.order) {
        const Listed& listed = listing.byName.at(name);
        if (tableOf(listed.description) == table
            && listed.description.value(QStringLiteral("setting")) == QLatin1String("entry"))
            entries << listed.value;
    }
    return entries.isEmpty() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(entries);
}

QJsonObject difference(QJsonObject description, const QJsonValue& a, const QJsonValue& b)
{
    if (!a.isUndefined())
        description.insert(QStringLiteral("a"), a);
    if (!b.isUndefined())
        description.insert(QStringLiteral("b"), b);
    return description;
}

}  // namespace

std::vector<QJsonObject> differences(const LabelConfig& a, const LabelConfig& b)
{
    const Listing first = listingOf(a);
    const Listing second = listingOf(b);
    // Own-shape tables whose distances differ are compared whole.
    std::set<QString> wholeTables;
    for (const Listing* listing : {&first, &second})
        for (const auto& [table, entries] : listing->ownTables)
            if (distancesOf(first, table) != distancesOf(second, table))
                wholeTables.insert(table);
    std::vector<QString> names = first.order;
    for (const QString& name : second.order)
        if (!first.byName.count(name))
            names.push_back(name);

    std::vector<QJsonObject> lines;
    std::set<QString> tablesDone;
    for (const QString& name : names) {
        const auto inFirst = first.byName.find(name);
        const auto inSecond = second.byName.find(name);
        const Listed& either = inFirst != first.byName.end() ? inFirst->second : inSecond->second;
        const bool entry = either.description.value(QStringLiteral("setting")) == QLatin1String("entry");
        const QString table = tableOf(either.description);
        if (entry && wholeTables.count(table)) {
            if (!tablesDone.insert(table).second)
                continue;
            const QJsonObject description{
                {QStringLiteral("setting"), QStringLiteral("table")},
                {QStringLiteral("name"), table},
                {QStringLiteral("level"), either.description.value(QStringLiteral("level"))},
                {QStringLiteral("category"), either.description.value(QStringLiteral("category"))}};
            lines.push_back(difference(description, wholeTable(first, table), wholeTable(second, table)));
            continue;
        }
        const bool inBoth = inFirst != first.byName.end() && inSecond != second.byName.end();
        if (inBoth && inFirst->second.sameAs(inSecond->second))
            continue;
        const QJsonValue none(QJsonValue::Undefined);
        lines.push_back(difference(either.description, inFirst != first.byName.end() ? inFirst->second.value : none,
                                   inSecond != second.byName.end() ? inSecond->second.value : none));
    }
    return lines;
}

QStringList diffLines(const LabelConfig& a, const LabelConfig& b)
{
    QStringList lines;
    for (const QJsonObject& object : differences(a, b))
        lines << jsonLine(object);
    return lines;
}

}  // namespace cli
