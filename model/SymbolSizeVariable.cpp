#include "model/SymbolSizeVariable.h"

#include "lua/LuaScan.h"
#include "model/LabelCatalogue.h"
#include "model/LabelConfig.h"

namespace {

// A variable's name: the values true, false and nil are written the same way.
bool isName(const std::string& text)
{
    return lua::isName(text) && text != "true" && text != "false" && text != "nil";
}

// The size element, also where the level's font is the name of a top-level table.
const lua::LuaNode* sizeNode(const lua::LuaDocument& document, const std::string& sizePath)
{
    if (const lua::LuaNode* size = document.lookup(sizePath))
        return size;
    const std::string element = ".[1]...";
    if (sizePath.size() < element.size() || sizePath.compare(sizePath.size() - element.size(), element.size(), element))
        return nullptr;
    const lua::LuaNode* font = document.lookup(sizePath.substr(0, sizePath.size() - element.size()) + "...");
    const lua::LuaNode* named = font && isName(lua::trim(font->value)) ? document.statementByKey(lua::trim(font->value))
                                                                       : nullptr;
    return named && named->children.size() > 1 ? named->children[1].get() : nullptr;
}

}  // namespace

std::optional<std::string> symbolSizeVariable(const LabelConfig& model)
{
    const lua::LuaNode* size
        = sizeNode(model.getDocument(), symbolSizePath(model.scriptLayout(), LabelLevel::FULL));
    if (!size || !isName(lua::trim(size->value)))
        return std::nullopt;
    return lua::trim(size->value);
}
