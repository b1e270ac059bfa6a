// The harmonics of a channel's sine: order and type rules, the limits of level, volts
// and phase, the synthesis over the generated built-in waves against the formula
// computed here, the peak limit, the re-checks after amplitude and frequency changes,
// and the channel's wave data by wave type.
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_bswv_wave.h"
#include "cfg_fixture.h"
#include "cfg_wv_main.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_wave_data.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace
{
lib_unit_data_t base(long double v)
{
    lib_unit_data_t r{};
    r.data = v;
    r.unit = LIB_UNIT_BASE;
    return r;
}

std::vector<int16> builtin(int32 id, float symmetry = 0.0f)
{
    std::vector<int16> w;
    drv_interface_t::get_instance()->get_builtin_wave_data(id, w, symmetry);
    return w;
}

struct harmonic_t
{
    int32 order;
    long double volts;
    long double degrees;
};

// The sum as the harmonics' description defines it: each order's sine rotated left by
// trunc(16384 / order x phase / 360) samples and added with the weight volts / running
// full scale; a sum whose peak passes 32766 is scaled to 32767 and the full scale grows
// by the same factor.
std::vector<int16> expected_sum(long double fundamental, const std::vector<harmonic_t> &orders,
                                long double *scale)
{
    std::vector<int16> sum = builtin(0);
    long double full_scale = fundamental;
    *scale = 1.0L;
    for (const harmonic_t &h : orders)
    {
        std::vector<int16> w = builtin(206 + h.order);
        if (w.size() != sum.size() || h.volts <= 0)
            continue;
        const size_t shift = static_cast<size_t>(std::trunc(16384.0L / h.order * (h.degrees / 360.0L)));
        std::rotate(w.begin(), w.begin() + shift % w.size(), w.end());
        const long double weight = h.volts / full_scale;
        long long peak = 0;
        for (size_t i = 0; i < sum.size(); ++i)
        {
            const long long v = static_cast<long long>(std::trunc(sum[i] + w[i] * weight));
            if (std::llabs(v) > std::llabs(peak))
                peak = v;
        }
        const long double k = std::llabs(peak) <= 32766 ? 1.0L : 32767.0L / std::llabs(peak);
        for (size_t i = 0; i < sum.size(); ++i)
            sum[i] = static_cast<int16>(std::trunc((sum[i] + w[i] * weight) * k));
        full_scale /= k;
        *scale *= k;
    }
    return sum;
}
} // namespace

class CfgBswvHarmonic : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        b = cfg_get_bswv_main(0);
    }

    // Volts and phase of one order without the setters' applies.
    void put(int32 order, long double volts, long double degrees)
    {
        b->put_harmonic_ampl(order, volts);
        b->put_harmonic_level(order, 20.0L * std::log10(volts / b->get_ampl_raw().data));
        b->put_harmonic_phase(order, degrees);
    }

    cfg_bswv_main_t *b = nullptr;
};

TEST_F(CfgBswvHarmonic, StartsWithThePlainFundamental)
{
    int32 v = 0;
    EXPECT_EQ(b->get_harmonic_order(&v), 1);
    EXPECT_EQ(v, 2);
    b->get_harmonic_type(&v);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(b->get_harmonic_scale(), 1.0L);
    EXPECT_EQ(b->get_harmonic_samples(), builtin(0));
    EXPECT_EQ(b->get_harmonic_samples().size(), 16384u);
    for (int32 order = 2; order <= 10; ++order)
    {
        EXPECT_EQ(b->find_harmonic_ampl(order), 0.0L);
        EXPECT_EQ(b->find_harmonic_level(order), -80.0L);
    }
    // Orders outside 2 to 10 have no record.
    EXPECT_EQ(b->find_harmonic_ampl(11), 0.0L);
    b->put_harmonic_ampl(11, 1.0L);
    EXPECT_EQ(b->get_harmonics().size(), 9u);
}

