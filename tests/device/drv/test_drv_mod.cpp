// The modulation driver over the register simulator. It has no object: every call is
// static, and the instance manager's modulation entry stays null throughout.
#include "drv_freq.h"
#include "drv_mod.h"
#include "drv_pulse.h"
#include "drv_wave_data.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint64 k_word_max = 137438953471ULL;

class DrvMod : public sim_driver_fixture_t
{
protected:
    // The modulation word of a channel as its three registers hold it.
    uint64 mod_word(int32 ch) const
    {
        const uint32 regs[2][3] = {{38, 170, 100}, {70, 186, 102}};
        return static_cast<uint64>(sim.peek(regs[ch][0])) | (static_cast<uint64>(sim.peek(regs[ch][1])) << 16) |
               (static_cast<uint64>(sim.peek(regs[ch][2])) << 32);
    }

    uint64 mod_freq_word(int32 ch) const
    {
        const uint32 regs[2][3] = {{26, 28, 30}, {58, 60, 62}};
        return static_cast<uint64>(sim.peek(regs[ch][0])) | (static_cast<uint64>(sim.peek(regs[ch][1])) << 16) |
               (static_cast<uint64>(sim.peek(regs[ch][2])) << 32);
    }

    // Register addresses written, in order.
    std::vector<uint32> written() const
    {
        std::vector<uint32> addresses;
        for (const auto &w : sim.writes())
            addresses.push_back(w.first);
        return addresses;
    }
};

} // namespace

TEST_F(DrvMod, TypeSetsTheModeFieldAndReadsBack)
{
    struct
    {
        int32 type;
        uint16 field;
        int32 on;
    } cases[] = {
        // ASK keeps the field at 0 and opens its gate instead; the next type closes it.
        {4, 0, 1},
        {1, 2, 1}, {2, 4, 1}, {3, 8, 1}, {5, 16, 1}, {6, 8, 1}, {7, 1, 1}, {8, 32, 1},
        {0, 0, 0},
    };
    for (int32 ch : {0, 1}) {
        const uint32 reg = ch == 0 ? 40 : 72;
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << " type " << c.type);
            EXPECT_EQ(drv_mod_t::set_mod_type(ch, c.type), 1);
            EXPECT_EQ(sim.peek(reg) & 0x3F, c.field);
            EXPECT_EQ(drv_mod_t::get_mod_type(ch), c.type);
            EXPECT_EQ(drv_mod_t::is_mod_on(ch), c.on);
        }
    }
    EXPECT_EQ(manager->get_mod(), nullptr);
}

TEST_F(DrvMod, SwitchingOffClearsTheNoiseFlagFirst)
{
    sim.poke(241, 0x4000 | 0x0004);
    sim.poke(40, 0x0002);
    drv_mod_t::set_mod_type(0, 0);
    const std::vector<uint32> order = written();
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[0], 241u);
    EXPECT_EQ(sim.peek(241), 0x0004);
    EXPECT_EQ(sim.peek(40) & 0x3F, 0);

    // Other types leave the flag alone.
    sim.poke(241, 0x4000);
    drv_mod_t::set_mod_type(0, 1);
    EXPECT_EQ(sim.peek(241), 0x4000);
}

TEST_F(DrvMod, SourceRoutingByType)
{
    // Register 40 bit 15 external source; register 36 bits 4-5 the trigger source;
    // register 82 bit 4 (external input off) cleared by the trigger-output step.
    struct
    {
        int32 type, source;
        bool ext;
        int trig;   // -1: register 36 not written
        int ext_in; // -1: register 82 not written, else its bit 4
    } cases[] = {
        {4, 1, true, 0, 0}, {5, 1, true, -1, 0}, {1, 1, true, -1, -1}, {2, 1, true, -1, -1},
        {4, 0, false, 2, -1}, {5, 0, false, -1, -1}, {4, 2, false, -1, -1}, {4, -1, false, -1, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " source " << c.source);
        sim.poke(40, c.ext ? 0 : 0x8000);
        sim.poke(36, 0x0030);
        sim.poke(82, 0x0010);
        sim.clear_log();
        EXPECT_EQ(drv_mod_t::set_mod_source(0, c.type, c.source), 1);
        EXPECT_EQ((sim.peek(40) & 0x8000) != 0, c.ext);
        if (c.trig < 0)
            EXPECT_TRUE(sim.writes_to(36).empty());
        else
            EXPECT_EQ((sim.peek(36) >> 4) & 3, c.trig);
        if (c.ext_in < 0)
            EXPECT_TRUE(sim.writes_to(82).empty());
        else
            EXPECT_EQ((sim.peek(82) >> 4) & 1, c.ext_in);
        // The external relay does nothing on the module: the relay word stays unwritten.
        EXPECT_TRUE(sim.writes_to(24).empty());
    }
}

