// Test driver of the Lua document engine: dumps a document's tree, resolves a path,
// or applies a file of edits, so that scripts and people can check the engine from outside.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "LuaDocument.h"

namespace {

const char* kindName(lua::LuaValueKind kind)
{
    switch (kind) {
    case lua::LuaValueKind::Boolean: return "Boolean";
    case lua::LuaValueKind::Number: return "Number";
    case lua::LuaValueKind::String: return "String";
    case lua::LuaValueKind::Call: return "Call";
    case lua::LuaValueKind::Record: return "Record";
    case lua::LuaValueKind::Array: return "Array";
    case lua::LuaValueKind::Other: return "Other";
    }
    return "Other";
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

void dumpNode(const lua::LuaNode& node, std::string& out)
{
    out += std::to_string(node.depth) + '\t' + kindName(node.kind) + '\t' + escaped(node.key) + '\t'
           + escaped(node.value);
    if (!node.parent) {
        out += '\t' + std::to_string(node.startPos) + '\t' + std::to_string(node.endPos) + '\t'
               + (node.isLocal ? "1" : "0");
    }
    out += '\n';
    for (const auto& child : node.children)
        dumpNode(*child, out);
}

int dump(const lua::LuaDocument& document)
{
    std::string out = "functions";
    for (const std::string& name : document.functionNames())
        out += '\t' + escaped(name);
    out += '\n';
    for (const auto& statement : document.statements())
        dumpNode(*statement, out);
    std::cout << out;
    return 0;
}

int lookup(const lua::LuaDocument& document, const std::string& path)
{
    const lua::LuaNode* node = document.lookup(path);
    if (!node)
        return 1;
    std::cout << escaped(node->key) << '\t' << escaped(node->value) << '\n';
    return 0;
}

bool readFile(const std::string& fileName, std::string& content)
{
    std::ifstream in(fileName, std::ios::in | std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int apply(lua::LuaDocument& document, const std::string& editsFile)
{
    std::string edits;
    if (!readFile(editsFile, edits)) {
        std::cerr << "luadoc: cannot read " << editsFile << '\n';
        return 1;
    }
    // Only the LF ends a line: a CR before it belongs to the edit.
    for (std::size_t begin = 0; begin < edits.size();) {
        const auto lineEnd = edits.find('\n', begin);
        const std::size_t end = lineEnd == std::string::npos ? edits.size() : lineEnd;
        if (end > begin)
            document.applyEdit(edits.substr(begin, end - begin), false);
        begin = end + 1;
    }
    const lua::WriteOutcome outcome = document.write();
    if (!outcome) {
        std::cerr << "luadoc: " << document.path().string() << " could not be written: " << outcome.reason << '\n';
        return 1;
    }
    return 0;
}

int usage()
{
    std::cerr << "usage: luadoc dump FILE\n"
                 "       luadoc lookup FILE PATH\n"
                 "       luadoc apply FILE EDITS\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    const bool withArgument = command == "lookup" || command == "apply";
    if ((command != "dump" && !withArgument) || argc != (withArgument ? 4 : 3))
        return usage();
    try {
        lua::LuaDocument document;
        document.load(argv[2]);
        if (command == "dump")
            return dump(document);
        if (command == "lookup")
            return lookup(document, argv[3]);
        return apply(document, argv[3]);
    } catch (const std::exception& e) {
        std::cerr << "luadoc: " << e.what() << '\n';
        return 1;
    }
}
