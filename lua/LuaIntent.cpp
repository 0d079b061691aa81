// What a batch of edits means to change, in the terms of a script's run: the engine knows
// which nodes the edits name; this finds where the running script keeps them.
#include <string_view>

#include "lua/LuaJudge.h"
#include "lua/LuaScan.h"

namespace lua {

namespace {

bool isTable(const LuaNode& node) { return node.kind == LuaValueKind::Record || node.kind == LuaValueKind::Array; }

// "[10000]" -> "10000", as a run writes the key; none for a key that is no single value.
std::optional<std::string> bracketedKey(const std::string& key)
{
    const std::string text = trim(key);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        return std::nullopt;
    const auto values = literalValues(text.substr(1, text.size() - 2));
    if (!values || values->size() != 1 || !values->count(""))
        return std::nullopt;
    return values->at("");
}

// How a child is reached from its table's path in a run.
std::optional<std::string> stepTo(const LuaNode& child)
{
    const LuaNode& table = *child.parent;
    std::size_t position = 0;
    while (position < table.children.size() && table.children[position].get() != &child)
        ++position;
    switch (table.kind) {
    case LuaValueKind::Call:
        // Level builders hand their table back (base_preset returns the table it was
        // given); a call's other arguments are not kept anywhere a run shows.
        if (position == 0)
            return std::string();
        return std::nullopt;
    case LuaValueKind::Array:
        for (std::size_t i = 0; i < position; ++i) {
            if (table.children[i]->value.find('=') != std::string::npos)
                return std::nullopt;
        }
        return "[" + std::to_string(position + 1) + "]";
    case LuaValueKind::Record: {
        const std::string key = trim(child.key);
        if (isName(key))
            return "." + key;
        const auto bracketed = bracketedKey(key);
        if (!bracketed)
            return std::nullopt;
        if (bracketed->size() >= 2 && bracketed->front() == '"') {
            const std::string name = bracketed->substr(1, bracketed->size() - 2);
            return isName(name) ? "." + name : "[" + *bracketed + "]";
        }
        return "[" + *bracketed + "]";
    }
    default: return std::nullopt;
    }
}

// Where a run keeps the value of a node: a global's path, or none for what lies under a
// local (the run shows locals only where other values took them up).
std::optional<std::string> runPathOf(const LuaNode& node)
{
    if (!node.parent) {
        const std::string key = trim(node.key);
        if (node.isLocal || !isName(key))
            return std::nullopt;
        return key;
    }
    const std::optional<std::string> table = runPathOf(*node.parent);
    const std::optional<std::string> step = table ? stepTo(node) : std::nullopt;
    if (!step)
        return std::nullopt;
    return *table + *step;
}

// The levels whose runs take a statement of a level block (as a mask of 1 << labels);
// 0 for every other statement, which every run takes.
unsigned levelsTaking(const LuaDocument& document, const LuaNode& node)
{
    const LevelBranch* branch = document.branchOf(node);
    unsigned mask = 0;
    for (const int labels : branch ? branch->levels : std::vector<int>{})
        mask |= 1u << labels;
    return mask;
}

class Intent {
public:
    explicit Intent(std::vector<IntendedChange>& into) : changes(into) {}

    // The runs the changes of the next node are meant for (0: every run).
    void forLevels(unsigned levels) { onlyAtLevels = levels; }

    void keyChanged(const LuaNode& before, const LuaNode& after)
    {
        if (trim(before.key) == trim(after.key) || !before.parent)
            return;
        const auto table = runPathOf(*before.parent);
        const auto from = bracketedKey(before.key);
        const auto to = bracketedKey(after.key);
        if (table && from && to)
            add(IntendedChange::Key, *table, *from, *to);
        else if (table)
            add(IntendedChange::Subtree, *table, {}, {});
    }

    void valueChanged(const LuaNode& before, const LuaNode& after, const std::optional<std::string>& path)
    {
        if (before.value == after.value)
            return;
        if (isTable(before) && isTable(after) && before.kind == after.kind) {
            itemsChanged(before, after, path);
            return;
        }
        const auto was = literalValues(before.value);
        const auto now = literalValues(after.value);
        if (!was || !now) {
            if (path)
                add(IntendedChange::Subtree, *path, {}, {});
            return;
        }
        std::map<std::string, std::pair<std::string, std::string>> leaves;
        for (const auto& [at, value] : *was)
            leaves[at].first = value;
        for (const auto& [at, value] : *now)
            leaves[at].second = value;
        for (const auto& [at, values] : leaves) {
            if (values.first == values.second)
                continue;
            const bool strings = !values.first.empty() && values.first.front() == '"' && !values.second.empty()
                && values.second.front() == '"';
            // A string is also taken up by other values (a symbol joined to a label's text).
            if (strings)
                add(IntendedChange::Text, {}, values.first, values.second);
            add(IntendedChange::Value, path ? *path + at : std::string(), values.first, values.second);
        }
    }

private:
    // Items matched by key (a record's fields) or by position (an array's items).
    void itemsChanged(const LuaNode& before, const LuaNode& after, const std::optional<std::string>& path)
    {
        std::vector<std::pair<const LuaNode*, const LuaNode*>> pairs;
        if (before.kind == LuaValueKind::Record) {
            const auto byKey = [](const LuaNode& table, const std::string& key) -> const LuaNode* {
                const auto found = table.childrenByKey.find(key);
                return found == table.childrenByKey.end() ? nullptr : found->second;
            };
            for (const auto& was : before.children)
                pairs.emplace_back(was.get(), byKey(after, was->key));
            for (const auto& now : after.children) {
                if (!byKey(before, now->key))
                    pairs.emplace_back(nullptr, now.get());
            }
        } else {
            for (std::size_t i = 0; i < std::max(before.children.size(), after.children.size()); ++i)
                pairs.emplace_back(i < before.children.size() ? before.children[i].get() : nullptr,
                                   i < after.children.size() ? after.children[i].get() : nullptr);
        }
        for (const auto& [was, now] : pairs) {
            const std::optional<std::string> step = path ? stepTo(now ? *now : *was) : std::nullopt;
            const std::optional<std::string> itemPath = step ? std::optional(*path + *step) : std::nullopt;
            if (was && now)
                valueChanged(*was, *now, itemPath);
            else if (itemPath)
                add(IntendedChange::Subtree, *itemPath, {}, {});
        }
    }

    void add(IntendedChange::Kind kind, std::string path, std::string before, std::string after)
    {
        IntendedChange change;
        change.kind = kind;
        change.path = std::move(path);
        change.before = std::move(before);
        change.after = std::move(after);
        change.onlyAtLevels = onlyAtLevels;
        changes.push_back(std::move(change));
    }

    std::vector<IntendedChange>& changes;
    unsigned onlyAtLevels = 0;
};

}  // namespace

std::vector<IntendedChange> intendedChanges(const LuaDocument& before, const LuaDocument& after,
                                            const std::vector<std::string>& edits)
{
    std::vector<IntendedChange> changes;
    Intent intent(changes);
    for (const std::string& edit : edits) {
        const std::size_t end = edit.find("...");
        if (end == std::string::npos)
            continue;
        const std::string path = edit.substr(0, end + 3);
        const LuaNode* was = before.lookup(path);
        const LuaNode* now = after.lookup(path);
        if (!was || !now)
            continue;
        intent.forLevels(levelsTaking(after, *now));
        intent.keyChanged(*was, *now);
        intent.valueChanged(*was, *now, runPathOf(*now));
    }
    return changes;
}

}  // namespace lua
