#include "model/QuotedText.h"

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

std::string quotedTextProblem(const std::string& key, const std::string& text)
{
    // An edit finds its new value between its last "[" and its last "]".
    if (text.find_first_of("[]") != std::string::npos)
        return "square brackets";
    if (text.find('"') != std::string::npos)
        return "a double quote";
    if (text.find_first_of("\r\n") != std::string::npos)
        return "a line break";
    // The engine does not know strings: "--" starts a comment even between quotes,
    // and a block word turns the whole statement into a block it skips.
    if (text.find("--") != std::string::npos)
        return "two hyphens (--)";
    for (const std::string& word : lua::blockOpeners) {
        if (lua::findWord(text, word, 0) >= 0)
            return "the word \"" + word + "\"";
    }
    // What is left is an opening bracket that keeps the statement open past its line.
    lua::LuaDocument probe;
    probe.replaceText(key + " = " + inQuotes(text) + "\n", false);
    probe.parse();
    if (probe.getEntry("<" + key + ">...").second != inQuotes(text))
        return "an opening bracket without its closing one";
    return {};
}
