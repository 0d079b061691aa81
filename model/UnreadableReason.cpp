#include "model/UnreadableReason.h"

#include "lua/LuaScan.h"
#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"
#include "model/SymbolSizeVariable.h"

std::optional<Unreadable> whyUnreadable(const LabelConfig& model, const LabelSetting& setting)
{
    if (model.isReadable(setting))
        return std::nullopt;
    const lua::LuaDocument& document = model.getDocument();
    // Read by position, a table of another shape may well hold something at the place.
    if (setting.group == SettingGroup::Distance || setting.group == SettingGroup::Alignment) {
        const lua::LuaNode* table
            = document.lookup(formatTablePath(model.scriptLayout(), setting.level, setting.category));
        if (table && !hasModelledShape(*table, setting.category))
            return Unreadable{UnreadableWhy::OwnTableShape, {}};
    }
    if (setting.group == SettingGroup::SymbolSize) {
        if (const std::optional<std::string> name = symbolSizeVariable(model))
            return Unreadable{UnreadableWhy::SetByName, *name};
    }
    if (!document.lookup(setting.nodePath)) {
        // Scripts without symbol names of their own write the symbols straight into the texts.
        return Unreadable{setting.group == SettingGroup::Symbol ? UnreadableWhy::SymbolsInTexts : UnreadableWhy::NotFound,
                          {}};
    }
    const std::string written = lua::trim(setting.group == SettingGroup::Distance ? setting.keyText : setting.valueText);
    switch (setting.group) {
    case SettingGroup::Visibility: return Unreadable{UnreadableWhy::NoValue, written};
    case SettingGroup::Symbol: return Unreadable{UnreadableWhy::NotQuotedText, written};
    case SettingGroup::SymbolSize:
    case SettingGroup::Distance: return Unreadable{UnreadableWhy::NotWholeNumber, written};
    case SettingGroup::SideColour: return Unreadable{UnreadableWhy::NotColour, written};
    case SettingGroup::Alignment: return Unreadable{UnreadableWhy::NotAlignment, written};
    }
    return Unreadable{UnreadableWhy::NotFound, written};
}
