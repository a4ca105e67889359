// One skin package in memory: loading with its checks, saving, slot access and resizing.
#include "core/formats/skin_package.h"

#include "core/base/atomic_file.h"
#include "core/base/little_endian.h"
#include "core/base/read_file.h"

#include <algorithm>
#include <cctype>

namespace kubrix {

namespace {

constexpr std::size_t kOffsetsAt = 6;
constexpr std::size_t kSizesAt = 66;
constexpr std::size_t kChecksumAt = 126;
constexpr std::array<int, 3> kGroupBase{0, 4, 13};
constexpr std::array<int, 3> kGroupSize{4, 9, 2};

std::uint64_t sumOfSizes(const std::vector<std::uint8_t>& bytes)
{
    std::uint64_t sum = 0;
    for (int slot = 0; slot < SkinPackage::kSlotCount; ++slot)
        sum += readLe32(bytes, kSizesAt + 4 * std::size_t(slot));
    return sum;
}

} // namespace

SkinPackage::SkinPackage() : bytes_(kHeaderSize, 0)
{
    writeLe16(bytes_, 0, kMagic);
    writeLe32(bytes_, 2, kDefaultStamp);
    for (int slot = 0; slot < kSlotCount; ++slot)
        writeLe32(bytes_, kOffsetsAt + 4 * std::size_t(slot), kHeaderSize);
}

std::optional<SkinPackage> SkinPackage::loadPackage(const std::string& path)
{
    FileBytes file = readFile(path, kMaxPackageBytes);
    if (!file.ok())
        return std::nullopt;
    auto package = fromBytes(std::move(file.bytes));
    if (package)
        package->path_ = path;
    return package;
}

std::optional<SkinPackage> SkinPackage::fromBytes(std::vector<std::uint8_t> bytes)
{
    return validated(std::move(bytes), true);
}

std::optional<SkinPackage> SkinPackage::fromBuiltIn(std::span<const std::uint8_t> bytes)
{
    return validated(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), false);
}

std::optional<SkinPackage> SkinPackage::validated(std::vector<std::uint8_t> bytes, bool checksum)
{
    if (bytes.size() < kHeaderSize || readLe16(bytes, 0) != kMagic)
        return std::nullopt;
    // The sum of fifteen 32-bit sizes needs more than 32 bits; a lying header must not wrap.
    const std::uint64_t end = kHeaderSize + sumOfSizes(bytes);
    if (bytes.size() < end)
        return std::nullopt;
    // A slot that points outside the data would be read out of bounds: the package is refused.
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::uint64_t offset = readLe32(bytes, kOffsetsAt + 4 * std::size_t(slot));
        const std::uint64_t size = readLe32(bytes, kSizesAt + 4 * std::size_t(slot));
        if (offset < kHeaderSize || offset + size > end)
            return std::nullopt;
    }
    SkinPackage package;
    package.bytes_ = std::move(bytes);
    if (checksum && package.computeChecksum() != package.checksum())
        return std::nullopt;
    return package;
}

bool SkinPackage::savePackage(const std::string& path)
{
    writeLe16(bytes_, 0, kMagic);
    writeLe16(bytes_, kChecksumAt, computeChecksum());
    return writeFileAtomically(path, std::span(bytes_).first(static_cast<std::size_t>(dataEnd())));
}

int SkinPackage::slotOf(SlotGroup group, int index)
{
    const auto g = static_cast<std::size_t>(group);
    if (index < 0 || index >= kGroupSize[g])
        return -1;
    return kGroupBase[g] + index;
}

std::uint32_t SkinPackage::slotOffset(int slot) const
{
    return read32(kOffsetsAt + 4 * std::size_t(slot));
}

std::uint32_t SkinPackage::slotSize(int slot) const
{
    return read32(kSizesAt + 4 * std::size_t(slot));
}

std::span<const std::uint8_t> SkinPackage::slotBytes(int slot) const
{
    if (slot < 0 || slot >= kSlotCount)
        return {};
    return std::span<const std::uint8_t>(bytes_).subspan(slotOffset(slot), slotSize(slot));
}

std::string SkinPackage::infoText(int index) const
{
    const auto slot = slotBytes(slotOf(SlotGroup::Info, index));
    const auto nul = std::find(slot.begin(), slot.end(), std::uint8_t{0});
    return std::string(slot.begin(), nul);
}

