// Tuning, modulation, hop and phase words, their registers and order, the word
// alignment and the sample-rate reciprocal. Expected words come from
// data/gen_fpga_words.py (exact fractions with the extended type's rounding).
#include "drv_fpga.h"
#include "drv_fpga_vextral.h"
#include "lib_trunc.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double Inf = std::numeric_limits<long double>::infinity();

using DrvFpgaDds = sim_driver_fixture_t;

std::vector<sim_op_t> writes(const std::vector<std::pair<uint32, uint16>> &pairs)
{
    std::vector<sim_op_t> ops;
    for (const auto &p : pairs)
        ops.push_back(sim_write(p.first, p.second));
    return ops;
}

} // namespace

TEST_F(DrvFpgaDds, CarrierWordsLandLowPartFirst)
{
    struct
    {
        long double micro_hz;
        uint64 word;
        int ch;
        std::vector<std::pair<uint32, uint16>> regs;
    } cases[] = {
        {1e9L, 2251799813u, 0, {{16, 48389}, {18, 34359}, {20, 0}}},
        {2.5e13L, 56294995342131u, 0, {{16, 13107}, {18, 13107}, {20, 13107}}},
        {1e9L, 2251799813u, 1, {{48, 48389}, {50, 34359}, {52, 0}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.micro_hz << " uHz, channel " << c.ch);
        sim.clear_log();
        const uint64 word = lib_trunc_u64(fpga->freq_to_word(c.micro_hz));
        EXPECT_EQ(word, c.word);
        EXPECT_EQ(fpga->set_freq_word(c.ch, word), 1);
        EXPECT_TRUE(log_is(writes(c.regs)));
        EXPECT_EQ(fpga->get_freq_word(c.ch), c.word);
    }
}

TEST_F(DrvFpgaDds, CarrierWordKeepsOnlyFortyEightBits)
{
    fpga->set_freq_word(0, 0xABCD123456789ABCull);
    EXPECT_TRUE(log_is(writes({{16, 0x9ABC}, {18, 0x5678}, {20, 0x1234}})));
}

TEST_F(DrvFpgaDds, ReadBackTakesTheLowRegisterFirst)
{
    sim.poke(16, 0x1111);
    sim.poke(18, 0x2222);
    sim.poke(20, 0x3333);
    EXPECT_EQ(fpga->get_freq_word(0), 0x333322221111ull);
    EXPECT_TRUE(log_is({sim_read(16, 0x1111), sim_read(18, 0x2222), sim_read(20, 0x3333)}));
}

TEST_F(DrvFpgaDds, ModulationWordsUseTheClassPairOrTheFixedFactor)
{
    // Flag 0 follows the class's modulation pair, flag 1 keeps the fixed quotient.
    class fast_mod_clock_t : public drv_fpga_vextral_t
    {
    public:
        long double get_mod_dds_clock() override { return 3e14L; }
    } doubled;
    struct
    {
        long double hz;
        uint64 word;
    } cases[] = {
        {1, 938249},
        {1000, 938249922},
        {static_cast<long double>(12345.678), 11583331425u},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.hz << " Hz");
        EXPECT_EQ(lib_trunc_u64(fpga->mod_freq_to_word(0, c.hz)), c.word);
        EXPECT_EQ(lib_trunc_u64(fpga->mod_freq_to_word(1, c.hz)), c.word);
        EXPECT_EQ(lib_trunc_u64(doubled.mod_freq_to_word(1, c.hz)), c.word);
        EXPECT_EQ(lib_trunc_u64(doubled.mod_freq_to_word(0, c.hz)), c.word / 2);
    }
    EXPECT_EQ(fpga->mod_freq_to_word(2, 1000), 0);
}

