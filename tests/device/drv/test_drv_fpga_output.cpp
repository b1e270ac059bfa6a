// The FPGA driver's output stage and auxiliary lines over the register simulator, with
// the base class's bodies (the module's own are in test_drv_fpga_vextral.cpp).
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using DrvFpgaOutput = sim_driver_fixture_t;

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();

} // namespace

TEST_F(DrvFpgaOutput, OutputSwitchRelayAndPolarityAreSingleBits)
{
    struct
    {
        const char *name;
        std::function<void()> call;
        uint32 reg;
        uint16 before, after;
    } cases[] = {
        {"output on", [&] { fpga->set_output_enable(0, 1); }, 36, 0xFFFF, 0xF7FF},
        {"output off", [&] { fpga->set_output_enable(1, 0); }, 68, 0x0001, 0x0801},
        {"output 2 rewrites", [&] { fpga->set_output_enable(1, 2); }, 68, 0x0801, 0x0801},
        {"relay 0 open", [&] { fpga->set_output_relay(0, 0); }, 158, 0x001F, 0x001E},
        {"polarity 0 normal", [&] { fpga->set_output_polarity(0, 1); }, 80, 0xFFFF, 0xFFF7},
        {"polarity 0 inverted", [&] { fpga->set_output_polarity(0, 0); }, 80, 0x0000, 0x0008},
        {"polarity 1 inverted", [&] { fpga->set_output_polarity(1, 0); }, 80, 0x0001, 0x0005},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim.poke(c.reg, c.before);
        sim.clear_log();
        c.call();
        EXPECT_TRUE(log_is({sim_read(c.reg, c.before), sim_write(c.reg, c.after)}));
    }
    sim.poke(36, 0x0800);
    sim.poke(68, 0x0000);
    EXPECT_EQ(fpga->get_output_enable(0), 0);
    EXPECT_EQ(fpga->get_output_enable(1), 1);
    sim.poke(80, 0x0004);
    EXPECT_EQ(fpga->get_output_polarity(0), 1);
    EXPECT_EQ(fpga->get_output_polarity(1), 0);
}

TEST_F(DrvFpgaOutput, ClosingAnOutputRelayWaitsFiveMilliseconds)
{
    sim.poke(158, 0x0010);
    fpga->set_output_relay(1, 1);
    EXPECT_EQ(fpga->get_output_relay(1), 1);
    EXPECT_EQ(fpga->get_output_relay(0), 0);
    fpga->set_output_relay(1, 0);
    EXPECT_TRUE(log_is({sim_read(158, 0x0010), sim_write(158, 0x0012), sim_sleep(5), sim_read(158, 0x0012),
                        sim_read(158, 0x0012), sim_read(158, 0x0012), sim_write(158, 0x0010)}));
}

TEST_F(DrvFpgaOutput, BaseAttenuationSetsTheAttenuatorBitAndAddsTheExtraStep)
{
    drv_fpga_t base;
    struct
    {
        int32 ch;
        drv_fpga_atten_t atten;
        uint16 relays;
        std::vector<std::pair<uint32, uint16>> gain;
    } cases[] = {
        // 10^(-20 / 20) x 262144 = 26214.4
        {0, {true, -20.0L, false, -100.0L}, 0x0015, {{33, 26214}}},
        {1, {true, -6.0L, true, -14.0L}, 0x001D, {{35, 26214}}},
        // 0.01 x 262144 = 2621.44
        {1, {true, -40.0L, false, 0.0L}, 0x001D, {{35, 2621}}},
        {0, {false, -20.0L, true, -20.0L}, 0x0011, {}},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.ch << ", gain " << static_cast<double>(c.atten.gain_db));
        sim.poke(158, 0x0015);
        sim.clear_log();
        const long double gain_db = c.atten.gain_db;
        base.set_atten(c.ch, &c.atten);
        std::vector<std::pair<uint32, uint16>> expected{{158, c.relays}};
        expected.insert(expected.end(), c.gain.begin(), c.gain.end());
        EXPECT_EQ(sim.writes(), expected);
        // The base class leaves the record alone.
        EXPECT_EQ(c.atten.gain_db, gain_db);
    }
}

TEST_F(DrvFpgaOutput, BaseDigitalGainIsTheTruncatedLinearGain)
{
    drv_fpga_t base;
    struct
    {
        long double db;
        uint16 code;
    } cases[] = {
        {0.0L, 0},      // 262144: its low 16 bits
        {-20.0L, 26214},
        {-40.0L, 2621},
        {-200.0L, 0},
        {200.0L, 0},    // beyond 32 bits
        {NaN, 0},
    };
    for (const auto &c : cases) {
        sim.clear_log();
        base.set_digital_gain(1, c.db);
        EXPECT_TRUE(log_is({sim_write(35, c.code)})) << static_cast<double>(c.db);
    }
}

