#include "EngineTestSupport.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "LuaScan.h"

namespace enginetest {

namespace {

const char* const categories[4] = {"Air", "Ground", "Navy", "Weapon"};
const char* const symbolKeys[4] = {"aircraft", "ground", "navy", "weapon"};
// Entry of each band in a format table (Air: [1] is NEAR's companion; Weapon: [2] is FAR's).
const int bandEntries[4][4] = {{0, 2, 3, 4}, {0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 3, -1}};
// Entry whose element [1] holds the alignment the editor reads, and the entries it writes.
const int alignmentEntry[4] = {3, 2, 2, 2};
const std::vector<int> alignmentTargets[4] = {{1, 2, 3}, {1, 2}, {1, 2}, {1, 2, 3}};

std::string format(int category) { return std::string("<LEVEL_FULL>.[0].<") + categories[category] + "Format>"; }
std::string bracketed(int n) { return "[" + std::to_string(n) + "]"; }
std::string unquoted(const std::string& text) { return text.size() >= 2 ? text.substr(1, text.size() - 2) : text; }

std::string valueAt(const lua::LuaDocument& document, const std::string& path)
{
    const lua::LuaNode* node = document.lookup(path);
    if (!node)
        throw std::runtime_error("no node at " + path);
    return node->value;
}

void snapshot(const lua::LuaNode& node, std::string& out)
{
    out += std::to_string(node.depth) + '|' + std::to_string(static_cast<int>(node.kind)) + '|' + node.key + '|'
           + node.value + '|' + node.calleeName + '|' + std::to_string(node.startPos) + '|'
           + std::to_string(node.endPos) + '|' + (node.isLocal ? "L" : "") + '|'
           + std::to_string(node.childrenByKey.size()) + '\n';
    for (const auto& child : node.children)
        snapshot(*child, out);
}

std::string colour(const int rgb[3])
{
    return "{" + std::to_string(rgb[0]) + "," + std::to_string(rgb[1]) + "," + std::to_string(rgb[2]) + "}";
}

}  // namespace

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::in | std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::out | std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::filesystem::path fixture(const std::string& name)
{
    return std::filesystem::path(HALVANE_FIXTURES) / name;
}

std::filesystem::path Scratch::file(const std::string& name) const
{
    return std::filesystem::path(dir_.path().toStdString()) / name;
}

std::filesystem::path Scratch::write(const std::string& name, const std::string& bytes) const
{
    writeBytes(file(name), bytes);
    return file(name);
}

std::filesystem::path Scratch::copyFixture(const std::string& name) const
{
    return write(name, readBytes(fixture(name)));
}

void loadText(lua::LuaDocument& document, const Scratch& scratch, const std::string& text,
              const std::string& name)
{
    document.load(scratch.write(name, text));
}

std::string treeSnapshot(const lua::LuaDocument& document)
{
    std::string out;
    for (const auto& statement : document.statements()) {
        snapshot(*statement, out);
        out += document.statementByKey(statement->key) == statement.get() ? "first\n" : "later\n";
    }
    return out;
}

ApplyValues fullLevelValues(const lua::LuaDocument& document)
{
    ApplyValues values{};
    for (int i = 0; i < 3; ++i) {
        values.enemies[i] = lua::toInt(lua::tableItem(valueAt(document, "<ColorEnemiesSide>..."), i));
        values.allies[i] = lua::toInt(lua::tableItem(valueAt(document, "<ColorAliesSide>..."), i));
    }
    values.symbolSize = lua::toInt(valueAt(document, "<default_font>.[1]..."));
    for (int c = 0; c < 4; ++c) {
        values.visible[c] = valueAt(document, std::string("<") + categories[c] + "On>...") == "true";
        values.symbols[c][0] = unquoted(valueAt(document, std::string("<") + symbolKeys[c] + "_symbol_near>..."));
        values.symbols[c][1] = unquoted(valueAt(document, std::string("<") + symbolKeys[c] + "_symbol_far>..."));
        for (int band = 0; band < 4 && bandEntries[c][band] != -1; ++band) {
            const lua::LuaNode* entry = document.lookup(format(c) + " .[" + std::to_string(bandEntries[c][band]) + "]...");
            values.distances[c][band] = entry ? lua::parseBracketedKey(entry->key) : 0;
        }
        values.alignments[c] = unquoted(valueAt(document, format(c) + ".[" + std::to_string(alignmentEntry[c]) + "].[1]..."));
    }
    return values;
}

std::vector<std::string> fullLevelBatch(const ApplyValues& v)
{
    std::vector<std::string> edits;
    edits.push_back("<ColorEnemiesSide>...[ColorEnemiesSide][" + colour(v.enemies) + "]");
    edits.push_back("<ColorAliesSide>...[ColorAliesSide][" + colour(v.allies) + "]");
    edits.push_back("<default_font>.[1]...[][" + std::to_string(v.symbolSize) + "]");
    for (int c = 0; c < 4; ++c) {
        const std::string key = std::string(categories[c]) + "On";
        edits.push_back("<" + key + ">...[" + key + "][" + (v.visible[c] ? "true" : "false") + "]");
    }
    for (int c = 0; c < 4; ++c) {
        for (int far = 0; far < 2; ++far) {
            const std::string key = std::string(symbolKeys[c]) + (far ? "_symbol_far" : "_symbol_near");
            edits.push_back("<" + key + ">...[" + key + "][\"" + v.symbols[c][far] + "\"]");
        }
    }
    const auto keyEdit = [&](int c, int entry, int distance) {
        edits.push_back(format(c) + ".[" + std::to_string(entry) + "]...[" + bracketed(distance) + "][]");
    };
    for (int c = 0; c < 4; ++c) {
        for (int band = 0; band < 4 && bandEntries[c][band] != -1; ++band) {
            const int entry = bandEntries[c][band];
            const bool paired = (c == 0 && band == 1) || (c == 3 && band == 2);
            if (paired)
                keyEdit(c, entry - 1, v.distances[c][band] / 2);  // the companion key, half the band's
            keyEdit(c, entry, v.distances[c][band]);
        }
    }
    for (int c = 0; c < 4; ++c) {
        for (int entry : alignmentTargets[c])
            edits.push_back(format(c) + ".[" + std::to_string(entry) + "].[1]...[][\"" + v.alignments[c] + "\"]");
    }
    return edits;
}

}  // namespace enginetest
