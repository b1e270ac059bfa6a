// The second platform's 16-bit DAC over the simulator's serial bus: its register
// frames, chip check, FIFO tuning and FIFO level reset.
#include "ad9122.h"
#include "sim_driver_fixture.h"
#include "sim_serial_frames.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Ad9122 = sim_driver_fixture_t;

constexpr uint16 BASE = 0xFFD8;

std::vector<uint32> frames(const sim_fpga_t &sim)
{
    return sim_serial_words(sim.log(), 16, BASE);
}

// The values written to one register, from the frames (register << 8) | value.
std::vector<uint32> writes_of(const sim_fpga_t &sim, uint32 reg)
{
    std::vector<uint32> values;
    for (uint32 w : frames(sim))
        if ((w >> 8) == reg)
            values.push_back(w & 0xFF);
    return values;
}

// One FIFO attempt as the serial reads see it: the level bit comes, goes, then the state.
void queue_attempt(sim_fpga_t &sim, uint16 state)
{
    sim.queue_reads(242, {0x04, 0x00, state});
}

} // namespace

TEST_F(Ad9122, RegistersTravelAsSixteenBitFramesBetweenIdleWords)
{
    ad9122_t *dac = ad9122_t::get_instance();
    EXPECT_EQ(dac, ad9122_t::get_instance());
    dac->write_reg(0x17, 0x05);
    ASSERT_EQ(sim.log().size(), 3u);
    EXPECT_EQ(sim.log()[0], sim_word_list({0xFFFE}));
    EXPECT_EQ(sim.log()[2], sim_word_list({0xFFFE}));
    EXPECT_EQ(frames(sim), (std::vector<uint32>{0x1705}));

    sim.clear_log();
    sim.queue_reads(242, {0x1208});
    EXPECT_EQ(dac->read_reg(31), 0x08);
    EXPECT_EQ(frames(sim), (std::vector<uint32>{0x9F00}));
}

TEST_F(Ad9122, ChipCheckReportsAGivenUpFifoBeforeTheChipId)
{
    struct
    {
        int32 fifo_fail;
        uint16 chip_id;
        int32 result;
        const char *info;
    } cases[] = {{0, 8, 1, ""}, {0, 7, 0, "chip id"}, {1, 8, 0, "reset fifo"}};
    ad9122_t *dac = ad9122_t::get_instance();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.info);
        dac->set_chip_info("");
        dac->set_fifo_fail(c.fifo_fail);
        sim.queue_reads(242, {c.chip_id});
        EXPECT_EQ(dac->check_chip(), c.result);
        EXPECT_EQ(dac->get_chip_info(), c.info);
        sim.clear_log();
        sim.poke(242, 0);
    }
}

TEST_F(Ad9122, FifoTuningFollowsTheStateUntilTheFifoIsInLine)
{
    ad9122_t *dac = ad9122_t::get_instance();
    dac->set_fifo_fail(1);
    for (uint16 state : {3, 40, 12, 15})
        queue_attempt(sim, state);
    stdout_capture_t capture;
    EXPECT_EQ(dac->init(), 0);
    EXPECT_EQ(capture.finish(), "");
    EXPECT_EQ(dac->get_fifo_fail(), 0);
    const std::vector<uint32> w = frames(sim);
    ASSERT_GE(w.size(), 8u);
    EXPECT_EQ(std::vector<uint32>(w.begin(), w.begin() + 8),
              (std::vector<uint32>{0x0020, 0x0000, 0x0380, 0x1E01, 0x0DD3, 0x0ACF, 0x0AA0, 0x1705}));
    // State 3 gives phase 6, 40 gives 4, another value below 32 gives 5.
    EXPECT_EQ(writes_of(sim, 23), (std::vector<uint32>{5, 6, 4, 5}));
    EXPECT_EQ(writes_of(sim, 24), (std::vector<uint32>{2, 0, 2, 0, 2, 0, 2, 0}));
    EXPECT_EQ(sim.slept_ms(), 10u + 4 * 9u);
}

TEST_F(Ad9122, FifoTuningGivesUpAfterAHundredAttemptsAndRestartTriesAgain)
{
    ad9122_t *dac = ad9122_t::get_instance();
    for (int i = 0; i < 100; ++i)
        queue_attempt(sim, 40);
    EXPECT_EQ(dac->init(), 4);
    EXPECT_EQ(dac->get_fifo_fail(), 1);
    EXPECT_EQ(writes_of(sim, 23).size(), 100u);
    EXPECT_EQ(dac->check_chip(), 0);
    EXPECT_EQ(dac->get_chip_info(), "reset fifo");

    queue_attempt(sim, 7);
    EXPECT_EQ(dac->restart(), 0);
    EXPECT_EQ(dac->get_fifo_fail(), 0);
    EXPECT_EQ(dac->set_fifo_phase(9), 1);
    EXPECT_EQ(writes_of(sim, 23).back(), 9u);
}

TEST_F(Ad9122, FifoLevelResetReportsALevelBitThatDoesNotFollow)
{
    struct
    {
        std::vector<uint16> reads;
        std::vector<uint32> level_writes;
        const char *text;
    } cases[] = {
        {{0x04, 0x00}, {2, 0}, ""},
        {{0x00}, {2, 2, 0}, "reset_fifo_level:fifo_status_reg_value_18 = 0x0\n"},
        {{0x04, 0x0C}, {2, 0, 0}, "reset_fifo_level:fifo_status_reg_value_18 = 0xc\n"},
    };
    ad9122_t *dac = ad9122_t::get_instance();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        sim.clear_log();
        // The last scripted value stays in the register for the remaining polls.
        for (uint16 r : c.reads)
            sim.queue_reads(242, {r});
        sim.poke(242, c.reads.back());
        stdout_capture_t capture;
        dac->reset_fifo_level();
        EXPECT_EQ(capture.finish(), c.text);
        EXPECT_EQ(writes_of(sim, 24), c.level_writes);
    }
}
