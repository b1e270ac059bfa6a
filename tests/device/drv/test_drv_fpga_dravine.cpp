// The second platform's FPGA driver over the simulator (FPGA registers) and heap
// windows (PL registers, DMA controllers, send buffers): start-up and bitstream load,
// the chip check, DMA wave writes, the sample-rate engine, DRP calibration, the
// register overrides, serial frames, and the DRP log and bench routines.
#include "drv_flash_chunk.h"
#include "drv_fpga_dravine.h"
#include "drv_instance_manage.h"
#include "drv_send_buffer.h"
#include "sim_dma_windows.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

// A simulator transport that also has the clock-chip operations of the second
// platform's transport, recording their calls.
class clock_sim_transport_t : public sim_reg_transport_t
{
public:
    using sim_reg_transport_t::sim_reg_transport_t;

    void reg_init_clock_chip() override { ++init_calls; }
    int32 reg_write_clock_chip(uint32 reg, uint32 value) override
    {
        clock_writes.emplace_back(reg, value);
        return 0;
    }
    bool replaces_reg_init_clock_chip() const override { return true; }
    bool replaces_reg_write_clock_chip() const override { return true; }

    int init_calls = 0;
    std::vector<std::pair<uint32, uint32>> clock_writes;
};

std::vector<int32> s_progress;

void record_progress(int32 a, int32 b, int32 c)
{
    s_progress.insert(s_progress.end(), {a, b, c});
}

std::string without_serdes_lines(std::string text)
{
    const std::string line = "reset_k7_serdes\n";
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line))
        text.erase(at, line.size());
    return text;
}

std::vector<uint16> samples(std::size_t n)
{
    std::vector<uint16> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint16>(3 * i + 1);
    return v;
}

class DrvFpgaDravine : public testing::Test
{
protected:
    void SetUp() override
    {
        sim_fpga_t *target = &sim;
        drv_reset_driver_layer();
        drv_set_reg_transport_factory([target] { return std::make_unique<clock_sim_transport_t>(*target); });
        stdout_capture_t capture;
        manager = drv_instance_manage_t::get_instance();
        capture.finish();
        transport = static_cast<clock_sim_transport_t *>(manager->get_reg_transport());
        sim.clear_log();
        s_progress.clear();
    }

