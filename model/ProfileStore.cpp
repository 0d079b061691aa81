#include "model/ProfileStore.h"

#include <system_error>
#include <utility>

#include "lua/LuaJudge.h"
#include "model/Language.h"
#include "model/QuotedText.h"
#include "model/SystemPaths.h"

namespace {

const std::string languageKey = "Language";
const std::string directoryKey = "WorkDirectory";

std::string pathTo(const std::string& key) { return "<" + key + ">..."; }

std::string languageCode(int index)
{
    const auto found = languageCodes.find(index);
    return found == languageCodes.end() ? std::string() : found->second;
}

// The directory's value text as the profile stores it, or what keeps it from being stored.
struct DirectoryValue {
    std::string text;
    TextRefusal refusal;
};

// Nothing is escaped, so a double quote would end the string early, and a line break would
// end it at the line. Anything else is text inside the quotes: brackets, "--" and words too.
DirectoryValue directoryValue(const std::filesystem::path& directory)
{
    const std::optional<std::string> narrow = system_paths::profileText(directory);
    if (!narrow)
        return {{}, {TextProblem::CodePage}};
    if (narrow->find('"') != std::string::npos)
        return {{}, {TextProblem::DoubleQuote}};
    if (narrow->find_first_of("\r\n") != std::string::npos)
        return {{}, {TextProblem::LineBreak}};
    return {inQuotes(*narrow), {}};
}

// A folder is stored as the player's system writes it, backslashes and all, which a Lua
// string would take for escapes: Lua is asked about the text with the folder escaped.
std::string escapedForLua(std::string text, const std::string& stored)
{
    if (stored.find('\\') == std::string::npos)
        return text;
    std::string escaped;
    for (const char c : stored)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    for (std::size_t at = text.find(stored); at != std::string::npos; at = text.find(stored, at + escaped.size()))
        text.replace(at, stored.size(), escaped);
    return text;
}

}  // namespace

ProfileStore::ProfileStore(std::filesystem::path path) : profilePath(std::move(path))
{
    document.load(profilePath);
    const std::string directory = document.getEntry(pathTo(directoryKey)).second;
    if (directory.size() >= 2)
        workDirectory = system_paths::pathOfProfileText(directory.substr(1, directory.size() - 2));
    const std::string code = document.getEntry(pathTo(languageKey)).second;
    for (const auto& [index, known] : languageCodes) {
        if (code == known)
            language = index;
    }
    currentLanguage = language;
}

ModelOutcome ProfileStore::setLanguage(int index)
{
    language = index;
    const std::string code = languageCode(index);
    if (code.empty())
        return ModelOutcome::failed(ModelFailure::LanguageUnknown, std::to_string(index));
    return store(languageKey, code);
}

// A folder the profile cannot hold is still used until the editor closes.
ModelOutcome ProfileStore::setWorkDirectory(const std::filesystem::path& directory)
{
    workDirectory = directory;
    const DirectoryValue value = directoryValue(directory);
    if (value.refusal) {
        ModelOutcome outcome = ModelOutcome::failed(ModelFailure::DirectoryNotStorable);
        outcome.refusal = value.refusal;
        return outcome;
    }
    return store(directoryKey, value.text);
}

ModelOutcome ProfileStore::store(const std::string& key, const std::string& valueText)
{
    if (document.text().empty())
        return createProfile();
    if (document.statementByKey(key)) {
        static_cast<void>(document.applyEdit(pathTo(key) + "[][" + valueText + "]", false));
        if (readsBack(document.text()))
            return ModelOutcome::of(document.write());
    } else {
        std::string text = document.text();
        if (text.back() != '\n')
            text += '\n';
        text += key + " = " + valueText + "\n";
        if (readsBack(text))
            return replaceAndSave(text);
    }
    // The old text swallows what is written into it (a statement left open at its end,
    // say), so the choice would be lost at the next start. A fresh profile takes its
    // place, and the old one is kept beside it for the player.
    std::error_code ignored;
    std::filesystem::copy_file(profilePath, profilePath.parent_path() / damagedCopyName,
                               std::filesystem::copy_options::overwrite_existing, ignored);
    return createProfile();
}

// Whether a profile text, read at the next start, gives the language and the folder held
// now, and is one Lua can read.
bool ProfileStore::readsBack(const std::string& text) const
{
    lua::LuaDocument probe;
    static_cast<void>(probe.replaceText(text, false));
    probe.collectFunctionNames();
    probe.parse();
    const std::string code = languageCode(language);
    if (!code.empty() && probe.getEntry(pathTo(languageKey)).second != code)
        return false;
    const DirectoryValue directory = directoryValue(workDirectory);
    if (lua::compileProblem(escapedForLua(text, directory.text)))
        return false;
    return directory.refusal || probe.getEntry(pathTo(directoryKey)).second == directory.text;
}

// Without a profile the first choice would be forgotten; the new profile gets
// both settings, so that the language and the directory are remembered together.
ModelOutcome ProfileStore::createProfile()
{
    std::string text;
    const std::string code = languageCode(language);
    if (!code.empty())
        text += languageKey + " = " + code + "\n";
    const DirectoryValue directory = directoryValue(workDirectory);
    if (!directory.refusal)
        text += directoryKey + " = " + directory.text + "\n";
    std::error_code error;
    std::filesystem::create_directories(profilePath.parent_path(), error);
    if (error)
        return ModelOutcome::failed(ModelFailure::DataFolderNotCreated, error.message());
    return replaceAndSave(text);
}

ModelOutcome ProfileStore::replaceAndSave(const std::string& text)
{
    const lua::WriteOutcome outcome = document.replaceText(text, true);
    document.parse();
    return ModelOutcome::of(outcome);
}