TEST_F(CfgBswvHarmonic, OrderFollowsTheTypesParityInTheDirectionOfTheChange)
{
    struct case_t
    {
        int32 type;
        int32 from;
        int32 request;
        int32 stored;
        int32 result;
    };
    // At 1 kHz every order fits: 2 to 10 for even and all, 3 to 9 for odd.
    const std::vector<case_t> cases = {
        {0, 2, 3, 4, 1},  {0, 4, 5, 6, 1},  {0, 4, 3, 2, 1},   {0, 2, 11, 10, -10},
        {0, 4, 4, 4, 1},  {1, 3, 4, 5, 1},  {1, 5, 4, 3, 1},   {1, 3, 1, 3, -11},
        {1, 9, 10, 9, -10}, {2, 2, 7, 7, 1}, {2, 2, 1, 2, -11},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.type << ": " << c.from << " -> " << c.request);
        b->store_harmonic_type_raw(c.type);
        b->store_harmonic_order_raw(c.from);
        EXPECT_EQ(b->set_harmonic_order(c.request), c.result);
        EXPECT_EQ(b->get_harmonic_order_raw(), c.stored);
    }
    // A new type moves the order to its parity: even 2 becomes odd 3, 9 becomes even 8.
    b->store_harmonic_order_raw(2);
    EXPECT_EQ(b->set_harmonic_type(1), 1);
    EXPECT_EQ(b->get_harmonic_order_raw(), 3);
    b->store_harmonic_order_raw(9);
    b->set_harmonic_type(0);
    EXPECT_EQ(b->get_harmonic_order_raw(), 8);
    // An unknown type is stored, and the synthesis then keeps its last result.
    const std::vector<int16> before = b->get_harmonic_samples();
    EXPECT_EQ(b->set_harmonic_type(7), 1);
    EXPECT_EQ(b->update_harmonic_wave_data(), 0);
    EXPECT_EQ(b->get_harmonic_samples(), before);
}

TEST_F(CfgBswvHarmonic, LevelVoltsAndPhaseStayWithinTheirLimits)
{
    // Fundamental 4 V at high impedance: the order's maximum is the fundamental.
    ASSERT_EQ(b->get_ampl_raw().data, 4.0L);
    lib_unit_data_t level = base(-90.0L);
    EXPECT_EQ(b->set_harmonic_level(&level), -11);
    EXPECT_EQ(level.data, -80.0L);
    EXPECT_EQ(b->find_harmonic_ampl(2), 0.0L);
    lib_unit_data_t read{};
    read.changed = true;
    EXPECT_EQ(b->get_harmonic_level(&read), 1);
    EXPECT_EQ(read.data, -80.0L);
    EXPECT_EQ(read.unit, LIB_UNIT_BASE);
    EXPECT_FALSE(read.changed);

    level = base(-6.0L);
    EXPECT_EQ(b->set_harmonic_level(&level), 1);
    EXPECT_NEAR(static_cast<double>(b->find_harmonic_ampl(2)), 2.00475, 5e-6);
    EXPECT_NEAR(static_cast<double>(b->find_harmonic_level(2)), -6.0, 1e-9);

    struct case_t
    {
        long double volts;
        long double stored;
        int32 result;
    };
    for (const case_t &c : std::vector<case_t>{{1.0L, 1.0L, 1}, {5.0L, 4.0L, -10}, {-1.0L, 0.0L, -11}})
    {
        EXPECT_EQ(b->set_harmonic_ampl(base(c.volts)), c.result) << static_cast<double>(c.volts);
        long double v = -1;
        b->get_harmonic_ampl(&v);
        EXPECT_EQ(v, c.stored);
    }
    for (const case_t &c : std::vector<case_t>{{90.0L, 90.0L, 1}, {400.0L, 360.0L, -10}, {-5.0L, 0.0L, -11}})
    {
        EXPECT_EQ(b->set_harmonic_phase(base(c.volts)), c.result) << static_cast<double>(c.volts);
        long double p = -1;
        b->get_harmonic_phase(&p);
        EXPECT_EQ(p, c.stored);
    }

    // The map read keeps what the caller had and adds the rest.
    std::map<int32, long double> ampls = {{2, -7.0L}};
    b->get_harmonic_ampls(&ampls);
    EXPECT_EQ(ampls.size(), 9u);
    EXPECT_EQ(ampls[2], -7.0L);
    EXPECT_EQ(ampls[3], 0.0L);
}

TEST_F(CfgBswvHarmonic, SumOfOrdersTwoAndThreeReachesTheWavePort)
{
    b->store_harmonic_switch_raw(1);
    b->store_harmonic_type_raw(2);
    put(2, 1.0L, 0.0L);
    put(3, 0.5L, 90.0L);
    ASSERT_EQ(b->update_harmonic_wave_data(), 1);
    long double scale = 0;
    const std::vector<int16> expected = expected_sum(4.0L, {{2, 1.0L, 0.0L}, {3, 0.5L, 90.0L}}, &scale);
    EXPECT_EQ(b->get_harmonic_samples(), expected);
    EXPECT_EQ(b->get_harmonic_scale(), scale);

    // The sine apply sends that sum: the last 16384-word block, in DAC bits.
    std::vector<int16> dac = expected;
    drv_instance_manage_t::get_instance()->get_wave_data()->scale_to_dac_bits(dac);
    cfg_apply_sine_wave(0, true);
    const std::vector<uint16_t> *sent = nullptr;
    for (const sim_op_t &op : sim.log())
        if (op.kind == sim_op_kind_t::block && op.words.size() == dac.size())
            sent = &op.words;
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(*sent, std::vector<uint16_t>(dac.begin(), dac.end()));
}

