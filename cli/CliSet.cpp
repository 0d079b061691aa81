#include "cli/CliSet.h"

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "cli/CliList.h"
#include "cli/CliNames.h"
#include "cli/CliTables.h"
#include "common/Messages.h"
#include "common/TableTexts.h"
#include "model/FormatTable.h"
#include "model/LabelConfig.h"
#include "model/LabelEdits.h"
#include "model/SettingValues.h"

namespace cli {
namespace {

struct Assignment {
    QString name;
    SettingChange change;  // the model's own setting and its new value
};

QString held(const LabelConfig& model, const LabelSetting& setting)
{
    const std::optional<std::string> value = heldValue(model, setting);
    return value ? QString::fromStdString(*value) : QStringLiteral("(unreadable)");
}

QString valueProblem(const QString& name, ValueProblem problem, const QString& value)
{
    switch (problem) {
    case ValueProblem::None: break;
    case ValueProblem::NotTrueOrFalse: return name + QStringLiteral(" takes true or false, not \"%1\"").arg(value);
    case ValueProblem::SizeOutOfRange:
        return name
            + QStringLiteral(" takes a whole number from %1 to %2, not \"%3\"")
                  .arg(smallestSymbolSize)
                  .arg(largestSymbolSize)
                  .arg(value);
    case ValueProblem::NotAColour:
        return name + QStringLiteral(" takes red,green,blue, three whole numbers from 0 to 255, not \"%1\"").arg(value);
    case ValueProblem::NotAnAlignment:
        return name + QStringLiteral(" takes one of the alignment names, not \"%1\"").arg(value);
    case ValueProblem::NotAWholeNumber: return name + QStringLiteral(" takes a whole number, not \"%1\"").arg(value);
    }
    return {};
}

// "NAME=VALUE" (the value may hold "=" itself, a symbol say).
std::optional<QString> parse(const LabelConfig& model, const QString& text, std::vector<Assignment>& into,
                             TableChanges& tables)
{
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QStringLiteral("\"%1\" is not an assignment NAME=VALUE").arg(text);
    const QString name = text.left(equals).trimmed();
    if (namesTable(name))
        return changeTable(model, name, text.mid(equals + 1), tables);
    const std::optional<LabelSetting> named = settingNamed(name);
    if (!named)
        return QStringLiteral("\"%1\" names no setting (halvane --list FILE shows their names)").arg(name);
    const bool tableSetting = named->group == SettingGroup::Distance || named->group == SettingGroup::Alignment;
    if (tableSetting && customFormatTable(model, named->level, named->category)) {
        const QString table = levelWord(named->level) + '.' + categoryWord(named->category);
        return QStringLiteral("%1 is a format table of its own shape: change its entries by their distance "
                              "(%1.<distance>.distance=..., .alignment=...), as halvane --list FILE shows them")
            .arg(table);
    }
    Assignment assignment;
    assignment.change.setting = &modelSetting(model, *named);
    assignment.name = settingName(*assignment.change.setting);
    for (const Assignment& earlier : into) {
        if (earlier.change.setting == assignment.change.setting)
            return assignment.name + QStringLiteral(" is assigned twice");
    }
    const QString value = text.mid(equals + 1);
    if (const ValueProblem problem = readValue(*assignment.change.setting, value.toStdString(), assignment.change.value);
        problem != ValueProblem::None)
        return valueProblem(assignment.name, problem, value);
    into.push_back(std::move(assignment));
    return std::nullopt;
}

QString bulleted(const std::vector<const LabelSetting*>& settings)
{
    QStringList lines;
    for (const LabelSetting* setting : settings)
        lines << QStringLiteral("• ") + settingName(*setting);
    return lines.join(QLatin1Char('\n'));
}

// The first line of a message whose further lines speak of the window.
QString withoutWindowLine(MessageId id) { return message(id).section(QLatin1Char('\n'), 0, 0); }

// A key the write moved with a band, as the band's own line reads: the companion's
// distance before and after.
QString movedLine(const MovedKey& move)
{
    return QStringLiteral("%1.%2.%3.companion: %4 -> %5")
        .arg(levelWord(move.level), categoryWord(move.category), bandWord(move.band))
        .arg(move.from)
        .arg(move.to);
}

SetOutcome refused(QStringList problems) { return {1, {}, std::move(problems)}; }

QStringList tableLines(const std::vector<OffendingTable>& tables)
{
    QStringList lines;
    for (const OffendingTable& table : tables) {
        QStringList distances;
        for (const long long distance : table.distances)
            distances << QString::number(distance);
        lines << QStringLiteral("• ") + levelWord(table.level) + '.' + categoryWord(table.category)
                + (distances.isEmpty() ? QString() : QStringLiteral(": ") + distances.join(QStringLiteral(", ")));
    }
    return lines;
}

// The refusal of the edit session, in the words of the window's messages.
QStringList refusalOf(const EditRefusal& refusal)
{
    switch (refusal.kind) {
    case EditRefusal::Kind::None: break;
    case EditRefusal::Kind::DistancesInvalid: return {message(MessageId::DistancesInvalid).arg(bulleted(refusal.settings))};
    case EditRefusal::Kind::TablesInvalid:
        return {tableText(TableText::TablesInvalid).arg(tableLines(refusal.tables).join(QLatin1Char('\n')))};
    case EditRefusal::Kind::TablesNotCarried:
        return {tableText(TableText::TablesNotCarried).arg(tableLines(refusal.tables).join(QLatin1Char('\n')))};
    case EditRefusal::Kind::SymbolNotWritable:
        return {message(MessageId::SymbolNotWritable)
                    .arg(bulleted(refusal.settings), QString::fromStdString(refusal.symbol), refusalText(refusal.text))};
    }
    return {};
}

// Has the model write the changes, and tells what was written.
SetOutcome write(LabelConfig& model, LabelEdits& edits, const QStringList& tableLines)
{
    const std::vector<SettingChange> changes = edits.changes();
    QStringList lines;
    for (const SettingChange& change : changes)
        lines << QStringLiteral("%1: %2 -> %3")
                     .arg(settingName(*change.setting), held(model, *change.setting),
                          QString::fromStdString(valueShown(*change.setting, change.value)));
    const bool anythingQueued = !edits.empty();
    const ApplyOutcome outcome = edits.apply();
    if (!outcome.written()) {
        const Reason reason = reasonOf(outcome.write);
        QStringList problems{withoutWindowLine(MessageId::LabelFileNotWritten).arg(reason.text)};
        if (!reason.detail.isEmpty())
            problems << reason.detail;
        return refused(problems);
    }
    QStringList written;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const LabelSetting& s = *changes[i].setting;
        const auto& notSaved = outcome.notSaved;
        if (std::find(notSaved.begin(), notSaved.end(), &s) != notSaved.end())
            continue;
        written << lines[static_cast<int>(i)];
        for (const MovedKey& move : outcome.moved) {
            if (s.group == SettingGroup::Distance && move.level == s.level && move.category == s.category
                && move.band == s.band)
                written << movedLine(move);
        }
    }
    written << tableLines;
    if (outcome.notSaved.empty())
        return {0, written, {}};
    QStringList problems{message(anythingQueued ? MessageId::SettingsNotSaved : MessageId::NothingSaved)
                             .arg(bulleted(outcome.notSaved))};
    for (const LabelSetting* setting : outcome.notSaved)
        problems << settingName(*setting) + QStringLiteral(": ") + unreadableReason(model, *setting);
    return {1, written, problems};
}

}  // namespace

