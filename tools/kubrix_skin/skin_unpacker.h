// Turns a skin package back into a skin script with its bitmaps and waves.
#pragma once

#include "core/formats/rgba_image.h"
#include "core/formats/skin_package.h"

#include <filesystem>
#include <ostream>
#include <span>

namespace kubrix {

// Writes "skin.txt", the images as 24-bit BMPs with their masks, and the sounds as WAV files
// into folder, so that compiling the script rebuilds every slot byte for byte (the stamp
// aside). Slots that no script could reproduce are written as closely as possible and named
// on warnings. False when a file could not be written.
bool unpackSkin(const SkinPackage& package, const std::filesystem::path& folder,
                std::ostream& warnings);

// The pixels of a packed record chosen so that packing them again yields the same record:
// neighbouring runs that differ only in the bit packing drops keep that bit different.
bool unpackForRepacking(std::span<const std::uint8_t> record, RgbaImage& image);

} // namespace kubrix
