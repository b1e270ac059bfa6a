// The frequency driver: hertz to whole micro-hertz to the 48-bit tuning word, the
// sample-rate form of an arbitrary wave, the two-channel writes with and without the
// hold and strobe, the frequency with a phase, and the base class's harmonic alignment.
// Tuning words are trunc(trunc(hz x 10^6) x 2^48 / 1.25e14), worked out exactly.
#include "drv_freq.h"
#include "drv_freq_vextral.h"
#include "drv_phase.h"
#include "drv_wave_data.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

namespace {

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double INF = std::numeric_limits<long double>::infinity();

class DrvFreq : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        freq = manager->get_freq();
        for (int32 ch : {0, 1})
            fpga->set_run_mode(ch, 3);
        for (uint32 reg : {10u, 36u, 68u, 65u})
            sim.poke(reg, 0);
        sim.clear_log();
    }

    // The 48-bit word the channel's frequency registers hold.
    uint64 word(int32 ch) const
    {
        const uint32 base = ch == 0 ? 16 : 48;
        return static_cast<uint64>(sim.peek(base)) | static_cast<uint64>(sim.peek(base + 2)) << 16 |
               static_cast<uint64>(sim.peek(base + 4)) << 32;
    }

    bool strobed_or_held() const
    {
        return !sim.writes_to(10).empty() || !sim.writes_to(36).empty();
    }

    drv_freq_t *freq = nullptr;
};

} // namespace

TEST_F(DrvFreq, TuningWordsInDdsMode)
{
    ASSERT_NE(dynamic_cast<drv_freq_vextral_t *>(freq), nullptr);
    struct word_case_t
    {
        int32 ch;
        long double hz;
        uint64 word;
    };
    const word_case_t cases[] = {
        {0, 1, 2251799},
        {0, 1000, 2251799813},
        {1, 25e6L, 0x333333333333},
        {1, 3000, 6755399441},
        {0, 9e-7L, 0}, // below one micro-hertz
        {0, 0, 0},
        // No number, or none a word can hold: word 0, no undefined conversion.
        {1, NaN, 0},
        {1, INF, 0},
        {0, -5, 0},
    };
    for (const word_case_t &c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.ch << ", " << static_cast<double>(c.hz) << " Hz");
        sim.poke(c.ch == 0 ? 16 : 48, 0x5a5a);
        sim.clear_log();
        freq->set_freq(c.ch, c.hz);
        EXPECT_EQ(word(c.ch), c.word);
        EXPECT_EQ(freq->_freq_to_word(c.hz), c.word);
        long double kept = -1;
        EXPECT_EQ(freq->get_ch_freq(c.ch, &kept), 1);
        if (c.hz == c.hz) {
            EXPECT_EQ(kept, c.hz);
        }
        EXPECT_FALSE(strobed_or_held());
    }
    // 25 MHz on channel 1: 0x3333 into each of registers 48, 50 and 52.
    freq->set_freq(1, 25e6L);
    EXPECT_EQ(sim.last_write(48), 0x3333);
    EXPECT_EQ(sim.last_write(50), 0x3333);
    EXPECT_EQ(sim.last_write(52), 0x3333);

    sim.clear_log();
    EXPECT_EQ(freq->set_freq(2, 1000), 0);
    EXPECT_EQ(freq->set_dds_freq(-1, 1000), 0);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFreq, SampleRateModeProgramsFrequencyTimesWaveLength)
{
    // Channel 0 plays the 16384-sample stair in sample-rate mode.
    sim.poke(65, 0x0200);
    freq->set_freq(0, 1000);
    EXPECT_EQ(word(0), 36893488147419ull); // the word of 16 384 000 Hz
    long double kept = 0;
    freq->get_ch_freq(0, &kept);
    EXPECT_EQ(kept, 16384000.0L);

    // An empty wave has no sample rate: nothing is written for the channel.
    {
        std::ofstream("empty.bin", std::ios::binary);
    }
    ASSERT_EQ(manager->get_wave_data()->load_user_wave_file(0, "empty.bin"), 1);
    sim.clear_log();
    EXPECT_EQ(freq->set_freq(0, 1000), 0);
    EXPECT_TRUE(log_is({sim_read(65, 0x0200)}));
    freq->get_ch_freq(0, &kept);
    EXPECT_EQ(kept, 16384000.0L);

    // The DDS frequency itself ignores the mode.
    freq->set_dds_freq(0, 1000);
    EXPECT_EQ(word(0), 2251799813u);
}

