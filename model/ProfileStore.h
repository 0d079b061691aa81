#pragma once
#include <filesystem>
#include <string>

#include "lua/LuaDocument.h"

// The editor's own settings, the interface language and the simulator's home
// directory, kept in data/profile.lua under the current directory.
class ProfileStore {
public:
    ProfileStore();  // loads the profile and sets currentLanguage

    std::filesystem::path getWorkDirectory() const { return workDirectory; }
    int getLanguage() const { return language; }

    // Both store the value in memory and rewrite the profile at once. A missing
    // profile (or statement) is created. The outcome says whether the choice could
    // be remembered on disk, and why not.
    lua::WriteOutcome setLanguage(int index);
    lua::WriteOutcome setWorkDirectory(const std::filesystem::path& directory);

private:
    lua::WriteOutcome store(const std::string& key, const std::string& valueText);
    lua::WriteOutcome createProfile();
    lua::WriteOutcome replaceAndSave(const std::string& text);

    std::filesystem::path profilePath;
    lua::LuaDocument document;
    int language = 0;
    std::filesystem::path workDirectory;
};
