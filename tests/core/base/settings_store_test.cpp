// The store's integer syntax, the in-memory store and the settings table.
#include "core/base/memory_settings_store.h"
#include "core/base/settings_table.h"

#include <gtest/gtest.h>

namespace kubrix {
namespace {

TEST(SettingsStore, IntegersParseStrictly)
{
    std::int32_t v = 0;
    EXPECT_TRUE(parseSettingInt("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(parseSettingInt(" -7 ", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(parseSettingInt("+3", v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(parseSettingInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    v = 5;
    for (const char* bad :
         {"", " ", "abc", "12x", "1 2", "2147483648", "99999999999", "--1", "+"}) {
        EXPECT_FALSE(parseSettingInt(bad, v)) << bad;
        EXPECT_EQ(v, 5) << "a failed parse leaves the value alone";
    }
}

TEST(SettingsStore, MemoryStoreReadsDefaultsForAbsentAndDamagedValues)
{
    MemorySettingsStore store;
    EXPECT_EQ(settings::read(store, settings::quality), 1);
    EXPECT_EQ(settings::read(store, settings::windowPlacement), "0,0,600,600");
    EXPECT_EQ(settings::read(store, settings::updateMode), -1);
    EXPECT_EQ(settings::read(store, settings::updateKnownVersion), 1040);
    store.writeText("Startup", "Quality", "two");
    EXPECT_EQ(settings::read(store, settings::quality), 1);
    settings::write(store, settings::quality, 2);
    EXPECT_EQ(settings::read(store, settings::quality), 2);
    EXPECT_EQ(store.readInt("User", "Quality", -9), -9) << "sections are separate";
    settings::write(store, settings::skinPackage, "wood.kbs");
    EXPECT_EQ(store.readText("Startup", "Skin4", ""), "wood.kbs");
}

} // namespace
} // namespace kubrix
