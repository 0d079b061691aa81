#include "model/FormatTable.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"
#include "model/DistanceRules.h"
#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"
#include "model/QuotedText.h"

namespace {

std::size_t at(EntryField field) { return static_cast<std::size_t>(field); }

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

// The entries in the order the text is to hold them: each loaded one at its place in the
// text, whatever its distance now, and an added one just before the loaded entry next
// above it by distance (last when there is none), so that a player's order stays.
std::vector<const FormatEntry*> inTextOrder(const FormatTable& table)
{
    std::vector<std::tuple<int, int, long long, const FormatEntry*>> placed;
    for (const FormatEntry& entry : table.entries) {
        if (entry.loadedIndex >= 0) {
            placed.emplace_back(entry.loadedIndex, 1, entry.distance, &entry);
            continue;
        }
        const FormatEntry* above = nullptr;
        for (const FormatEntry& kept : table.entries) {
            if (kept.loadedIndex >= 0 && kept.distance > entry.distance && (!above || kept.distance < above->distance))
                above = &kept;
        }
        placed.emplace_back(above ? above->loadedIndex : std::numeric_limits<int>::max(), 0, entry.distance, &entry);
    }
    std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a), std::get<2>(a))
            < std::tie(std::get<0>(b), std::get<1>(b), std::get<2>(b));
    });
    std::vector<const FormatEntry*> ordered;
    for (const auto& place : placed)
        ordered.push_back(std::get<3>(place));
    return ordered;
}

// The table's value in the layout the engine gives a rewritten table.
std::string tableText(const FormatTable& table, int depth)
{
    std::vector<std::string> lines;
    for (const FormatEntry* entry : inTextOrder(table))
        lines.push_back(std::string(static_cast<std::size_t>(depth) + 1, '\t') + bracketed(entry->distance) + " = "
                        + entry->value);
    return "{\n" + joined(lines, ",\n") + "\n" + std::string(static_cast<std::size_t>(depth), '\t') + "}";
}

// The entries the simulator would misread: a distance out of range, or one another entry
// has too (of equal keys Lua keeps only the last).
std::vector<bool> misread(const FormatTable& table)
{
    std::vector<bool> wrong;
    for (const FormatEntry& entry : table.entries) {
        const auto alike = std::count_if(table.entries.begin(), table.entries.end(),
                                         [&](const FormatEntry& other) { return other.distance == entry.distance; });
        wrong.push_back(entry.distance < 0 || entry.distance > maxDistance || alike > 1);
    }
    return wrong;
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
    putInKeyOrder(table);
    return table;
}

std::optional<FormatTable> customFormatTable(const LabelConfig& model, LabelLevel level, UnitCategory category)
{
    return customFormatTable(model.getDocument(), model.scriptLayout(), level, category);
}

bool sameEntries(const FormatTable& a, const FormatTable& b)
{
    return std::equal(
        a.entries.begin(), a.entries.end(), b.entries.begin(), b.entries.end(),
        [](const FormatEntry& x, const FormatEntry& y) { return x.distance == y.distance && x.value == y.value; });
}

void putInKeyOrder(FormatTable& table)
{
    std::stable_sort(table.entries.begin(), table.entries.end(),
                     [](const FormatEntry& a, const FormatEntry& b) { return a.distance < b.distance; });
}

const FormatEntry* entryAt(const FormatTable& table, long long range)
{
    const FormatEntry* found = nullptr;
    for (const FormatEntry& entry : table.entries) {
        if (range < entry.distance && (!found || entry.distance < found->distance))
            found = &entry;
    }
    return found;
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

std::vector<std::size_t> offendingEntries(const FormatTable& changed, const FormatTable& before)
{
    const std::vector<bool> wrongNow = misread(changed);
    const std::vector<bool> wrongBefore = misread(before);
    std::vector<std::size_t> offending;
    for (std::size_t i = 0; i < changed.entries.size(); ++i) {
        if (!wrongNow[i])
            continue;
        const FormatEntry& entry = changed.entries[i];
        const auto held = std::find_if(before.entries.begin(), before.entries.end(), [&](const FormatEntry& e) {
            return entry.loadedIndex >= 0 && e.loadedIndex == entry.loadedIndex;
        });
        // What the file held wrong already, and still holds so, is not the change's doing.
        if (held != before.entries.end() && held->distance == entry.distance
            && wrongBefore[static_cast<std::size_t>(held - before.entries.begin())])
            continue;
        offending.push_back(i);
    }
    return offending;
}

std::vector<std::string> formatTableEdits(const lua::LuaDocument& document, ScriptLayout layout,
                                          const FormatTable& changed)
{
    const std::optional<FormatTable> loaded = customFormatTable(document, layout, changed.level, changed.category);
    // A table of the usual shape is replaced only by one taken whole from another file,
    // all of whose entries are new.
    const bool allNew = std::all_of(changed.entries.begin(), changed.entries.end(),
                                    [](const FormatEntry& entry) { return entry.loadedIndex < 0; });
    if (!loaded && !(allNew && document.lookup(formatTablePath(layout, changed.level, changed.category))))
        return {};
    std::vector<std::string> edits;
    // The loaded places are 0 to n-1: the same entries hold each exactly once.
    std::vector<int> places;
    for (const FormatEntry& entry : changed.entries)
        places.push_back(entry.loadedIndex);
    std::sort(places.begin(), places.end());
    bool sameEntries = loaded && places.size() == loaded->entries.size();
    for (std::size_t i = 0; sameEntries && i < places.size(); ++i)
        sameEntries = places[i] == static_cast<int>(i);
    if (!sameEntries) {
        // Entries added or removed: the table is written whole, in its own place.
        const std::string path = formatTablePath(layout, changed.level, changed.category);
        const int depth = document.lookup(path)->depth;
        const std::string text = tableText(changed, depth);
        if (carriedWhole(text))
            edits.push_back(path + "[][" + text + "]");
        return edits;
    }
    // Each entry is addressed by its place in the text, whatever place its distance gives it.
    for (const FormatEntry& now : changed.entries) {
        const auto was = std::find_if(loaded->entries.begin(), loaded->entries.end(),
                                      [&](const FormatEntry& e) { return e.loadedIndex == now.loadedIndex; });
        const std::string entry = entryPath(layout, changed.level, changed.category, now.loadedIndex);
        if (now.distance != was->distance)
            edits.push_back(entry + "...[" + bracketed(now.distance) + "][]");
        for (std::size_t k = 0; k < now.fields.size() && k < was->fields.size(); ++k) {
            if (now.fields[k] != was->fields[k])
                edits.push_back(entry + ".[" + std::to_string(k) + "]...[][" + now.fields[k] + "]");
        }
    }
    return edits;
}
