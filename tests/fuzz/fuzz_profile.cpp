// Fuzz target: the editor's profile, data/profile.lua, as the program reads and rewrites it.
//
// Input: the whole content of data/profile.lua. Its length picks the language and the
// folder that are then stored, so every seed stores something different.
//
// Checked: reading ends with a known language; an unknown language number and a folder
// the profile cannot hold are refused; whatever a setter reports as stored is read back
// by a new store, and storing the folder keeps the language stored before it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "FuzzScratch.h"
#include "model/ProfileStore.h"

namespace {

// The profile lives under the current directory, so the process works in its scratch
// folder from the start (the replay and libFuzzer are therefore given absolute paths).
struct WorkFolder {
    WorkFolder()
    {
        std::filesystem::current_path(scratch.folder());
        std::filesystem::create_directories("data");
    }
    fuzz::Scratch scratch;
};
const WorkFolder workFolder;

struct Folder {
    const char* path;
    bool storable;
};

// Folders as players have them (brackets, "--" and block words are text between the
// quotes), and ones a string between quotes with nothing escaped cannot hold.
const std::array<Folder, 10> folders = {{
    {"C:\\Games\\HALVANE WORLD", true},
    {"/home/player/halvane world", true},
    {"D:/\xE6\xB8\xB8\xE6\x88\x8F/HALVANE", true},
    {"relative dir", true},
    {"C:\\a[1]", true},
    {"C:\\say \"hi\"", false},
    {"C:\\a--b", true},
    {"C:\\for\\x", true},
    {"C:\\a(b\\", true},
    {"C:\\a\nb", false},
}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::writeBytes(std::filesystem::path("data") / "profile.lua",
                     std::string(reinterpret_cast<const char*>(data), size));

    ProfileStore profile;
    fuzz::check(profile.getLanguage() >= 0 && profile.getLanguage() <= 3, "the profile read an unknown language");
    (void)profile.getWorkDirectory();

    // -1 and 4 are numbers no language has.
    const int language = static_cast<int>(size % 6) - 1;
    const bool languageStored = static_cast<bool>(profile.setLanguage(language));
    fuzz::check(!languageStored || (language >= 0 && language <= 3), "an unknown language number was stored");
    if (languageStored)
        fuzz::check(ProfileStore().getLanguage() == language, "the stored language does not read back");

    const Folder& folder = folders[(size / 6) % folders.size()];
    const bool folderStored = static_cast<bool>(profile.setWorkDirectory(folder.path));
    fuzz::check(!folderStored || folder.storable, std::string("the folder ") + folder.path + " was stored");
    if (folderStored) {
        const ProfileStore reread;
        fuzz::check(reread.getWorkDirectory() == std::filesystem::path(folder.path),
                    std::string("the stored folder ") + folder.path + " does not read back");
        if (languageStored)
            fuzz::check(reread.getLanguage() == language, "storing the folder lost the language");
    }
    return 0;
}
