// The amplitude and offset driver over the register simulator, with the default
// calibration record. Expected codes come from data/gen_amp_codes.py (the range table,
// the gain formula, the inverted DAC line and the offset DAC, rounded as the driver
// rounds).
#include "cali.h"
#include "drv_amp.h"
#include "drv_amp_vextral.h"
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "drv_hc595.h"
#include "drv_para.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();

class DrvAmp : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        amp = manager->get_amp();
        // Continuous: the AM headroom check does not read the modulation register.
        fpga->set_run_mode(0, 3);
        fpga->set_run_mode(1, 3);
    }

    drv_amp_t *amp = nullptr;
};

// The writes of one amplitude change on channel 0 with the output relay open: the relay
// word (channel 0 only), the digital gain, the wave DAC reference, the offset DAC.
std::vector<sim_op_t> change_writes(int32 ch, int32 word, uint16 gain, uint16 ref, uint16 offset)
{
    std::vector<sim_op_t> log;
    if (ch == 0)
        log.push_back(sim_write(24, static_cast<uint16>(word)));
    log.push_back(sim_write(ch == 0 ? 33 : 35, gain));
    log.push_back(sim_write(ch == 0 ? 41 : 43, ref));
    log.push_back(sim_write(ch == 0 ? 132 : 134, offset));
    return log;
}

std::vector<sim_op_t> with(std::vector<sim_op_t> first, const std::vector<sim_op_t> &more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

} // namespace

TEST_F(DrvAmp, AmplitudeOffsetAndLoadGiveTheRangeGainReferenceAndOffsetCodes)
{
    struct
    {
        long double ampl, offset, load;
        int32 word;
        uint16 gain, ref, offset_code;
    } cases[] = {
        // 2.0 V open circuit: word 4 with 10 dB, g = 0 + (20 - 10) - 1.85.
        {1.0L, 0.0L, 50.0L, 4, 317, 11661, 100},
        // Just above 2.0 V: no attenuation.
        {1.0000001L, 0.0L, 50.0L, 4, 1024, 3724, 100},
        {0.5L, 0.1L, 50.0L, 4, 317, 5857, 659},
        // High impedance: the factor 1.00005 lifts 0.2 V into the next row.
        {0.2L, 0.0L, 1000000.0L, 0, 1024, 3724, 120},
        {0.05L, 0.0L, 50.0L, 0, 317, 5857, 120},
        {0.02L, 0.0L, 50.0L, 2, 1024, 7395, 120},
        // A negative offset code wraps to 16 bits.
        {0.005L, -0.0025L, 50.0L, 2, 317, 5857, 65517},
        {0.001L, 0.0L, 50.0L, 2, 103, 3724, 120},
        // The high-offset column from abs(O) = 0.7 on; just below it the low column.
        {0.2L, 0.5L, 50.0L, 4, 103, 7395, 2898},
        {0.2L, 0.35, 50.0L, 4, 103, 7395, 2058},
        {0.2L, 0.3499999L, 50.0L, 0, 1024, 7395, 19707},
        {0.01L, -1.0L, 50.0L, 6, 32, 11661, 60040},
        // Above the table: word 0 without attenuation, the top of the DAC line.
        {4.0L, 0.0L, 50.0L, 0, 1024, 13106, 120},
        // Amplitude 0: the DC range from the offset, no attenuation, the reference of 0 V.
        {0.0L, 0.3L, 50.0L, 2, 1024, 1092, 16909},
        {0.0L, -0.5L, 50.0L, 6, 1024, 1092, 62838},
    };
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", ampl " << static_cast<double>(c.ampl)
                                            << ", offset " << static_cast<double>(c.offset) << ", load "
                                            << static_cast<double>(c.load));
            sim.clear_log();
            drv_ampl_para_t para{c.ampl, c.offset, c.load, 1000.0L};
            EXPECT_EQ(amp->set_ampl_offset(fpga, ch, &para), 1);
            EXPECT_TRUE(log_is(with({sim_read(158, 0)}, change_writes(ch, c.word, c.gain, c.ref, c.offset_code))));
            EXPECT_EQ(para.ampl, c.ampl);
            EXPECT_EQ(amp->get_applied_range(ch), c.word);
        }
    }
}

