// Wave-memory blocks by channel and the sample-rate-mode load with its padding and
// register sequence.
#include "drv_fpga.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

using DrvFpgaWave = sim_driver_fixture_t;

std::vector<uint16> ramp(std::size_t n)
{
    std::vector<uint16> samples(n);
    std::iota(samples.begin(), samples.end(), uint16{1});
    return samples;
}

} // namespace

TEST_F(DrvFpgaWave, BlocksGoToThePortOfTheirChannelAndMemory)
{
    const std::vector<uint16> samples = ramp(16384);
    EXPECT_EQ(fpga->write_wave_block(0, &samples), 1);
    EXPECT_EQ(fpga->write_wave_block(1, &samples), 1);
    EXPECT_EQ(fpga->write_mod_wave_block(0, &samples), 1);
    EXPECT_EQ(fpga->write_mod_wave_block(1, &samples), 1);
    EXPECT_TRUE(log_is({sim_block(252, samples), sim_block(253, samples), sim_block(254, samples),
                        sim_block(255, samples)}));
}

TEST_F(DrvFpgaWave, EmptyOrMissingBlockSendsNothing)
{
    const std::vector<uint16> empty;
    EXPECT_EQ(fpga->write_wave_block(0, &empty), 1);
    EXPECT_EQ(fpga->write_mod_wave_block(1, &empty), 1);
    EXPECT_EQ(fpga->write_wave_block(0, nullptr), 0);
    EXPECT_EQ(fpga->write_mod_wave_block(1, nullptr), 0);
    fpga->write_true_arb_samples(0, &empty);
    fpga->write_true_arb_samples(0, nullptr);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaWave, ControlBitZeroPulsesBeforeAWaveBlock)
{
    const std::vector<uint16> samples = ramp(16384);
    sim.poke(68, 0x0801);
    fpga->clear_ctrl_bit0(1);
    fpga->set_ctrl_bit0(1);
    fpga->write_wave_block(1, &samples);
    EXPECT_TRUE(log_is({sim_read(68, 0x0801), sim_write(68, 0x0800), sim_read(68, 0x0800), sim_write(68, 0x0801),
                        sim_block(253, samples)}));
}

TEST_F(DrvFpgaWave, WholeBlockLoadsChannelZeroKeepingChannelOnesBits)
{
    // Channel 1 plays in sample-rate mode with its load enabled and padding 7.
    sim.poke(65, 0x0507);
    const std::vector<uint16> samples = ramp(1000);
    stdout_capture_t capture;
    fpga->write_true_arb_wave_data(0, &samples, 70000);
    EXPECT_EQ(capture.finish(), "write_true_arb_wave_data++\n");
    EXPECT_TRUE(log_is({
        sim_read(65, 0x0507), sim_write(65, 0x0507), // leave sample-rate mode
        sim_read(65, 0x0507), sim_write(65, 0x0507), // load disabled
        sim_read(65, 0x0507), sim_write(65, 0x0587), // start-offset load
        sim_read(65, 0x0587), sim_write(65, 0x0587), // padding 0
        sim_write(81, 1000), sim_write(85, 0),       // length
        sim_write(75, 4464), sim_write(63, 1),       // start offset 70000
        sim_read(65, 0x0587), sim_write(65, 0x0D87), // load enabled
        sim_block(67, samples),                      //
        sim_read(65, 0x0D87), sim_write(65, 0x0F87), // sample-rate mode
    }));
    EXPECT_EQ(fpga->get_sample_rate_mode(0), 1);
}

TEST_F(DrvFpgaWave, OddBlockIsPaddedToAMultipleOfEight)
{
    const std::vector<uint16> samples = ramp(1001);
    std::vector<uint16> padded = samples;
    padded.resize(1008, 0);
    stdout_capture_t capture;
    fpga->write_true_arb_wave_data(1, &samples, 0);
    capture.finish();
    EXPECT_TRUE(log_is({
        sim_read(65, 0x0000), sim_write(65, 0x0000), //
        sim_read(65, 0x0000), sim_write(65, 0x0000), //
        sim_read(65, 0x0000), sim_write(65, 0x0040), //
        sim_read(65, 0x0040), sim_write(65, 0x0047), // padding 7 in bits 0-2
        sim_write(83, 1001), sim_write(89, 0),       //
        sim_write(61, 0), sim_write(87, 0),          //
        sim_read(65, 0x0047), sim_write(65, 0x0447), //
        sim_block(79, padded),                       //
        sim_read(65, 0x0447), sim_write(65, 0x0547), //
    }));
    EXPECT_EQ(fpga->get_sample_rate_mode(1), 1);
    EXPECT_EQ(fpga->get_sample_rate_mode(0), 0);
}

TEST_F(DrvFpgaWave, PaddingCountsAndBlockSizes)
{
    struct
    {
        int32 length;
        uint16 pad;
    } cases[] = {{0, 0}, {1, 7}, {7, 1}, {8, 0}, {9, 7}, {1000, 0}, {16383, 1}, {16384, 0}, {-1, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length);
        sim.poke(65, 0xFFC0);
        fpga->set_wave_pad(0, c.length);
        EXPECT_EQ(sim.peek(65), 0xFFC0 | (c.pad << 3));
        sim.poke(65, 0xFFF8);
        fpga->set_wave_pad(1, c.length);
        EXPECT_EQ(sim.peek(65), 0xFFF8 | c.pad);
        if (c.length > 0) {
            sim.clear_log();
            const std::vector<uint16> samples = ramp(static_cast<std::size_t>(c.length));
            fpga->write_true_arb_samples(0, &samples);
            ASSERT_EQ(sim.log().size(), 1u);
            EXPECT_EQ(sim.log()[0].words.size(), static_cast<std::size_t>(c.length) + c.pad);
            EXPECT_EQ(sim.log()[0].address, 67u);
        }
    }
}

TEST_F(DrvFpgaWave, EmptyLoadWritesZeroLengthAndSendsNoBlock)
{
    const std::vector<uint16> empty;
    stdout_capture_t capture;
    fpga->write_true_arb_wave_data(0, &empty, 5);
    capture.finish();
    EXPECT_EQ(sim.writes_to(81), (std::vector<uint16>{0}));
    EXPECT_EQ(sim.writes_to(75), (std::vector<uint16>{5}));
    for (const sim_op_t &op : sim.log())
        EXPECT_NE(op.kind, sim_op_kind_t::block);
    EXPECT_EQ(fpga->get_sample_rate_mode(0), 1);
}

TEST_F(DrvFpgaWave, LengthAndOffsetSplitLowWordFirst)
{
    fpga->set_wave_len(1, 0x00123456);
    fpga->set_start_offset(1, 0xABCD1234);
    EXPECT_TRUE(log_is({sim_write(83, 0x3456), sim_write(89, 0x0012), sim_write(61, 0x1234), sim_write(87, 0xABCD)}));
}
