#pragma once
// Helpers shared by the engine tests and the benchmark: files in a temporary folder,
// and the batches of edits that one Apply of the editor makes.
#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

#include "lua/LuaDocument.h"

namespace enginetest {

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);
std::filesystem::path fixture(const std::string& name);
// A file of tests/engine/expected/.
std::filesystem::path expectedFile(const std::string& name);

// A temporary folder for files that tests write and load.
class Scratch {
public:
    std::filesystem::path file(const std::string& name) const;
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;
    std::filesystem::path copyFixture(const std::string& name) const;

private:
    QTemporaryDir dir_;
};

// A document loaded from a file holding text (in a scratch folder that it keeps using).
void loadText(lua::LuaDocument& document, const Scratch& scratch, const std::string& text,
              const std::string& name = "doc.lua");

// A document loaded from text, with a scratch folder of its own.
struct LoadedText {
    explicit LoadedText(const std::string& text) { loadText(doc, scratch, text); }
    Scratch scratch;
    lua::LuaDocument doc;
};

// Every node of the document's tree with its fields, one per line, for comparing trees.
std::string treeSnapshot(const lua::LuaDocument& document);

// The edits of one Apply at level FULL on the label script fixture, in queue order, as
// kept one per line in an .edits file of tests/engine/expected/.
std::vector<std::string> applyBatch(const std::string& editsName);

}  // namespace enginetest
