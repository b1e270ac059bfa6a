// The combining object: each channel's combining bit in register 86 and the one
// mixing weight in register 88.
#include "drv_combine.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <limits>

using DrvCombine = sim_driver_fixture_t;

TEST_F(DrvCombine, BitsAndRatio)
{
    drv_combine_t *combine = manager->get_combine();
    struct bit_case_t
    {
        int32 ch, on;
        uint16 reg86;
    };
    // Channel 0 is bit 0, any other channel bit 1; only on == 1 sets.
    const bit_case_t bits[] = {{0, 1, 0x0001}, {1, 1, 0x0003}, {0, 2, 0x0002}, {5, 0, 0x0000}, {7, 1, 0x0002}};
    sim.poke(86, 0);
    for (const bit_case_t &c : bits) {
        combine->set_combine(c.ch, c.on);
        EXPECT_EQ(sim.peek(86), c.reg86) << c.ch << " " << c.on;
        int32 on = -1;
        EXPECT_EQ(combine->get_combine(c.ch, &on), 1);
        EXPECT_EQ(on, c.on == 1 ? 1 : 0);
    }

    struct ratio_case_t
    {
        long double weight;
        uint16 reg88;
    };
    const ratio_case_t ratios[] = {
        {1.0L, 65535}, {0.5L, 32767}, {0, 0}, {0.25L, 16383}, {std::numeric_limits<long double>::quiet_NaN(), 0},
    };
    for (const ratio_case_t &c : ratios) {
        combine->set_combine_ratio(1, c.weight);
        EXPECT_EQ(sim.last_write(88), c.reg88) << static_cast<double>(c.weight);
    }
}
