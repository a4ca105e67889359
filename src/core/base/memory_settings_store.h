// A settings store held in memory: the store of tests, benchmarks and the command-line tool.
#pragma once

#include "core/base/settings_store.h"

#include <map>
#include <string>
#include <utility>

namespace kubrix {

// Values are kept as text, as the INI file keeps them, so a test can plant a damaged value.
class MemorySettingsStore final : public SettingsStore {
public:
    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
    void writeInt(std::string_view section, std::string_view key, std::int32_t value) override;
    void writeText(std::string_view section, std::string_view key, std::string_view value) override;

    bool contains(std::string_view section, std::string_view key) const;
    int writeCount() const { return writes_; }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, std::string, std::less<>> values_;
    int writes_ = 0;
};

} // namespace kubrix