TEST_F(DrvAmp, AmHeadroomScalesTheCallersAmplitude)
{
    fpga->set_run_mode(0, 0);
    sim.poke(40, 0x0002); // AM
    drv_ampl_para_t para{1.0L, 0.0L, 50.0L, 1000.0L};
    amp->set_ampl_offset(fpga, 0, &para);
    EXPECT_EQ(para.ampl, 1.0L * 1.1L);
    // 2.2 V open circuit: word 4 without attenuation.
    EXPECT_TRUE(log_is(with({sim_read(158, 0), sim_read(40, 2)}, change_writes(0, 4, 1024, 4091, 100))));

    // Another modulation type, or a run mode other than modulation, keeps it.
    sim.poke(40, 0x0004); // FM
    para.ampl = 1.0L;
    amp->set_ampl_offset(fpga, 0, &para);
    EXPECT_EQ(para.ampl, 1.0L);
    fpga->set_run_mode(0, 2);
    sim.poke(40, 0x0002);
    amp->set_ampl_offset(fpga, 0, &para);
    EXPECT_EQ(para.ampl, 1.0L);
}

TEST_F(DrvAmp, CorrectionsFromTheRecordLowerTheGain)
{
    cali_t *cali = cali_get_instance();
    // Below 1 MHz: the step correction of (low offset, step 1) for 2.0 V.
    cali->set_low_freq_resp_comp(0, 0, 1, 1.5L);
    drv_ampl_para_t para{1.0L, 0.0L, 50.0L, 1000.0L};
    amp->set_ampl_offset(fpga, 0, &para);
    EXPECT_EQ(sim.last_write(41), 13106);
    // A noise wave (-1 Hz) takes the same path.
    para.freq = -1.0L;
    amp->set_ampl_offset(fpga, 0, &para);
    EXPECT_EQ(sim.last_write(41), 13106);
    // From 1 MHz on: the frequency correction of the high sheet (word 4), 1.5 dB at 10 MHz.
    cali->set_low_freq_resp_comp(0, 0, 1, 0.0L);
    cali->set_freq_data_compensate(0, 1, 2, 1.5L);
    para.freq = 10000000.0L;
    amp->set_ampl_offset(fpga, 0, &para);
    EXPECT_EQ(sim.last_write(41), 13106);
    para.freq = 1000.0L;
    amp->set_ampl_offset(fpga, 0, &para);
    EXPECT_EQ(sim.last_write(41), 11661);
}

TEST_F(DrvAmp, ClosedOutputRelayOpensAroundARangeChangeAndClosesAfterEveryChange)
{
    sim.poke(158, 0x0001);
    drv_ampl_para_t para{1.0L, 0.0L, 50.0L, 1000.0L};
    amp->set_ampl_offset(fpga, 0, &para);
    // The first word (4) differs from the applied 0: opened, 3 ms, writes, 3 ms, closed
    // with its 5 ms.
    std::vector<sim_op_t> expected{sim_read(158, 1), sim_read(158, 1), sim_write(158, 0), sim_sleep(3)};
    expected = with(expected, change_writes(0, 4, 317, 11661, 100));
    expected = with(expected, {sim_sleep(3), sim_read(158, 0), sim_write(158, 1), sim_sleep(5)});
    EXPECT_TRUE(log_is(expected));

    // The same word again: not opened, but still 3 ms and a close.
    sim.clear_log();
    amp->set_ampl_offset(fpga, 0, &para);
    expected = with({sim_read(158, 1)}, change_writes(0, 4, 317, 11661, 100));
    expected = with(expected, {sim_sleep(3), sim_read(158, 1), sim_write(158, 1), sim_sleep(5)});
    EXPECT_TRUE(log_is(expected));

    // Down to word 0 (0.4 V open circuit): opened again.
    sim.clear_log();
    para.ampl = 0.2L;
    amp->set_ampl_offset(fpga, 0, &para);
    expected = {sim_read(158, 1), sim_read(158, 1), sim_write(158, 0), sim_sleep(3)};
    expected = with(expected, change_writes(0, 0, 1024, 7395, 120));
    expected = with(expected, {sim_sleep(3), sim_read(158, 0), sim_write(158, 1), sim_sleep(5)});
    EXPECT_TRUE(log_is(expected));
}

