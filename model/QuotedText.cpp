#include "model/QuotedText.h"

#include <algorithm>

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

std::string luaString(const std::string& text)
{
    std::string written = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            written += '\\';
        written += c;
    }
    return written + "\"";
}

std::optional<std::string> luaStringText(std::string_view written)
{
    if (written.size() < 2 || (written.front() != '"' && written.front() != '\'') || written.back() != written.front())
        return std::nullopt;
    const char quote = written.front();
    std::string text;
    for (std::size_t i = 1; i + 1 < written.size(); ++i) {
        char c = written[i];
        if (c == quote)
            return std::nullopt;  // two strings, "a" .. "b" say
        if (c == '\\') {
            c = written[++i];
            if ((c != '"' && c != '\'' && c != '\\') || i + 1 == written.size())
                return std::nullopt;
        }
        text += c;
    }
    return text;
}

TextRefusal labelTextRefusal(const std::string& text)
{
    if (text.find_first_of("\r\n") != std::string::npos)
        return {TextProblem::LineBreak};
    const bool control = std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    return control ? TextRefusal{TextProblem::ControlCharacter} : TextRefusal{};
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
