// A settings store held in memory.
#include "core/base/memory_settings_store.h"

namespace kubrix {

namespace {
std::pair<std::string, std::string> keyOf(std::string_view section, std::string_view key)
{
    return {std::string(section), std::string(key)};
}
} // namespace

std::int32_t MemorySettingsStore::readInt(std::string_view section, std::string_view key,
                                          std::int32_t fallback) const
{
    const auto found = values_.find(keyOf(section, key));
    std::int32_t value = fallback;
    if (found == values_.end() || !parseSettingInt(found->second, value))
        return fallback;
    return value;
}

std::string MemorySettingsStore::readText(std::string_view section, std::string_view key,
                                          std::string_view fallback) const
{
    const auto found = values_.find(keyOf(section, key));
    return found == values_.end() ? std::string(fallback) : found->second;
}

void MemorySettingsStore::writeInt(std::string_view section, std::string_view key,
                                   std::int32_t value)
{
    values_[keyOf(section, key)] = std::to_string(value);
    ++writes_;
}

void MemorySettingsStore::writeText(std::string_view section, std::string_view key,
                                    std::string_view value)
{
    values_[keyOf(section, key)] = std::string(value);
    ++writes_;
}

bool MemorySettingsStore::contains(std::string_view section, std::string_view key) const
{
    return values_.find(keyOf(section, key)) != values_.end();
}

} // namespace kubrix
