// Runs a fuzz driver once over given inputs, without the fuzzing engine: each
// argument is a file or a folder of files, options (arguments that begin with
// "-") are ignored. The sanitizers of the build report what an input breaks;
// the count of inputs run is printed in the engine's own words, so the script
// that runs the drivers reads either kind of build alike.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::string ReadWhole(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.empty() || arg[0] == '-') continue;
        std::error_code ec;
        if (fs::is_directory(arg, ec)) {
            std::vector<fs::path> files;
            for (const auto& e : fs::directory_iterator(arg, ec))
                if (e.is_regular_file()) files.push_back(e.path());
            std::sort(files.begin(), files.end());
            inputs.insert(inputs.end(), files.begin(), files.end());
        } else if (fs::is_regular_file(arg, ec)) {
            inputs.emplace_back(arg);
        } else {
            std::fprintf(stderr, "no such input: %s\n", arg.c_str());
            return 2;
        }
    }
    LLVMFuzzerInitialize(&argc, &argv);
    long runs = 0;
    for (const fs::path& p : inputs) {
        std::fprintf(stderr, "Running: %s\n", p.c_str());
        const std::string bytes = ReadWhole(p);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        ++runs;
    }
    std::fprintf(stderr, "stat::number_of_executed_units: %ld\n", runs);
    return 0;
}