TEST_F(DrvMod, DepthAndDeviationWords)
{
    struct
    {
        int32 type;
        long double value;
        uint64 word;
    } cases[] = {
        // M x (depth / 100 x 5/11).
        {1, 100.0L, 62472251577ULL},
        {1, 50.0L, 31236125788ULL},
        {1, 0.0L, 0},
        // M x deviation / 62.5 MHz.
        {2, 62500000.0L, k_word_max},
        {2, 1000000.0L, 2199023255ULL},
        // degrees / 360 x M.
        {3, 360.0L, k_word_max},
        {3, 90.0L, 34359738367ULL},
        // DSB-AM: full scale whatever the depth.
        {7, 10.0L, k_word_max},
        {7, 0.0L, k_word_max},
        // PWM: deviation / 8 ns, M not used.
        {8, 8.0000001e-8L, 10},
        {8, 1.0000001e-3L, 125000},
    };
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << " type " << c.type << " value "
                                            << static_cast<double>(c.value));
            sim.clear_log();
            EXPECT_EQ(drv_mod_t::set_deviation(ch, c.type, c.value), 1);
            EXPECT_EQ(mod_word(ch), c.word);
            // Three word registers, no strobe.
            EXPECT_EQ(sim.writes().size(), 3u);
        }
    }
    // The separate writers give the same words.
    drv_mod_t::set_am_depth(1, 100.0L);
    EXPECT_EQ(mod_word(1), 62472251577ULL);
    drv_mod_t::set_dsb_am_depth(0);
    EXPECT_EQ(mod_word(0), k_word_max);
    EXPECT_EQ(sim.peek(38), 65535);
    EXPECT_EQ(sim.peek(170), 65535);
    EXPECT_EQ(sim.peek(100), 31);
}

TEST_F(DrvMod, TypesWithoutAWordWriteNothingButTheDeviationStillStrobes)
{
    for (int32 type : {0, 4, 5, 6, 9, -1, 1000}) {
        SCOPED_TRACE(type);
        sim.clear_log();
        EXPECT_EQ(drv_mod_t::set_deviation(0, type, 50.0L), 1);
        EXPECT_TRUE(log_is({}));
        EXPECT_EQ(drv_mod_t::set_mod_deviation(0, type, 50.0L), 1);
        EXPECT_EQ(written(), (std::vector<uint32>{10, 10, 10, 10}));
    }
}

TEST_F(DrvMod, TwoChannelOperationsHoldOnlyForHoldOne)
{
    struct
    {
        const char *what;
        void (*call)(int32 hold);
    } operations[] = {
        {"rates", [](int32 hold) { drv_mod_t::set_mod_freq_both(hold, 1, 2, 1000.0L, 2000.0L); }},
        {"hop", [](int32 hold) { drv_mod_t::set_fsk_hop_freq_both(hold, 1000.0L, 2000.0L); }},
        {"deviation", [](int32 hold) { drv_mod_t::set_mod_deviation_both(hold, 1, 3, 50.0L, 90.0L); }},
        {"hop one", [](int32 hold) { drv_mod_t::set_fsk_hop_freq(hold, 1, 1000.0L); }},
    };
    for (const auto &op : operations) {
        for (int32 hold : {0, 1, 2}) {
            SCOPED_TRACE(testing::Message() << op.what << " hold " << hold);
            sim.poke(36, 0);
            sim.clear_log();
            op.call(hold);
            const std::vector<uint32> order = written();
            ASSERT_GE(order.size(), 5u);
            if (hold == 1) {
                // Hold first; the strobe's four writes; the release last.
                EXPECT_EQ(order.front(), 36u);
                EXPECT_EQ(order.back(), 36u);
                EXPECT_EQ(std::vector<uint32>(order.end() - 5, order.end() - 1),
                          (std::vector<uint32>{10, 10, 10, 10}));
                EXPECT_EQ(sim.writes_to(36), (std::vector<uint16>{0x0008, 0x0000}));
            } else {
                EXPECT_TRUE(sim.writes_to(36).empty());
                EXPECT_EQ(std::vector<uint32>(order.end() - 4, order.end()), (std::vector<uint32>{10, 10, 10, 10}));
            }
        }
    }
}