TEST_F(DrvFpgaDds, ModulationWordRegistersHoldFortyFiveBits)
{
    fpga->set_mod_freq(0, 1, 1000);
    fpga->set_mod_freq_word(0, 0xFFFFFFFFFFFFull);
    EXPECT_TRUE(log_is(writes({{58, 938249922u & 0xFFFF},
                               {60, 938249922u >> 16},
                               {62, 0},
                               {26, 0xFFFF},
                               {28, 0xFFFF},
                               {30, 0x1FFF}})));
    // The read-back takes all sixteen bits of each register.
    sim.poke(30, 0xFFFF);
    sim.clear_log();
    EXPECT_EQ(fpga->get_mod_freq_word(0), 0xFFFFFFFFFFFFull);
    EXPECT_TRUE(log_is({sim_read(26, 0xFFFF), sim_read(28, 0xFFFF), sim_read(30, 0xFFFF)}));
    // A flag other than 0 and 1 has no word, and nothing is written.
    sim.clear_log();
    fpga->set_mod_freq(2, 0, 1000);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(DrvFpgaDds, HopWordGoesThroughTheCarrierConversion)
{
    fpga->set_hop_freq(0, 1000);
    fpga->set_hop_freq(1, 25000000);
    EXPECT_TRUE(log_is(writes({{164, 48389},
                               {166, 34359},
                               {168, 0},
                               {180, 13107},
                               {182, 13107},
                               {184, 13107}})));
}

TEST_F(DrvFpgaDds, ValuesWithoutAWordWriteZero)
{
    // Not a number and the infinities convert to 0; a negative modulation rate is
    // outside the unsigned word and converts to 0 as well.
    for (long double hz : {NaN, Inf, -Inf}) {
        SCOPED_TRACE(testing::Message() << hz);
        sim.clear_log();
        fpga->set_hop_freq(0, hz);
        fpga->set_mod_freq(0, 0, hz);
        fpga->set_start_phase(0, hz);
        EXPECT_TRUE(log_is(writes({{164, 0}, {166, 0}, {168, 0}, {26, 0}, {28, 0}, {30, 0}, {90, 0}, {22, 0}})));
    }
    sim.clear_log();
    fpga->set_mod_freq(1, 0, -1);
    EXPECT_TRUE(log_is(writes({{26, 0}, {28, 0}, {30, 0}})));
    // The hop word is a signed conversion: -1 Hz is -2251799 as 48 bits.
    sim.clear_log();
    fpga->set_hop_freq(0, -1);
    const uint64 word = static_cast<uint64>(int64{-2251799});
    EXPECT_TRUE(log_is(writes({{164, static_cast<uint16>(word)},
                               {166, static_cast<uint16>(word >> 16)},
                               {168, static_cast<uint16>(word >> 32)}})));
}

TEST_F(DrvFpgaDds, PhaseWordsAreFractionsOfTwoToTheThirtyTwoMinusOne)
{
    struct
    {
        long double degrees;
        uint32 word;
    } cases[] = {
        {0, 0},
        {90, 1073741823},
        {180, 2147483647},
        {-90, 3221225471u},
        {360, 4294967295u},
        {-360, 0},
        // One turn is added once only; the low 32 bits of the product are kept.
        {-400, 3817748708u},
        {720, 4294967294u},
        {NaN, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.degrees << " degrees");
        sim.clear_log();
        fpga->set_start_phase(0, c.degrees);
        fpga->set_phase_offset(0, c.degrees);
        const uint16 lo = static_cast<uint16>(c.word);
        const uint16 hi = static_cast<uint16>(c.word >> 16);
        EXPECT_TRUE(log_is(writes({{90, lo}, {22, hi}, {154, lo}, {57, hi}})));
    }
}

TEST_F(DrvFpgaDds, PhaseRegistersByChannel)
{
    // The start phase treats every channel other than 0 as channel 1; the offset writes
    // only for channels 0 and 1.
    fpga->set_start_phase(1, 90);
    fpga->set_phase_offset(1, 90);
    fpga->set_start_phase(2, 90);
    fpga->set_phase_offset(2, 90);
    EXPECT_TRUE(log_is(writes({{92, 0xFFFF}, {54, 0x3FFF}, {156, 0xFFFF}, {59, 0x3FFF}, {92, 0xFFFF}, {54, 0x3FFF}})));

    sim.poke(156, 0x1234);
    sim.poke(59, 0x5678);
    sim.clear_log();
    uint32 low = 0;
    uint32 high = 0;
    fpga->read_phase_offset_word(1, &low, &high);
    EXPECT_EQ(low, 0x1234u);
    EXPECT_EQ(high, 0x5678u);
    EXPECT_TRUE(log_is({sim_read(156, 0x1234), sim_read(59, 0x5678)}));
}

TEST_F(DrvFpgaDds, StartPhaseModeIsBitFourteenOfTheUpdateRegister)
{
    for (auto [value, mode] : {std::pair<uint16, int32>{0x4000, 1}, {0xBFFF, 0}, {0xFFFF, 1}, {0, 0}}) {
        sim.poke(10, value);
        EXPECT_EQ(fpga->get_start_phase_mode(), mode) << value;
    }
}

TEST_F(DrvFpgaDds, SyncPhasePulsesTheHoldBitUnlessAHoldIsOpen)
{
    sim.poke(36, 0x0100);
    fpga->sync_phase(1);
    EXPECT_TRUE(log_is({sim_read(36, 0x0100), sim_write(36, 0x0108), sim_read(36, 0x0108), sim_write(36, 0x0100)}));
    EXPECT_EQ(fpga->get_hold_count(), 0);

    fpga->begin_hold();
    sim.clear_log();
    fpga->sync_phase(0);
    EXPECT_TRUE(log_is({sim_read(36, 0x0108), sim_write(36, 0x0108)}));
    EXPECT_EQ(fpga->get_hold_count(), 1);
    fpga->end_hold();
    EXPECT_EQ(sim.last_write(36), 0x0100);
}

TEST(DrvFpgaAlign, LargerWordBecomesTheNearestMultiple)
{
    struct
    {
        uint64 a, b, want_a, want_b;
    } cases[] = {
        {1000, 3499, 1000, 3000},
        {1000, 3500, 1000, 4000}, // a tie rounds up
        {1000, 3501, 1000, 4000},
        {1000, 3000, 1000, 3000},
        {3499, 1000, 3000, 1000},
        {7, 7, 7, 7},
        {3, 4, 3, 3},
        {2, 3, 2, 4},
        {0, 5, 0, 5},
        {5, 0, 5, 0},
        {1, std::numeric_limits<uint64>::max(), 1, std::numeric_limits<uint64>::max()},
    };
    for (const auto &c : cases) {
        uint64 a = c.a;
        uint64 b = c.b;
        drv_fpga_t::align_freq_words(&a, &b);
        EXPECT_EQ(a, c.want_a) << c.a << ", " << c.b;
        EXPECT_EQ(b, c.want_b) << c.a << ", " << c.b;
    }
    uint64 a = 3;
    drv_fpga_t::align_freq_words(&a, nullptr);
    drv_fpga_t::align_freq_words(nullptr, &a);
    EXPECT_EQ(a, 3u);
}

TEST_F(DrvFpgaDds, RateReciprocalOnBothSidesOfItsScaleSwitch)
{
    struct
    {
        uint64 micro_hz;
        uint64 word;
        std::vector<uint16> parts; // registers 225, 227, 229, 231, 233
    } cases[] = {
        {1000000, 1u << 20, {0, 0, 2, 0, 0}},  // 2^54 up to 1 Hz
        {1000001, 1u << 20, {0, 0, 0, 8, 0}},  // 2^72 above it
        {1000001, 1, {0, 0, 0, 0, 128}},
        {0, 1, {0, 0, 0, 32, 0}},
        {1000000, 3, {43690, 43690, 43690, 10, 0}},
        {1000001, 3, {43712, 43690, 43690, 43690, 42}},
        {2000000000, 2251799813u, {319, 9216, 244, 0, 0}},
        // The divisor is the 64-bit product 2 x word: 2^63 + 1 gives 2.
        {1000000, (1ull << 63) + 1, {0, 0, 0, 32, 0}},
        // A zero divisor, from word 0 or from the product wrapping, writes zeros.
        {1000000, 0, {0, 0, 0, 0, 0}},
        {1000001, 0, {0, 0, 0, 0, 0}},
        {1000001, 1ull << 63, {0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "u " << c.micro_hz << ", word " << c.word);
        sim.clear_log();
        fpga->write_rate_recip(0, c.micro_hz, c.word);
        EXPECT_TRUE(log_is(writes({{225, c.parts[0]}, {227, c.parts[1]}, {229, c.parts[2]}, {231, c.parts[3]},
                                   {233, c.parts[4]}})));
    }
    sim.clear_log();
    fpga->write_rate_recip(1, 1000001, 1);
    EXPECT_TRUE(log_is(writes({{235, 0}, {237, 0}, {239, 0}, {209, 0}, {211, 128}})));
}

TEST_F(DrvFpgaDds, ReciprocalFollowsTheTuningWordOnlyInSampleRateMode)
{
    const uint64 word = 2251799813u;
    struct
    {
        int ch;
        uint16 reg65;
        bool recip;
    } cases[] = {
        {0, 0x0000, false},
        {0, 0x0100, false}, // channel 1's bit
        {0, 0x0200, true},
        {1, 0x0100, true},
        {1, 0x0200, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.ch << ", register 65 = " << c.reg65);
        sim.poke(65, c.reg65);
        sim.clear_log();
        fpga->set_freq_word_rate(c.ch, 1000000000, word);
        std::vector<sim_op_t> expected;
        const uint32 base = c.ch == 0 ? 16 : 48;
        expected.push_back(sim_write(base, 48389));
        expected.push_back(sim_write(base + 2, 34359));
        expected.push_back(sim_write(base + 4, 0));
        expected.push_back(sim_read(65, c.reg65));
        if (c.recip) {
            const uint32 regs[2][5] = {{225, 227, 229, 231, 233}, {235, 237, 239, 209, 211}};
            const uint16 parts[5] = {319, 9216, 244, 0, 0};
            for (int i = 0; i < 5; ++i)
                expected.push_back(sim_write(regs[c.ch][i], parts[i]));
        }
        EXPECT_TRUE(log_is(expected));
    }
}
