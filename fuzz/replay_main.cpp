// The fuzz targets in the normal build: writes a target's seed corpus, and replays corpus and
// regression files through the same entry point libFuzzer calls, as an ordinary test.
#include "core/base/atomic_file.h"
#include "core/base/read_file.h"
#include "fuzz_target.h"

#include <algorithm>
#include <iostream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLargestInput = 128 * 1024 * 1024;

int writeSeeds(const fs::path& corpus, const fs::path& skinFolder)
{
    std::error_code error;
    fs::remove_all(corpus, error);
    fs::create_directories(corpus, error);
    for (const kubrix::fuzz::Seed& seed : kubrix::fuzz::seeds(skinFolder)) {
        if (!kubrix::writeFileAtomically(corpus / seed.name, seed.bytes)) {
            std::cerr << "could not write the seed " << (corpus / seed.name) << "\n";
            return 1;
        }
    }
    return 0;
}

// A folder that does not exist holds no inputs: a target may have no regressions yet.
int replay(const std::vector<fs::path>& folders)
{
    std::vector<fs::path> inputs;
    for (const fs::path& folder : folders) {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
        const kubrix::FileBytes file = kubrix::readFile(input, kLargestInput);
        if (!file.ok()) {
            std::cerr << "could not read " << input << "\n";
            return 1;
        }
        // Named first, so that a crash says which input caused it.
        std::cout << input.filename().string() << std::endl;
        LLVMFuzzerTestOneInput(file.bytes.data(), file.bytes.size());
    }
    std::cout << inputs.size() << " inputs replayed\n";
    // No input at all means the seeds were never written: the replay would test nothing.
    return inputs.empty() ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<fs::path> arguments(argv + 1, argv + argc);
    if (arguments.size() == 3 && arguments[0] == "--write-seeds")
        return writeSeeds(arguments[1], arguments[2]);
    if (!arguments.empty() && arguments[0] != "--write-seeds")
        return replay(arguments);
    std::cerr << "usage: " << argv[0] << " --write-seeds CORPUS SKIN_FOLDER\n"
              << "       " << argv[0] << " FOLDER...   replays every file in the folders\n";
    return 2;
}
