#include "app/CliList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

#include "app/CliNames.h"
#include "lua/LuaScan.h"
#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"

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

// A text in double quotes without them; anything else as it is written.
QString unquoted(const std::string& text)
{
    const QString trimmed = written(text);
    const bool quoted = trimmed.size() >= 2 && trimmed.startsWith('"') && trimmed.endsWith('"');
    return quoted ? trimmed.mid(1, trimmed.size() - 2) : trimmed;
}

std::optional<long long> keyDistance(const std::string& key)
{
    const QString trimmed = written(key);
    if (!trimmed.startsWith('[') || !trimmed.endsWith(']'))
        return std::nullopt;
    bool ok = false;
    const long long distance = trimmed.mid(1, trimmed.size() - 2).trimmed().toLongLong(&ok);
    return ok ? std::optional<long long>(distance) : std::nullopt;
}

QString line(const QJsonObject& object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
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

void addGeneralSettings(const LabelConfig& model, QStringList& lines)
{
    for (const UnitCategory category : categories) {
        QJsonObject object
            = settingObject(model, model.visibility(category), QStringLiteral("visibility"),
                            jsonOf(model.visibilityOn(category), [](bool on) { return QJsonValue(on); }));
        object.insert(QStringLiteral("category"), categoryWord(category));
        lines << line(object);
    }
    for (const UnitCategory category : categories) {
        for (const SymbolRange range : {SymbolRange::Near, SymbolRange::Far}) {
            QJsonObject object = settingObject(model, model.symbol(category, range), QStringLiteral("symbol"),
                                               jsonOf(model.symbolText(category, range), [](const std::string& text) {
                                                   return QJsonValue(QString::fromStdString(text));
                                               }));
            object.insert(QStringLiteral("category"), categoryWord(category));
            object.insert(QStringLiteral("range"), rangeWord(range));
            lines << line(object);
        }
    }
    QJsonObject size = settingObject(model, model.symbolSize(), QStringLiteral("symbolSize"),
                                     jsonOf(model.symbolSizeValue(), [](int value) { return QJsonValue(value); }));
    QJsonArray ownSizes;
    for (const LabelLevel level : model.levelsWithOwnSymbolSize())
        ownSizes << levelWord(level);
    if (!ownSizes.isEmpty())
        size.insert(QStringLiteral("levelsWithOwnSize"), ownSizes);
    lines << line(size);
    for (const Side side : {Side::Enemies, Side::Allies}) {
        QJsonObject object = settingObject(model, model.sideColourSetting(side), QStringLiteral("colour"),
                                           jsonOf(model.sideColour(side), [](const ColourTriple& c) {
                                               return QJsonValue(QJsonArray{c.red, c.green, c.blue});
                                           }));
        object.insert(QStringLiteral("side"), sideWord(side));
        lines << line(object);
    }
}

// The band an entry of a table of the usual shape holds, or the band whose companion it is.
struct EntryRole {
    std::optional<DistanceBand> band;
    std::optional<DistanceBand> companionOf;
};

EntryRole roleOf(UnitCategory category, int index)
{
    const CategoryLayout& layout = layoutOf(category);
    if (index == layout.companionEntry)
        return {std::nullopt, layout.pairedBand};
    for (const DistanceBand band : bands) {
        if (bandEntry(category, band) == index)
            return {band, std::nullopt};
    }
    return {};
}

QJsonObject entryObject(const LabelConfig& model, LabelLevel level, UnitCategory category, int index,
                        const lua::LuaNode& entry, bool usualShape)
{
    QJsonObject object{{QStringLiteral("setting"), QStringLiteral("entry")}, {QStringLiteral("index"), index}};
    if (const std::optional<long long> distance = keyDistance(entry.key))
        object.insert(QStringLiteral("distance"), *distance);
    else
        object.insert(QStringLiteral("key"), written(entry.key));
    const bool isTable = entry.kind == lua::LuaValueKind::Record || entry.kind == lua::LuaValueKind::Array;
    if (isTable) {
        for (std::size_t i = 0; i < entry.children.size() && i < std::size(entryFields); ++i) {
            const std::string& value = entry.children[i]->value;
            const QJsonValue field = i == 0 ? QJsonValue(written(value))
                : i == 1                    ? QJsonValue(unquoted(value))
                                            : numberOrText(value);
            object.insert(QString::fromLatin1(entryFields[i]), field);
        }
    } else {
        object.insert(QStringLiteral("written"), written(entry.value));
    }
    QJsonArray editable;
    if (usualShape) {
        const EntryRole role = roleOf(category, index);
        if (role.band) {
            const LabelSetting& distance = model.distance(level, category, *role.band);
            object.insert(QStringLiteral("band"), bandWord(*role.band));
            object.insert(QStringLiteral("name"), settingName(distance));
            if (!model.isReadable(distance))
                object.insert(QStringLiteral("unreadable"), unreadableReason(model, distance));
            editable << QStringLiteral("distance");
        }
        if (role.companionOf)
            object.insert(QStringLiteral("companionOf"), bandWord(*role.companionOf));
        const std::vector<int>& aligned = layoutOf(category).alignmentEntries;
        if (std::find(aligned.begin(), aligned.end(), index) != aligned.end())
            editable << QStringLiteral("alignment");
    }
    object.insert(QStringLiteral("editable"), editable);
    return object;
}

void addTable(const LabelConfig& model, LabelLevel level, UnitCategory category, QStringList& lines)
{
    const bool everyLevel = model.scriptLayout() == ScriptLayout::SingleLevel;
    const auto place = [&](QJsonObject object) {
        object.insert(QStringLiteral("level"), levelWord(level));
        object.insert(QStringLiteral("category"), categoryWord(category));
        if (everyLevel)
            object.insert(QStringLiteral("everyLevel"), true);
        lines << line(object);
    };
    const lua::LuaNode* table = model.getDocument().lookup(formatTablePath(model.scriptLayout(), level, category));
    const bool usualShape = table && hasModelledShape(*table, category);
    // A table of the player's own shape has an alignment in each entry, not one for all.
    if (usualShape || !table)
        place(settingObject(
            model, model.alignment(level, category), QStringLiteral("alignment"),
            jsonOf(model.alignmentIndex(level, category), [](int index) { return QJsonValue(alignmentWord(index)); })));
    if (!table || table->kind != lua::LuaValueKind::Record) {
        // Without a table there are no entries, only the bands the window would show.
        for (const DistanceBand band : bands) {
            if (bandEntry(category, band) < 0)
                continue;
            QJsonObject object
                = settingObject(model, model.distance(level, category, band), QStringLiteral("entry"), std::nullopt);
            object.insert(QStringLiteral("band"), bandWord(band));
            place(object);
        }
        return;
    }
    for (std::size_t i = 0; i < table->children.size(); ++i)
        place(entryObject(model, level, category, static_cast<int>(i), *table->children[i], usualShape));
}

}  // namespace

