// Fuzz target: a label script as the editor loads it, looked up and edited.
//
// Input: the script, optionally followed by a line "@edits" and one edit per line
// (LF or CR LF), e.g. "<LEVEL_FULL>.[0].<AirFormat> .[2]...[[8000]][]". An edit line
// "#N rest" stands for the path of catalogue setting N (modulo 72) followed by rest, so
// that the fuzzer reaches the model's paths cheaply. Without an "@edits" line, the edits
// are those an Apply makes for eight of the settings: each that resolves gets its own
// key and value written back.
//
// Every input runs twice: in a document that rewrites edited statements, and in one that
// keeps their layout (as the label model's does).
//
// Checked: loading ends; the 72 catalogue paths never throw; an edit throws at most the
// two documented conversion errors, and then, like an edit that finds nothing, leaves
// the text alone; an edit changes no byte outside its statement's lines; and after
// every edit the tree equals the one a parse of the whole new text gives (the
// incremental re-parse must not be seen).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "FuzzScratch.h"
#include "lua/LuaDocument.h"
#include "model/LabelCatalogue.h"

namespace {

constexpr std::size_t maxEdits = 32;  // keeps one input's time in proportion to its size

const fuzz::Scratch scratch;
const std::vector<LabelSetting> catalogue = buildCatalogue();

std::string describe(const lua::LuaNode& node)
{
    return "node key \"" + node.key + "\" value \"" + node.value + "\" at depth " + std::to_string(node.depth)
        + ", positions " + std::to_string(node.startPos) + ".." + std::to_string(node.endPos);
}

void checkSameNode(const lua::LuaNode& edited, const lua::LuaNode& parsed, const std::string& edit)
{
    const bool same = edited.key == parsed.key && edited.value == parsed.value && edited.kind == parsed.kind
        && edited.calleeName == parsed.calleeName && edited.isLocal == parsed.isLocal
        && edited.startPos == parsed.startPos && edited.endPos == parsed.endPos && edited.depth == parsed.depth
        && edited.children.size() == parsed.children.size();
    fuzz::check(same,
                "after edit " + edit + ": " + describe(edited) + " differs from the full parse's " + describe(parsed));
    for (std::size_t i = 0; i < edited.children.size(); ++i) {
        const lua::LuaNode& child = *edited.children[i];
        // The edited tree's own links must hold too: its nodes were moved, not rebuilt.
        fuzz::check(child.parent == &edited, "after edit " + edit + ": a child's parent link is stale");
        const auto first = edited.childrenByKey.find(child.key);
        const auto parsedFirst = parsed.childrenByKey.find(child.key);
        const bool editedIsFirst = first != edited.childrenByKey.end() && first->second == &child;
        const bool parsedIsFirst
            = parsedFirst != parsed.childrenByKey.end() && parsedFirst->second == parsed.children[i].get();
        fuzz::check(editedIsFirst == parsedIsFirst,
                    "after edit " + edit + ": the key map differs at " + describe(child));
        checkSameNode(child, *parsed.children[i], edit);
    }
}

void checkSameTree(const lua::LuaDocument& edited, const lua::LuaDocument& parsed, const std::string& edit)
{
    const auto& a = edited.statements();
    const auto& b = parsed.statements();
    fuzz::check(a.size() == b.size(),
                "after edit " + edit + ": " + std::to_string(a.size()) + " statements, the full parse has "
                    + std::to_string(b.size()));
    for (std::size_t i = 0; i < a.size(); ++i) {
        fuzz::check((edited.statementByKey(a[i]->key) == a[i].get())
                        == (parsed.statementByKey(b[i]->key) == b[i].get()),
                    "after edit " + edit + ": a different statement wins the key " + a[i]->key);
        checkSameNode(*a[i], *b[i], edit);
    }
    const auto& x = edited.levelBranches();
    const auto& y = parsed.levelBranches();
    fuzz::check(x.size() == y.size(), "after edit " + edit + ": the level branches differ from the full parse's");
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        fuzz::check(x[i].levels == y[i].levels && x[i].firstLine == y[i].firstLine
                        && x[i].statements.size() == y[i].statements.size(),
                    "after edit " + edit + ": level branch " + std::to_string(i) + " differs from the full parse's");
        for (std::size_t k = 0; k < x[i].statements.size() && k < y[i].statements.size(); ++k)
            checkSameNode(*x[i].statements[k], *y[i].statements[k], edit);
    }
}

// The numeric paths the program builds never throw: an exception leaving here is a finding.
void lookUpCatalogue(const lua::LuaDocument& document)
{
    for (const LabelSetting& setting : catalogue)
        (void)document.lookup(setting.nodePath);
}

struct Input {
    std::string script;
    std::vector<std::string> edits;
    bool hasEdits = false;
};

// Where the "@edits" line starts, and where the line after it starts; npos without one.
std::pair<std::size_t, std::size_t> findMarker(const std::string& data)
{
    static const std::string marker = "@edits";
    for (std::size_t at = 0;;) {
        if (data.compare(at, marker.size(), marker) == 0) {
            const std::size_t next = at + marker.size();
            if (data.compare(next, 2, "\r\n") == 0)
                return {at, next + 2};
            if (data.compare(next, 1, "\n") == 0)
                return {at, next + 1};
        }
        const std::size_t lineEnd = data.find('\n', at);
        if (lineEnd == std::string::npos)
            return {std::string::npos, std::string::npos};
        at = lineEnd + 1;
    }
}

