#pragma once
// Where the editor keeps its profile and finds the factory copy of the label script. An
// installed program starts in the player's home or in "/", so neither may simply be
// relative to the working directory; a portable copy and today's players keep their
// data/ folder.
#include <filesystem>

namespace startup {

struct FileLocations {
    std::filesystem::path profile;
    std::filesystem::path factoryCopy;
};

// Needs the application object (the executable's folder, the configuration folder).
// The profile: data/profile.lua in the working directory when it is there, else in a
// data folder beside the executable when there is one, else profile.lua in the per-user
// configuration folder. The factory copy: data/default.lua in the working directory,
// beside the executable, then the installed data folder. Nothing is created here.
FileLocations findFileLocations();

}  // namespace startup