SetOutcome setValues(LabelConfig& model, const QStringList& assignments, const std::vector<TakenTable>& wholeTables)
{
    std::vector<Assignment> parsed;
    TableChanges tables;
    QStringList problems;
    for (const QString& text : assignments) {
        if (const std::optional<QString> problem = parse(model, text, parsed, tables))
            problems << *problem;
    }
    for (const TakenTable& taken : wholeTables) {
        tables.tables[{taken.table.level, taken.table.category}] = taken.table;
        tables.changed << taken.line;
    }
    if (assignments.isEmpty() && wholeTables.empty())
        problems << QStringLiteral("--set needs at least one assignment NAME=VALUE after the file");
    if (!problems.isEmpty())
        return refused(problems);

    // As the window hands over only what differs from what the file holds.
    LabelEdits edits(model);
    for (const Assignment& assignment : parsed) {
        const LabelSetting& setting = *assignment.change.setting;
        if (heldValue(model, setting) != valueShown(setting, assignment.change.value))
            edits.change(assignment.change);
    }
    for (const auto& [key, table] : tables.tables)
        edits.changeTable(table);
    if (edits.empty() && tables.changed.isEmpty())
        return {};
    if (const QStringList refusal = refusalOf(edits.refusal()); !refusal.isEmpty())
        return refused(refusal);
    // Nobody can be asked here: a file another program changed since it was read is kept.
    if (model.labelFileChangedOnDisk())
        return refused({withoutWindowLine(MessageId::ChangedElsewhere)});
    return write(model, edits, tables.changed);
}

}  // namespace cli
