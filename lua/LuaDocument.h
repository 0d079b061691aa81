#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lua/LuaFileAccess.h"
#include "lua/LuaNode.h"

namespace lua {

class ValueReader;

// One Lua file held as its text (LF line ends) and as a tree of its top-level
// assignments. Every change goes text -> re-parse, never tree -> file.
//
// No text can make parsing fail, hang or read outside it. For texts no label script
// comes near, three limits keep time and memory in proportion to the text: tables
// nested deeper than 100 levels get no children; once splitting a statement's tables
// has stepped over 64 times its length (plus 4096) characters, its remaining tables get
// no children; texts longer than 256 bytes are not taken as function names.
class LuaDocument {
public:
    LuaDocument();
    ~LuaDocument();
    LuaDocument(const LuaDocument&) = delete;
    LuaDocument& operator=(const LuaDocument&) = delete;

    // Reads and parses a .lua file; a non-.lua path leaves the document untouched,
    // a missing or unreadable file gives an empty document.
    void load(const std::filesystem::path& path);
    void collectFunctionNames();
    void parse();

    const std::filesystem::path& path() const { return path_; }
    const std::string& text() const { return text_; }
    bool crlf() const { return crlf_; }  // the file was read with CR LF line ends
    const std::vector<std::string>& functionNames() const { return functionNames_; }
    const std::vector<std::unique_ptr<LuaNode>>& statements() const { return statements_; }
    const LuaNode* statementByKey(const std::string& key) const;
    const LuaFileAccess& fileAccess() const { return fileAccess_; }

    // Paths: "<Top>.[n].<key>..." (lookup stops at the "..." terminator).
    // An index segment that is not a number throws std::invalid_argument("invalid stoi
    // argument"), one beyond int std::out_of_range("stoi argument out of range"); the
    // numeric paths the program builds never throw. Anything else malformed finds nothing.
    const LuaNode* lookup(const std::string& path) const;
    std::pair<std::string, std::string> getEntry(const std::string& path) const;
    const LuaNode* topLevelOf(const std::string& path) const;

    // Edits: a path, then "[" new key "]" "[" new value "]". With save, the file is
    // written afterwards and the outcome of that write is returned; without save, or
    // when the edit's path finds nothing, the outcome is "written" with nothing done.
    // An edit without "..." or without a closed bracket group after it changes nothing;
    // the path of any other edit may throw as lookup() does.
    WriteOutcome applyEdit(const std::string& edit, bool save);
    WriteOutcome replaceText(const std::string& newText, bool save);
    // Writes the current text to path() in the file's own line-end style.
    WriteOutcome write();
    // Whether the file at path() no longer holds the bytes this document last read from
    // it or wrote to it: another program changed it, replaced it or removed it.
    bool changedOnDisk() const;

private:
    struct BlockWords;  // where the block words stand in text_, made when a block is first met
    // One statement from cursor_ on: adds its node, if it makes one, and moves cursor_
    // to where the next statement begins (the end of text_ when parsing is over).
    void gatherStatement(const ValueReader& reader);
    // Where parsing resumes after the block opened in pending text_[start..cursor_]; -1 without one.
    int skipBlock(int start, int lineStart);
    void addStatement(int start, bool continuingBefore, const ValueReader& reader);
    void indexStatements();
    // After rewriteStatement: re-parses only the rewritten statement (the one at index,
    // now ending at newEnd) when that is sure to give the tree parse() would give;
    // false when a full parse is needed.
    bool reparseRewritten(std::size_t index, int newEnd);

    LuaNode* lookupMutable(const std::string& path);
    // (new key, new value); none when the edit has no "..." or no closed group after it.
    static std::optional<std::pair<std::string, std::string>> parseEdit(const std::string& edit);
    static int matchingBracket(const std::string& s, int pos);
    static void reserialise(LuaNode& node);
    // Returns the index of the LF that ends the rewritten statement.
    int rewriteStatement(const LuaNode& top);

    LuaFileAccess fileAccess_;
    std::filesystem::path path_;
    std::string text_;
    bool crlf_ = false;
    std::string diskBytes_;  // what the file held after the last load or write
    int cursor_ = 0;
    bool continuing_ = false;
    std::vector<std::string> functionNames_;
    std::vector<std::unique_ptr<LuaNode>> statements_;
    std::unordered_map<std::string, LuaNode*> statementsByKey_;
    std::unique_ptr<BlockWords> blockWords_;
    std::vector<bool> continuingBefore_;  // continuing_ as each statement's gathering began
    bool continuingAtParseStart_ = false;
    bool treeFollowsText_ = true;  // false from replaceText to the next parse
};

}  // namespace lua
