// The pulse driver: widths and edge times to the pulse generator's count, fraction,
// edge steps and scales. Expected words come from data/gen_pulse_words.py (exact
// fractions with the extended type's rounding at each of the driver's operations).
#include "drv_fpga.h"
#include "drv_pulse.h"
#include "drv_pulse_vextral.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using DrvPulse = sim_driver_fixture_t;

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();

struct pulse_words_t
{
    uint64 whole, frac, rise_step, rise_scale, fall_step, fall_scale;
};

struct pulse_case_t
{
    long double width, fall, rise, hz;
    pulse_words_t words;
};

// The accesses of set_timing, set_fall_edge and set_rise_edge on a channel whose
// modulation register reads mod_reg (no modulation: the pulse mode bit is set).
std::vector<sim_op_t> pulse_writes(int32 ch, const pulse_words_t &w, uint16 mod_reg = 0)
{
    const uint32 top = static_cast<uint32>((w.whole >> 32) & 0x3F) | ((mod_reg & 0x1F) == 0 ? 0x8000 : 0);
    auto word37 = [](std::vector<sim_op_t> &log, const uint16 *regs, uint64 word) {
        log.push_back(sim_write(regs[2], static_cast<uint16>((word >> 32) & 0x1F)));
        log.push_back(sim_write(regs[1], static_cast<uint16>(word >> 16)));
        log.push_back(sim_write(regs[0], static_cast<uint16>(word)));
    };
    auto word32 = [](std::vector<sim_op_t> &log, const uint16 *regs, uint64 word) {
        log.push_back(sim_write(regs[1], static_cast<uint16>(word >> 16)));
        log.push_back(sim_write(regs[0], static_cast<uint16>(word)));
    };
    const uint16 count[2][3] = {{192, 194, 196}, {208, 210, 212}};
    const uint16 frac[2][3] = {{172, 174, 206}, {188, 190, 222}};
    const uint16 step1[2][3] = {{198, 200, 202}, {214, 216, 218}};
    const uint16 step2[2][3] = {{204, 244, 246}, {220, 248, 250}};
    const uint16 scale1[2][2] = {{224, 226}, {232, 234}};
    const uint16 scale2[2][2] = {{228, 230}, {236, 238}};
    std::vector<sim_op_t> log{sim_read(ch == 0 ? 40 : 72, mod_reg), sim_write(count[ch][2], static_cast<uint16>(top)),
                              sim_write(count[ch][1], static_cast<uint16>(w.whole >> 16)),
                              sim_write(count[ch][0], static_cast<uint16>(w.whole))};
    word37(log, frac[ch], w.frac);
    word37(log, step2[ch], w.fall_step);
    word32(log, scale2[ch], w.fall_scale);
    word37(log, step1[ch], w.rise_step);
    word32(log, scale1[ch], w.rise_scale);
    return log;
}

std::vector<sim_op_t> update_strobe()
{
    return {sim_read(10, 0), sim_write(10, 0x8000), sim_write(10, 0x9000), sim_write(10, 0x8000),
            sim_write(10, 0x0000)};
}

void append(std::vector<sim_op_t> &log, const std::vector<sim_op_t> &more)
{
    log.insert(log.end(), more.begin(), more.end());
}

} // namespace

TEST_F(DrvPulse, ModulesPulseWordsForWidthsAndEdges)
{
    const pulse_case_t cases[] = {
        // A 1 us pulse with 10 ns rise and 20 ns fall: count 124.164, so 125 whole clocks.
        {1e-6L, 20e-9L, 10e-9L, 100000L, {125, 1187099763, 3174016671, 14780, 1419463407, 6609}},
        // Exactly one clock: two whole clocks and one whole fall step.
        {8e-9, 10e-9L, 10e-9L, 1000000L, {2, 3174016671, 3174016671, 1478, 3174016671, 1478}},
        // A whole number of clocks other than one: no fraction.
        {16e-9, 30e-9L, 30e-9L, 1000000L, {2, 0, 929256930, 432, 929256930, 432}},
        // Edges at and below the intrinsic edge have no ramp: steps and scales 0.
        {250e-9L, 5e-9, 5e-9, 1000000L, {32, 0, 0, 0, 0, 0}},
        {250e-9L, 2e-9L, 1e-9L, 2500000L, {32, 0, 0, 0, 0, 0}},
        // A zero tuning word gives the largest scale; a step beyond 32 bits is kept.
        {500e-9L, 12e-9L, 8e-9L, 0L, {63, 2177997264, 4401569176, 4294967295, 2519801641, 4294967295}},
        {3e-3L, 1e-6L, 2e-6L, 10L, {375079, 24038695, 13743938, 640001, 27488134, 1280015}},
        // Widths that make no count convert through the truncation: no fault.
        {NaN, 10e-9L, 10e-9L, 1000L, {0, 0, 3174016671, 1478016, 3174016671, 1478016}},
        {-1e-6L, 10e-9L, 10e-9L, 1000L, {0, 6348033341, 3174016671, 1478016, 3174016671, 1478016}},
    };
    drv_pulse_t *pulse = manager->get_pulse();
    ASSERT_NE(dynamic_cast<drv_pulse_vextral_t *>(pulse), nullptr);
    for (int32 ch : {0, 1}) {
        for (const pulse_case_t &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", width " << static_cast<double>(c.width)
                                            << ", fall " << static_cast<double>(c.fall) << ", rise "
                                            << static_cast<double>(c.rise) << ", hz " << static_cast<double>(c.hz));
            sim.clear_log();
            pulse->set_pulse(ch, c.width, c.fall, c.rise, c.hz);
            std::vector<sim_op_t> expected = pulse_writes(ch, c.words);
            append(expected, update_strobe());
            EXPECT_TRUE(log_is(expected));
        }
    }
}

