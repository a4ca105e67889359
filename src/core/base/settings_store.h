// The per-user settings store: sections of named integer and text values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kubrix {

// Reading an absent or unreadable value yields the given default; writing creates or
// replaces it. Implementations never throw on a damaged store.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::int32_t readInt(std::string_view section, std::string_view key,
                                 std::int32_t fallback) const = 0;
    virtual std::string readText(std::string_view section, std::string_view key,
                                 std::string_view fallback) const = 0;
    virtual void writeInt(std::string_view section, std::string_view key, std::int32_t value) = 0;
    virtual void writeText(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
};

} // namespace kubrix

namespace kubrix {

// The one integer syntax of the store: optional blanks, an optional sign and decimal digits
// that fit 32 bits. Anything else (a hand-edited "abc", "12x", an overflow) is not a number.
bool parseSettingInt(std::string_view text, std::int32_t& value);

} // namespace kubrix
