#pragma once
// The frame of a fuzz driver: the working folder is prepared once, each input
// is split into the files it stands for and handed to the driver's function.
// Errors the program reports (its exceptions) are expected results; anything
// else (a crash, a sanitizer report, a hang) is a finding, and so is a number
// from a file that reached an integer conversion unchecked (rt::FloatError):
// every such number is to be reported as a damaged file first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/runtime/number_range.h"

namespace fuzz {
template <typename F>
void Guard(F&& f) {
    try {
        f();
    } catch (const rt::FloatError& e) {
        std::fprintf(stderr, "A number read from a file reached a conversion unchecked: %s\n", e.what());
        std::abort();
    } catch (const std::exception&) {
    }
}
}  // namespace fuzz

#define KELVOR_FUZZ_FILES(count, run)                                                   \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {                                \
        fuzz::PrepareWorkFolder();                                                      \
        return 0;                                                                       \
    }                                                                                   \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        const std::vector<std::string> files = fuzz::SplitFiles(data, size, count);     \
        fuzz::Guard([&] { run(files); });                                               \
        return 0;                                                                       \
    }
