// The saved-game file: building its image, and reading one back only when it is whole and sane.
#include "core/formats/saved_game.h"

#include "core/base/atomic_file.h"
#include "core/base/little_endian.h"
#include "core/base/read_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <iomanip>
#include <locale>
#include <numeric>
#include <sstream>
#include <string_view>

namespace kubrix {

namespace {

constexpr std::string_view kHeaderText = "Kubrix 1.04 Save Game File";
constexpr std::size_t kTextBytes = 128;
constexpr std::size_t kHeaderAt = 4;
constexpr std::size_t kDescriptionAt = 132;
constexpr std::size_t kElapsedAt = 260;
constexpr std::size_t kWidthAt = 264;
constexpr std::size_t kHeightAt = 268;
constexpr std::size_t kDepthAt = 272;
constexpr std::size_t kBombsAt = 276;
constexpr std::size_t kMarksAt = 280;
constexpr std::size_t kLevelAt = 284;
constexpr std::size_t kRotationAt = 288;
constexpr std::size_t kRecordsAt = 304;
constexpr std::size_t kChecksumAt = SavedGame::kFileBytes - 1;
static_assert(kRecordsAt + SavedGame::kRecordSlots * SavedGame::kCubeRecordBytes == kChecksumAt);

std::uint8_t checksumOf(std::span<const std::uint8_t> bytes)
{
    return static_cast<std::uint8_t>(std::accumulate(
        bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(kChecksumAt), 0U));
}

// A NUL-terminated text field: at most 127 bytes of text, the rest zero.
void putText(std::span<std::uint8_t> image, std::size_t at, std::string_view text)
{
    const std::size_t length = std::min(text.size(), kTextBytes - 1);
    std::copy_n(text.begin(), length, image.begin() + static_cast<std::ptrdiff_t>(at));
}

// A field without its NUL keeps 127 bytes, as many as the writer ever puts there.
std::string textAt(std::span<const std::uint8_t> image, std::size_t at)
{
    const auto field = image.subspan(at, kTextBytes - 1);
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return {field.begin(), end};
}

std::int32_t intAt(std::span<const std::uint8_t> image, std::size_t at)
{
    return static_cast<std::int32_t>(readLe32(image, at));
}

void putInt(std::span<std::uint8_t> image, std::size_t at, std::int32_t value)
{
    writeLe32(image, at, static_cast<std::uint32_t>(value));
}

bool inRange(std::int32_t value, std::int64_t low, std::int64_t high)
{
    return value >= low && value <= high;
}

// The values a game can take; anything else is a damaged or hand-made file.
bool sane(const SavedGame& game)
{
    const auto side = [](std::int32_t value) { return inRange(value, 1, SavedGame::kMaxSide); };
    if (!side(game.width) || !side(game.height) || !side(game.depth))
        return false;
    const std::int64_t cubes = std::int64_t{game.width} * game.height * game.depth;
    const bool knownLevel = game.level == 0 || game.level == 1 || game.level == 2 ||
                            game.level == 4; // 4 is a custom board
    // The game keeps its rotation near unit length; far from it, the drawn block and the view
    // maths that picks labels and peels layers would read the rotation as different turns.
    double squares = 0.0;
    for (const float c : game.rotation)
        squares += double{c} * c;
    const bool turnable = std::isfinite(squares) && squares > 0.5 && squares < 2.0;
    // At least one safe cube, as every new game has.
    return inRange(game.bombCount, 0, cubes - 1) && inRange(game.marksPlaced, 0, cubes) &&
           inRange(game.elapsedSeconds, 0, SavedGame::kMostElapsedSeconds) && knownLevel &&
           turnable;
}

// Flags of 0 or 1, zero padding, every neighbour count true to the bombs around it, and as
// many bombs and marks as the counters say.
bool recordsAgree(const SavedGame& game)
{
    const std::span<const std::uint8_t> records(game.cubeRecords);
    const auto at = [&](int x, int y, int z) {
        const auto index = static_cast<std::size_t>((z * game.height + y) * game.width + x);
        return records.subspan(index * SavedGame::kCubeRecordBytes, SavedGame::kCubeRecordBytes);
    };
    std::int32_t bombs = 0;
    std::int32_t marks = 0;
    for (int z = 0; z < game.depth; ++z) {
        for (int y = 0; y < game.height; ++y) {
            for (int x = 0; x < game.width; ++x) {
                const auto record = at(x, y, z);
                for (std::size_t flag = 0; flag < SavedGame::kCubeRecordBytes; flag += 4)
                    if (readLe32(record, flag) > (flag == SavedGame::kNeighbourBombsAt ? 26U : 1U))
                        return false;
                int around = 0;
                for (int dz = -1; dz <= 1; ++dz)
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx)
                            if ((dx | dy | dz) != 0 && x + dx >= 0 && x + dx < game.width &&
                                y + dy >= 0 && y + dy < game.height && z + dz >= 0 &&
                                z + dz < game.depth)
                                around += at(x + dx, y + dy, z + dz)[SavedGame::kBombAt];
                if (record[SavedGame::kNeighbourBombsAt] != around)
                    return false;
                bombs += record[SavedGame::kBombAt];
                marks += record[SavedGame::kMarkedAt];
            }
        }
    }
    return bombs == game.bombCount && marks == game.marksPlaced;
}

} // namespace

