// The second platform's configuration flash check through FPGA registers.
#include "m25p40.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

using M25p40 = sim_driver_fixture_t;

TEST_F(M25p40, CheckAsksTheIdAndWantsTwo)
{
    struct
    {
        uint16 status;
        int32 result;
    } cases[] = {{2, 1}, {3, 0}, {0, 0}, {0x0102, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        sim.clear_log();
        sim.queue_reads(106, {c.status});
        EXPECT_EQ(m25p40_t::get_instance()->check_chip(), c.result);
        EXPECT_TRUE(log_is({sim_write(13, 85), sim_write(12, 85), sim_read(106, c.status)}));
    }
}
