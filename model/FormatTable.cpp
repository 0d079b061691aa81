#include "model/FormatTable.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"
#include "model/DistanceRules.h"
#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"
#include "model/QuotedText.h"

namespace {

std::size_t at(EntryField field) { return static_cast<std::size_t>(field); }

// "[9260]" -> 9260; none for anything but a whole number in brackets.
std::optional<long long> distanceKey(const std::string& key)
{
    const std::string_view t = lua::trimmedView(key);
    if (t.size() < 3 || t.front() != '[' || t.back() != ']')
        return std::nullopt;
    const std::string_view inside = lua::trimmedView(t.substr(1, t.size() - 2));
    long long value = 0;
    const auto [stop, error] = std::from_chars(inside.data(), inside.data() + inside.size(), value);
    if (inside.empty() || error != std::errc() || stop != inside.data() + inside.size())
        return std::nullopt;
    return value;
}

std::optional<std::string> unquoted(const std::string& written)
{
    if (written.size() < 2 || written.front() != '"' || written.back() != '"')
        return std::nullopt;
    return written.substr(1, written.size() - 2);
}

// A Lua number as players write them: 0.75, -3, .5, 1e3.
bool isNumber(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("0123456789.-+eE") != std::string::npos)
        return false;
    char* end = nullptr;
    static_cast<void>(std::strtod(text.c_str(), &end));
    return end == text.c_str() + text.size();
}

std::string joined(const std::vector<std::string>& items, const std::string& separator)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i ? separator : std::string()) + items[i];
    return text;
}

std::string bracketed(long long distance) { return "[" + std::to_string(distance) + "]"; }

// Whether an edit carries the text whole as its new value: its brackets outside strings
// pair up ("<" in a comparison would not).
bool carriedWhole(const std::string& text)
{
    const std::string group = "[" + text + "]";
    return lua::matchingBracket(group, 0) == static_cast<int>(group.size()) - 1;
}

// The table's value in the layout the engine gives a rewritten table.
std::string tableText(const FormatTable& table, int depth)
{
    std::vector<std::string> lines;
    for (const FormatEntry& entry : table.entries)
        lines.push_back(std::string(static_cast<std::size_t>(depth) + 1, '\t') + bracketed(entry.distance) + " = "
                        + entry.value);
    return "{\n" + joined(lines, ",\n") + "\n" + std::string(static_cast<std::size_t>(depth), '\t') + "}";
}

}  // namespace

std::optional<FormatTable> customFormatTable(const lua::LuaDocument& document, ScriptLayout layout, LabelLevel level,
                                             UnitCategory category)
{
    const lua::LuaNode* node = document.lookup(formatTablePath(layout, level, category));
    if (!node || node->kind != lua::LuaValueKind::Record || hasModelledShape(*node, category))
        return std::nullopt;
    FormatTable table{level, category, {}};
    for (const auto& child : node->children) {
        const std::optional<long long> distance = distanceKey(child->key);
        if (!distance)
            return std::nullopt;
        FormatEntry& entry = table.entries.emplace_back();
        entry.distance = *distance;
        entry.value = child->value;
        entry.loadedIndex = static_cast<int>(table.entries.size()) - 1;
        // Only a list is read field by field: named fields would be other fields.
        if (child->kind == lua::LuaValueKind::Array) {
            for (const auto& item : child->children)
                entry.fields.push_back(lua::trim(item->value));
        }
    }
    return table;
}

std::optional<FormatTable> customFormatTable(const LabelConfig& model, LabelLevel level, UnitCategory category)
{
    return customFormatTable(model.getDocument(), model.scriptLayout(), level, category);
}

const FormatEntry* entryAt(const FormatTable& table, long long range)
{
    const auto found = std::find_if(table.entries.begin(), table.entries.end(),
                                    [&](const FormatEntry& entry) { return range < entry.distance; });
    return found == table.entries.end() ? nullptr : &*found;
}

std::string shownField(const FormatEntry& entry, EntryField field)
{
    if (!entry.hasField(field))
        return {};
    const std::string& written = entry.fields[at(field)];
    if (field == EntryField::Text)
        return luaStringText(written).value_or(written);
    if (field == EntryField::Alignment)
        return unquoted(written).value_or(written);
    return written;
}

