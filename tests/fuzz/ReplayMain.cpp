// Runs a fuzz target without libFuzzer, so that every build replays the seed inputs and
// the saved findings: each argument is an input file or a folder of them (README files
// there are notes, not inputs). A broken check aborts; a run that found no input fails.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path argument(argv[i]);
        if (fs::is_regular_file(argument)) {
            inputs.push_back(argument);
        } else if (fs::is_directory(argument)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(argument)) {
                if (entry.is_regular_file() && entry.path().filename().string().rfind("README", 0) != 0)
                    inputs.push_back(entry.path());
            }
        } else {
            std::cerr << "no such input file or folder: " << argument << '\n';
            return 2;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
        std::cout << "replaying " << input.string() << std::endl;  // flushed: a crash names its input
        std::ifstream in(input, std::ios::in | std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::cout << inputs.size() << " inputs replayed" << std::endl;
    return inputs.empty() ? 1 : 0;
}