TEST_F(DrvAmp, RangeStateReportsTheHighRangeBitGoingUpAndDown)
{
    // 1 when bit 2 comes on (the overload driver is told first), 0 when it goes off
    // (told last), 2 when it stays; the remembered word changes only with the bit.
    struct
    {
        long double ampl, offset;
        int32 change, state;
    } steps[] = {
        {2.0L, 0.0L, 1, 4},   {2.0L, 0.0L, 2, 4}, {0.4L, 0.0L, 0, 0}, {0.04L, 0.0L, 2, 0},
        {0.04L, 1.0L, 1, 6},  {3.0L, 0.0L, 2, 6}, {8.0L, 0.0L, 0, 0}, {NaN, 0.0L, 2, 0},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(testing::Message() << "ampl " << static_cast<double>(s.ampl) << " offset "
                                        << static_cast<double>(s.offset));
        EXPECT_EQ(amp->update_range_state(0, s.ampl, s.offset), s.change);
        EXPECT_EQ(amp->get_range_state(0), s.state);
    }
    // DC levels: 6 above 0.7 V.
    EXPECT_EQ(amp->update_dc_range_state(1, 0.71L), 1);
    // The limit is the double constant 0.7; 0.7L lies above it.
    EXPECT_EQ(amp->update_dc_range_state(1, 0.7), 0);
    EXPECT_EQ(amp->update_dc_range_state(2, 5.0L), 2);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvAmp, DcLevelSetsTheReferenceForZeroThenTheOffsetDacAlone)
{
    sim.poke(158, 0x0001);
    EXPECT_EQ(amp->set_dc_level(fpga, 0, 1.0L), 1);
    // 6 for 1.0 V: the high set, 100 + 2798.
    std::vector<sim_op_t> expected{sim_write(41, 1092), sim_read(158, 1), sim_read(158, 1), sim_write(158, 0),
                                   sim_sleep(3),        sim_write(24, 6),  sim_write(132, 2898), sim_sleep(3),
                                   sim_read(158, 0),    sim_write(158, 1), sim_sleep(5)};
    EXPECT_TRUE(log_is(expected));
    EXPECT_EQ(amp->get_applied_range(0), 6);

    // The zero level with the relay open: word 2, the low set's zero code.
    sim.poke(158, 0);
    sim.clear_log();
    amp->set_zero_level(fpga, 0);
    EXPECT_TRUE(log_is({sim_write(41, 1092), sim_read(158, 0), sim_write(24, 2), sim_write(132, 120)}));
}