TEST_F(CfgBswvHarmonic, PeakAboveFullScaleIsScaledAndTheOutputAmplitudeRaised)
{
    b->store_harmonic_switch_raw(1);
    put(2, 4.0L, 0.0L);
    b->update_harmonic_wave_data();
    long double scale = 0;
    EXPECT_EQ(b->get_harmonic_samples(), expected_sum(4.0L, {{2, 4.0L, 0.0L}}, &scale));
    EXPECT_LT(scale, 1.0L);
    EXPECT_EQ(b->get_harmonic_scale(), scale);
    EXPECT_EQ(b->get_output_ampl(), 4.0L / scale);
    const auto peak = std::minmax_element(b->get_harmonic_samples().begin(), b->get_harmonic_samples().end());
    EXPECT_LE(std::max(-*peak.first, static_cast<int>(*peak.second)), 32767);

    // Two odd orders that lower the fundamental's crest stay within full scale: added
    // unscaled.
    b->store_harmonic_type_raw(1);
    put(3, 0.4L, 0.0L);
    put(5, 0.2L, 0.0L);
    b->update_harmonic_wave_data();
    EXPECT_EQ(b->get_harmonic_scale(), 1.0L);
    EXPECT_EQ(b->get_harmonic_samples(), expected_sum(4.0L, {{3, 0.4L, 0.0L}, {5, 0.2L, 0.0L}}, &scale));
}

TEST_F(CfgBswvHarmonic, EvenSynthesisPrintsEachOrderItAdds)
{
    put(4, 1.0L, 0.0L);
    stdout_capture_t capture;
    b->update_harmonic_wave_data();
    const std::string text = capture.finish();
    EXPECT_NE(text.find("get_harmonic_even_wave_data::order = 4amp1\n"), std::string::npos);
    EXPECT_NE(text.find("get_harmonic_even_wave_data::order = 10amp0\n"), std::string::npos);
    EXPECT_EQ(text.find("order = 3"), std::string::npos);

    stdout_capture_t odd;
    b->store_harmonic_type_raw(1);
    b->update_harmonic_wave_data();
    EXPECT_EQ(odd.finish(), "");
}

TEST_F(CfgBswvHarmonic, RotationShiftsByTheOrdersOwnPeriod)
{
    std::vector<int16> w(16384);
    for (size_t i = 0; i < w.size(); ++i)
        w[i] = static_cast<int16>(i % 30000);
    std::vector<int16> rotated = w;
    // Order 2 at 90 degrees: 8192 x 0.25 = 2048 samples to the left.
    b->rotate_wave_by_phase(rotated, 2, 90.0L);
    EXPECT_EQ(rotated[0], w[2048]);
    EXPECT_EQ(rotated[16383], w[2047]);
    // A shift beyond a short vector wraps; an empty vector is left alone.
    std::vector<int16> small = {1, 2, 3};
    b->rotate_wave_by_phase(small, 2, 90.0L);
    EXPECT_EQ(small, (std::vector<int16>{3, 1, 2}));
    std::vector<int16> none;
    EXPECT_EQ(b->rotate_wave_by_phase(none, 3, 360.0L), 1);
}

TEST_F(CfgBswvHarmonic, LevelsStayWhenTheFundamentalChanges)
{
    b->store_harmonic_switch_raw(1);
    b->store_ampl_raw(base(2.0L));
    lib_unit_data_t level = base(-6.0L);
    b->set_harmonic_level(&level);
    const long double at_two = b->find_harmonic_ampl(2);
    b->store_ampl_raw(base(4.0L));
    EXPECT_EQ(b->update_harmonic_ampls(), 1);
    EXPECT_NEAR(static_cast<double>(b->find_harmonic_ampl(2)), static_cast<double>(2 * at_two), 1e-12);
    EXPECT_NEAR(static_cast<double>(b->find_harmonic_level(2)), -6.0, 1e-9);
    EXPECT_EQ(b->find_harmonic_ampl(4), 0.0L);
    // Capped at the order's maximum, which is the fundamental at high impedance.
    lib_unit_data_t high = base(0.0L);
    b->set_harmonic_level(&high);
    b->store_ampl_raw(base(8.0L));
    b->update_harmonic_ampls();
    EXPECT_LE(b->find_harmonic_ampl(2), 8.0L);
    EXPECT_EQ(b->find_harmonic_ampl(2), b->get_wave(0)->get_max_harmonic_ampl_of_order(0, 2));
}