TEST_F(DrvFpgaOutput, WaveDacReferenceCodes)
{
    struct
    {
        long double volts;
        uint16 code;
    } cases[] = {
        {1.0L, 10922}, {3.0L, 32767},  {3.1L, 0}, {-1.0L, 54612}, {-3.0L, 32767}, {-3.0001L, 0},
        {0.0L, 0},     {-0.0L, 0},     {0.5L, 5461}, {NaN, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(drv_fpga_t::offset_volt_to_code(c.volts), c.code) << static_cast<double>(c.volts);

    EXPECT_EQ(fpga->set_offset_volt(1, -1.0L), 1);
    EXPECT_EQ(fpga->set_offset_code(0, 0x1234), 1);
    EXPECT_EQ(fpga->set_offset_code(2, 0x1234), 0);
    EXPECT_EQ(fpga->set_offset_volt(2, 1.0L), 1);
    EXPECT_TRUE(log_is({sim_write(43, 54612), sim_write(41, 0x1234)}));
}

TEST_F(DrvFpgaOutput, MultiplierControlAcceptsMinusOneToOneVolt)
{
    struct
    {
        int32 ch;
        long double volts;
        int32 result;
        std::vector<std::pair<uint32, uint16>> writes;
        std::string text;
    } cases[] = {
        {0, 1.0L, 1, {{37, 10922}}, ""},
        {0, -1.0L, 1, {{37, 0xD556}}, ""},
        {1, 0.5L, 1, {{39, 5461}}, ""},
        {0, 1.5L, 0, {}, "EEROR:multiplier_ctrl_volt(-1.0~1.0): error ctrl_volt = 1.500000!!\n"},
        {1, -1.25L, 0, {}, "EEROR:multiplier_ctrl_volt(-1.0~1.0): error ctrl_volt = -1.250000!!\n"},
        {2, 0.5L, 0, {}, ""},
        {0, NaN, 1, {{37, 0}}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.ch << ", volts " << static_cast<double>(c.volts));
        sim.clear_log();
        stdout_capture_t capture;
        EXPECT_EQ(fpga->multiplier_ctrl_volt(c.ch, c.volts), c.result);
        EXPECT_EQ(capture.finish(), c.text);
        EXPECT_EQ(sim.writes(), c.writes);
    }
}

TEST_F(DrvFpgaOutput, DacCodesAndTableWordsByChannel)
{
    EXPECT_EQ(fpga->set_ch_dac_code(0, 100), 1);
    EXPECT_EQ(fpga->set_ch_dac_code(1, -1), 1);
    EXPECT_EQ(fpga->set_ch_trim_code(0, 7), 1);
    EXPECT_EQ(fpga->set_ch_trim_code(1, 8), 1);
    fpga->write_table_word(0, 11);
    fpga->write_table_word(1, 12);
    EXPECT_EQ(fpga->set_ch_dac_code(2, 1), 0);
    EXPECT_EQ(fpga->set_ch_trim_code(-1, 1), 0);
    fpga->write_table_word(2, 13);
    EXPECT_TRUE(log_is({sim_write(132, 100), sim_write(134, 0xFFFF), sim_write(44, 7), sim_write(76, 8),
                        sim_write(104, 11), sim_write(91, 12)}));
}

TEST_F(DrvFpgaOutput, FilterCoefficientsFollowTheLoadStrobe)
{
    sim.poke(68, 0x0C01);
    EXPECT_EQ(fpga->set_default_filter_coefs(1), 1);
    std::vector<sim_op_t> expected{sim_read(68, 0x0C01), sim_write(68, 0x1C01), sim_write(68, 0x0C01),
                                   sim_write(68, 0x1C01)};
    for (int16 coef : {309, -416, 581, -660, 559, -159, -698, 2309, -5700, 20258})
        expected.push_back(sim_write(93, static_cast<uint16>(coef)));
    EXPECT_TRUE(log_is(expected));

    // Without coefficients only the strobe is written.
    const int16 one = -1;
    for (std::pair<const int16 *, int32> request : {std::make_pair(&one, 0), std::make_pair(&one, -3),
                                                    std::make_pair(static_cast<const int16 *>(nullptr), 4)}) {
        sim.poke(36, 0);
        sim.clear_log();
        EXPECT_EQ(fpga->set_filter_coefs(0, request.first, request.second), 1);
        EXPECT_TRUE(log_is({sim_read(36, 0), sim_write(36, 0x1000), sim_write(36, 0), sim_write(36, 0x1000)}));
    }
    sim.clear_log();
    EXPECT_EQ(fpga->set_filter_coefs(0, &one, 1), 1);
    EXPECT_EQ(sim.last_write(95), 0xFFFF);
    sim.clear_log();
    EXPECT_EQ(fpga->set_filter_coefs(2, &one, 1), 1);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaOutput, SerialFramesGoBetweenTwoIdleWords)
{
    const uint16 idle = 0xFFFE;
    // 0x80 << 8 | 0x01: bit 15 and bit 0 set.
    std::vector<uint16> frame{0xFFEA, 0xFFEB};
    for (int bit = 14; bit >= 1; --bit) {
        frame.push_back(0xFFE8);
        frame.push_back(0xFFE9);
    }
    frame.insert(frame.end(), {0xFFEA, 0xFFEB, 0xFFEA});
    ASSERT_EQ(frame.size(), 33u);
    EXPECT_EQ(fpga->serial_write(16, 0xFFE8, 0x80, 0x01), 1);
    EXPECT_TRUE(log_is({sim_word_list({idle}), sim_word_list(frame), sim_word_list({idle})}));

    struct
    {
        int32 nbits;
        std::size_t words;
    } sizes[] = {{24, 49}, {31, 63}, {32, 63}, {1000, 63}, {1, 3}};
    for (const auto &s : sizes) {
        sim.clear_log();
        fpga->serial_write_reg(s.nbits, 0xFFB0, 0xFFFFFF, 0xFF);
        ASSERT_EQ(sim.log().size(), 3u) << s.nbits;
        EXPECT_EQ(sim.log()[1].words.size(), s.words) << s.nbits;
        EXPECT_EQ(sim.log()[1].words.front(), 0xFFB2) << s.nbits;
    }
    // No bits: the two idle words only.
    for (int32 nbits : {0, -5}) {
        sim.clear_log();
        fpga->serial_write(nbits, 0xFFB0, 1, 1);
        EXPECT_TRUE(log_is({sim_word_list({idle}), sim_word_list({idle})})) << nbits;
    }
}

TEST_F(DrvFpgaOutput, SerialReadSendsTheAddressWithBitSevenAndReadsOneByte)
{
    sim.queue_reads(242, {0x1234});
    EXPECT_EQ(fpga->serial_read(8, 0xFFD8, 0x12), 0x34);
    ASSERT_EQ(sim.log().size(), 4u);
    // (0x12 | 0x80) << 8 sent as 8 bits: only bits 7-0 of 0x9200, all 0.
    EXPECT_EQ(sim.log()[1].words.size(), 17u);
    EXPECT_EQ(sim.log()[3], sim_read(242, 0x1234));
}

TEST_F(DrvFpgaOutput, ClockRegisterBits)
{
    sim.poke(4, 0x0012);
    EXPECT_EQ(fpga->set_clock_source(0), 1);
    EXPECT_EQ(fpga->set_clock_source(0), 1);
    EXPECT_EQ(fpga->set_clock_source(1), 1);
    EXPECT_EQ(fpga->set_clock_source(2), 1);
    EXPECT_TRUE(log_is({sim_read(4, 0x0012), sim_write(4, 0x0112), sim_read(4, 0x0112), sim_read(4, 0x0112),
                        sim_write(4, 0x0012)}));

    sim.clear_log();
    fpga->pulse_clock_reset();
    EXPECT_TRUE(
        log_is({sim_read(4, 0x0012), sim_write(4, 0x0013), sim_write(4, 0x0012), sim_sleep(2), sim_write(4, 0x0013)}));
    EXPECT_EQ(fpga->get_clock_status(), 1);
    fpga->write_clock_reg(0x0100);
    EXPECT_EQ(fpga->get_clock_status(), 0);
    EXPECT_EQ(fpga->read_clock_reg(), 0x0100);

    drv_fpga_t base;
    sim.clear_log();
    EXPECT_EQ(base.set_ref_out(1), 1);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaOutput, ConverterPollEndsAtTheReadyBitOrAfterAThousandReads)
{
    drv_fpga_t base;
    sim.queue_reads(98, {0x0000, 0x7FFF, 0xFFFF});
    EXPECT_EQ(base.read_adc(), 0x3FFF);
    EXPECT_EQ(sim.log().size(), 3u);

    // No module: register 98 stays 0.
    sim.clear_log();
    EXPECT_EQ(base.read_adc(), -1);
    EXPECT_EQ(sim.log().size(), 1000u);
    EXPECT_EQ(sim.slept_ms(), 0u);
    for (const sim_op_t &op : sim.log())
        EXPECT_EQ(op, sim_read(98, 0));
}

TEST_F(DrvFpgaOutput, OverloadDetectorTimeBaseAndWideValue)
{
    fpga->set_overload_dac(1, 5, 6);
    fpga->set_overload_dac(0, -1, 2);
    fpga->set_overload_dac(2, 1, 1);
    EXPECT_TRUE(log_is({sim_write(136, 5), sim_write(138, 6), sim_write(128, 0xFFFF), sim_write(130, 2)}));

    struct
    {
        int32 sel, result;
        uint16 before, after;
    } selects[] = {{0, 1, 0x000F, 0x001F}, {1, 1, 0xFFFF, 0xFFEF}};
    for (const auto &s : selects) {
        sim.poke(158, s.before);
        sim.clear_log();
        EXPECT_EQ(fpga->set_overload_select(s.sel), s.result);
        EXPECT_TRUE(log_is({sim_read(158, s.before), sim_write(158, s.after)}));
    }
    sim.clear_log();
    EXPECT_EQ(fpga->set_overload_select(2), 0);
    EXPECT_TRUE(log_is({}));

    drv_fpga_t base;
    base.set_time_base_dac(0x0ABC);
    EXPECT_TRUE(log_is({sim_write(144, 0x0ABC)}));

    sim.poke(146, 0x1234);
    sim.poke(147, 0x5678);
    sim.poke(148, 0x9ABC);
    sim.clear_log();
    EXPECT_EQ(fpga->get_reg_word48(), 0x123456789ABCull);
    EXPECT_TRUE(log_is({sim_read(146, 0x1234), sim_read(147, 0x5678), sim_read(148, 0x9ABC)}));
}

TEST_F(DrvFpgaOutput, MultiplexerWordIsRegister96)
{
    fpga->write_mux_reg(0x00A5);
    EXPECT_EQ(fpga->read_mux_reg(), 0x00A5);
    EXPECT_TRUE(log_is({sim_write(96, 0x00A5), sim_read(96, 0x00A5)}));
}

TEST_F(DrvFpgaOutput, ChannelsOtherThanZeroAndOneTouchNoRegister)
{
    drv_fpga_t base;
    drv_fpga_atten_t atten{true, 10.0L, true, 10.0L};
    std::vector<std::pair<const char *, std::function<void(int32)>>> operations = {
        {"set_output_enable", [&](int32 ch) { fpga->set_output_enable(ch, 1); }},
        {"get_output_enable", [&](int32 ch) { EXPECT_EQ(fpga->get_output_enable(ch), 0); }},
        {"set_output_relay", [&](int32 ch) { fpga->set_output_relay(ch, 1); }},
        {"get_output_relay", [&](int32 ch) { EXPECT_EQ(fpga->get_output_relay(ch), 0); }},
        {"set_output_polarity", [&](int32 ch) { fpga->set_output_polarity(ch, 0); }},
        {"get_output_polarity", [&](int32 ch) { EXPECT_EQ(fpga->get_output_polarity(ch), 0); }},
        {"set_atten", [&](int32 ch) { fpga->set_atten(ch, &atten); }},
        {"base set_atten", [&](int32 ch) { base.set_atten(ch, &atten); }},
        {"set_digital_gain", [&](int32 ch) { fpga->set_digital_gain(ch, 10.0L); }},
        {"write_gain_reg", [&](int32 ch) { fpga->write_gain_reg(ch, 1); }},
        {"reset_table_ptr", [&](int32 ch) { fpga->reset_table_ptr(ch); }},
        {"set_amp_flag", [&](int32 ch) { fpga->set_amp_flag(ch, 1); }},
        {"set_dc_level", [&](int32 ch) { fpga->set_dc_level(ch, 1.0L); }},
    };
    for (int32 ch : {2, -1}) {
        for (const auto &[name, operation] : operations) {
            SCOPED_TRACE(testing::Message() << name << ", channel " << ch);
            sim.clear_log();
            operation(ch);
            EXPECT_TRUE(log_is({}));
        }
    }
    EXPECT_EQ(atten.gain_db, 10.0L);
}
