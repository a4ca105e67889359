// The built-in skin package, as the build compiled it into the program's resources.
#pragma once

#include <cstdint>
#include <vector>

namespace kubrix {

// The whole package file; empty only if the program was built without it.
std::vector<std::uint8_t> builtInSkinPackage();

} // namespace kubrix
