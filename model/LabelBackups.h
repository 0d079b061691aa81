#pragma once
// Copies of Labels.lua as it was before the editor first replaced it in a run, kept in
// the folder "LabelManagerBackups" beside it. The copies end in ".bak", so the simulator,
// which reads Lua files, never takes one for its own.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "model/ModelOutcome.h"

class LabelBackups {
public:
    static constexpr const char* folderName = "LabelManagerBackups";
    static constexpr int kept = 10;  // the newest copies; older ones are removed

    // Copies the file before the first write to it in this run; later calls for the
    // same file do nothing. A file that is not there has nothing to keep.
    ModelOutcome beforeWriting(const std::filesystem::path& file);

    struct Copy {
        std::filesystem::path path;
        std::string made;  // local date and time, "2026-12-08 20:35:01"
    };
    // The copies kept of a label file, newest first.
    static std::vector<Copy> copiesOf(const std::filesystem::path& file);

private:
    std::set<std::filesystem::path> backedUp;
};
