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
#include "model/DistanceRules.h"
#include "model/FormatTable.h"
#include "model/LabelConfig.h"
#include "common/TableTexts.h"

namespace cli {
namespace {

// The window's symbol size slider goes from 1 to 99.
constexpr int smallestSymbolSize = 1;
constexpr int largestSymbolSize = 99;

struct Assignment {
    QString name;
    const LabelSetting* setting = nullptr;  // the model's own
    QString shown;                          // the new value as --list and the change lines show it
    bool on = false;                        // Visibility
    std::string symbol;                     // Symbol, UTF-8
    long long number = 0;                   // SymbolSize, Distance, Alignment (its index)
    ColourTriple colour;                    // SideColour
};

std::optional<long long> wholeNumber(const QString& text)
{
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(value) : std::nullopt;
}

std::optional<ColourTriple> colourOf(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return std::nullopt;
    int components[3] = {};
    for (int i = 0; i < 3; ++i) {
        const std::optional<long long> component = wholeNumber(parts[i]);
        if (!component || *component < 0 || *component > 255)
            return std::nullopt;
        components[i] = static_cast<int>(*component);
    }
    return ColourTriple{components[0], components[1], components[2]};
}

QString colourText(const ColourTriple& c) { return QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue); }

// The value the model holds for a setting, written as an assignment would give it;
// none when the last load could not read it.
std::optional<QString> heldValue(const LabelConfig& model, const LabelSetting& s)
{
    switch (s.group) {
    case SettingGroup::Visibility: {
        const auto on = model.visibilityOn(s.category);
        return on ? std::optional<QString>(*on ? QStringLiteral("true") : QStringLiteral("false")) : std::nullopt;
    }
    case SettingGroup::Symbol: {
        const auto text = model.symbolText(s.category, s.range);
        return text ? std::optional<QString>(QString::fromStdString(*text)) : std::nullopt;
    }
    case SettingGroup::SymbolSize: {
        const auto size = model.symbolSizeValue();
        return size ? std::optional<QString>(QString::number(*size)) : std::nullopt;
    }
    case SettingGroup::SideColour: {
        const auto colour = model.sideColour(s.side);
        return colour ? std::optional<QString>(colourText(*colour)) : std::nullopt;
    }
    case SettingGroup::Alignment: {
        const auto index = model.alignmentIndex(s.level, s.category);
        return index ? std::optional<QString>(alignmentWord(*index)) : std::nullopt;
    }
    case SettingGroup::Distance: {
        const auto distance = model.distanceValue(s.level, s.category, s.band);
        return distance ? std::optional<QString>(QString::number(*distance)) : std::nullopt;
    }
    }
    return std::nullopt;
}

const LabelSetting& modelSetting(const LabelConfig& model, const LabelSetting& s)
{
    switch (s.group) {
    case SettingGroup::Visibility: return model.visibility(s.category);
    case SettingGroup::Symbol: return model.symbol(s.category, s.range);
    case SettingGroup::SymbolSize: return model.symbolSize();
    case SettingGroup::SideColour: return model.sideColourSetting(s.side);
    case SettingGroup::Alignment: return model.alignment(s.level, s.category);
    case SettingGroup::Distance: break;
    }
    return model.distance(s.level, s.category, s.band);
}

// Reads the value of one assignment; a problem for standard error when it has none the
// setting can take.
std::optional<QString> readValue(const QString& value, Assignment& into)
{
    const QString name = into.name;
    switch (into.setting->group) {
    case SettingGroup::Visibility:
        if (value.compare(QStringLiteral("true"), Qt::CaseInsensitive) != 0
            && value.compare(QStringLiteral("false"), Qt::CaseInsensitive) != 0)
            return name + QStringLiteral(" takes true or false, not \"%1\"").arg(value);
        into.on = value.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
        into.shown = into.on ? QStringLiteral("true") : QStringLiteral("false");
        return std::nullopt;
    case SettingGroup::Symbol:
        into.symbol = value.toStdString();
        into.shown = value;
        return std::nullopt;
    case SettingGroup::SymbolSize: {
        const std::optional<long long> size = wholeNumber(value);
        if (!size || *size < smallestSymbolSize || *size > largestSymbolSize)
            return name
                + QStringLiteral(" takes a whole number from %1 to %2, not \"%3\"")
                      .arg(smallestSymbolSize)
                      .arg(largestSymbolSize)
                      .arg(value);
        into.number = *size;
        into.shown = QString::number(*size);
        return std::nullopt;
    }
    case SettingGroup::SideColour: {
        const std::optional<ColourTriple> colour = colourOf(value);
        if (!colour)
            return name
                + QStringLiteral(" takes red,green,blue, three whole numbers from 0 to 255, not \"%1\"").arg(value);
        into.colour = *colour;
        into.shown = colourText(*colour);
        return std::nullopt;
    }
    case SettingGroup::Alignment:
        for (const auto& [index, quoted] : alignmentByIndex) {
            if (alignmentWord(index).compare(value.trimmed(), Qt::CaseInsensitive) == 0) {
                into.number = index;
                into.shown = alignmentWord(index);
                return std::nullopt;
            }
        }
        return name + QStringLiteral(" takes one of the alignment names, not \"%1\"").arg(value);
    case SettingGroup::Distance: {
        // The range is the table rules' to judge, with the window's message.
        const std::optional<long long> distance = wholeNumber(value);
        if (!distance)
            return name + QStringLiteral(" takes a whole number, not \"%1\"").arg(value);
        into.number = *distance;
        into.shown = QString::number(*distance);
        return std::nullopt;
    }
    }
    return std::nullopt;
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
    assignment.setting = &modelSetting(model, *named);
    assignment.name = settingName(*assignment.setting);
    for (const Assignment& earlier : into) {
        if (earlier.setting == assignment.setting)
            return assignment.name + QStringLiteral(" is assigned twice");
    }
    if (const std::optional<QString> problem = readValue(text.mid(equals + 1), assignment))
        return problem;
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

// Every table an assignment changes, as it would be afterwards, judged by the window's
// rules; the bands that break them.
std::vector<const LabelSetting*> offendingDistances(const LabelConfig& model, const std::vector<Assignment>& changes)
{
    std::map<std::pair<LabelLevel, UnitCategory>, TableDistances> tables;
    for (const Assignment& change : changes) {
        const LabelSetting& s = *change.setting;
        if (s.group != SettingGroup::Distance)
            continue;
        const auto key = std::make_pair(s.level, s.category);
        if (tables.find(key) == tables.end()) {
            TableDistances held;
            for (std::size_t band = 0; band < held.size(); ++band) {
                const auto value = model.distanceValue(s.level, s.category, static_cast<DistanceBand>(band));
                held[band] = value ? std::optional<long long>(*value) : std::nullopt;
            }
            tables[key] = held;
        }
        tables[key][static_cast<std::size_t>(s.band)] = change.number;
    }
    std::vector<const LabelSetting*> offending;
    for (const auto& [key, proposed] : tables) {
        for (const DistanceBand band : offendingBands(model, key.first, key.second, proposed))
            offending.push_back(&model.distance(key.first, key.second, band));
    }
    return offending;
}

// The order of the window's Apply: colours, symbol size, visibility, symbols, then each
// level's distances and alignments.
int handOverRank(SettingGroup group)
{
    switch (group) {
    case SettingGroup::SideColour: return 0;
    case SettingGroup::SymbolSize: return 1;
    case SettingGroup::Visibility: return 2;
    case SettingGroup::Symbol: return 3;
    case SettingGroup::Distance: return 4;
    case SettingGroup::Alignment: return 5;
    }
    return 6;
}

void handOver(LabelConfig& model, const Assignment& change)
{
    const LabelSetting& s = *change.setting;
    switch (s.group) {
    case SettingGroup::Visibility: model.setVisibility(s.category, change.on); break;
    case SettingGroup::Symbol: static_cast<void>(model.setSymbol(s.category, s.range, change.symbol)); break;
    case SettingGroup::SymbolSize: model.setSymbolSize(static_cast<int>(change.number)); break;
    case SettingGroup::SideColour:
        model.setSideColour(s.side, change.colour.red, change.colour.green, change.colour.blue);
        break;
    case SettingGroup::Alignment: model.setAlignment(s.level, s.category, static_cast<int>(change.number)); break;
    case SettingGroup::Distance: model.setDistance(s.level, s.category, s.band, static_cast<int>(change.number)); break;
    }
}

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

// The window's checks before Apply, in its order: everything is checked before anything
// is handed over, so a refusal writes nothing.
QStringList refusalOf(const LabelConfig& model, const std::vector<Assignment>& changes, const TableChanges& tables)
{
    if (const auto offending = offendingDistances(model, changes); !offending.empty())
        return {message(MessageId::DistancesInvalid).arg(bulleted(offending))};
    if (const QStringList offending = offendingTables(model, tables); !offending.isEmpty())
        return {tableText(TableText::TablesInvalid).arg(offending.join(QLatin1Char('\n')))};
    for (const Assignment& change : changes) {
        if (change.setting->group != SettingGroup::Symbol)
            continue;
        if (const TextRefusal refusal = LabelConfig::symbolRefusal(change.symbol))
            return {message(MessageId::SymbolNotWritable)
                        .arg(bulleted({change.setting}), change.shown, refusalText(refusal))};
    }
    // Nobody can be asked here: a file another program changed since it was read is kept.
    if (model.labelFileChangedOnDisk())
        return {withoutWindowLine(MessageId::ChangedElsewhere)};
    return {};
}

// Hands the changes to the model in the window's order and has it write the file.
SetOutcome write(LabelConfig& model, const std::vector<Assignment>& changes, const TableChanges& tables)
{
    QStringList lines;
    for (const Assignment& change : changes) {
        lines << QStringLiteral("%1: %2 -> %3")
                     .arg(change.name, heldValue(model, *change.setting).value_or(QStringLiteral("(unreadable)")),
                          change.shown);
        handOver(model, change);
    }
    for (const auto& [key, table] : tables.tables)
        model.setFormatTable(table);
    const bool anythingQueued = !model.getPendingEdits().empty();
    const ApplyOutcome outcome = model.applyPendingEdits();
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
    written << tables.changed;
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
    std::vector<Assignment> changes;
    for (Assignment& assignment : parsed) {
        if (heldValue(model, *assignment.setting) != assignment.shown)
            changes.push_back(std::move(assignment));
    }
    std::sort(changes.begin(), changes.end(), [](const Assignment& a, const Assignment& b) {
        const auto order = [](const LabelSetting& s) {
            return std::make_tuple(handOverRank(s.group), s.level, s.category, s.band, s.range, s.side);
        };
        return order(*a.setting) < order(*b.setting);
    });
    if (changes.empty() && tables.changed.isEmpty())
        return {};
    if (const QStringList refusal = refusalOf(model, changes, tables); !refusal.isEmpty())
        return refused(refusal);
    return write(model, changes, tables);
}

}  // namespace cli
