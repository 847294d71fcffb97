// Feeds every file named on the command line, and every file of every directory named there,
// to the fuzz target once, in name order: the corpus as a test, and a crash input reproduced
// under any compiler.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        fs::path arg = argv[i];
        if (!fs::is_directory(arg)) {
            inputs.push_back(arg);
            continue;
        }
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(arg))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        inputs.insert(inputs.end(), files.begin(), files.end());
    }
    // An empty or misspelt corpus must not pass as a clean replay.
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s <file-or-directory>... (no inputs found)\n", argv[0]);
        return 2;
    }
    for (const fs::path& path : inputs) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            return 2;
        }
        std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        bytes.reserve(1); // libFuzzer never passes a null pointer, even for an empty input
        // Announced first, so the input that aborts is the last one named.
        std::fprintf(stderr, "replaying %s\n", path.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs\n", inputs.size());
    return 0;
}
