// Fuzzes the skin script reader: lines, comments, statements and their errors.
#include "core/skin/skin_script.h"
#include "fuzz_target.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kubrix;
    std::istringstream script(std::string(data, data + size));
    int line = 0;
    for (;;) {
        const int before = line;
        const ScriptStep step = readStatement(script, line);
        // Each step takes at least one line, and a script holds no more lines than bytes.
        fuzz::require(line <= static_cast<int>(size) + 1);
        if (step.kind == ScriptStep::Kind::End)
            break;
        fuzz::require(line > before);
        // The author's tool reads on past an error, so reading must go on from there.
        if (step.kind == ScriptStep::Kind::Error) {
            fuzz::require(step.error.find(std::to_string(line)) != std::string::npos);
            fuzz::require(!step.detail.empty());
            continue;
        }
        // A value never carries a line end: nothing read can start another statement.
        fuzz::require(step.statement.value.find_first_of("\r\n") == std::string::npos);
        fuzz::require((step.statement.variable == ScriptVariable::SaveTo) ==
                      (step.statement.index < 0));
    }
    return 0;
}

std::vector<kubrix::fuzz::Seed> kubrix::fuzz::seeds(const std::filesystem::path& skinFolder)
{
    const std::string mixed = "\xEF\xBB\xBF// comment\r\n; note\r'old\rSAVETO = x.KBS\r\n"
                              "INFO [ NAME ] = Deep = Sea \nSOUND[START]=a.wav\n"
                              "IMAGE[TILES] = t.bmp";
    const std::string faulty = "INFO[NAME]\nSOUND = x\nsaveto = y\nINFO[NAME] x = y\n";
    return {{"default.txt", skinFile(skinFolder, "default.txt")},
            {"mixed.txt", {mixed.begin(), mixed.end()}},
            {"faulty.txt", {faulty.begin(), faulty.end()}}};
}