TEST_F(CfgBswvHarmonic, OrdersAboveTheBandwidthAreResetAfterAFrequencyRise)
{
    b->store_harmonic_switch_raw(1);
    b->store_harmonic_type_raw(2);
    put(2, 0.1L, 10.0L);
    put(5, 1.0L, 45.0L);
    // 30 MHz / 8.5 MHz truncates to 3: orders 4 to 10 no longer fit.
    b->store_freq_raw(base(8.5e6L));
    sim.clear_log();
    EXPECT_EQ(b->check_harmonics(), 1);
    for (int32 order = 4; order <= 10; ++order)
    {
        EXPECT_EQ(b->find_harmonic_ampl(order), 0.0L) << order;
        EXPECT_EQ(b->find_harmonic_phase(order), 0.0L) << order;
        EXPECT_EQ(b->find_harmonic_level(order), -80.0L) << order;
    }
    EXPECT_EQ(b->find_harmonic_phase(2), 10.0L);
    // Order 5 had volts: the sine was synthesised and applied again.
    EXPECT_FALSE(sim.log().empty());

    // With nothing above the limit to reset, nothing is applied.
    sim.clear_log();
    b->check_harmonics();
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(CfgBswvHarmonic, WaveDataByWaveType)
{
    std::vector<int16> out = {7};
    EXPECT_EQ(b->get_wave_data(&out), 0);
    EXPECT_EQ(out, builtin(0));

    b->store_harmonic_switch_raw(1);
    put(2, 1.0L, 30.0L);
    b->update_harmonic_wave_data();
    EXPECT_EQ(b->get_wave_data(&out), 0);
    EXPECT_EQ(out, b->get_harmonic_samples());
    EXPECT_NE(out, builtin(0));

    b->store_wave_type_raw(4);
    EXPECT_EQ(b->get_wave_data(&out), 0);
    EXPECT_EQ(out, builtin(1));

    b->store_wave_type_raw(2);
    b->store_symmetry_raw(base(25.0L));
    EXPECT_EQ(b->get_wave_data(&out), 0);
    EXPECT_EQ(out, builtin(207, 25.0f));
    EXPECT_EQ(out.size(), 16384u);
    EXPECT_NE(out, builtin(207, 50.0f));

    drv_interface_t::get_instance()->set_builtin_arb_wave(0, 19);
    b->store_wave_type_raw(6);
    std::vector<int16> resampled;
    drv_interface_t::get_instance()->get_resampled_wave_data(0, resampled);
    EXPECT_EQ(b->get_wave_data(&out), 0);
    EXPECT_EQ(out, resampled);

    cfg_uart_pattern_t *uart = cfg_get_wv_main(0)->get_pattern()->get_uart_pattern();
    uart->build_from("A", 1);
    std::vector<int16> pattern;
    uart->get_samples(pattern);
    ASSERT_FALSE(pattern.empty());
    b->store_wave_type_raw(12);
    EXPECT_EQ(b->get_wave_data(&out), 0);
    EXPECT_EQ(out, pattern);

    for (int32 type : {1, 3, 5, 7, 8, 13, 16})
    {
        b->store_wave_type_raw(type);
        out = {5, 6};
        EXPECT_EQ(b->get_wave_data(&out), -13) << type;
        EXPECT_EQ(out, (std::vector<int16>{5, 6})) << type;
    }
    EXPECT_EQ(cfg_get_builtin_wave_index(0), 0);
    EXPECT_EQ(cfg_get_builtin_wave_index(4), 1);
    EXPECT_EQ(cfg_get_builtin_wave_index(2), 207);
    EXPECT_EQ(cfg_get_builtin_wave_index(6), 207);
}

TEST_F(CfgBswvHarmonic, LimitsAfterASynthesisPullOnlyValuesAboveTheirMaximum)
{
    b->store_harmonic_switch_raw(1);
    b->store_freq_raw(base(1e9L));
    b->store_ampl_raw(base(100.0L));
    b->check_harmonic_limits();
    const long double max_freq = b->get_max_freq();
    EXPECT_EQ(b->get_freq_raw().data, max_freq);
    EXPECT_TRUE(b->get_freq_raw().changed);
    EXPECT_LT(b->get_ampl_raw().data, 100.0L);
    EXPECT_TRUE(b->get_ampl_raw().changed);

    // Values below their minimum are left as they are.
    b->store_freq_raw(base(0.0L));
    b->store_ampl_raw(base(0.0L));
    b->check_harmonic_limits();
    EXPECT_EQ(b->get_freq_raw().data, 0.0L);
    EXPECT_EQ(b->get_ampl_raw().data, 0.0L);
}