TEST_F(DrvMod, NestedHoldReleasesOnlyItsOwnLevel)
{
    fpga->begin_hold();
    sim.clear_log();
    drv_mod_t::set_mod_freq_both(1, 1, 1, 1000.0L, 1000.0L);
    // Still held: the bit stays set after the operation.
    EXPECT_EQ(sim.peek(36) & 0x0008, 0x0008);
    fpga->end_hold();
    EXPECT_EQ(sim.peek(36) & 0x0008, 0);
}

TEST_F(DrvMod, ModulatingRatesUseTheFmConversionOnlyForFm)
{
    // 1 kHz with the modulation clock pair: 1e9 x 2^47 / 1.5e14.
    drv_mod_t::set_mod_freq(0, 1, 1000.0L);
    EXPECT_EQ(mod_freq_word(0), 938249922ULL);
    EXPECT_EQ(sim.writes_to(10).size(), 4u);

    drv_mod_t::set_mod_freq(1, 2, 1000.0L);
    const uint64 fm = mod_freq_word(1);
    EXPECT_EQ(fm, static_cast<uint64>(fpga->mod_freq_to_word(1, 1000.0L)));

    // Without the strobe; the period form always uses the general conversion.
    sim.clear_log();
    drv_mod_t::set_mod_freq_no_update(1, 1, 1000.0L);
    EXPECT_EQ(mod_freq_word(1), 938249922ULL);
    drv_mod_t::set_mod_period(fpga, 0, 0.002L);
    EXPECT_EQ(mod_freq_word(0), 469124961ULL);
    EXPECT_TRUE(sim.writes_to(10).empty());

    // Both channels, each with its own type.
    drv_mod_t::set_mod_freq_both(0, 2, 1, 1000.0L, 1000.0L);
    EXPECT_EQ(mod_freq_word(0), fm);
    EXPECT_EQ(mod_freq_word(1), 938249922ULL);
}

TEST_F(DrvMod, PolarityBitEightAndTheNoiseFlag)
{
    drv_mod_t::set_psk_polarity(1, 1);
    EXPECT_EQ(sim.peek(72) & 0x0080, 0x0080);
    drv_mod_t::set_psk_polarity(1, 0);
    EXPECT_EQ(sim.peek(72) & 0x0080, 0);
    sim.clear_log();
    drv_mod_t::set_psk_polarity(1, 2);
    drv_mod_t::set_psk_polarity(1, -1);
    EXPECT_TRUE(log_is({}));

    drv_mod_t::set_mod_ctrl_bit8(0, 3);
    EXPECT_EQ(sim.peek(40) & 0x0100, 0x0100);
    drv_mod_t::set_mod_ctrl_bit8(0, 2);
    EXPECT_EQ(sim.peek(40) & 0x0100, 0);

    // The noise wave sets the flag for the analog types and clears it for the others;
    // any other wave clears it.
    struct
    {
        int32 type;
        const char *name;
        int32 result;
        bool flag;
    } cases[] = {
        {1, "1_noise_ram.bin", 1, true},  {2, "1_noise_ram.bin", 1, true},  {3, "1_noise_ram.bin", 1, true},
        {7, "1_noise_ram.bin", 1, true},  {8, "1_noise_ram.bin", 1, true},  {5, "1_noise_ram.bin", 1, false},
        {4, "1_noise_ram.bin", 1, false}, {6, "1_noise_ram.bin", 1, false}, {1, "0_sine_ram.bin", 0, false},
        {1, "1_noise_ram.bi", 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " " << c.name);
        drv_mod_t::set_mod_type(1, c.type);
        sim.poke(241, c.flag ? 0 : 0x4000);
        EXPECT_EQ(drv_mod_t::update_noise_mod(1, c.name), c.result);
        EXPECT_EQ((sim.peek(241) & 0x4000) != 0, c.flag);
    }
    EXPECT_TRUE(drv_mod_t::is_noise_wave("1_noise_ram.bin"));
    EXPECT_FALSE(drv_mod_t::is_noise_wave(""));
    drv_mod_t::set_noise_mod(0, 1);
    EXPECT_EQ(sim.peek(241) & 0x4000, 0x4000);
}

