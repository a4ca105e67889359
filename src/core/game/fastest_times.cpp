// Reading, setting and storing the fastest times of the standard levels.
#include "core/game/fastest_times.h"

#include "core/base/settings_table.h"
#include "core/game/levels.h"

namespace kubrix {

FastestTimes::FastestTimes(SettingsStore& store) : store_(store)
{
    none_.seconds = settings::kNoRecordSeconds;
}

void FastestTimes::load()
{
    for (std::size_t level = 0; level < records_.size(); ++level) {
        records_[level].name = settings::read(store_, settings::recordName[level]);
        records_[level].seconds = settings::read(store_, settings::recordSeconds[level]);
    }
}

const FastestTime& FastestTimes::of(int level) const
{
    return keepsRecords(level) ? records_[static_cast<std::size_t>(level)] : none_;
}

void FastestTimes::set(int level, const std::string& name, std::int32_t seconds)
{
    if (!keepsRecords(level))
        return;
    records_[static_cast<std::size_t>(level)] = {name, seconds};
    write(level);
}

void FastestTimes::clear()
{
    for (FastestTime& entry : records_)
        entry = {std::string(), settings::kNoRecordSeconds};
}

void FastestTimes::write(int level)
{
    if (!keepsRecords(level))
        return;
    const auto slot = static_cast<std::size_t>(level);
    settings::write(store_, settings::recordName[slot], records_[slot].name);
    settings::write(store_, settings::recordSeconds[slot], records_[slot].seconds);
}

} // namespace kubrix
