// The clock source and the square-duty range check.
#include "drv_clock_source.h"
#include "drv_clock_source_vextral.h"
#include "drv_interface.h"
#include "drv_valid_check_zqw1000.h"
#include "drv_wave_manage_vextral.h"
#include "drv_wave_manage_zqw1000.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using DrvClockSource = sim_driver_fixture_t;
using DrvValidCheck = sim_driver_fixture_t;

int g_clock_callbacks = 0;
void count_callback(int32)
{
    ++g_clock_callbacks;
}

} // namespace

TEST_F(DrvClockSource, SelectionAnswersOneAndWritesNothing)
{
    drv_clock_source_t *clock = manager->get_clock_source();
    ASSERT_NE(dynamic_cast<drv_clock_source_vextral_t *>(clock), nullptr);
    sim.poke(4, 0x0010);
    for (int32 source : {0, 1, 7, -1}) {
        SCOPED_TRACE(source);
        EXPECT_EQ(clock->set_clock_source(fpga, source, count_callback), 1);
        EXPECT_EQ(drv_interface_t::get_instance()->set_clock_source(source, count_callback), 1);
    }
    EXPECT_TRUE(sim.writes().empty());
    EXPECT_EQ(g_clock_callbacks, 0);

    // The status is bit 4 of register 4.
    EXPECT_EQ(clock->get_clock_status(), 1);
    sim.poke(4, 0xFFEF);
    EXPECT_EQ(drv_interface_t::get_instance()->get_clock_source(), 0);
}

TEST_F(DrvClockSource, ClockResetPulsesBitZeroAroundTwoMilliseconds)
{
    sim.poke(4, 0x0110);
    EXPECT_EQ(drv_pulse_clock_reset(), 1);
    EXPECT_TRUE(log_is({sim_read(4, 0x0110), sim_write(4, 0x0111), sim_write(4, 0x0110), sim_sleep(2),
                        sim_write(4, 0x0111)}));
}

TEST_F(DrvValidCheck, ModuleLimitsNeverChange)
{
    const long double freqs[] = {0.0L, 12500000.0L, 12500001.0L, 40000000.0L, 60000000.0L,
                                 std::numeric_limits<long double>::infinity()};
    ASSERT_NE(dynamic_cast<drv_wave_manage_vextral_t *>(manager->get_wave_manage()), nullptr);
    for (long double hz : freqs) {
        SCOPED_TRACE(static_cast<double>(hz));
        long double min = 20.0L, max = 80.0L;
        drv_interface_t::get_instance()->check_square_duty(&min, &max, hz);
        EXPECT_EQ(min, 20.0L);
        EXPECT_EQ(max, 80.0L);
    }
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(DrvValidCheck, NarrowingWithTheHighFrequencyWaveManager)
{
    drv_wave_manage_zqw1000_t zqw;
    drv_wave_manage_vextral_t vextral;
    const struct
    {
        long double hz;
        long double min, max;
    } cases[] = {
        {12500000.0L, 20.0L, 80.0L},
        {12500001.0L, 41.0L, 59.0L},
        {40000000.0L, 41.0L, 59.0L},
        {40000000.5L, 50.0L, 50.0L},
        {1e9L, 50.0L, 50.0L},
        {std::numeric_limits<long double>::quiet_NaN(), 20.0L, 80.0L},
        {-1.0L, 20.0L, 80.0L},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<double>(c.hz));
        long double min = 20.0L, max = 80.0L;
        drv_valid_check_zqw1000_t::narrow_square_duty(&zqw, &min, &max, c.hz);
        EXPECT_EQ(min, c.min);
        EXPECT_EQ(max, c.max);
        // Any other wave manager leaves them.
        min = 20.0L;
        max = 80.0L;
        drv_valid_check_zqw1000_t::narrow_square_duty(&vextral, &min, &max, c.hz);
        EXPECT_EQ(min, 20.0L);
        EXPECT_EQ(max, 80.0L);
    }
    // Null limits are not written through.
    long double max = 80.0L;
    drv_valid_check_zqw1000_t::narrow_square_duty(&zqw, nullptr, &max, 1e9L);
    EXPECT_EQ(max, 80.0L);
}