    testing::AssertionResult log_is(const std::vector<sim_op_t> &expected) const
    {
        const std::string diff = sim_fpga_t::diff(expected, sim.log());
        if (diff.empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "operation log differs (- expected, + actual):\n" << diff;
    }

    // Brings the last DRP check to "passed" with a check whose error registers read 0.
    void pass_drp_check()
    {
        const std::vector<uint16> pattern(8, 0);
        stdout_capture_t capture;
        fpga.set_and_check_drp_phase(0, pattern);
        capture.finish();
        ASSERT_EQ(fpga.get_drp_state(), 1);
        sim.clear_log();
    }

    sim_fpga_t sim;
    sim_os_recorder_t recorder{sim};
    sim_dma_windows_t windows{{0, 1, 2, 3, 4, 5, 6}};
    drv_instance_manage_t *manager = nullptr;
    clock_sim_transport_t *transport = nullptr;
    drv_fpga_dravine_t fpga;
};

void write_bitstream(const std::vector<uint8> &bytes)
{
    std::filesystem::create_directories("config/fpga");
    std::ofstream out("config/fpga/dravine_k7_fpga.bit", std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

TEST_F(DrvFpgaDravine, ConstructionTouchesNothingAndNamesItsBitstream)
{
    drv_fpga_dravine_t other;
    EXPECT_EQ(other.get_fpga_file(), "config/fpga/dravine_k7_fpga.bit");
    EXPECT_EQ(other.get_drp_phase(), -1);
    EXPECT_EQ(other.get_drp_state(), 0);
    EXPECT_TRUE(sim.log().empty());
    EXPECT_EQ(other.get_dds_clock(), 1.2e15L);
    EXPECT_EQ(other.get_dds_phase_range(), 1125899906842624.0L);
    EXPECT_EQ(other.get_mod_dds_clock(), 3e14L);
    EXPECT_EQ(other.get_mod_dds_phase_range(), 281474976710656.0L);
    drv_flash_chunk_t chunks = {0, 0};
    EXPECT_EQ(other.get_flash_chunks(&chunks), 1);
    EXPECT_EQ(chunks.read_chunk, 1024u);
    EXPECT_EQ(chunks.write_chunk, 256u);
}

TEST_F(DrvFpgaDravine, ChipCheckNamesEveryFailingPart)
{
    struct
    {
        bool k7_fails, pl_fails, drp_passed;
        int32 result;
        const char *info;
    } cases[] = {
        {false, false, true, 1, ""},
        {false, false, false, 0, "drp "},
        {true, false, true, 0, "k7 "},
        {false, true, true, 0, "pl "},
        {true, true, false, 0, "k7 pl drp "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.info);
        drv_fpga_dravine_t chip;
        if (c.drp_passed) {
            const std::vector<uint16> pattern(8, 0);
            stdout_capture_t quiet;
            chip.set_and_check_drp_phase(0, pattern);
            quiet.finish();
        }
        if (c.k7_fails)
            sim.queue_reads(2, {0});
        if (c.pl_fails)
            windows.queue_reads(3, {0});
        stdout_capture_t capture;
        EXPECT_EQ(chip.check_chip(), c.result);
        const std::string text = capture.finish();
        EXPECT_EQ(chip.get_chip_info(), c.info);
        const std::size_t messages = c.k7_fails + c.pl_fails;
        EXPECT_EQ(text, messages == 0   ? ""
                        : messages == 1 ? "chip not ok! write_value:85,read_walue:0\n"
                                        : "chip not ok! write_value:85,read_walue:0\n"
                                          "chip not ok! write_value:85,read_walue:0\n");
    }
}

TEST_F(DrvFpgaDravine, WaveBlockTravelsByDmaIntoTheWaveMemory)
{
    const std::vector<uint16> wave = samples(1000);
    EXPECT_EQ(fpga.write_wave_block(0, &wave), 1);
    EXPECT_TRUE(log_is({sim_read(65, 0), sim_write(65, 0), sim_read(221, 0), sim_write(221, 0x4), sim_read(221, 0x4),
                        sim_write(221, 0xC), sim_read(36, 0), sim_write(36, 0), sim_read(36, 0), sim_write(36, 1),
                        sim_write(81, 1000), sim_write(85, 0), sim_read(221, 0xC), sim_write(221, 0x8), sim_sleep(1),
                        sim_read(221, 0x8), sim_write(221, 0)}));
    EXPECT_EQ(windows.writes_to(368), (std::vector<uint32>{0, 1}));
    EXPECT_EQ(windows.writes_to(369), (std::vector<uint32>{1, 0}));
    EXPECT_EQ(windows.writes_to(370), (std::vector<uint32>{0, 1}));
    EXPECT_EQ(windows.writes_to(371), (std::vector<uint32>{1000}));
    EXPECT_EQ(windows.writes_to(372), (std::vector<uint32>{0}));
    EXPECT_EQ(windows.reg(16), 0u);

    const drv_send_buffer_t *buffer = drv_send_buffer_get(0, 1, 0);
    EXPECT_EQ(buffer->size, 2000);
    EXPECT_EQ(std::memcmp(buffer->data, wave.data(), 2000), 0);
    EXPECT_EQ(windows.dma(0, DRV_DMA_CONTROL), DRV_DMA_CONTROL_RESET | DRV_DMA_CONTROL_RUN);
    EXPECT_EQ(windows.dma(0, DRV_DMA_TAIL_DESC), DRV_SEND_BUFFER_PHYS[4]);

    sim.clear_log();
    EXPECT_EQ(fpga.write_wave_block(2, &wave), 0);
    EXPECT_EQ(fpga.write_wave_block(0, nullptr), 0);
    // An empty wave does not restart the transfer of the one before.
    const std::vector<uint16> empty;
    windows.dma(0, DRV_DMA_CONTROL) = 0;
    EXPECT_EQ(fpga.write_wave_block(0, &empty), 1);
    EXPECT_TRUE(sim.log().empty());
    EXPECT_EQ(windows.dma(0, DRV_DMA_CONTROL), 0u);
}

TEST_F(DrvFpgaDravine, ModulatingWaveLeavesPrbsAndUsesItsOwnTargetAndBuffer)
{
    windows.reg(17) = 0x3;
    const std::vector<uint16> wave = samples(300);
    EXPECT_EQ(fpga.write_mod_wave_block(1, &wave), 1);
    EXPECT_EQ(windows.reg(17), 0x1u);
    // Route bit 1 and modulating-wave target bit 9 of register 221.
    EXPECT_EQ(sim.writes_to(221), (std::vector<uint16>{0x002, 0x202, 0x200, 0x000}));
    EXPECT_EQ(windows.writes_to(376), (std::vector<uint32>{300}));
    EXPECT_EQ(drv_send_buffer_get(1, 0, 0)->size, 600);
    EXPECT_EQ(drv_send_buffer_get(1, 1, 0)->size, 0);
}

TEST_F(DrvFpgaDravine, SampleRateWaveRepeatsIntoItsBufferAndStartsTheEngineCyclic)
{
    fpga.set_progress_callback(record_progress);
    const std::vector<uint16> wave = samples(1024);
    stdout_capture_t capture;
    fpga.write_true_arb_wave_data(0, &wave, 5);
    EXPECT_EQ(capture.finish(),
              "drv_fpga_dravine_t::write_true_arb_wave_data++\ndrv_fpga_dravine_t::write_true_arb_wave_data--\n");

    EXPECT_EQ(drv_send_buffer_get(0, 1, 1)->size, 8380416);
    EXPECT_EQ(windows.dma(0, DRV_DMA_CONTROL), 0x15u);
    EXPECT_EQ(windows.dma(0, DRV_DMA_TAIL_DESC), 0x50u);
    // Rate-mode bit 10 pulsed and left clear, arb-enable bit 8 set.
    EXPECT_EQ(windows.writes_to(16), (std::vector<uint32>{0x400, 0x500, 0x500, 0x100}));
    EXPECT_EQ(windows.writes_to(368), (std::vector<uint32>{0, 0, 1}));
    EXPECT_EQ(windows.writes_to(370), (std::vector<uint32>{0, 1}));
    EXPECT_EQ(sim.last_write(81), 1024);
    EXPECT_EQ(sim.last_write(75), 5);
    EXPECT_EQ(sim.writes_to(221), (std::vector<uint16>{0x4, 0x0}));
    // The update hold brackets it all, and the 100 ms wait lies inside.
    EXPECT_EQ(sim.writes_to(36).front(), 0x8);
    EXPECT_EQ(sim.writes_to(36).back(), 0x0);
    EXPECT_EQ(fpga.get_hold_count(), 0);
    EXPECT_EQ(sim.slept_ms(), 100u);
}

TEST_F(DrvFpgaDravine, PrbsRateStartsTheEngineWithOneSample)
{
    fpga.set_prbs_rate(1);
    EXPECT_EQ(sim.last_write(83), 1);
    EXPECT_EQ(sim.last_write(89), 0);
    EXPECT_EQ(sim.last_write(61), 0);
    EXPECT_EQ(windows.reg(16), 0x200u);
    EXPECT_EQ(windows.writes_to(373), (std::vector<uint32>{0, 0, 1}));
    EXPECT_EQ(windows.writes_to(375), (std::vector<uint32>{0, 1}));
}

TEST_F(DrvFpgaDravine, DrpCalibrationKeepsTheMiddleOfTheErrorFreeRun)
{
    struct
    {
        std::vector<uint16> results;
        uint16 check_error;
        int32 phase_written, drp_phase;
        uint8 state;
        std::string text;
    } cases[] = {
        {{1, 0, 0, 0, 0, 1, 1, 1}, 0, 2, 2, 1, ""},
        {{0, 0, 1, 1, 1, 1, 0, 0}, 0, 7, 7, 1, ""},
        {{0, 0, 0, 0, 0, 0, 0, 0}, 0, 7, 7, 1, "drv_fpga_dravine_t::fpga_drp_dynamic_reconfig_phase: eight zero!!!!!!\n"},
        {{0, 4, 0, 1, 0, 1, 0, 1}, 0, 3, -1, 1,
         "drv_fpga_dravine_t::fpga_drp_dynamic_reconfig_phase: while(1)\n"
         "state record:  0,  4,  0,  1,  0,  1,  0,  1\n"},
        {{1, 0, 0, 0, 0, 1, 1, 1}, 2, 2, 2, 0, "drp config recycle set state fail! stop!\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        drv_fpga_dravine_t chip;
        chip.set_progress_callback(record_progress);
        sim.clear_log();
        s_progress.clear();
        const std::size_t blocks0 = windows.writes_to(371).size();
        const std::size_t blocks1 = windows.writes_to(376).size();
        for (uint16 r : c.results)
            sim.queue_reads(187, {r});
        sim.queue_reads(187, {0, 0, 0, 0, 0, 0, 0, 0, 0, c.check_error});
        stdout_capture_t capture;
        chip.fpga_drp_dynamic_reconfig_phase();
        EXPECT_EQ(without_serdes_lines(capture.finish()), c.text);
        EXPECT_EQ(sim.last_write(191), c.phase_written);
        EXPECT_EQ(chip.get_drp_phase(), c.drp_phase);
        EXPECT_EQ(chip.get_drp_state(), c.state);
        EXPECT_EQ(sim.writes_to(103), (std::vector<uint16>{1, 0}));
        // Eight phase tests and ten checks, each a wave block per channel.
        EXPECT_EQ(windows.writes_to(371).size() - blocks0, 18u);
        EXPECT_EQ(windows.writes_to(376).size() - blocks1, 18u);
        EXPECT_EQ(s_progress, (std::vector<int32>{2, 50, 0, 2, 100, 0}));
    }
}

TEST_F(DrvFpgaDravine, DrpPhaseChoiceFromTheEightResults)
{
    struct
    {
        uint32 results[8];
        int32 phase;
        bool eight_zero;
    } cases[] = {
        {{1, 0, 0, 0, 0, 1, 1, 1}, 2, false},  // run 1-4, sum 10, length 4
        {{0, 0, 1, 1, 1, 1, 0, 0}, 7, false},  // run 6-9 through the doubled table: 30 / 4
        {{0, 0, 0, 0, 0, 0, 0, 0}, 7, true},
        {{0, 1, 1, 1, 1, 1, 0, 0}, 7, false},  // run 6-8: 21 / 3
        {{1, 1, 1, 1, 1, 0, 0, 0}, 6, false},  // run 5-8: 26 / 4
        {{1, 1, 1, 1, 1, 1, 0, 0}, -1, false}, // only two in a row, also wrapped
        {{0, 0, 0, 1, 1, 1, 1, 1}, 1, false},
        {{1, 1, 1, 1, 1, 1, 1, 0}, -1, false},
    };
    for (const auto &c : cases) {
        bool eight_zero = !c.eight_zero;
        EXPECT_EQ(drv_fpga_dravine_t::choose_drp_phase(c.results, &eight_zero), c.phase);
        EXPECT_EQ(eight_zero, c.eight_zero);
    }
    const std::vector<uint16> pattern = drv_fpga_dravine_t::make_drp_pattern();
    ASSERT_EQ(pattern.size(), 131072u);
    EXPECT_EQ(pattern[0], 0);
    EXPECT_EQ(pattern[1], 0);
    EXPECT_EQ(pattern[2], 1);
    EXPECT_EQ(pattern[131071], 65535);
}

TEST_F(DrvFpgaDravine, DrpPhaseStepLoadsThePhaseAndRestartsTheLink)
{
    pass_drp_check();
    sim.queue_reads(191, {0x0005, 0x0005, 0x8005});
    stdout_capture_t capture;
    EXPECT_EQ(fpga.set_drp_phase(13), 1);
    EXPECT_EQ(capture.finish(), "reset_k7_serdes\n");
    EXPECT_TRUE(log_is({sim_write(191, 5), sim_read(191, 5), sim_write(191, 5), sim_write(191, 0xD),
                        sim_write(191, 5), sim_read(191, 5), sim_sleep(1), sim_read(191, 0x8005), sim_sleep(10),
                        sim_sleep(10), sim_read(221, 0), sim_write(221, 0), sim_write(221, 0x80), sim_write(221, 0),
                        sim_sleep(10)}));
    EXPECT_EQ(fpga.get_drp_state(), 1);
    // A phase that never reports ready marks the link check failed.
    stdout_capture_t quiet;
    fpga.set_drp_phase(2);
    quiet.finish();
    EXPECT_EQ(fpga.get_drp_state(), 0);
    EXPECT_EQ(sim.writes_to(191).size(), 8u);
}

TEST_F(DrvFpgaDravine, RegisterOverridesOfThePlatform)
{
    EXPECT_EQ(fpga.set_freq_word(1, 0x3123456789ABCull), 1);
    EXPECT_EQ(sim.compact(), "0x30=0x9abc 0x32=0x5678 0x34=0x1234 0x97=0x3");
    EXPECT_EQ(fpga.set_freq_word(2, 1), 0);

    sim.clear_log();
    sim.poke(196, 0x0001);
    fpga.set_pulse_ctrl_bit14(0, 1);
    fpga.set_pulse_ctrl_bit13(0, 7);
    fpga.set_pulse_ctrl_bit14(0, 0);
    fpga.set_pulse_ctrl_bit11(1, 1);
    fpga.set_pulse_ctrl_bit12(1, 1);
    fpga.set_pulse_ctrl_bit12(2, 1);
    EXPECT_EQ(sim.compact(), "0xc4=0x4001 0xc4=0x6001 0xc4=0x2001 0xd4=0x800 0xd4=0x1800");

    sim.clear_log();
    fpga.set_digital_gain(0, 0.0L);
    fpga.set_digital_gain(1, -20.0L);
    EXPECT_EQ(sim.compact(), "0x21=0x8000 0x23=0xccc");

    sim.clear_log();
    sim.poke(36, 0x0040);
    EXPECT_EQ(fpga.set_default_filter_coefs(0), 1);
    EXPECT_EQ(sim.compact(), "0x24=0x1040 0x24=0x40 0x24=0x1040 0x5f=0xffb6 0x5f=0x96 0x5f=0xfed7 0x5f=0x20a "
                             "0x5f=0xfc9f 0x5f=0x560 0x5f=0xf789 0x5f=0xdb9 0x5f=0xe6d5 0x5f=0x4f29");

    windows.reg(0) = 0x5A;
    windows.reg(146) = 0x1234;
    windows.reg(147) = 0x5678;
    windows.reg(148) = 0x9ABC;
    EXPECT_EQ(fpga.get_fpga_state(), 0x5A);
    EXPECT_EQ(fpga.get_reg_word48(), 0x123456789ABCull);
}

TEST_F(DrvFpgaDravine, SampleRateProgramsTheLowRateBitAndTheRateWords)
{
    struct
    {
        int32 ch;
        long double rate;
        uint16 reg65, reg133;
        const char *writes;
    } cases[] = {
        {0, 100.0L, 0x0000, 0xAB00, "0x41=0x4000 0x85=0xab64 0x81=0x0"},
        {1, 1000000.0L, 0xC000, 0x12CD, "0x41=0x4000 0x85=0xfcd 0x83=0x4240"},
        {0, 255.5L, 0x0000, 0x0000, "0x41=0x4000 0x85=0xff 0x81=0x8000"},
        {0, 256.0L, 0x4000, 0x0000, "0x41=0x0 0x85=0x0 0x81=0x100"},
        {2, 100.0L, 0x0000, 0x0000, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.writes);
        sim.clear_log();
        sim.poke(65, c.reg65);
        sim.poke(133, c.reg133);
        fpga.set_sample_rate(c.ch, c.rate);
        EXPECT_EQ(sim.compact(), c.writes);
    }
}

TEST_F(DrvFpgaDravine, PrbsModeAndLengthLiveInPlRegister17)
{
    fpga.set_prbs_mode(0, 1);
    fpga.set_prbs_mode(1, 1);
    EXPECT_EQ(windows.reg(17), 0x3u);
    fpga.set_prbs_mode(1, 2);
    EXPECT_EQ(windows.reg(17), 0x1u);
    EXPECT_EQ(fpga.get_prbs_mode(0), 1);
    EXPECT_EQ(fpga.get_prbs_mode(1), 0);
    fpga.set_prbs_length(0, 8);
    EXPECT_EQ(windows.reg(17), 0x1u | (7u << 6));
    fpga.set_prbs_length(1, 0);
    EXPECT_EQ(windows.reg(17), 0x1u | (7u << 6) | (31u << 11));
    fpga.set_prbs_length(1, 33);
    EXPECT_EQ(windows.reg(17), 0x1u | (7u << 6));
}

TEST_F(DrvFpgaDravine, SerialFramesCarryAddressAndDataWithoutIdleWords)
{
    EXPECT_EQ(fpga.serial_frame_write(24, 0xFFD8, 0x1A, 0x0020), 1);
    ASSERT_EQ(sim.log().size(), 1u);
    const std::vector<uint16> &frame = sim.log()[0].words;
    ASSERT_EQ(frame.size(), 49u);
    uint32 word = 0;
    for (std::size_t bit = 0; bit < 24; ++bit) {
        EXPECT_EQ(frame[2 * bit + 1], frame[2 * bit] | 1);
        word = (word << 1) | ((frame[2 * bit] >> 1) & 1u);
    }
    EXPECT_EQ(word, 0x1A0020u);
    EXPECT_EQ(frame[48], frame[46]);

    sim.clear_log();
    sim.queue_reads(242, {0xBEEF});
    EXPECT_EQ(fpga.serial_frame_read(24, 0xFFD8, 0x05), 0xBEEF);
    ASSERT_EQ(sim.log().size(), 2u);
    word = 0;
    for (std::size_t bit = 0; bit < 24; ++bit)
        word = (word << 1) | ((sim.log()[0].words[2 * bit] >> 1) & 1u);
    EXPECT_EQ(word, 0x850000u);
}

TEST_F(DrvFpgaDravine, StartUpWithoutBitstreamReportsAndStopsWithoutExiting)
{
    stdout_capture_t capture;
    fpga.init_fpga();
    EXPECT_EQ(capture.finish(), "drv_fpga_dravine_t::load_fpga_file= config/fpga/dravine_k7_fpga.bit\n"
                                "[ERROR]:cannot open file:config/fpga/dravine_k7_fpga.bit\n");
    EXPECT_EQ(transport->clock_writes, (std::vector<std::pair<uint32, uint32>>{{278, 248}}));
    EXPECT_EQ(transport->init_calls, 0);
    EXPECT_TRUE(sim.writes().empty());
    // The PL was opened (map select and map register) and reset, with its 3 ms wait.
    EXPECT_EQ(windows.writes_to(16), (std::vector<uint32>{0x1000, 0, 0x40, 0, 0, 0x80, 0}));
    EXPECT_EQ(windows.writes_to(224), (std::vector<uint32>{1}));
    EXPECT_EQ(windows.writes_to(3), (std::vector<uint32>{85, 170, 85, 85, 170}));
    EXPECT_TRUE(log_is({sim_sleep(3)}));
}

TEST_F(DrvFpgaDravine, StartUpLoadsTheBitstreamStartsTheChipsAndCalibratesTheLink)
{
    write_bitstream({0x01, 0x80, 0xF0, 0x35});
    // The init line: low through the first pass, then high once programming starts.
    windows.queue_reads(104, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    windows.reg(108) = 1;
    fpga.set_progress_callback(record_progress);
    stdout_capture_t capture;
    fpga.init_fpga();
    const std::string text = without_serdes_lines(capture.finish());
    EXPECT_EQ(text, "drv_fpga_dravine_t::load_fpga_file= config/fpga/dravine_k7_fpga.bit\n"
                    "reset_k7_fpga\n"
                    "drv_fpga_dravine_t::fpga_drp_dynamic_reconfig_phase: eight zero!!!!!!\n");
    EXPECT_EQ(windows.writes_to(112), (std::vector<uint32>{0x80, 0x01, 0x0F, 0xAC}));
    EXPECT_EQ(windows.reads_of(104), 11);
    EXPECT_EQ(transport->init_calls, 1);
    EXPECT_EQ(s_progress, (std::vector<int32>{2, 0, 0, 2, 10, 0, 2, 50, 0, 2, 100, 0}));
    EXPECT_EQ(fpga.get_drp_phase(), 7);
    EXPECT_EQ(fpga.check_chip(), 1);
}

TEST_F(DrvFpgaDravine, BitstreamShiftIsRetriedOnceAndBoundedWhenTheFpgaDoesNotAnswer)
{
    write_bitstream({0x12, 0x34});
    struct
    {
        uint32 init_line;
        int reads;
    } cases[] = {
        {0, 2 * (10 + 10)},  // never ready to take data
        {1, 2 * 1000},       // never leaves its programmed state
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.init_line);
        sim_dma_windows_t own;
        own.reg(104) = c.init_line;
        stdout_capture_t capture;
        EXPECT_EQ(fpga.load_fpga_file("config/fpga/dravine_k7_fpga.bit"), 1);
        capture.finish();
        EXPECT_EQ(own.reads_of(104), c.reads);
        EXPECT_TRUE(own.writes_to(112).empty());
    }
}

TEST(DrvDrpLog, RecordIsTwentyBytesCutToNineteenCharacters)
{
    struct
    {
        uint32 a, b;
        const char *text;
    } cases[] = {
        {0x1, 0x2, "1,2;     "},
        {0xABCDEF, 0x10, "abcdef,10;     "},
        {0xFFFFFFFF, 0xFFFFFFFF, "ffffffff,ffffffff; "},
    };
    for (const auto &c : cases) {
        char record[20];
        std::memset(record, 'x', sizeof record);
        drv_drp_log_format(record, c.a, c.b);
        char expected[20] = {};
        std::memcpy(expected, c.text, std::strlen(c.text));
        EXPECT_EQ(std::memcmp(record, expected, sizeof record), 0) << c.text;
    }

    EXPECT_EQ(drv_drp_log_record("drp_log.txt", 0x3, 0x4), 1);
    EXPECT_EQ(drv_drp_log_line_end("drp_log.txt"), 1);
    EXPECT_EQ(drv_drp_log_record("drp_log.txt", 0x5, 0x6), 1);
    std::ifstream in("drp_log.txt", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 43u);
    EXPECT_EQ(bytes.substr(0, 9), "3,4;     ");
    EXPECT_EQ(bytes.substr(20, 3), std::string("\r\n\0", 3));
    EXPECT_EQ(bytes.substr(23, 9), "5,6;     ");
    EXPECT_EQ(drv_drp_log_record("no/such/dir/drp_log.txt", 1, 2), 0);
}

TEST_F(DrvFpgaDravine, BenchRoutinesRunThroughTheHooksAndStopAtTheFirstFailingAddress)
{
    EXPECT_EQ(drv_drp_bench(2, 1, 0), 1);
    EXPECT_TRUE(sim.log().empty());
    EXPECT_EQ(drv_drp_bench(2, 0, 0), 1);
    EXPECT_TRUE(log_is({sim_shell("rm /usr/bin/korvane/log/drp_log.txt")}));

    sim.clear_log();
    stdout_capture_t capture;
    EXPECT_EQ(drv_drp_bench(0, 0, 6), 1);
    capture.finish();
    EXPECT_EQ(sim.writes_to(191).front(), 6);

    sim.clear_log();
    sim.queue_reads(137, {0});
    sim.queue_reads(139, {0x0021});
    EXPECT_EQ(drv_mem_bench(), 0);
    const std::vector<sim_op_t> &log = sim.log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], sim_shell("mount -o remount,rw /"));
    EXPECT_EQ(log[1], sim_shell("sync"));
    EXPECT_EQ(log[2], sim_shell("rm /usr/bin/korvane/log/drp_log.txt"));
    // One pass of both channels, then the bench gave up.
    EXPECT_EQ(sim.writes_to(129).size(), 2u);
}

TEST_F(DrvFpgaDravine, MemoryTestOfAChannelPulsesItsBitsAroundTheWaits)
{
    sim.queue_reads(139, {0x0007});
    EXPECT_EQ(drv_mem_test(1, 0x0123ABCD, 0x4000000), 7);
    EXPECT_EQ(sim.compact(), "0xa1=0x40 0xa1=0x0 0x81=0xabcd 0x83=0x123 0x85=0x0 0x87=0x400 0xa1=0x20 0xa1=0x0 "
                             "0xa1=0x4 0xa1=0x0 0xa1=0x8 0xa1=0x0");
    EXPECT_EQ(sim.slept_ms(), 2500u);
    EXPECT_EQ(drv_mem_test(2, 0, 0), 0);
}
