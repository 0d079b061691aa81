#pragma once
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lua/LuaFileAccess.h"
#include "lua/LuaNode.h"

namespace lua {

class ValueReader;

// One branch of a level block (see LuaDocument): where its body lies, the detail levels
// whose run enters it, and its assignments, in text order, with the first of each key.
struct LevelBranch {
    int block = 0;      // which level block of the file, counted from 0 in text order
    int bodyStart = 0;  // where the body lies in the text: [bodyStart, bodyEnd), whole lines
    int bodyEnd = 0;
    int firstLine = 0;  // the body's first and last line, counted from 1 as Lua counts them
    int lastLine = 0;
    std::vector<int> levels;  // the values of `labels` (1, 2, 3) whose run enters the body; none, some or all
    std::vector<std::unique_ptr<LuaNode>> statements;
    std::unordered_map<std::string, LuaNode*> statementsByKey;

    bool takenAt(int labels) const;
};

// One Lua file held as its text (LF line ends) and as a tree of its top-level
// assignments. Every change goes text -> re-parse, never tree -> file. Statements are
// gathered line by line; their "=", brackets, commas and block words count only in code,
// never inside a quoted string or a comment (see TextReader).
//
// No text can make parsing fail, hang or read outside it. For texts no label script
// comes near, three limits keep time and memory in proportion to the text: tables
// nested deeper than 100 levels get no children; once splitting a statement's tables
// has stepped over 64 times its length (plus 4096) characters, its remaining tables get
// no children; texts longer than 256 bytes are not taken as function names.
//
// Blocks make no nodes, with one exception: the level block, a top-level "if" chain laid
// out plainly (each "if"/"elseif" line ending in "then", each "elseif", "else" and "end"
// opening its line, no other block inside, every statement of a branch closed within it).
// Scripts kept by hand pick their format tables by the detail level the simulator sets in
// `labels` (1 FULL, 2 ABBREVIATED, 3 DOT) this way:
//     local IS_DOT = labels and labels == 3
//     if IS_DOT then AirFormat = {...} elseif IS_ABBREVIATED then ... else ... end
// Which branch a level takes is Lua's to say, not ours: the conditions may be any
// expression, and a server may force one branch (`local IS_DOT = true`). The script is
// run once per level (lua::branchesEntered) and each branch records the levels whose run
// enters it. The assignments of the branches get nodes, kept apart from the top-level
// statements: a path reaches them through a first step naming a level,
// "<if labels == 3>.<AirFormat>.[0]...", which finds the first statement of that key in
// the branches the level takes. A branch several levels take is one set of nodes for all
// of them; a branch no level takes is reached by no path.
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
    // The branches of the file's level blocks, in text order; empty for most scripts.
    const std::vector<LevelBranch>& levelBranches() const { return branches_; }
    // The first statement of the key in the branches the level takes; none when there is none.
    const LuaNode* branchStatement(int labels, const std::string& key) const;
    // The branch holding a statement (or a node below it); none for a top-level one.
    const LevelBranch* branchOf(const LuaNode& node) const;
    const LuaFileAccess& fileAccess() const { return fileAccess_; }

    // Paths: "<Top>.[n].<key>..." (lookup stops at the "..." terminator).
    // An index segment that is not a number throws std::invalid_argument("invalid stoi
    // argument"), one beyond int std::out_of_range("stoi argument out of range"); the
    // numeric paths the program builds never throw. Anything else malformed finds nothing.
    const LuaNode* lookup(const std::string& path) const;
    std::pair<std::string, std::string> getEntry(const std::string& path) const;
    // The statement a path starts at: a top-level one, or one of a level block's branch.
    const LuaNode* topLevelOf(const std::string& path) const;