std::size_t SavedGame::cubeCount() const
{
    if (width <= 0 || height <= 0 || depth <= 0)
        return 0;
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
           static_cast<std::size_t>(depth);
}

std::vector<std::uint8_t> encodeSavedGame(const SavedGame& game)
{
    std::vector<std::uint8_t> image(SavedGame::kFileBytes, 0);
    putInt(image, 0, static_cast<std::int32_t>(SavedGame::kFileBytes));
    putText(image, kHeaderAt, kHeaderText);
    putText(image, kDescriptionAt, game.description);
    putInt(image, kElapsedAt, game.elapsedSeconds);
    putInt(image, kWidthAt, game.width);
    putInt(image, kHeightAt, game.height);
    putInt(image, kDepthAt, game.depth);
    putInt(image, kBombsAt, game.bombCount);
    putInt(image, kMarksAt, game.marksPlaced);
    putInt(image, kLevelAt, game.level);
    for (std::size_t i = 0; i < game.rotation.size(); ++i)
        writeLe32(image, kRotationAt + 4 * i, std::bit_cast<std::uint32_t>(game.rotation[i]));
    const std::size_t recordBytes =
        std::min({game.cubeRecords.size(), game.cubeCount() * SavedGame::kCubeRecordBytes,
                  kChecksumAt - kRecordsAt});
    std::copy_n(game.cubeRecords.begin(), recordBytes,
                image.begin() + static_cast<std::ptrdiff_t>(kRecordsAt));
    image[kChecksumAt] = checksumOf(image);
    return image;
}

std::optional<SavedGame> decodeSavedGame(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != SavedGame::kFileBytes || readLe32(bytes, 0) != SavedGame::kFileBytes ||
        checksumOf(bytes) != bytes[kChecksumAt])
        return std::nullopt;
    SavedGame game;
    game.description = textAt(bytes, kDescriptionAt);
    game.elapsedSeconds = intAt(bytes, kElapsedAt);
    game.width = intAt(bytes, kWidthAt);
    game.height = intAt(bytes, kHeightAt);
    game.depth = intAt(bytes, kDepthAt);
    game.bombCount = intAt(bytes, kBombsAt);
    game.marksPlaced = intAt(bytes, kMarksAt);
    game.level = intAt(bytes, kLevelAt);
    for (std::size_t i = 0; i < game.rotation.size(); ++i)
        game.rotation[i] = std::bit_cast<float>(readLe32(bytes, kRotationAt + 4 * i));
    if (!sane(game))
        return std::nullopt;
    const auto records = bytes.subspan(kRecordsAt, game.cubeCount() * SavedGame::kCubeRecordBytes);
    game.cubeRecords.assign(records.begin(), records.end());
    if (!recordsAgree(game))
        return std::nullopt;
    return game;
}

std::optional<SavedGame> readSavedGame(const std::filesystem::path& path)
{
    // One byte over the cap is refused, so a longer file never decodes as its first part.
    const FileBytes file = readFile(path, SavedGame::kFileBytes);
    return file.ok() ? decodeSavedGame(file.bytes) : std::nullopt;
}

bool writeSavedGame(const std::filesystem::path& path, const SavedGame& game)
{
    return writeFileAtomically(path, encodeSavedGame(game));
}

std::string describeSavedGame(int width, int height, int depth, int marksPlaced, int bombCount,
                              const std::tm& when)
{
    // The classic locale keeps "PM" and "Dec" whatever language the desktop speaks.
    std::ostringstream time;
    time.imbue(std::locale::classic());
    time << std::put_time(&when, "%I:%M%p %b %d");
    char text[kTextBytes];
    std::snprintf(text, sizeof text, "%dx%dx%d %d/%d - %s", width, height, depth, marksPlaced,
                  bombCount, time.str().c_str());
    return text;
}

} // namespace kubrix
