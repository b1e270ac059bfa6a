// The second platform's JESD DAC: 24-bit frames through a temporary FPGA object of the
// second platform, the 1 ms wait after a write, and its chip check.
#include "dac38j82.h"
#include "sim_driver_fixture.h"
#include "sim_serial_frames.h"

#include <gtest/gtest.h>

#include <vector>

using Dac38j82 = sim_driver_fixture_t;

TEST_F(Dac38j82, WriteSendsOneFrameWithoutIdleWordsAndWaits)
{
    dac38j82_t *dac = dac38j82_t::get_instance();
    EXPECT_EQ(dac, dac38j82_t::get_instance());
    dac->write_reg(0x4A, 0xFF1F);
    ASSERT_EQ(sim.log().size(), 2u);
    EXPECT_EQ(sim.log()[0].words.size(), 49u);
    EXPECT_EQ(sim.log()[1], sim_sleep(1));
    EXPECT_EQ(sim_serial_words(sim.log(), 24, 0xFFD8), (std::vector<uint32>{0x4AFF1F}));

    sim.clear_log();
    sim.queue_reads(242, {0xA55A});
    EXPECT_EQ(dac->read_reg(0x1C), 0xA55A);
    EXPECT_EQ(sim_serial_words(sim.log(), 24, 0xFFD8), (std::vector<uint32>{0x9C0000}));
    EXPECT_EQ(sim.slept_ms(), 0u);

    sim.clear_log();
    dac->init();
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(Dac38j82, ChipCheckWritesTwoPatternsAndClearsTheRegister)
{
    struct
    {
        std::vector<uint16> reads;
        int32 result;
        std::vector<uint32> writes;
        const char *text;
    } cases[] = {
        {{85, 170}, 1, {0x1C0055, 0x1C00AA, 0x1C0000}, ""},
        {{85, 3}, 0, {0x1C0055, 0x1C00AA}, "chip not ok! write_value:170,read_value:3\n"},
        {{0}, 0, {0x1C0055}, "chip not ok! write_value:85,read_value:0\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        sim.clear_log();
        for (uint16 r : c.reads)
            sim.queue_reads(242, {r});
        stdout_capture_t capture;
        EXPECT_EQ(dac38j82_t::get_instance()->check_chip(), c.result);
        EXPECT_EQ(capture.finish(), c.text);
        std::vector<uint32> writes;
        for (uint32 w : sim_serial_words(sim.log(), 24, 0xFFD8))
            if ((w & 0x800000) == 0)
                writes.push_back(w);
        EXPECT_EQ(writes, c.writes);
    }
}
