// The program's settings store: a per-user INI file kept by QSettings.
#pragma once

#include "core/base/settings_store.h"

#include <QSettings>

namespace kubrix {

// The file is $XDG_CONFIG_HOME/Kubrix/Kubrix.ini with one INI section per store section.
// Every write reaches the disk at once, because settings are saved the moment the user
// changes them and the program keeps no later flush. Every read takes the file as it is then,
// because another copy of the program may have written it meanwhile.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore();

    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const override;
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
    void writeInt(std::string_view section, std::string_view key, std::int32_t value) override;
    void writeText(std::string_view section, std::string_view key, std::string_view value) override;

private:
    mutable QSettings settings_;
};

} // namespace kubrix
