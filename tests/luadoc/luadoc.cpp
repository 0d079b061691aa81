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

#include "lua/LuaDocument.h"

namespace {

const char* const kindNames[] = {"Boolean", "Number", "String", "Call", "Record", "Array", "Other"};

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
    out += std::to_string(node.depth) + '\t' + kindNames[static_cast<int>(node.kind)] + '\t' + escaped(node.key) + '\t'
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

int apply(lua::LuaDocument& document, const std::string& editsFile)
{
    std::ifstream in(editsFile, std::ios::in | std::ios::binary);
    if (!in) {
        std::cerr << "luadoc: cannot read " << editsFile << '\n';
        return 1;
    }
    // Only the LF ends a line: a CR before it belongs to the edit.
    for (std::string edit; std::getline(in, edit);) {
        if (!edit.empty())
            static_cast<void>(document.applyEdit(edit, false));
    }
    const lua::WriteOutcome outcome = document.write();
    if (!outcome) {
        std::cerr << "luadoc: " << document.path().string() << " could not be written (failure "
                  << static_cast<int>(outcome.failure) << ") " << outcome.detail << '\n';
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
