#include "cli/CliTables.h"

#include <algorithm>

#include "cli/CliNames.h"
#include "common/Messages.h"
#include "model/LabelConfig.h"
#include "common/TableTexts.h"

namespace cli {
namespace {

const LabelLevel levels[] = {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT};
const UnitCategory categories[] = {UnitCategory::Air, UnitCategory::Ground, UnitCategory::Navy, UnitCategory::Weapon};

// The names of the entry fields in assignments and in --list, in EntryField order.
const char* const fieldNames[] = {"text", "alignment", "blend", "opacity", "shiftX", "shiftY"};

struct TableName {
    LabelLevel level;
    UnitCategory category;
    QString rest;  // what follows "LEVEL.Category."
};

std::optional<TableName> tableName(const QString& name)
{
    const QStringList steps = name.split(QLatin1Char('.'));
    if (steps.size() < 3)
        return std::nullopt;
    for (const LabelLevel level : levels) {
        for (const UnitCategory category : categories) {
            if (steps[0].compare(levelWord(level), Qt::CaseInsensitive) == 0
                && steps[1].compare(categoryWord(category), Qt::CaseInsensitive) == 0)
                return TableName{level, category, steps.mid(2).join(QLatin1Char('.'))};
        }
    }
    return std::nullopt;
}

std::optional<long long> wholeNumber(const QString& text)
{
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

std::optional<EntryField> fieldNamed(const QString& word)
{
    for (int i = 0; i < entryFieldCount; ++i) {
        if (word.compare(QString::fromLatin1(fieldNames[i]), Qt::CaseInsensitive) == 0)
            return static_cast<EntryField>(i);
    }
    return std::nullopt;
}

// The entry the file keys at a distance, wherever the changes so far have put it.
FormatEntry* loadedEntry(const FormatTable& loaded, FormatTable& table, long long distance)
{
    for (const FormatEntry& entry : loaded.entries) {
        if (entry.distance != distance)
            continue;
        const auto found = std::find_if(table.entries.begin(), table.entries.end(),
                                        [&](const FormatEntry& e) { return e.loadedIndex == entry.loadedIndex; });
        return found == table.entries.end() ? nullptr : &*found;
    }
    return nullptr;
}

QString fieldProblem(const QString& name, const FieldRefusal& refusal)
{
    switch (refusal.problem) {
    case FieldProblem::Text:
        return name + QStringLiteral(": ") + tableText(TableText::FieldNotStored).arg(refusalText(refusal.text));
    case FieldProblem::NotANumber: return name + QStringLiteral(": ") + tableText(TableText::FieldNotANumber);
    case FieldProblem::NotAnAlignment: return name + QStringLiteral(" takes one of the alignment names");
    case FieldProblem::NoSuchField:
    case FieldProblem::None: break;
    }
    return name + QStringLiteral(": the entry has no such field");
}

QString distanceText(long long distance) { return QString::number(distance); }

}  // namespace

bool namesTable(const QString& name)
{
    const std::optional<TableName> table = tableName(name);
    if (!table)
        return false;
    const QString first = table->rest.section(QLatin1Char('.'), 0, 0);
    return wholeNumber(first) || first.compare(QStringLiteral("add"), Qt::CaseInsensitive) == 0
        || first.compare(QStringLiteral("remove"), Qt::CaseInsensitive) == 0;
}

std::optional<QString> changeTable(const LabelConfig& model, const QString& name, const QString& value,
                                   TableChanges& into)
{
    std::optional<TableName> address = tableName(name);
    if (!address)
        return QStringLiteral("\"%1\" names no format table").arg(name);
    // Levels that share a table name the same one: its changes gather under its first level.
    address->level = model.levelsSharingTable(address->level, address->category).front();
    const QString tableWords = levelWord(address->level) + '.' + categoryWord(address->category);
    const std::optional<FormatTable> loaded = customFormatTable(model, address->level, address->category);
    if (!loaded)
        return QStringLiteral("%1 is a table of the usual shape: set its bands (%1.NEAR=8000) and its alignment "
                              "(%1.alignment=LeftTop)")
            .arg(tableWords);
    const auto key = std::make_pair(address->level, address->category);
    FormatTable& table = into.tables.emplace(key, *loaded).first->second;
    const QString step = address->rest.section(QLatin1Char('.'), 0, 0);
    const QString field = address->rest.section(QLatin1Char('.'), 1);

    if (step.compare(QStringLiteral("add"), Qt::CaseInsensitive) == 0 && field.isEmpty()) {
        const std::optional<long long> distance = wholeNumber(value);
        if (!distance)
            return tableWords + QStringLiteral(".add takes the distance of the new entry, not \"%1\"").arg(value);
        // A copy of the entry that applies at the new distance, so the label there stays as it was.
        const FormatEntry* applying = entryAt(table, *distance);
        const auto at = applying ? static_cast<std::size_t>(applying - table.entries.data()) : table.entries.size();
        insertEntry(table, at);
        table.entries[std::min(at, table.entries.size() - 1)].distance = *distance;
        into.changed << QStringLiteral("%1: entry added at %2").arg(tableWords, distanceText(*distance));
        return std::nullopt;
    }
    if (step.compare(QStringLiteral("remove"), Qt::CaseInsensitive) == 0 && field.isEmpty()) {
        const std::optional<long long> distance = wholeNumber(value);
        const FormatEntry* entry = distance ? loadedEntry(*loaded, table, *distance) : nullptr;
        if (!entry)
            return tableWords + QStringLiteral(" has no entry at \"%1\" to remove").arg(value);
        table.entries.erase(table.entries.begin() + (entry - table.entries.data()));
        into.changed << QStringLiteral("%1: entry at %2 removed").arg(tableWords, distanceText(*distance));
        return std::nullopt;
    }
    if (into.assigned.contains(name.toLower()))
        return name + QStringLiteral(" is assigned twice");
    into.assigned << name.toLower();
    const long long distance = wholeNumber(step).value_or(-1);
    FormatEntry* entry = loadedEntry(*loaded, table, distance);
    if (!entry)
        return QStringLiteral("%1 has no entry at %2 (halvane --list FILE shows its entries)").arg(tableWords, step);
    if (field.compare(QStringLiteral("distance"), Qt::CaseInsensitive) == 0) {
        const std::optional<long long> moved = wholeNumber(value);
        if (!moved)
            return name + QStringLiteral(" takes a whole number, not \"%1\"").arg(value);
        if (*moved != entry->distance)
            into.changed
                << QStringLiteral("%1: %2 -> %3").arg(name, distanceText(entry->distance), distanceText(*moved));
        entry->distance = *moved;
        return std::nullopt;
    }
    const std::optional<EntryField> named = fieldNamed(field);
    if (!named)
        return QStringLiteral("\"%1\" names no field of an entry: distance, text, alignment, blend, opacity, shiftX, "
                              "shiftY")
            .arg(field);
    const QString before = QString::fromStdString(shownField(*entry, *named));
    if (const FieldRefusal refusal = setField(*entry, *named, value.toStdString()))
        return fieldProblem(name, refusal);
    const QString after = QString::fromStdString(shownField(*entry, *named));
    if (after != before)
        into.changed << QStringLiteral("%1: %2 -> %3").arg(name, before, after);
    return std::nullopt;
}

}  // namespace cli