QString unreadableReason(const LabelConfig& model, const LabelSetting& setting)
{
    const lua::LuaDocument& document = model.getDocument();
    // Read by position, a table of another shape may well hold something at the place.
    if (setting.group == SettingGroup::Distance || setting.group == SettingGroup::Alignment) {
        const lua::LuaNode* table
            = document.lookup(formatTablePath(model.scriptLayout(), setting.level, setting.category));
        if (table && !hasModelledShape(*table, setting.category))
            return QStringLiteral("its table has a shape of its own");
    }
    if (!document.lookup(setting.nodePath))
        return QStringLiteral("not found in the file");
    const QString as = QStringLiteral(", written ");
    switch (setting.group) {
    case SettingGroup::Visibility: return QStringLiteral("it has no value");
    case SettingGroup::Symbol: return QStringLiteral("not a text in double quotes") + as + written(setting.valueText);
    case SettingGroup::SymbolSize: return QStringLiteral("not a whole number") + as + written(setting.valueText);
    case SettingGroup::SideColour:
        return QStringLiteral("not three whole numbers from 0 to 255") + as + written(setting.valueText);
    case SettingGroup::Alignment:
        return QStringLiteral("not one of the nine alignment names") + as + written(setting.valueText);
    case SettingGroup::Distance: return QStringLiteral("not a whole number") + as + written(setting.keyText);
    }
    return {};
}

QStringList listLines(const LabelConfig& model)
{
    QStringList lines;
    addGeneralSettings(model, lines);
    // A single-level script has one table per category for every level: it is listed once.
    const bool everyLevel = model.scriptLayout() == ScriptLayout::SingleLevel;
    for (const LabelLevel level : {LabelLevel::FULL, LabelLevel::ABBREVIATED, LabelLevel::DOT}) {
        if (everyLevel && level != LabelLevel::FULL)
            continue;
        for (const UnitCategory category : categories)
            addTable(model, level, category, lines);
    }
    return lines;
}

}  // namespace cli
