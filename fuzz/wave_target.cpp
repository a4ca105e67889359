// Fuzzes the wave reader as the sound system uses it on a skin's sound slots.
#include "core/formats/wave_reader.h"
#include "fuzz_target.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kubrix;
    // A pointer that is never null, as a package slot's always is, however empty.
    const std::vector<std::uint8_t> copy(data, data + size);
    WaveReader reader;
    if (failed(reader.open(copy.data(), copy.size()))) {
        fuzz::require(!reader.isOpen());
        return 0;
    }
    const WaveFormat& format = reader.format();
    fuzz::require(format.extra.size() == format.extraSize);
    const std::size_t present = reader.dataPresent();
    fuzz::require(present <= reader.dataSize() && present <= size);
    // Read in uneven pieces until the data run out; the reader never hands out more than
    // the image holds, and fails exactly when the claimed length is not there.
    std::vector<std::uint8_t> piece(777);
    std::size_t total = 0;
    for (;;) {
        std::size_t copied = 0;
        const WaveStatus status = reader.read(piece.data(), piece.size(), &copied);
        total += copied;
        fuzz::require(total <= present);
        if (failed(status)) {
            fuzz::require(total == present && present < reader.dataSize());
            break;
        }
        if (copied == 0)
            break;
    }
    fuzz::require(total == present);
    return 0;
}

std::vector<kubrix::fuzz::Seed> kubrix::fuzz::seeds(const std::filesystem::path& skinFolder)
{
    // A non-PCM format with two extra bytes, and a LIST chunk before the data.
    const std::vector<std::uint8_t> extended{
        'R', 'I', 'F', 'F', 58,  0,   0,    0,    'W',  'A',  'V', 'E', 'f',  'm',  't', ' ',
        20,  0,   0,   0,   3,   0,   1,    0,    0x44, 0xAC, 0,   0,   0x10, 0xB1, 2,   0,
        4,   0,   32,  0,   2,   0,   0xAB, 0xCD, 'L',  'I',  'S', 'T', 1,    0,    0,   0,
        'x', 0,   'd', 'a', 't', 'a', 4,    0,    0,    0,    1,   2,   3,    4};
    std::vector<Seed> seeds{{"extended.wav", extended}};
    for (const char* name : {"start.wav", "safe.wav", "marked.wav", "win.wav"})
        seeds.push_back({name, skinFile(skinFolder, name)});
    return seeds;
}