Input split(const std::string& data)
{
    Input input;
    const auto [at, editsStart] = findMarker(data);
    if (at == std::string::npos) {
        input.script = data;
        return input;
    }
    input.script = data.substr(0, at);
    input.hasEdits = true;
    for (std::size_t from = editsStart; from < data.size() && input.edits.size() < maxEdits;) {
        const std::size_t end = std::min(data.find('\n', from), data.size());
        std::string line = data.substr(from, end - from);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 1 && line[0] == '#') {
            // "#N rest": catalogue setting N, then rest (no number reads as 0).
            std::size_t digits = 1;
            unsigned n = 0;
            while (digits < line.size() && digits < 8 && line[digits] >= '0' && line[digits] <= '9')
                n = n * 10 + static_cast<unsigned>(line[digits++] - '0');
            line = catalogue[n % catalogue.size()].nodePath + line.substr(digits);
        }
        input.edits.push_back(std::move(line));
        from = end + 1;
    }
    return input;
}

// What an Apply writes for every ninth setting of the catalogue (which ones depends on
// the input's size): each that resolves gets its own key and value written back. All
// 72 on every input would make each run several times slower and find nothing more.
std::vector<std::string> applySomeSettings(const lua::LuaDocument& document, std::size_t size)
{
    std::vector<std::string> edits;
    for (std::size_t i = size % 9; i < catalogue.size(); i += 9) {
        const std::string& path = catalogue[i].nodePath;
        if (const lua::LuaNode* node = document.lookup(path))
            edits.push_back(path + "[" + node->key + "][" + node->value + "]");
    }
    return edits;
}

// Applies an edit, saying whether it threw one of the two errors the contract allows.
bool apply(lua::LuaDocument& document, const std::string& edit)
{
    try {
        (void)document.applyEdit(edit, false);
    } catch (const std::invalid_argument&) {
        return true;
    } catch (const std::out_of_range&) {
        return true;
    }
    return false;
}

// wholeParse has the document's text and tree and was loaded the same way; its edits
// always end in a parse of the whole text, so its tree is what that parse gives. (A
// document's parse starts in the state its previous one ended in, so the reference is
// the same kind of document with the same history, not a new one.)
void applyAndCheck(lua::LuaDocument& document, lua::LuaDocument& wholeParse, const std::string& edit)
{
    const std::string before = document.text();
    const lua::LuaNode* found = nullptr;
    try {
        found = document.lookup(edit);
    } catch (const std::invalid_argument&) {
    } catch (const std::out_of_range&) {
    }
    const lua::LuaNode* top = found ? document.topLevelOf(edit) : nullptr;
    const std::size_t start = top ? static_cast<std::size_t>(top->startPos) : 0;
    const std::size_t after = top ? before.size() - static_cast<std::size_t>(top->endPos) - 1 : 0;

    const bool threw = apply(document, edit);
    (void)wholeParse.replaceText(wholeParse.text(), false);
    fuzz::check(apply(wholeParse, edit) == threw, "edit " + edit + " threw in only one of two equal documents");

    const std::string& text = document.text();
    if (threw || !found) {
        fuzz::check(text == before, "edit " + edit + " found nothing or threw, yet changed the text");
    } else {
        const bool outsideKept = text.size() >= start + after && text.compare(0, start, before, 0, start) == 0
            && text.compare(text.size() - after, after, before, before.size() - after, after) == 0;
        fuzz::check(outsideKept, "edit " + edit + " changed bytes outside its statement");
    }
    fuzz::check(text == wholeParse.text(), "edit " + edit + " gave two texts from one text");
    checkSameTree(document, wholeParse, edit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Input input = split(std::string(reinterpret_cast<const char*>(data), size));
    const std::filesystem::path file = scratch.folder() / "Labels.lua";
    fuzz::writeBytes(file, input.script);

    // Read as the program reads a label script: only an "if" that picks format tables is
    // a level block, whose branches Lua is asked about (a run of the script for each level).
    lua::LuaDocument document;
    readAsLabelScript(document);
    document.load(file);
    lua::LuaDocument wholeParse;
    readAsLabelScript(wholeParse);
    wholeParse.load(file);
    lookUpCatalogue(document);

    const std::vector<std::string> edits = input.hasEdits ? input.edits : applySomeSettings(document, size);
    for (const std::string& edit : edits)
        applyAndCheck(document, wholeParse, edit);
    lookUpCatalogue(document);

    // The same edits as the label model makes them, keeping the layout of the statements.
    lua::LuaDocument keeping;
    keeping.keepLayoutOfEditedStatements(true);
    readAsLabelScript(keeping);
    keeping.load(file);
    lua::LuaDocument keepingWhole;
    keepingWhole.keepLayoutOfEditedStatements(true);
    readAsLabelScript(keepingWhole);
    keepingWhole.load(file);
    for (const std::string& edit : edits)
        applyAndCheck(keeping, keepingWhole, edit);
    return 0;
}
