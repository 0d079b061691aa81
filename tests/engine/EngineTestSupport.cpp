#include "EngineTestSupport.h"

#include <fstream>
#include <iterator>

namespace enginetest {

namespace {

void snapshot(const lua::LuaNode& node, std::string& out)
{
    out += std::to_string(node.depth) + '|' + std::to_string(static_cast<int>(node.kind)) + '|' + node.key + '|'
        + node.value + '|' + node.calleeName + '|' + std::to_string(node.startPos) + '|' + std::to_string(node.endPos)
        + '|' + (node.isLocal ? "L" : "") + '|' + std::to_string(node.childrenByKey.size()) + '\n';
    for (const auto& child : node.children)
        snapshot(*child, out);
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

std::filesystem::path fixture(const std::string& name) { return std::filesystem::path(HALVANE_FIXTURES) / name; }

std::filesystem::path expectedFile(const std::string& name)
{
    // Found beside this source file, so that the benchmark, which compiles it in,
    // needs no folder of its own handed over.
    return std::filesystem::path(__FILE__).parent_path() / "expected" / name;
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

void loadText(lua::LuaDocument& document, const Scratch& scratch, const std::string& text, const std::string& name)
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

std::vector<std::string> applyBatch(const std::string& editsName)
{
    std::ifstream in(expectedFile(editsName), std::ios::in | std::ios::binary);
    std::vector<std::string> edits;
    for (std::string line; std::getline(in, line);)
        edits.push_back(line);
    return edits;
}

}  // namespace enginetest