TEST_F(DrvAmp, ChannelsOtherThanZeroAndOneWriteNothing)
{
    drv_ampl_para_t para{1.0L, 0.0L, 50.0L, 1000.0L};
    EXPECT_EQ(amp->set_ampl_offset(fpga, 2, &para), 0);
    EXPECT_EQ(amp->set_ampl_offset(fpga, -1, &para), 0);
    EXPECT_EQ(amp->set_dc_level(fpga, 2, 0.5L), 0);
    EXPECT_EQ(amp->set_ampl_offset(fpga, 0, nullptr), 0);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvAmp, ModuleRelaysConstantsAndConversions)
{
    EXPECT_NE(dynamic_cast<drv_amp_vextral_t *>(amp), nullptr);
    EXPECT_EQ(amp->get_range_switch_mask(), 4);
    EXPECT_EQ(amp->get_overload_range_mask(), 4);
    EXPECT_EQ(amp->get_range_up_code(), 1);
    EXPECT_EQ(amp->get_range_down_code(), 0);

    // Relays 1 and 2 are relay-word bits 1 and 2; relay 3 does not exist here.
    amp->set_range_relay_1(0, 1);
    amp->set_range_relay_2(0, 1);
    amp->set_range_relay_3(0, 1);
    amp->clear_range_relays(0);
    amp->set_range_relays(0);
    EXPECT_EQ(sim.writes_to(24), (std::vector<uint16>{2, 6, 4, 0, 2, 6}));
    sim.clear_log();

    EXPECT_EQ(amp->get_output_impedance(), 50.0L);
    EXPECT_EQ(amp->get_default_level(), 0.0L);
    EXPECT_EQ(amp->get_sample_clock(), 150000000.0L);
    EXPECT_EQ(amp->get_noise_stdev_factor(123.0L), 0.05L);
    EXPECT_EQ(amp->get_noise_max_stdev(1e6L, 0.3L), 0.3L);
    EXPECT_EQ(amp->get_noise_ampl_factor(0, 1e6L, 0.3L), 0.3L);
    EXPECT_NEAR(static_cast<double>(amp->get_noise_ampl_factor(1, 20000000.0L, 1.0L)), 2.2262, 1e-4);

    long double out = -1;
    EXPECT_EQ(amp->convert_ampl_for_load(50.0L, 1.0L, &out), 1);
    EXPECT_EQ(out, 2.0L);
    EXPECT_EQ(amp->convert_ampl_for_load(1000000.0L, 1.0L, &out), 1);
    EXPECT_EQ(out, 1.00005L);
    EXPECT_EQ(amp->convert_ampl_for_load(50.0L, 1.0L, nullptr), 0);

    // Steps and DC ranges; a step above the table is left as the caller set it.
    struct
    {
        long double ampl, offset;
        u8 high, step;
    } steps[] = {{6.0L, 0.0L, 0, 0}, {2.0L, 0.7, 1, 1}, {0.5L, 0.6999L, 0, 2}, {0.1L, NaN, 1, 3},
                 {0.05L, -0.7, 1, 4}, {0.01L, 0.0L, 0, 5}, {0.0L, 0.0L, 0, 6}, {7.0L, 0.0L, 0, 77}};
    for (const auto &s : steps) {
        u8 high = 99, step = 77;
        EXPECT_EQ(amp->classify_amp_step(s.ampl, s.offset, &high, &step), 1);
        EXPECT_EQ(high, s.high) << static_cast<double>(s.ampl);
        EXPECT_EQ(step, s.step) << static_cast<double>(s.ampl);
    }
    EXPECT_EQ(amp->select_dc_range(0, 0.7), 2);
    EXPECT_EQ(amp->select_dc_range(0, 0.7L), 6);
    EXPECT_EQ(amp->select_dc_range(0, -0.70001L), 6);
    EXPECT_EQ(amp->select_dc_range(0, NaN), 2);

    stdout_capture_t capture;
    EXPECT_EQ(amp->set_dac_fsc(0, 1234), 1);
    EXPECT_EQ(capture.finish(), "drv_amp_vextral_t::set_dac_fsc not need !\n");
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvAmp, RangeSelectionFillsTheAttenuationAndKeepsTheAmplitude)
{
    struct
    {
        long double ampl, offset;
        int32 word;
        bool on;
        long double db;
    } cases[] = {
        {6.324555, 0.0L, 4, false, 0}, {2.0, 0.0L, 4, true, 10},     {0.632456, 0.0L, 0, false, 0},
        {0.2, 0.0L, 0, true, 10},      {0.063246, 0.9L, 6, true, 20}, {0.006325, 0.0L, 2, true, 20},
        {6.3245551L, 0.0L, 0, false, 0}, {NaN, 0.0L, 0, false, 0},    {-1.0L, 0.0L, 2, true, 20},
    };
    for (const auto &c : cases) {
        long double ampl = c.ampl, offset = c.offset;
        drv_fpga_atten_t info{true, 99.0L, true, 99.0L};
        EXPECT_EQ(amp->select_amp_range(&ampl, &offset, &info), c.word) << static_cast<double>(c.ampl);
        EXPECT_EQ(info.on, c.on) << static_cast<double>(c.ampl);
        EXPECT_EQ(info.gain_db, c.db) << static_cast<double>(c.ampl);
        EXPECT_FALSE(info.add_extra);
        EXPECT_EQ(info.extra_db, 0.0L);
        EXPECT_TRUE(ampl == c.ampl || (std::isnan(ampl) && std::isnan(c.ampl)));
    }
}

