#include "cli/CliList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

#include "cli/CliNames.h"
#include "lua/LuaScan.h"
#include "model/FormatTable.h"
#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"
#include "model/SymbolSizeVariable.h"
#include "model/UnreadableReason.h"
#include "common/UnreadableTexts.h"

namespace cli {
namespace {

const UnitCategory categories[] = {UnitCategory::Air, UnitCategory::Ground, UnitCategory::Navy, UnitCategory::Weapon};
const DistanceBand bands[] = {DistanceBand::EMPTY, DistanceBand::NEAR, DistanceBand::FAR, DistanceBand::DOT};
// The fields of an entry that is a table, by position, as the simulator reads them.
const char* const entryFields[] = {"text", "alignment", "blend", "opacity", "shiftX", "shiftY"};

QString written(const std::string& text) { return QString::fromStdString(lua::trim(text)); }

// A Lua number literal as a JSON number; anything else (a variable, an expression) as
// the text it is written as.
QJsonValue numberOrText(const std::string& text)
{
    bool ok = false;
    const double number = written(text).toDouble(&ok);
    return ok ? QJsonValue(number) : QJsonValue(written(text));
}

// The common fields of a setting's line: what it is, its name for --set, and its value
// or why there is none.
QJsonObject settingObject(const LabelConfig& model, const LabelSetting& setting, const QString& kind,
                          const std::optional<QJsonValue>& value)
{
    QJsonObject object{{QStringLiteral("setting"), kind}, {QStringLiteral("name"), settingName(setting)}};
    if (value)
        object.insert(QStringLiteral("value"), *value);
    else
        object.insert(QStringLiteral("unreadable"), unreadableReason(model, setting));
    return object;
}

template <typename T, typename Convert>
std::optional<QJsonValue> jsonOf(const std::optional<T>& value, Convert convert)
{
    return value ? std::optional<QJsonValue>(convert(*value)) : std::nullopt;
}

void addGeneralSettings(const LabelConfig& model, std::vector<QJsonObject>& lines)
{
    for (const UnitCategory category : categories) {
        QJsonObject object
            = settingObject(model, model.visibility(category), QStringLiteral("visibility"),
                            jsonOf(model.visibilityOn(category), [](bool on) { return QJsonValue(on); }));
        object.insert(QStringLiteral("category"), categoryWord(category));
        lines.push_back(object);
    }
    for (const UnitCategory category : categories) {
        for (const SymbolRange range : {SymbolRange::Near, SymbolRange::Far}) {
            QJsonObject object = settingObject(model, model.symbol(category, range), QStringLiteral("symbol"),
                                               jsonOf(model.symbolText(category, range), [](const std::string& text) {
                                                   return QJsonValue(QString::fromStdString(text));
                                               }));
            object.insert(QStringLiteral("category"), categoryWord(category));
            object.insert(QStringLiteral("range"), rangeWord(range));
            lines.push_back(object);
        }
    }
    QJsonObject size = settingObject(model, model.symbolSize(), QStringLiteral("symbolSize"),
                                     jsonOf(model.symbolSizeValue(), [](int value) { return QJsonValue(value); }));
    QJsonArray ownSizes;
    for (const LabelLevel level : model.levelsWithOwnSymbolSize())
        ownSizes << levelWord(level);
    if (!ownSizes.isEmpty())
        size.insert(QStringLiteral("levelsWithOwnSize"), ownSizes);
    if (const std::optional<std::string> name = symbolSizeVariable(model))
        size.insert(QStringLiteral("setBy"), QString::fromStdString(*name));
    lines.push_back(size);
    for (const Side side : {Side::Enemies, Side::Allies}) {
        QJsonObject object = settingObject(model, model.sideColourSetting(side), QStringLiteral("colour"),
                                           jsonOf(model.sideColour(side), [](const ColourTriple& c) {
                                               return QJsonValue(QJsonArray{c.red, c.green, c.blue});
                                           }));
        object.insert(QStringLiteral("side"), sideWord(side));
        lines.push_back(object);
    }
}

// The band an entry of a table of the usual shape holds, or the band whose companion it is.
struct EntryRole {
    std::optional<DistanceBand> band;
    std::optional<DistanceBand> companionOf;
};

EntryRole roleOf(const LabelConfig& model, LabelLevel level, UnitCategory category, int index)
{
    const CategoryLayout& layout = layoutOf(category);
    if (index == layout.companionEntry) {
        // Not at half of its band, it is the player's own entry and follows nothing.
        const std::optional<CompanionKey> companion = model.companionKey(level, category);
        return {std::nullopt, companion && companion->followsBand ? std::optional(layout.pairedBand) : std::nullopt};
    }
    for (const DistanceBand band : bands) {
        if (bandEntry(category, band) == index)
            return {band, std::nullopt};
    }
    return {};
}

// An entry as the file holds it, in the form the format tables of the model give.
FormatEntry entryOf(const lua::LuaNode& node)
{
    FormatEntry entry;
    entry.distance = distanceKey(node.key).value_or(-1);
    entry.value = lua::trim(node.value);
    if (node.kind == lua::LuaValueKind::Record || node.kind == lua::LuaValueKind::Array) {
        for (const auto& field : node.children)
            entry.fields.push_back(lua::trim(field->value));
    }
    return entry;
}

// The entry's place, distance and what it shows, in the window's words (a string's text
// without its quotes, the alignment's bare name, anything else as written).
QJsonObject entryObject(int index, const FormatEntry& entry)
{
    QJsonObject object{{QStringLiteral("setting"), QStringLiteral("entry")},
                       {QStringLiteral("index"), index},
                       {QStringLiteral("distance"), entry.distance}};
    if (!entry.isTable())
        object.insert(QStringLiteral("written"), QString::fromStdString(entry.value));
    for (int i = 0; i < entryFieldCount && entry.hasField(static_cast<EntryField>(i)); ++i) {
        const std::string shown = shownField(entry, static_cast<EntryField>(i));
        const auto field = static_cast<EntryField>(i);
        object.insert(QString::fromLatin1(entryFields[i]),
                      field == EntryField::Text || field == EntryField::Alignment
                          ? QJsonValue(QString::fromStdString(shown))
                          : numberOrText(shown));
    }
    return object;
}

// A table of the usual shape: its entries hold the bands, which --set changes by name.
QJsonObject bandEntryObject(const LabelConfig& model, LabelLevel level, UnitCategory category, int index,
                            const lua::LuaNode& node)
{
    QJsonObject object = entryObject(index, entryOf(node));
    QJsonArray editable;
    const EntryRole role = roleOf(model, level, category, index);
    if (role.band) {
        const LabelSetting& distance = model.distance(level, category, *role.band);
        object.insert(QStringLiteral("band"), bandWord(*role.band));
        object.insert(QStringLiteral("name"), settingName(distance));
        if (!model.isReadable(distance)) {
            object.remove(QStringLiteral("distance"));
            object.insert(QStringLiteral("unreadable"), unreadableReason(model, distance));
        }
        editable << QStringLiteral("distance");
    }
    if (role.companionOf)
        object.insert(QStringLiteral("companionOf"), bandWord(*role.companionOf));
    const std::vector<int>& aligned = layoutOf(category).alignmentEntries;
    if (std::find(aligned.begin(), aligned.end(), index) != aligned.end())
        editable << QStringLiteral("alignment");
    object.insert(QStringLiteral("editable"), editable);
    return object;
}

// A table of the player's own shape: every entry by the distance it has in the file.
QJsonObject ownEntryObject(LabelLevel level, UnitCategory category, int index, const FormatEntry& entry)
{
    QJsonObject object = entryObject(index, entry);
    object.insert(QStringLiteral("name"),
                  QStringLiteral("%1.%2.%3").arg(levelWord(level), categoryWord(category)).arg(entry.distance));
    QJsonArray editable{QStringLiteral("distance")};
    for (int i = 0; i < entryFieldCount && entry.hasField(static_cast<EntryField>(i)); ++i)
        editable << QString::fromLatin1(entryFields[i]);
    object.insert(QStringLiteral("editable"), editable);
    return object;
}

// A table several levels share (a single-level script's, a branch several levels take) is
// listed once, at its first level, saying which levels it serves.
void addTable(const LabelConfig& model, LabelLevel level, UnitCategory category, std::vector<QJsonObject>& lines)
{
    const std::vector<LabelLevel> sharing = model.levelsSharingTable(level, category);
    if (sharing.front() != level)
        return;
    QJsonArray levels;
    for (const LabelLevel shared : sharing)
        levels << levelWord(shared);
    const auto place = [&](QJsonObject object) {
        object.insert(QStringLiteral("level"), levelWord(level));
        object.insert(QStringLiteral("category"), categoryWord(category));
        if (levels.size() == 3)
            object.insert(QStringLiteral("everyLevel"), true);
        else if (levels.size() > 1)
            object.insert(QStringLiteral("levels"), levels);
        lines.push_back(object);
    };
    if (const std::optional<FormatTable> own = customFormatTable(model, level, category)) {
        // Each entry has an alignment of its own, so the table has none for all.
        // In key order, as the simulator reads them; each with its place in the text.
        for (const FormatEntry& entry : own->entries)
            place(ownEntryObject(level, category, entry.loadedIndex, entry));
        return;
    }
    place(settingObject(
        model, model.alignment(level, category), QStringLiteral("alignment"),
        jsonOf(model.alignmentIndex(level, category), [](int index) { return QJsonValue(alignmentWord(index)); })));
    const lua::LuaNode* table = model.getDocument().lookup(formatTablePath(model.scriptLayout(), level, category));
    if (table && hasModelledShape(*table, category)) {
        for (std::size_t i = 0; i < table->children.size(); ++i)
            place(bandEntryObject(model, level, category, static_cast<int>(i), *table->children[i]));
        return;
    }
    // No table, or one whose keys are not all whole numbers: only the bands the window
    // would show, unread.
    for (const DistanceBand band : bands) {
        if (bandEntry(category, band) < 0)
            continue;
        QJsonObject object
            = settingObject(model, model.distance(level, category, band), QStringLiteral("entry"), std::nullopt);
        object.insert(QStringLiteral("band"), bandWord(band));
        place(object);
    }
}

}  // namespace

QString unreadableReason(const LabelConfig& model, const LabelSetting& setting)
{
    const std::optional<Unreadable> reason = whyUnreadable(model, setting);
    return reason ? unreadableText(*reason) : QString();
}

std::vector<QJsonObject> listObjects(const LabelConfig& model)
{
    std::vector<QJsonObject> objects;
    addGeneralSettings(model, objects);
    for (const LabelLevel level : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT}) {
        for (const UnitCategory category : categories)
            addTable(model, level, category, objects);
    }
    return objects;
}

QString jsonLine(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

QStringList listLines(const LabelConfig& model)
{
    QStringList lines;
    for (const QJsonObject& object : listObjects(model))
        lines << jsonLine(object);
    return lines;
}

}  // namespace cli
