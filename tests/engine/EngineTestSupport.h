#pragma once
// Helpers shared by the engine tests and the benchmark: files in a temporary folder,
// and the batch of edits that one Apply of the editor makes.
#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

#include "LuaDocument.h"

namespace enginetest {

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);
std::filesystem::path fixture(const std::string& name);

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

// Values that one Apply hands over, in the order of the editor's Apply.
struct ApplyValues {
    int enemies[3];
    int allies[3];
    int symbolSize;
    bool visible[4];               // Air, Ground, Navy, Weapon
    std::string symbols[4][2];     // near, far, without quotation marks
    int distances[4][4];           // EMPTY, NEAR, FAR, DOT (Weapon: no DOT)
    std::string alignments[4];     // bare alignment names
};

// Every node of the document's tree with its fields, one per line, for comparing trees.
std::string treeSnapshot(const lua::LuaDocument& document);

// The values the document holds at level FULL, as the editor reads them.
ApplyValues fullLevelValues(const lua::LuaDocument& document);
// The 42 edits of one Apply at level FULL, in queue order.
std::vector<std::string> fullLevelBatch(const ApplyValues& values);

}  // namespace enginetest