TEST_F(DrvMod, OtherChannelsWriteNothing)
{
    for (int32 ch : {2, -1}) {
        SCOPED_TRACE(ch);
        sim.clear_log();
        drv_mod_t::set_mod_type(ch, 0);
        drv_mod_t::set_mod_type(ch, 1);
        drv_mod_t::set_mod_source(ch, 4, 1);
        drv_mod_t::set_mod_freq(ch, 2, 1000.0L);
        drv_mod_t::set_mod_freq_no_update(ch, 1, 1000.0L);
        drv_mod_t::set_fsk_hop_freq(1, ch, 1000.0L);
        drv_mod_t::set_deviation(ch, 1, 50.0L);
        drv_mod_t::set_mod_deviation(ch, 3, 50.0L);
        drv_mod_t::set_dsb_am_depth(ch);
        drv_mod_t::set_pwm_deviation(ch, 1e-6L);
        drv_mod_t::set_psk_polarity(ch, 1);
        drv_mod_t::set_mod_ctrl_bit8(ch, 1);
        drv_mod_t::set_noise_mod(ch, 1);
        drv_mod_t::update_noise_mod(ch, "1_noise_ram.bin");
        drv_mod_t::set_mod_period(fpga, ch, 0.001L);
        // Reads of the channel's registers are harmless; nothing is written.
        EXPECT_TRUE(sim.writes().empty()) << sim.compact();
    }
    EXPECT_EQ(drv_mod_t::set_mod_period(nullptr, 0, 0.001L), 1);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(DrvMod, ConstantsAndTheWaveInversion)
{
    EXPECT_EQ(drv_mod_t::get_pwm_width_margin(), static_cast<long double>(1.5e-8));
    EXPECT_EQ(drv_mod_t::get_mod_word_max(), 137438953471.0L);
    EXPECT_EQ(drv_mod_t::get_hc4051(), manager->get_hc4051());
    EXPECT_EQ(drv_mod_t::get_pwm_min_width(), manager->get_pulse()->get_min_width());
    EXPECT_NEAR(static_cast<double>(drv_mod_t::get_pwm_min_width()), 8e-9, 1e-24);

    std::vector<int16> wave{0, 1, -1, 32767, -32768, -32767};
    drv_mod_t::invert_wave(wave);
    EXPECT_EQ(wave, (std::vector<int16>{0, -1, 1, -32767, -32768, 32767}));
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvMod, ModulatingWaveReachesTheBlockUnscaled)
{
    drv_wave_data_t *wave_data = manager->get_wave_data();
    std::vector<int16> original;
    wave_data->get_resampled_wave_by_name("50_square_ram.bin", 4096, original);
    ASSERT_EQ(original.size(), 4096u);

    EXPECT_EQ(drv_mod_t::set_mod_wave(1, "50_square_ram.bin", false), 1);
    const std::vector<uint16> *block = sim.block(255);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(*block, std::vector<uint16>(original.begin(), original.end()));

    // Inverted: every sample negated (the built-in waves hold no -32768; invert_wave's
    // own case keeps it).
    EXPECT_EQ(drv_mod_t::set_mod_wave(0, "50_square_ram.bin", true), 1);
    block = sim.block(254);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->size(), 4096u);
    for (std::size_t i = 0; i < original.size(); ++i) {
        const int16 expected = original[i] == -32768 ? int16(-32768) : static_cast<int16>(-original[i]);
        ASSERT_EQ(static_cast<int16>((*block)[i]), expected) << i;
    }
}

TEST_F(DrvMod, NoiseWaveSetsTheFlagForAnalogTypesAndStillLoads)
{
    drv_mod_t::set_mod_type(0, 5); // FSK
    sim.poke(241, 0x4000);
    drv_mod_t::set_mod_wave(0, "1_noise_ram.bin", false);
    EXPECT_EQ(sim.peek(241) & 0x4000, 0);
    ASSERT_NE(sim.block(254), nullptr);
    EXPECT_EQ(sim.block(254)->size(), 4096u);

    drv_mod_t::set_mod_type(0, 1); // AM
    drv_mod_t::set_mod_wave(0, "1_noise_ram.bin", false);
    EXPECT_EQ(sim.peek(241) & 0x4000, 0x4000);
    // Switching modulation off clears it.
    drv_mod_t::set_mod_type(0, 0);
    EXPECT_EQ(sim.peek(241) & 0x4000, 0);

    sim.clear_log();
    drv_mod_t::set_mod_wave(2, "1_noise_ram.bin", false);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(DrvMod, CarrierWriteGoesThroughTheFrequencyDriverItself)
{
    // 1 kHz: 10^9 micro-hertz x 2^48 / 1.25e14.
    EXPECT_EQ(drv_mod_t::set_carrier_freq(nullptr, 1, 1000.0L), 1);
    EXPECT_EQ(fpga->get_freq_word(1), 2251799813ULL);
    long double hz = 0;
    manager->get_freq()->get_ch_freq(1, &hz);
    EXPECT_EQ(hz, 1000.0L);
    sim.clear_log();
    drv_mod_t::set_carrier_freq(fpga, 2, 1000.0L);
    EXPECT_TRUE(sim.writes().empty());
}
