// The FPGA core: construction, the update strobe, the hold, the chip check, the
// channel control register, run modes, channel checks and the base bodies.
#include "drv_fpga.h"
#include "drv_fpga_vextral.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using DrvFpga = sim_driver_fixture_t;

} // namespace

TEST_F(DrvFpga, ProductObjectIsTheModulesClassAndConstructionTouchesNoRegister)
{
    EXPECT_NE(dynamic_cast<drv_fpga_vextral_t *>(fpga), nullptr);
    drv_fpga_vextral_t fresh;
    EXPECT_TRUE(sim.log().empty());
    EXPECT_EQ(fresh.get_hold_count(), 0);
    EXPECT_EQ(fresh.get_run_mode(0), 0);
    EXPECT_EQ(fresh.get_run_mode(1), 0);
    EXPECT_EQ(fresh.get_chip_info(), "");
}

TEST_F(DrvFpga, UpdateStrobePulsesBitTwelveInsideBitFifteenAndKeepsTheRest)
{
    struct
    {
        uint16 reg10;
        std::vector<uint16> writes;
    } cases[] = {
        {0x4000, {0xC000, 0xD000, 0xC000, 0x4000}},
        {0x0001, {0x8001, 0x9001, 0x8001, 0x0001}},
        {0x9000, {0x9000, 0x9000, 0x8000, 0x0000}},
        {0xFFFF, {0xFFFF, 0xFFFF, 0xEFFF, 0x6FFF}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "register 10 = " << c.reg10);
        sim.poke(10, c.reg10);
        sim.clear_log();
        fpga->update();
        std::vector<sim_op_t> expected{sim_read(10, c.reg10)};
        for (uint16 v : c.writes)
            expected.push_back(sim_write(10, v));
        EXPECT_TRUE(log_is(expected));
        EXPECT_EQ(fpga->read_update_reg(), c.writes.back());
    }
}

TEST_F(DrvFpga, NestedHoldsSetTheBitEachTimeAndOnlyTheOuterEndClearsIt)
{
    sim.poke(36, 0x0001);
    fpga->begin_hold();
    fpga->begin_hold();
    fpga->end_hold();
    EXPECT_EQ(fpga->get_hold_count(), 1);
    fpga->end_hold();
    EXPECT_EQ(fpga->get_hold_count(), 0);
    EXPECT_TRUE(log_is({sim_read(36, 0x0001), sim_write(36, 0x0009), sim_read(36, 0x0009), sim_write(36, 0x0009),
                        sim_read(36, 0x0009), sim_write(36, 0x0001)}));
    // Register 68 carries no hold bit.
    EXPECT_TRUE(sim.writes_to(68).empty());
}

TEST_F(DrvFpga, EndHoldWithoutAHoldWritesNothingAndCountsBelowZero)
{
    fpga->end_hold();
    EXPECT_EQ(fpga->get_hold_count(), -1);
    EXPECT_TRUE(sim.log().empty());
    // The unbalanced count is kept: a later bracket no longer releases the bit.
    fpga->begin_hold();
    fpga->end_hold();
    EXPECT_EQ(fpga->get_hold_count(), -1);
    EXPECT_TRUE(log_is({sim_read(36, 0), sim_write(36, 0x0008)}));
}

