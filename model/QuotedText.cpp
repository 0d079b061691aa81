#include "model/QuotedText.h"

#include "lua/LuaDocument.h"
#include "lua/LuaScan.h"

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

TextRefusal quotedTextRefusal(const std::string& key, const std::string& text)
{
    // An edit finds its new value between its last "[" and its last "]".
    if (text.find_first_of("[]") != std::string::npos)
        return {TextProblem::SquareBracket, {}};
    if (text.find('"') != std::string::npos)
        return {TextProblem::DoubleQuote, {}};
    if (text.find_first_of("\r\n") != std::string::npos)
        return {TextProblem::LineBreak, {}};
    // The engine does not know strings: "--" starts a comment even between quotes,
    // and a block word turns the whole statement into a block it skips.
    if (text.find("--") != std::string::npos)
        return {TextProblem::TwoHyphens, {}};
    for (const std::string& word : lua::blockOpeners) {
        if (lua::findWord(text, word, 0) >= 0)
            return {TextProblem::BlockWord, word};
    }
    // What is left is an opening bracket that keeps the statement open past its line.
    lua::LuaDocument probe;
    static_cast<void>(probe.replaceText(key + " = " + inQuotes(text) + "\n", false));
    probe.parse();
    if (probe.getEntry("<" + key + ">...").second != inQuotes(text))
        return {TextProblem::OpenBracket, {}};
    return {};
}

bool isUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6       ? 2
            : (lead >> 4) == 0xE       ? 3
            : (lead >> 3) == 0x1E      ? 4
                                       : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size())
            return false;
        for (int k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        }
        i += static_cast<std::size_t>(length);
    }
    return true;
}
