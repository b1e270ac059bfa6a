// The software timer list without its loop thread: add, count, get and set, start,
// fire, and the count-down passes. The list is process-wide, so every test works from
// the positions it added.
#include "cfg_soft_timer.h"

#include <gtest/gtest.h>

namespace
{
int fired = 0;
int32 on_fire()
{
    ++fired;
    return 7;
}
} // namespace

TEST(CfgSoftTimer, AddCountGetAndSet)
{
    const int32 base = soft_timer_count();
    soft_timer_add(base, 5, on_fire);
    soft_timer_add(-1, 5, on_fire); // adds nothing
    EXPECT_EQ(soft_timer_count(), base + 1);
    const soft_timer_t t = soft_timer_get(base);
    EXPECT_EQ(t.id, base);
    EXPECT_EQ(t.count, 5);
    EXPECT_EQ(t.callback, &on_fire);

    for (int32 outside : {-1, base + 1})
    {
        const soft_timer_t none = soft_timer_get(outside);
        EXPECT_EQ(none.id, -1);
        EXPECT_EQ(none.count, 0);
        EXPECT_EQ(none.callback, nullptr);
        soft_timer_set(outside, 3, on_fire);
        soft_timer_start(outside, 2);
    }
    EXPECT_EQ(soft_timer_count(), base + 1);

    soft_timer_start(base, 3);
    EXPECT_EQ(soft_timer_get(base).count, 30);
}

TEST(CfgSoftTimer, FireStopsTheEntryAndReturnsTheCallbackStatus)
{
    const int32 base = soft_timer_count();
    soft_timer_add(base, 4, on_fire);
    soft_timer_add(base + 1, 4, nullptr);
    fired = 0;
    EXPECT_EQ(soft_timer_fire(base), 7);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(soft_timer_get(base).count, 0);
    EXPECT_EQ(soft_timer_fire(base + 1), SOFT_TIMER_NO_CALLBACK);
    EXPECT_EQ(soft_timer_get(base + 1).count, 0);
    EXPECT_EQ(soft_timer_fire(base + 2), SOFT_TIMER_NO_CALLBACK);
    EXPECT_EQ(SOFT_TIMER_NO_CALLBACK, static_cast<int32>(0x80004003U));
}

TEST(CfgSoftTimer, TimerFiresOnceWhenItsCountRunsOut)
{
    const int32 base = soft_timer_count();
    soft_timer_add(base, 0, on_fire);
    soft_timer_start(base, 3);
    fired = 0;
    for (int pass = 1; pass <= 29; ++pass)
        soft_timer_tick();
    EXPECT_EQ(fired, 0);
    soft_timer_tick();
    EXPECT_EQ(fired, 1);
    for (int pass = 0; pass < 5; ++pass)
        soft_timer_tick();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(soft_timer_get(base).count, 0);
}

TEST(CfgSoftTimer, EntryWithAnotherIdIsWrittenBackThroughThatId)
{
    const int32 base = soft_timer_count();
    soft_timer_add(base, 0, nullptr);
    soft_timer_add(base, 3, on_fire); // position base + 1 carries id base
    soft_timer_tick();
    const soft_timer_t first = soft_timer_get(base);
    EXPECT_EQ(first.id, base);
    EXPECT_EQ(first.count, 2);
    EXPECT_EQ(first.callback, &on_fire);
    EXPECT_EQ(soft_timer_get(base + 1).count, 3);
}