TEST_F(DrvFreq, BothChannelsWithAndWithoutHoldAndStrobe)
{
    // The module's class: both words, no strobe, the hold ignored.
    EXPECT_EQ(freq->set_freq_both(1, 1000, 3000), 1);
    EXPECT_EQ(word(0), 2251799813u);
    EXPECT_EQ(word(1), 6755399441u);
    EXPECT_FALSE(strobed_or_held());

    // The base class: inside the hold, the strobe before the release.
    drv_freq_t base(*fpga, *manager->get_phase());
    for (int32 hold : {1, 0}) {
        SCOPED_TRACE(testing::Message() << "hold " << hold);
        sim.clear_log();
        base.set_freq_both(hold, 2000, 7);
        const std::vector<uint16> strobe{0x8000, 0x9000, 0x8000, 0x0000};
        EXPECT_EQ(sim.writes_to(10), strobe);
        const std::vector<uint16> hold_writes =
            hold == 1 ? std::vector<uint16>{0x0008, 0x0000} : std::vector<uint16>{};
        EXPECT_EQ(sim.writes_to(36), hold_writes);
        if (hold == 1) {
            // Everything between the hold's two writes, the strobe last.
            const auto writes = sim.writes();
            ASSERT_GE(writes.size(), 6u);
            EXPECT_EQ(writes.front(), (std::pair<uint32, uint16>{36, 0x0008}));
            EXPECT_EQ(writes.back(), (std::pair<uint32, uint16>{36, 0x0000}));
            EXPECT_EQ(writes[writes.size() - 2], (std::pair<uint32, uint16>{10, 0x0000}));
        }
        EXPECT_EQ(word(0), 4503599627u);
        EXPECT_EQ(word(1), 15762598u);
    }
}

TEST_F(DrvFreq, FrequencyWithPhaseSynchronisesChannelZero)
{
    sim.poke(65, 0x0100); // channel 1 in sample-rate mode: no dispatch for this call
    EXPECT_EQ(freq->set_freq_phase(1, 1000, 90), 1);
    EXPECT_EQ(word(1), 2251799813u);
    // The phase went through the phase driver (sample-rate mode: nothing placed), and
    // the synchronisation pulse of register 36 followed.
    EXPECT_EQ(manager->get_phase()->get_phase(1), 90);
    EXPECT_EQ(manager->get_phase()->get_start_phase(1), 90);
    EXPECT_EQ(sim.writes_to(36), (std::vector<uint16>{0x0008, 0x0000}));
}

TEST_F(DrvFreq, BaseClassAlignsHarmonicWords)
{
    drv_freq_t base(*fpga, *manager->get_phase());
    base.set_freq(0, 1000);
    EXPECT_EQ(base.is_freq_multiple(), -1); // channel 1 has no frequency yet
    sim.clear_log();
    base.set_freq(1, 3000);
    EXPECT_EQ(base.is_freq_multiple(), 1);
    // 6755399441 = 3 x 2251799813 + 2: channel 1 moves down to the multiple.
    EXPECT_EQ(word(1), 6755399439u);
    EXPECT_EQ(word(0), 2251799813u);
    EXPECT_TRUE(sim.writes_to(16).empty());
    EXPECT_EQ(sim.writes_to(48), (std::vector<uint16>{0x3711, 0x370f}));

    // Not harmonic: nothing aligned.
    base.set_freq(1, 3000.5L);
    EXPECT_EQ(base.is_freq_multiple(), 0);
    EXPECT_EQ(word(1), base._freq_to_word(3000.5L));

    // A channel in sweep counts as 0: no alignment.
    fpga->set_run_mode(0, 1);
    base.set_freq(1, 3000);
    EXPECT_EQ(base.is_freq_multiple(), -1);
    EXPECT_EQ(word(1), 6755399441u);

    // The module's class never aligns.
    fpga->set_run_mode(0, 3);
    freq->set_freq(0, 1000);
    freq->set_freq(1, 3000);
    EXPECT_EQ(freq->is_freq_multiple(), 0);
    EXPECT_EQ(word(1), 6755399441u);
}

TEST_F(DrvFreq, BurstRatesAndTheirWords)
{
    const long double rate = 250;
    EXPECT_EQ(freq->set_burst_freq(1, &rate), 1);
    long double back = 0;
    EXPECT_EQ(freq->get_burst_freq(1, &back), 1);
    EXPECT_EQ(back, 250);
    EXPECT_EQ(freq->set_burst_freq(2, &rate), 0);
    EXPECT_EQ(freq->set_burst_freq(0, nullptr), 0);
    // 250 Hz with the modulation clock pair: 250 x 10^6 x 2^47 / 1.5e14.
    EXPECT_EQ(freq->_burst_freq_to_word(250), 234562480u);
    EXPECT_EQ(freq->_burst_freq_to_word(NaN), 0u);
}