FieldRefusal setField(FormatEntry& entry, EntryField field, const std::string& shown)
{
    if (!entry.hasField(field))
        return {FieldProblem::NoSuchField, {}};
    if (shown == shownField(entry, field))
        return {};
    std::string written;
    switch (field) {
    case EntryField::Text:
        if (const TextRefusal refusal = labelTextRefusal(shown))
            return {FieldProblem::Text, refusal};
        written = luaString(shown);
        break;
    case EntryField::Alignment:
        if (!indexByAlignment.count(shown))
            return {FieldProblem::NotAnAlignment, {}};
        written = inQuotes(shown);
        break;
    case EntryField::ColourBlend:
    case EntryField::Opacity:
    case EntryField::ShiftX:
    case EntryField::ShiftY:
        written = lua::trim(shown);
        if (!isNumber(written))
            return {FieldProblem::NotANumber, {}};
        break;
    }
    entry.fields[at(field)] = written;
    entry.value = "{" + joined(entry.fields, ", ") + "}";
    return {};
}

void insertEntry(FormatTable& table, std::size_t index)
{
    if (table.entries.empty()) {
        table.entries.push_back({0, "{\"\", \"CenterCenter\"}", {"\"\"", "\"CenterCenter\""}, -1});
        return;
    }
    index = std::min(index, table.entries.size());
    FormatEntry entry = table.entries[std::min(index, table.entries.size() - 1)];
    entry.loadedIndex = -1;
    if (index == table.entries.size()) {
        entry.distance = std::min(maxDistance, table.entries.back().distance + 1000);
    } else {
        const long long before = index > 0 ? table.entries[index - 1].distance : 0;
        entry.distance = before + (table.entries[index].distance - before) / 2;
    }
    table.entries.insert(table.entries.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
}

std::vector<std::size_t> offendingEntries(const FormatTable& table)
{
    std::vector<std::size_t> offending;
    const auto note = [&](std::size_t i) {
        if (std::find(offending.begin(), offending.end(), i) == offending.end())
            offending.push_back(i);
    };
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const long long distance = table.entries[i].distance;
        if (distance < 0 || distance > maxDistance)
            note(i);
        if (i > 0 && table.entries[i - 1].distance >= distance) {
            note(i - 1);
            note(i);
        }
    }
    std::sort(offending.begin(), offending.end());
    return offending;
}

std::vector<std::string> formatTableEdits(const lua::LuaDocument& document, ScriptLayout layout,
                                          const FormatTable& changed)
{
    const std::optional<FormatTable> loaded = customFormatTable(document, layout, changed.level, changed.category);
    if (!loaded)
        return {};
    std::vector<std::string> edits;
    bool sameEntries = loaded->entries.size() == changed.entries.size();
    for (std::size_t i = 0; sameEntries && i < changed.entries.size(); ++i)
        sameEntries = changed.entries[i].loadedIndex == static_cast<int>(i);
    if (!sameEntries) {
        // Entries added or removed: the table is written whole, in its own place.
        const std::string path = formatTablePath(layout, changed.level, changed.category);
        const int depth = document.lookup(path)->depth;
        const std::string text = tableText(changed, depth);
        if (carriedWhole(text))
            edits.push_back(path + "[][" + text + "]");
        return edits;
    }
    for (std::size_t i = 0; i < changed.entries.size(); ++i) {
        const FormatEntry& was = loaded->entries[i];
        const FormatEntry& now = changed.entries[i];
        const std::string entry = entryPath(layout, changed.level, changed.category, static_cast<int>(i));
        if (now.distance != was.distance)
            edits.push_back(entry + "...[" + bracketed(now.distance) + "][]");
        for (std::size_t k = 0; k < now.fields.size() && k < was.fields.size(); ++k) {
            if (now.fields[k] != was.fields[k])
                edits.push_back(entry + ".[" + std::to_string(k) + "]...[][" + now.fields[k] + "]");
        }
    }
    return edits;
}
