// What each fuzz target file defines: libFuzzer's entry point and the seeds of its corpus.
#pragma once

#include "core/base/messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Runs one input through the reader; returns 0. A fault is a crash, caught by the sanitizers,
// or a broken promise of the reader, which the target turns into std::abort().
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kubrix::fuzz {

struct Seed {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The well-formed inputs a corpus starts from; skinFolder holds the built-in skin as the build
// made it (default.txt, its bitmaps and waves, and Kubrix.KBS).
std::vector<Seed> seeds(const std::filesystem::path& skinFolder);

// The readers' warnings are part of what is fuzzed, not of what is checked.
class SilentMessages final : public Messages {
public:
    MessageAnswer show(std::string_view, std::string_view, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
};

// For a seed file of the built-in skin; a missing one gives an empty seed, which is harmless.
std::vector<std::uint8_t> skinFile(const std::filesystem::path& skinFolder, const char* name);

inline void require(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace kubrix::fuzz