std::span<const std::uint8_t> SkinPackage::soundBytes(int index) const
{
    return slotBytes(slotOf(SlotGroup::Sound, index));
}

std::span<const std::uint8_t> SkinPackage::imageRecord(int index) const
{
    return slotBytes(slotOf(SlotGroup::Image, index));
}

void SkinPackage::setInfoText(int index, std::string_view text)
{
    std::vector<std::uint8_t> content(text.begin(), text.end());
    content.push_back(0);
    setSlot(slotOf(SlotGroup::Info, index), content);
}

void SkinPackage::setSoundBytes(int index, std::span<const std::uint8_t> bytes)
{
    setSlot(slotOf(SlotGroup::Sound, index), bytes);
}

void SkinPackage::setImageRecord(int index, std::span<const std::uint8_t> record)
{
    setSlot(slotOf(SlotGroup::Image, index), record);
}

void SkinPackage::setSlot(int slot, std::span<const std::uint8_t> content)
{
    if (slot < 0)
        return;
    const auto size = static_cast<std::uint32_t>(content.size());
    if (size != slotSize(slot)) {
        const SlotGroup group = slot < 4    ? SlotGroup::Info
                                : slot < 13 ? SlotGroup::Sound
                                            : SlotGroup::Image;
        resizeSlot(group, slot - kGroupBase[static_cast<std::size_t>(group)], size);
    }
    std::copy(content.begin(), content.end(), bytes_.begin() + slotOffset(slot));
}

void SkinPackage::resizeSlot(SlotGroup group, int index, std::uint32_t newSize)
{
    const int slot = slotOf(group, index);
    if (slot < 0)
        return;
    layOutContiguously();
    const std::size_t offset = slotOffset(slot);
    const std::size_t oldSize = slotSize(slot);
    const auto end = static_cast<std::size_t>(dataEnd());
    std::vector<std::uint8_t> resized;
    resized.reserve(end - oldSize + newSize);
    resized.insert(resized.end(), bytes_.begin(), bytes_.begin() + std::ptrdiff_t(offset));
    resized.resize(resized.size() + newSize, 0);
    resized.insert(resized.end(), bytes_.begin() + std::ptrdiff_t(offset + oldSize),
                   bytes_.begin() + std::ptrdiff_t(end));
    bytes_ = std::move(resized);
    writeLe32(bytes_, kSizesAt + 4 * std::size_t(slot), newSize);
    for (int later = slot + 1; later < kSlotCount; ++later)
        writeLe32(bytes_, kOffsetsAt + 4 * std::size_t(later),
                  static_cast<std::uint32_t>(slotOffset(later) - oldSize + newSize));
}

void SkinPackage::layOutContiguously()
{
    bool contiguous = true;
    std::uint64_t expected = kHeaderSize;
    for (int slot = 0; slot < kSlotCount && contiguous; ++slot) {
        contiguous = slotOffset(slot) == expected;
        expected += slotSize(slot);
    }
    if (contiguous)
        return;
    std::vector<std::uint8_t> laidOut(bytes_.begin(), bytes_.begin() + kHeaderSize);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto data = slotBytes(slot);
        writeLe32(laidOut, kOffsetsAt + 4 * std::size_t(slot),
                  static_cast<std::uint32_t>(laidOut.size()));
        laidOut.insert(laidOut.end(), data.begin(), data.end());
    }
    bytes_ = std::move(laidOut);
}

std::uint32_t SkinPackage::stamp() const
{
    return read32(2);
}

std::uint16_t SkinPackage::checksum() const
{
    return readLe16(bytes_, kChecksumAt);
}

std::uint16_t SkinPackage::computeChecksum() const
{
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kChecksumAt; ++i)
        sum += bytes_[i];
    const auto end = static_cast<std::size_t>(dataEnd());
    for (std::size_t i = kHeaderSize; i < end; ++i)
        sum += bytes_[i];
    return static_cast<std::uint16_t>(sum & 0xFFFFU);
}

std::uint64_t SkinPackage::dataEnd() const
{
    return kHeaderSize + sumOfSizes(bytes_);
}

std::uint32_t SkinPackage::read32(std::size_t at) const
{
    return readLe32(bytes_, at);
}

bool namesSkinPackage(std::string_view fileName)
{
    constexpr std::string_view kExtension = ".kbs";
    if (fileName.size() <= kExtension.size())
        return false;
    const std::string_view tail = fileName.substr(fileName.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace kubrix
