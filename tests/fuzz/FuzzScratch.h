#pragma once
// A temporary folder for one fuzz process, made on first use and removed when the
// process ends normally. The targets need real files: the engine loads label scripts
// from files and the profile store reads data/profile.lua under the current directory.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace fuzz {

class Scratch {
public:
    Scratch()
    {
        std::random_device random;
        // A file system in memory where there is one: each input rewrites files, and on
        // a disk the fuzzer would mostly wait for the writes to be flushed.
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
            ? std::filesystem::path("/dev/shm")
            : std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && folder_.empty(); ++attempt) {
            const std::filesystem::path candidate = base / ("halvane-fuzz-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error))
                folder_ = candidate;
        }
        if (folder_.empty()) {
            std::fputs("fuzz: no temporary folder could be made\n", stderr);
            std::abort();
        }
    }
    ~Scratch()
    {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

inline void writeBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::out | std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        std::fputs("fuzz: the input could not be written to a temporary file\n", stderr);
        std::abort();
    }
}

// A broken promise of the code under test: said on stderr, then a crash that libFuzzer
// records as a finding and that fails the replay test.
inline void check(bool holds, const std::string& what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

}  // namespace fuzz
