#include "plat_sleep.h"
#include "plat_sleep_recorder.h"

#include <chrono>
#include <gtest/gtest.h>

TEST(PlatSleep, RecorderTakesEveryPauseWithoutWaiting)
{
    plat_sleep_recorder_t rec;
    auto t0 = std::chrono::steady_clock::now();
    plat_sleep_ms(100);
    plat_sleep_ms(60000);
    plat_sleep_ms(0);
    auto waited = std::chrono::steady_clock::now() - t0;
    EXPECT_EQ(rec.pauses(), (std::vector<std::uint32_t>{100, 60000, 0}));
    EXPECT_EQ(rec.total_ms(), 60100u);
    EXPECT_LT(waited, std::chrono::seconds(1));
}

TEST(PlatSleep, NestedRecordersHandBackTheOuterHook)
{
    plat_sleep_recorder_t outer;
    {
        std::vector<std::uint32_t> also;
        plat_sleep_recorder_t inner([&](std::uint32_t ms) { also.push_back(ms); });
        plat_sleep_ms(5);
        EXPECT_EQ(inner.pauses(), std::vector<std::uint32_t>{5});
        EXPECT_EQ(also, std::vector<std::uint32_t>{5});
    }
    plat_sleep_ms(7);
    EXPECT_EQ(outer.pauses(), std::vector<std::uint32_t>{7});
}

TEST(PlatSleep, WithoutHookSleepsForReal)
{
    auto t0 = std::chrono::steady_clock::now();
    plat_sleep_ms(30);
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(30));
}