    // Edits: a path, then "[" new key "]" "[" new value "]"; outside its quoted strings a
    // new value may hold brackets only where they pair up, a new key likewise. With save,
    // the file is written afterwards and the outcome of that write is returned; without
    // save, or when the edit's path finds nothing, the outcome is "written" with nothing done.
    // An edit without "..." or without a closed bracket group after it changes nothing;
    // the path of any other edit may throw as lookup() does.
    WriteOutcome applyEdit(const std::string& edit, bool save);
    // Keeping the layout of edited statements: with it on, an edit that changes only the
    // key or only the value of a field or item replaces just that text, so the comments and
    // the layout of its statement stay as the player wrote them (only comments inside a
    // replaced value go with it). An edit of a top-level value, or one whose place the
    // statement's text does not show as the tree has it, rewrites the statement as before.
    // Off by default.
    void keepLayoutOfEditedStatements(bool keep) { keepLayout_ = keep; }
    // Reads as a level block only a chain one of whose branches assigns one of these names
    // (a label script's format tables): any other "if" (one that sets a colour for some
    // servers, say) then costs no run of the script. Takes effect at the next parse; with
    // none given, which is the default, every chain laid out plainly is read.
    void readBranchesAssigning(std::vector<std::string> keys) { branchKeys_ = std::move(keys); }
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
    int skipBlock(int start, int lineStart, const ValueReader& reader);
    // Gives nodes to the branches of the block text_[ifAt..endAt + 3) when it is a level
    // block; false, with nothing added, when it is not.
    bool readLevelBlock(int ifAt, int endAt, const ValueReader& reader);
    // Asks Lua which levels enter each branch, unless the text a run passes before the
    // last level block is the one it was last asked about: what that block's bodies hold
    // cannot change which branch a run takes, so edits of their tables cost no run.
    void decideBranches();
    // The statement a path starts at, and the index of the "." its steps start at.
    const LuaNode* startOf(const std::string& path, int& steps) const;
    void addStatement(int start, bool continuingBefore, const ValueReader& reader);
    void indexStatements();
    static void indexBranch(LevelBranch& branch);
    // After rewriteStatement: re-parses only the rewritten statement (the one at index,
    // now ending at newEnd) when that is sure to give the tree parse() would give;
    // false when a full parse is needed.
    bool reparseRewritten(std::size_t index, int newEnd);

    LuaNode* lookupMutable(const std::string& path);
    // (new key, new value); none when the edit has no "..." or no closed group after it.
    static std::optional<std::pair<std::string, std::string>> parseEdit(const std::string& edit);
    static void reserialise(LuaNode& node);
    // Returns the index of the LF that ends the rewritten statement.
    int rewriteStatement(const LuaNode& top);
    // Where the node's key (or value) lies in text_, as [first, last + 1), when the text
    // there is exactly the node's; none otherwise.
    std::optional<std::pair<int, int>> placeOf(const LuaNode& node, bool key) const;
    // For a table given a new value that adds or removes whole entries and keeps the
    // others as they were: deletes the removed entries' lines and inserts the added ones
    // in text_, the kept lines and their comments untouched. False, with text_ as it was,
    // when the table's text is not laid out one entry a line.
    bool spliceEntries(const LuaNode& table, const std::string& newValue);
    // A value read as the parser reads a statement's, with its children.
    std::unique_ptr<LuaNode> readValue(const std::string& value) const;
    // Whether the table's entries are, key and value, those of the value text.
    bool holdsEntriesOf(const LuaNode& table, const std::string& value) const;

    LuaFileAccess fileAccess_;
    std::filesystem::path path_;
    std::string text_;
    bool crlf_ = false;
    bool bom_ = false;       // the file starts with a byte-order mark
    std::string diskBytes_;  // what the file held after the last load or write
    int cursor_ = 0;
    bool continuing_ = false;
    std::vector<std::string> functionNames_;
    std::vector<std::unique_ptr<LuaNode>> statements_;
    std::vector<LevelBranch> branches_;
    std::vector<std::string> branchKeys_;  // see readBranchesAssigning
    int blocksRead_ = 0;                   // level blocks found so far in this parse
    std::string branchesDecidedFor_;       // that text when Lua last decided
    std::vector<std::vector<int>> branchLevels_;  // what Lua decided then, a list per branch
    LevelBranch* gatheringInto_ = nullptr;  // the branch being read, none at top level
    int limit_ = 0;                                    // where the statement being gathered must end
    std::unordered_map<std::string, LuaNode*> statementsByKey_;
    std::unique_ptr<BlockWords> blockWords_;
    std::vector<bool> continuingBefore_;  // continuing_ as each statement's gathering began
    bool continuingAtParseStart_ = false;
    bool treeFollowsText_ = true;  // false from replaceText to the next parse
    bool keepLayout_ = false;
};

}  // namespace lua