TEST_F(DrvPulse, BaseClassScalesAreAlwaysTheLargest)
{
    drv_pulse_t base;
    EXPECT_EQ(base.get_min_width(), static_cast<long double>(6.666666666666667e-9));
    EXPECT_EQ(base.get_min_edge(), static_cast<long double>(2e-9));
    EXPECT_EQ(base.get_scale_factor(), 0);
    base.set_pulse(0, 1e-6L, 20e-9L, 10e-9L, 100000L);
    std::vector<sim_op_t> expected = pulse_writes(0, {150, 1090135791, 2337884074, 4294967295, 1151094546, 4294967295});
    append(expected, update_strobe());
    EXPECT_TRUE(log_is(expected));
    EXPECT_EQ(base.calc_edge_scale(0, 123.0L), 4294967295.0L);
}

TEST_F(DrvPulse, ModuleConstantsAndConversions)
{
    drv_pulse_t *pulse = manager->get_pulse();
    EXPECT_EQ(pulse->get_min_width(), static_cast<long double>(8e-9));
    EXPECT_EQ(pulse->get_min_edge(), static_cast<long double>(5e-9));
    EXPECT_EQ(pulse->min_edge(), static_cast<long double>(5e-9));
    EXPECT_EQ(pulse->get_scale_factor(), 1);
    const long double any = 3.0L;
    EXPECT_EQ(pulse->get_edge_mode(&any), 0);

    // sqrt(100 - 25) / 0.8 ns.
    EXPECT_NEAR(static_cast<double>(pulse->convert_edge(10e-9L)), std::sqrt(75.0) / 0.8 * 1e-9, 1e-20);
    for (long double edge : {static_cast<long double>(5e-9), 4e-9L, 0.0L, -1e-9L})
        EXPECT_EQ(pulse->convert_edge(edge), 0.0L) << static_cast<double>(edge);
    EXPECT_TRUE(std::isnan(pulse->convert_edge(NaN)));
    EXPECT_NEAR(static_cast<double>(pulse->calc_high_count(1e-6L, 20e-9L, 10e-9L)), 124.164, 1e-3);

    // 2^32 / (ramp / clock), and the scale against the tuning word.
    EXPECT_NEAR(static_cast<double>(pulse->calc_edge_step(10e-9L)), 3.174e9, 1e6);
    EXPECT_EQ(pulse->calc_edge_scale(1000, 0.0L), 4294967295.0L);
    EXPECT_EQ(pulse->calc_edge_scale(1ull << 32, 1.0L), 4294967295.0L);
    EXPECT_EQ(pulse->calc_edge_scale(4096, 1024.0L), 4096.0L * 1024);
}

TEST_F(DrvPulse, SplitCountRoundsUpAFractionIntoAFallStep)
{
    drv_pulse_t *pulse = manager->get_pulse();
    // The 20 ns fall step is 1419463407.
    struct
    {
        long double count;
        long double whole, frac;
    } cases[] = {
        {124.2L, 125, 1135570725.6L}, // 0.8 of the step, before truncation
        {1.0L, 2, 1419463407},
        {3.0L, 3, 0},
        {0.0L, 0, 0},
    };
    for (const auto &c : cases) {
        long double whole = -1, frac = -1;
        EXPECT_EQ(pulse->split_count(1e6L, 20e-9L, c.count, &whole, &frac), 1);
        EXPECT_EQ(whole, c.whole) << static_cast<double>(c.count);
        EXPECT_NEAR(static_cast<double>(frac), static_cast<double>(c.frac), 0.5) << static_cast<double>(c.count);
    }
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvPulse, OnlyTheWholeOperationsStrobeAndBothChannelsShareOneStrobe)
{
    drv_pulse_t *pulse = manager->get_pulse();
    const pulse_words_t example{125, 1187099763, 3174016671, 14780, 1419463407, 6609};
    const pulse_words_t one_clock{2, 3174016671, 3174016671, 1478, 3174016671, 1478};

    // Modulating channel 1 (AM) clears its pulse mode bit.
    sim.poke(72, 0x0002);
    pulse->set_pulse_both(100000L, 1e-6L, 10e-9L, 20e-9L, 1000000L, 8e-9, 10e-9L, 10e-9L);
    std::vector<sim_op_t> expected = pulse_writes(0, example);
    append(expected, pulse_writes(1, one_clock, 0x0002));
    append(expected, update_strobe());
    EXPECT_TRUE(log_is(expected));

    sim.clear_log();
    EXPECT_EQ(pulse->set_timing(0, 100000L, 1e-6L, 20e-9L, 10e-9L), 1);
    EXPECT_EQ(pulse->set_fall_edge(0, 20e-9L, 100000L), 1);
    EXPECT_EQ(pulse->set_rise_edge(0, 10e-9L, 100000L), 1);
    expected = pulse_writes(0, example);
    EXPECT_TRUE(log_is(expected));
}
