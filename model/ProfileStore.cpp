#include "model/ProfileStore.h"

#include <system_error>

#include "model/Language.h"
#include "model/QuotedText.h"

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
    std::string problem;
};

DirectoryValue directoryValue(const std::filesystem::path& directory)
{
    std::string narrow;
    try {
        narrow = directory.string();
    } catch (const std::system_error&) {
        return {{}, "characters that the system's code page cannot write"};
    }
    std::string problem = quotedTextProblem(directoryKey, narrow);
    if (!problem.empty())
        return {{}, problem};
    return {inQuotes(narrow), {}};
}

}  // namespace

ProfileStore::ProfileStore() : profilePath(std::filesystem::path("data") / "profile.lua")
{
    document.load(profilePath);
    const std::string directory = document.getEntry(pathTo(directoryKey)).second;
    if (directory.size() >= 2)
        workDirectory = std::filesystem::path(directory.substr(1, directory.size() - 2));
    const std::string code = document.getEntry(pathTo(languageKey)).second;
    for (const auto& [index, known] : languageCodes) {
        if (code == known)
            language = index;
    }
    currentLanguage = language;
}

lua::WriteOutcome ProfileStore::setLanguage(int index)
{
    language = index;
    const std::string code = languageCode(index);
    if (code.empty())
        return {false, "There is no interface language number " + std::to_string(index) + "."};
    return store(languageKey, code);
}

lua::WriteOutcome ProfileStore::setWorkDirectory(const std::filesystem::path& directory)
{
    workDirectory = directory;
    const DirectoryValue value = directoryValue(directory);
    if (!value.problem.empty()) {
        return {false,
                "The folder path contains " + value.problem
                    + ", which data/profile.lua cannot hold. The folder is used until the editor"
                      " closes, but it is not remembered."};
    }
    return store(directoryKey, value.text);
}

lua::WriteOutcome ProfileStore::store(const std::string& key, const std::string& valueText)
{
    if (document.text().empty())
        return createProfile();
    if (document.statementByKey(key))
        return document.applyEdit(pathTo(key) + "[][" + valueText + "]", true);
    std::string text = document.text();
    if (text.back() != '\n')
        text += '\n';
    return replaceAndSave(text + key + " = " + valueText + "\n");
}

// Without a profile the first choice would be forgotten; the new profile gets
// both settings, so that the language and the directory are remembered together.
lua::WriteOutcome ProfileStore::createProfile()
{
    std::string text;
    const std::string code = languageCode(language);
    if (!code.empty())
        text += languageKey + " = " + code + "\n";
    const DirectoryValue directory = directoryValue(workDirectory);
    if (directory.problem.empty())
        text += directoryKey + " = " + directory.text + "\n";
    std::error_code error;
    std::filesystem::create_directories(profilePath.parent_path(), error);
    if (error)
        return {false, "The folder data could not be created: " + error.message()};
    return replaceAndSave(text);
}

lua::WriteOutcome ProfileStore::replaceAndSave(const std::string& text)
{
    lua::WriteOutcome outcome = document.replaceText(text, true);
    document.parse();
    return outcome;
}
