// The second platform's 24-bit serial device: value | register words on base 0xFFB0.
#include "drv_chip24.h"
#include "sim_driver_fixture.h"
#include "sim_serial_frames.h"

#include <gtest/gtest.h>

#include <vector>

using DrvChip24 = sim_driver_fixture_t;

TEST_F(DrvChip24, StartUpSendsItsThreeWordsWithTheirWaits)
{
    EXPECT_EQ(drv_chip24_get_instance(), fpga);
    drv_chip24_init();
    EXPECT_EQ(sim_serial_words(sim.log(), 24, 0xFFB0), (std::vector<uint32>{201, 4206976, 96002}));
    std::vector<uint32> sleeps;
    for (const sim_op_t &op : sim.log())
        if (op.kind == sim_op_kind_t::sleep)
            sleeps.push_back(op.value);
    EXPECT_EQ(sleeps, (std::vector<uint32>{20, 5}));
    EXPECT_EQ(sim.log().back(), sim_sleep(5));

    sim.clear_log();
    sim.queue_reads(242, {0x1234});
    EXPECT_EQ(drv_chip24_read_reg(3), 0x34);
    EXPECT_EQ(sim_serial_words(sim.log(), 24, 0xFFB0), (std::vector<uint32>{0x8300}));
}
