#include <algorithm>

#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"
#include "model/QuotedText.h"

namespace {

std::string decimalText(int value) { return std::to_string(value); }

std::string bracketedNumber(int value) { return "[" + decimalText(value) + "]"; }

// The key of a distance entry; inside the edit its brackets pair up as "[[8000]]".
std::string keyEdit(const std::string& entry, const std::string& key) { return entry + "...[" + key + "][]"; }

std::string alignmentEdit(const std::string& entry, const std::string& name)
{
    return entry + ".[1]...[][" + name + "]";
}

}  // namespace

bool LabelConfig::admits(const LabelSetting& setting)
{
    if (isReadable(setting))
        return true;
    if (std::find(notQueued.begin(), notQueued.end(), &setting) == notQueued.end())
        notQueued.push_back(&setting);
    return false;
}

void LabelConfig::setValueText(const LabelSetting& setting, const std::string& valueText)
{
    if (!admits(setting))
        return;
    LabelSetting& target = editable(setting);
    target.valueText = valueText;
    pendingEdits.push_back(target.editText());
}

void LabelConfig::setVisibility(UnitCategory category, bool on)
{
    setValueText(visibility(category), on ? "true" : "false");
}

bool LabelConfig::setSymbol(UnitCategory category, SymbolRange range, const std::string& symbolUtf8)
{
    if (symbolRefusal(symbolUtf8))
        return false;
    setValueText(symbol(category, range), luaString(symbolUtf8));
    return true;
}

void LabelConfig::setSymbolSize(int size)
{
    if (!admits(symbolSize()))
        return;
    editable(symbolSize()).valueText = decimalText(size);
    for (const std::string& path : symbolSizeTargets)
        pendingEdits.push_back(path + "[][" + decimalText(size) + "]");
}

void LabelConfig::setSideColour(Side side, int red, int green, int blue)
{
    setValueText(sideColourSetting(side),
                 "{" + decimalText(red) + "," + decimalText(green) + "," + decimalText(blue) + "}");
}

void LabelConfig::setDistance(LabelLevel level, UnitCategory category, DistanceBand band, int value)
{
    const int entry = bandEntry(category, band);
    if (entry < 0)
        return;
    const LabelSetting& setting = distance(level, category, band);
    if (!admits(setting))
        return;
    const CategoryLayout& layout = layoutOf(category);
    const std::optional<CompanionKey> companion = companionKey(level, category);
    if (band == layout.pairedBand && companion && companion->followsBand) {
        pendingEdits.push_back(
            keyEdit(entryPath(scriptLayout(), level, category, layout.companionEntry), bracketedNumber(value / 2)));
        addMove(pendingMoves, {setting.level, category, band, companion->key, value / 2});
    }
    editable(setting).keyText = bracketedNumber(value);
    pendingEdits.push_back(keyEdit(entryPath(scriptLayout(), level, category, entry), bracketedNumber(value)));
}

void LabelConfig::setAlignment(LabelLevel level, UnitCategory category, int index)
{
    const LabelSetting& setting = alignment(level, category);
    if (!admits(setting))
        return;
    const auto found = alignmentByIndex.find(index);
    const std::string name = found == alignmentByIndex.end() ? std::string() : found->second;
    editable(setting).valueText = name;
    for (int entry : layoutOf(category).alignmentEntries)
        pendingEdits.push_back(alignmentEdit(entryPath(scriptLayout(), level, category, entry), name));
}

void LabelConfig::setFormatTable(const FormatTable& table)
{
    for (std::string& edit : formatTableEdits(document, fileLayout, table))
        pendingEdits.push_back(std::move(edit));
}
