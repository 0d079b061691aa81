#include "model/SettingValues.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

#include "model/LabelConfig.h"
#include "model/SettingNames.h"

namespace {

std::string trimmed(std::string_view text)
{
    const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && space(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && space(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return std::string(text);
}

bool sameWord(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<long long> wholeNumber(std::string_view text)
{
    const std::string number = trimmed(text);
    const char* begin = number.data();
    if (!number.empty() && number.front() == '+')
        ++begin;
    long long value = 0;
    const auto [end, error] = std::from_chars(begin, number.data() + number.size(), value);
    if (begin == number.data() + number.size() || error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

std::optional<ColourTriple> colourOf(const std::string& text)
{
    int components[3] = {};
    std::size_t from = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t comma = text.find(',', from);
        if ((i < 2) != (comma != std::string::npos))
            return std::nullopt;
        const std::optional<long long> component
            = wholeNumber(std::string_view(text).substr(from, i < 2 ? comma - from : std::string::npos));
        if (!component || *component < 0 || *component > 255)
            return std::nullopt;
        components[i] = static_cast<int>(*component);
        from = comma + 1;
    }
    return ColourTriple{components[0], components[1], components[2]};
}

std::string colourText(const ColourTriple& c)
{
    return std::to_string(c.red) + ',' + std::to_string(c.green) + ',' + std::to_string(c.blue);
}

template <typename T, typename Show>
std::optional<std::string> shown(const std::optional<T>& value, Show show)
{
    return value ? std::optional<std::string>(show(*value)) : std::nullopt;
}

}  // namespace

const LabelSetting& modelSetting(const LabelConfig& model, const LabelSetting& s)
{
    switch (s.group) {
    case SettingGroup::Visibility: return model.visibility(s.category);
    case SettingGroup::Symbol: return model.symbol(s.category, s.range);
    case SettingGroup::SymbolSize: return model.symbolSize();
    case SettingGroup::SideColour: return model.sideColourSetting(s.side);
    case SettingGroup::Alignment: return model.alignment(s.level, s.category);
    case SettingGroup::Distance: break;
    }
    return model.distance(s.level, s.category, s.band);
}

std::optional<std::string> heldValue(const LabelConfig& model, const LabelSetting& s)
{
    const auto number = [](long long n) { return std::to_string(n); };
    switch (s.group) {
    case SettingGroup::Visibility:
        return shown(model.visibilityOn(s.category), [](bool on) { return std::string(on ? "true" : "false"); });
    case SettingGroup::Symbol: return model.symbolText(s.category, s.range);
    case SettingGroup::SymbolSize: return shown(model.symbolSizeValue(), number);
    case SettingGroup::SideColour: return shown(model.sideColour(s.side), colourText);
    case SettingGroup::Alignment: return shown(model.alignmentIndex(s.level, s.category), setting_names::alignmentWord);
    case SettingGroup::Distance: return shown(model.distanceValue(s.level, s.category, s.band), number);
    }
    return std::nullopt;
}

std::string valueShown(const LabelSetting& s, const SettingValue& value)
{
    switch (s.group) {
    case SettingGroup::Visibility: return value.on ? "true" : "false";
    case SettingGroup::Symbol: return value.symbol;
    case SettingGroup::SideColour: return colourText(value.colour);
    case SettingGroup::Alignment: return setting_names::alignmentWord(static_cast<int>(value.number));
    case SettingGroup::SymbolSize:
    case SettingGroup::Distance: break;
    }
    return std::to_string(value.number);
}

ValueProblem readValue(const LabelSetting& setting, const std::string& text, SettingValue& into)
{
    switch (setting.group) {
    case SettingGroup::Visibility:
        if (!sameWord(text, "true") && !sameWord(text, "false"))
            return ValueProblem::NotTrueOrFalse;
        into.on = sameWord(text, "true");
        return ValueProblem::None;
    case SettingGroup::Symbol: into.symbol = text; return ValueProblem::None;
    case SettingGroup::SymbolSize: {
        const std::optional<long long> size = wholeNumber(text);
        if (!size || *size < smallestSymbolSize || *size > largestSymbolSize)
            return ValueProblem::SizeOutOfRange;
        into.number = *size;
        return ValueProblem::None;
    }
    case SettingGroup::SideColour: {
        const std::optional<ColourTriple> colour = colourOf(text);
        if (!colour)
            return ValueProblem::NotAColour;
        into.colour = *colour;
        return ValueProblem::None;
    }
    case SettingGroup::Alignment:
        for (const auto& entry : alignmentByIndex) {
            if (sameWord(setting_names::alignmentWord(entry.first), trimmed(text))) {
                into.number = entry.first;
                return ValueProblem::None;
            }
        }
        return ValueProblem::NotAnAlignment;
    case SettingGroup::Distance: {
        const std::optional<long long> distance = wholeNumber(text);
        if (!distance)
            return ValueProblem::NotAWholeNumber;
        into.number = *distance;
        return ValueProblem::None;
    }
    }
    return ValueProblem::None;
}
