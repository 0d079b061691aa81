#pragma once
#include <filesystem>
#include <string>

#include "lua/LuaDocument.h"
#include "model/ModelOutcome.h"

// The editor's own settings, the interface language and the simulator's home
// directory, kept in a profile file (data/profile.lua under the current directory, unless
// start-up finds it elsewhere).
class ProfileStore {
public:
    // A profile that could not hold a choice is kept under this name beside the new one.
    static constexpr const char* damagedCopyName = "profile-damaged.lua.bak";

    // Loads the profile and sets currentLanguage.
    explicit ProfileStore(std::filesystem::path path = std::filesystem::path("data") / "profile.lua");

    const std::filesystem::path& path() const { return profilePath; }

    std::filesystem::path getWorkDirectory() const { return workDirectory; }
    int getLanguage() const { return language; }

    // Both store the value in memory and rewrite the profile at once. A missing
    // profile (or statement) is created. The outcome says whether the choice could
    // be remembered on disk, and why not.
    ModelOutcome setLanguage(int index);
    ModelOutcome setWorkDirectory(const std::filesystem::path& directory);

private:
    ModelOutcome store(const std::string& key, const std::string& valueText);
    bool readsBack(const std::string& text) const;
    ModelOutcome createProfile();
    ModelOutcome replaceAndSave(const std::string& text);

    std::filesystem::path profilePath;
    lua::LuaDocument document;
    int language = 0;
    std::filesystem::path workDirectory;
};