TEST_F(DrvAmp, BaseTableRaisesTheSmallestAmplitudeAndAddsTheExtraStep)
{
    drv_amp_t base;
    struct
    {
        long double ampl, offset;
        int32 word;
        long double db;
        bool extra;
        long double raised;
    } cases[] = {
        {25.0L, 0.0L, 32, 0, false, 25.0L},  {3.0L, 2.0L, 40, 0, false, 3.0L},
        {1.25L, 0.0L, 4, 0, false, 1.25L},   {0.02L, 0.0L, 24, 0, false, 0.02L},
        {0.02L, -2.0L, 52, -23.87L, false, 0.02L}, {0.003L, 0.0L, 20, -23.87L, false, 0.003L},
        {0.001L, 0.0L, 20, -23.87L, true, 0.002L}, {0.001L, 5.0L, 60, -23.87L, true, 0.002L},
        {26.0L, 0.0L, 0, 0, false, 26.0L},
    };
    for (const auto &c : cases) {
        long double ampl = c.ampl, offset = c.offset;
        drv_fpga_atten_t info;
        EXPECT_EQ(base.select_amp_range(&ampl, &offset, &info), c.word) << static_cast<double>(c.ampl);
        EXPECT_EQ(info.on, c.db != 0) << static_cast<double>(c.ampl);
        EXPECT_EQ(info.gain_db, c.db) << static_cast<double>(c.ampl);
        EXPECT_EQ(info.add_extra, c.extra) << static_cast<double>(c.ampl);
        EXPECT_EQ(ampl, c.raised) << static_cast<double>(c.ampl);
        if (c.extra) {
            EXPECT_NEAR(static_cast<double>(info.extra_db), 20 * std::log10(static_cast<double>(c.ampl) / 0.002),
                        1e-12);
        }
    }
    // The base step table uses 1.28 where its range table uses 1.25; beyond it step 9.
    u8 high = 0, step = 0;
    base.classify_amp_step(1.27L, 0.0L, &high, &step);
    EXPECT_EQ(step, 3);
    base.classify_amp_step(21.0L, 2.0L, &high, &step);
    EXPECT_EQ(step, 9);
    EXPECT_EQ(high, 1);
    EXPECT_EQ(base.select_dc_range(0, 2.1L), 60);
    EXPECT_EQ(base.select_dc_range(0, 2.0L), 28);
    EXPECT_EQ(base.get_noise_stdev_factor(1.0L), 0.0L);
    EXPECT_NEAR(static_cast<double>(base.get_noise_max_stdev(20000000.0L, 2.2262L)), 1.0, 1e-4);
}

TEST_F(DrvAmp, BaseCorrectionSetsTheAmplitudeFlagOnlyWhileTheFrequencyStands)
{
    drv_amp_t base;
    // No sweep or FM: the flag (register 241 bit 2) is set and the lookup returned.
    // 0.05 V is the base table's step 6.
    cali_get_instance()->set_low_freq_resp_comp(0, 0, 6, 0.5L);
    EXPECT_EQ(base.get_ampl_correction_db(0, 0, 1000.0L, 0.05L, 0.0L), 0.5L);
    EXPECT_EQ(sim.last_write(241), 0x0004);
    // A sweep (mode field 4) varies the frequency: the varying correction (0.0) and the
    // flag cleared.
    sim.poke(40, 0x0004);
    EXPECT_EQ(base.get_ampl_correction_db(0, 0, 1000.0L, 0.05L, 0.0L), 0.0L);
    EXPECT_EQ(sim.last_write(241), 0x0000);

    // The base offset DAC takes its high set from bit 5.
    base.set_offset_dac(1, 32, 1.0L);
    base.set_offset_dac(1, 4, 1.0L);
    EXPECT_EQ(sim.writes_to(134), (std::vector<uint16>{2898, 28102}));
    // The base wave DAC has only its full-scale code, which does nothing here.
    sim.clear_log();
    EXPECT_EQ(base.set_amplitude_dac(0, 0.5L), 1);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvAmp, WordListResetsTheTablePointerThenWritesTheWords)
{
    drv_amp_word_list_t list{3, {9, 9, 9}, {0x11, 0x22, 0x33, 0x44}};
    sim.poke(72, 0x0010);
    EXPECT_EQ(amp->load_word_list(1, &list), 1);
    EXPECT_TRUE(log_is({sim_read(72, 0x10), sim_write(72, 0x50), sim_write(72, 0x10), sim_write(72, 0x50),
                        sim_write(91, 0x11), sim_write(91, 0x22), sim_write(91, 0x33)}));
    // A count beyond the words stops at the words.
    sim.clear_log();
    list.count = 9;
    amp->load_word_list(0, &list);
    EXPECT_EQ(sim.writes_to(104).size(), 4u);
}
