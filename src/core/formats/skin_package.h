// One skin package in memory: its file image (header and slot data) and the path it came from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kubrix {

// The package file, all integers little-endian, 128-byte header:
//   0   u16  magic, always 104
//   2   u32  stamp, not interpreted when reading (the built-in skin carries 1000)
//   6   15 × u32  slot offsets from the start of the file
//   66  15 × u32  slot sizes in bytes
//   126 u16  checksum: low 16 bits of the byte sum of bytes 0..125 and of the slot data
//   128 slot data, contiguous in slot order
// Slots 0..3 are the info texts (AUTHOR, EMAIL, WEB, NAME), each NUL-terminated; 4..12 the nine
// sounds as whole RIFF WAVE files (SoundId order); 13..14 the two images as packed records.
enum class SlotGroup { Info, Sound, Image };

class SkinPackage {
public:
    static constexpr std::uint16_t kMagic = 104;
    static constexpr std::size_t kHeaderSize = 128;
    static constexpr int kSlotCount = 15;
    static constexpr int kInfoSlots = 4;
    static constexpr int kSoundSlots = 9;
    static constexpr int kImageSlots = 2;
    static constexpr std::uint32_t kDefaultStamp = 1000;
    // The largest package file that is read or built: the built-in skin is under 2 MB.
    static constexpr std::size_t kMaxPackageBytes = 32 * 1024 * 1024;

    // A new, empty package: every offset 128, every size 0.
    SkinPackage();

    // Reads and validates a package file: magic, length, checksum, and every slot inside the
    // data. Nothing when any check fails, and for anything but a regular file of at most
    // kMaxPackageBytes.
    static std::optional<SkinPackage> loadPackage(const std::string& path);
    static std::optional<SkinPackage> fromBytes(std::vector<std::uint8_t> bytes);
    // The package built into the program: its checksum is not checked, its slots are.
    static std::optional<SkinPackage> fromBuiltIn(std::span<const std::uint8_t> bytes);

    // Writes the header and slot data (not any bytes beyond them), with magic and checksum set.
    // The old file is replaced only once the new one is whole; on failure it stays as it was.
    bool savePackage(const std::string& path);

    static int slotOf(SlotGroup group, int index);
    std::uint32_t slotOffset(int slot) const;
    std::uint32_t slotSize(int slot) const;
    std::span<const std::uint8_t> slotBytes(int slot) const;
    // Up to the first NUL or the end of the slot.
    std::string infoText(int index) const;
    std::span<const std::uint8_t> soundBytes(int index) const;
    std::span<const std::uint8_t> imageRecord(int index) const;

    void setInfoText(int index, std::string_view text);
    void setSoundBytes(int index, std::span<const std::uint8_t> bytes);
    void setImageRecord(int index, std::span<const std::uint8_t> record);
    // Gives the slot a new size, moving every later slot; its new content is zero.
    void resizeSlot(SlotGroup group, int index, std::uint32_t newSize);

    std::uint32_t stamp() const;
    std::uint16_t checksum() const;
    std::uint16_t computeChecksum() const;
    std::uint64_t dataEnd() const;
    const std::string& path() const { return path_; }
    void setPath(std::string path) { path_ = std::move(path); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    static std::optional<SkinPackage> validated(std::vector<std::uint8_t> bytes, bool checksum);
    void setSlot(int slot, std::span<const std::uint8_t> content);
    // A loaded package's slots need only lie inside its data: they may overlap, leave gaps or
    // come out of order. Before a slot changes size they are laid out one after the other, as
    // the compiler writes them, so that moving the later slots moves their own data.
    void layOutContiguously();
    std::uint32_t read32(std::size_t at) const;

    std::string path_;
    std::vector<std::uint8_t> bytes_;
};

// A package file's name ends in ".KBS", in any case.
bool namesSkinPackage(std::string_view fileName);

} // namespace kubrix