TEST_F(DrvFpga, ChipCheckStopsAtTheFirstMismatchWithOneLine)
{
    struct
    {
        std::vector<uint16> reads;
        int32 result;
        std::string text;
    } cases[] = {
        {{0x55, 0xAA}, 1, ""},
        {{0x54}, 0, "chip not ok! write_value:85,read_walue:84\n"},
        {{0x55, 0x55}, 0, "chip not ok! write_value:170,read_walue:85\n"},
        {{0x55, 0}, 0, "chip not ok! write_value:170,read_walue:0\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << c.text);
        sim.clear_log();
        std::vector<sim_op_t> expected{sim_write(2, 0x55), sim_read(2, c.reads[0])};
        if (c.reads.size() > 1) {
            expected.push_back(sim_write(2, 0xAA));
            expected.push_back(sim_read(2, c.reads[1]));
        }
        for (uint16 v : c.reads)
            sim.queue_reads(2, {v});
        stdout_capture_t capture;
        EXPECT_EQ(fpga->check_chip(), c.result);
        EXPECT_EQ(capture.finish(), c.text);
        EXPECT_TRUE(log_is(expected));
    }
}

TEST_F(DrvFpga, ControlRegistersByChannel)
{
    struct
    {
        int32 ch, ctrl, coef;
    } cases[] = {{0, 36, 95}, {1, 68, 93}, {2, 0, 0}, {-1, 0, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(drv_fpga_t::get_ctrl_reg(c.ch), c.ctrl) << c.ch;
        EXPECT_EQ(drv_fpga_t::get_coef_reg(c.ch), c.coef) << c.ch;
    }
    sim.poke(68, 0x0F00);
    fpga->set_ctrl_bit0(1);
    fpga->clear_ctrl_bit0(1);
    fpga->write_ctrl_reg(0, 0x1234);
    EXPECT_EQ(fpga->read_ctrl_reg(0), 0x1234);
    EXPECT_TRUE(log_is({sim_read(68, 0x0F00), sim_write(68, 0x0F01), sim_read(68, 0x0F01), sim_write(68, 0x0F00),
                        sim_write(36, 0x1234), sim_read(36, 0x1234)}));
}

TEST_F(DrvFpga, ThirtyTwoBitValuesReadTheHighRegisterFirst)
{
    sim.poke(113, 0x1234);
    sim.poke(115, 0xFEDC);
    EXPECT_EQ(static_cast<uint32>(fpga->read_reg32(113, 115)), 0xFEDC1234u);
    EXPECT_TRUE(log_is({sim_read(115, 0xFEDC), sim_read(113, 0x1234)}));
}

TEST_F(DrvFpga, RunModeIsKeptPerChannelWithoutARegister)
{
    fpga->set_run_mode(0, 2);
    fpga->set_run_mode(1, 3);
    fpga->set_run_mode(2, 1);
    EXPECT_EQ(fpga->get_run_mode(0), 2);
    EXPECT_EQ(fpga->get_run_mode(1), 3);
    EXPECT_EQ(fpga->get_run_mode(2), 0);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(DrvFpga, ChannelsOtherThanZeroAndOneTouchNoRegister)
{
    const std::vector<uint16> samples(16, 7);
    std::vector<std::pair<const char *, std::function<void(int32)>>> operations = {
        {"set_freq_word", [&](int32 ch) { EXPECT_EQ(fpga->set_freq_word(ch, 123), 0); }},
        {"get_freq_word", [&](int32 ch) { EXPECT_EQ(fpga->get_freq_word(ch), 0u); }},
        {"set_freq_word_rate", [&](int32 ch) { fpga->set_freq_word_rate(ch, 2000000, 123); }},
        {"set_mod_freq", [&](int32 ch) { fpga->set_mod_freq(0, ch, 1000); }},
        {"get_mod_freq_word", [&](int32 ch) { EXPECT_EQ(fpga->get_mod_freq_word(ch), 0u); }},
        {"set_hop_freq", [&](int32 ch) { fpga->set_hop_freq(ch, 1000); }},
        {"set_phase_offset", [&](int32 ch) { fpga->set_phase_offset(ch, 90); }},
        {"read_phase_offset_word",
         [&](int32 ch) {
             uint32 low = 5, high = 6;
             fpga->read_phase_offset_word(ch, &low, &high);
             EXPECT_EQ(low + high, 11u);
         }},
        {"write_rate_recip", [&](int32 ch) { fpga->write_rate_recip(ch, 2000000, 123); }},
        {"write_wave_block", [&](int32 ch) { EXPECT_EQ(fpga->write_wave_block(ch, &samples), 0); }},
        {"write_mod_wave_block", [&](int32 ch) { EXPECT_EQ(fpga->write_mod_wave_block(ch, &samples), 0); }},
        {"write_true_arb_wave_data", [&](int32 ch) { fpga->write_true_arb_wave_data(ch, &samples, 3); }},
        {"write_true_arb_samples", [&](int32 ch) { fpga->write_true_arb_samples(ch, &samples); }},
        {"set_wave_len_pad", [&](int32 ch) { fpga->set_wave_len_pad(ch, 1001); }},
        {"set_sample_rate_mode", [&](int32 ch) { fpga->set_sample_rate_mode(ch, 1); }},
        {"get_sample_rate_mode", [&](int32 ch) { EXPECT_EQ(fpga->get_sample_rate_mode(ch), 0); }},
        {"set_arb_load_enable", [&](int32 ch) { fpga->set_arb_load_enable(ch, true); }},
        {"set_start_offset_load", [&](int32 ch) { fpga->set_start_offset_load(ch, 1); }},
        {"set_start_offset", [&](int32 ch) { fpga->set_start_offset(ch, 70000); }},
        {"set_ctrl_bit0", [&](int32 ch) { fpga->set_ctrl_bit0(ch); }},
        {"clear_ctrl_bit0", [&](int32 ch) { fpga->clear_ctrl_bit0(ch); }},
        {"read_ctrl_reg", [&](int32 ch) { EXPECT_EQ(fpga->read_ctrl_reg(ch), 0); }},
        {"write_ctrl_reg", [&](int32 ch) { fpga->write_ctrl_reg(ch, 0xFFFF); }},
    };
    sim.poke(65, 0x0300); // both channels in sample-rate mode
    for (int32 ch : {2, -1, 0x7FFFFFFF}) {
        for (const auto &[name, operation] : operations) {
            SCOPED_TRACE(testing::Message() << name << ", channel " << ch);
            sim.clear_log();
            stdout_capture_t capture;
            operation(ch);
            EXPECT_EQ(capture.finish(), "");
            EXPECT_TRUE(log_is({}));
        }
    }
}

TEST_F(DrvFpga, DefaultsBothClassesShareAnswerTheirConstantsAndWriteNothing)
{
    drv_fpga_t base;
    for (drv_fpga_t *object : {&base, fpga}) {
        SCOPED_TRACE(object == fpga ? "module's class" : "base class");
        sim.clear_log();
        EXPECT_EQ(object->get_fpga_state(), 0);
        EXPECT_EQ(object->is_fpga_ready(), 1);
        EXPECT_EQ(object->get_prbs_mode(0), 0);
        object->load_fpga_file("config/fpga/other.bin");
        object->set_sample_rate(0, 1e6L);
        object->set_prbs_mode(0, 1);
        object->set_prbs_length(1, 7);
        object->set_prbs_rate(3);
        object->set_pulse_ctrl_bit14(0, 1);
        object->set_pulse_ctrl_bit13(0, 1);
        object->set_pulse_ctrl_bit12(1, 1);
        object->set_pulse_ctrl_bit11(1, 1);
        EXPECT_EQ(object->get_mod_dds_clock(), 1.5e14L);
        EXPECT_EQ(object->get_mod_dds_phase_range(), 140737488355328.0L);
        EXPECT_TRUE(log_is({}));
    }
}

TEST_F(DrvFpga, DefaultsOfTheBaseClassAnswerTheirConstantsAndWriteNothing)
{
    drv_fpga_t base;
    const uint8 data[4] = {1, 2, 3, 4};
    EXPECT_EQ(base.set_ref_out(1), 1);
    EXPECT_EQ(base.get_flash_chunks(nullptr), 1);
    EXPECT_EQ(base.begin_flash_access(), 1);
    EXPECT_EQ(base.begin_boot_flash_access(), 1);
    EXPECT_EQ(base.end_flash_access(), 1);
    EXPECT_EQ(base.get_boot_flash_chunks(nullptr), 1);
    EXPECT_EQ(base.write_boot_image(0, 4, data, nullptr), 1);
    EXPECT_EQ(base.write_flash_data24(0, 4, data), 1);
    base.set_dc_level(0, 1.0L);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpga, CapabilityQueryTellsWhetherTheFlashImageWriterIsTheClassesOwn)
{
    drv_fpga_t base;
    EXPECT_FALSE(base.replaces_write_boot_image());
    EXPECT_TRUE(fpga->replaces_write_boot_image());
}

TEST_F(DrvFpga, OnlyTheModulesClassHasACarrierClock)
{
    drv_fpga_t base;
    EXPECT_EQ(base.get_dds_clock(), 0.0L);
    EXPECT_EQ(base.get_dds_phase_range(), 0.0L);
    EXPECT_EQ(base.read_dds_clock(), 0.0L);
    // Without a clock there is no word (rather than 0/0).
    EXPECT_EQ(base.freq_to_word(1e9L), 0.0L);
    EXPECT_EQ(fpga->get_dds_clock(), 1.25e14L);
    EXPECT_EQ(fpga->read_dds_clock(), 1.25e14L);
    EXPECT_EQ(fpga->get_dds_phase_range(), 281474976710656.0L);
}

TEST(DrvChip, TextSetIsTheTextRead)
{
    drv_fpga_t chip;
    EXPECT_EQ(chip.get_chip_info(), "");
    chip.set_chip_info("b2-m2 test;");
    EXPECT_EQ(chip.get_chip_info(), "b2-m2 test;");
    chip.set_chip_info("");
    EXPECT_EQ(chip.get_chip_info(), "");
}
