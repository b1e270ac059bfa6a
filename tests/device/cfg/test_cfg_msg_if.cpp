// The message interface: the tracking rule (the other channel first, seen in the
// register order), the channel and value refusals, the getters' result places, and the
// harmonic, arbitrary-file, wave-data and noise-bandwidth handlers reaching the real
// settings and the wave port.
#include "cfg_bswv_main.h"
#include "cfg_bswv_wave.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_harmonic_sum.h"
#include "cfg_msg_if.h"
#include "cfg_wv_main.h"
#include "drv_fpga_reg.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_wave_data.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{
cfg_msg_para_t unit_para(int32 ch, long double v)
{
    cfg_msg_para_t p{};
    p.ch = ch;
    p.value.unit = lib_unit_data_t{v, LIB_UNIT_BASE, false};
    return p;
}

cfg_msg_para_t int_para(int32 ch, int32 v)
{
    cfg_msg_para_t p{};
    p.ch = ch;
    p.value.i = v;
    return p;
}

class CfgMsgIf : public cfg_fixture_t
{
protected:
    void track_from(int32 source)
    {
        cfg_get_couple()->set_track_en(1);
        cfg_get_couple()->set_src_ch_raw(source);
    }
    cfg_msg_if_t *msg = cfg_msg_if_t::get_instance();
};
} // namespace

TEST_F(CfgMsgIf, TrackingServesTheOtherChannelFirst)
{
    cfg_bswv_main_t *b0 = cfg_get_bswv_main(0);
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    track_from(0);
    // The source channel: both change, the source's result counts.
    cfg_msg_para_t p = unit_para(0, 2.0L);
    EXPECT_EQ(msg->set_ampl(&p), 0);
    EXPECT_EQ(b0->get_ampl_raw().data, 2.0L);
    EXPECT_EQ(b1->get_ampl_raw().data, 2.0L);
    // The other channel: only itself.
    p = unit_para(1, 3.0L);
    EXPECT_EQ(msg->set_ampl(&p), 0);
    EXPECT_EQ(b0->get_ampl_raw().data, 2.0L);
    EXPECT_EQ(b1->get_ampl_raw().data, 3.0L);
    // Tracking off: nothing reaches the other channel.
    cfg_get_couple()->set_track_en(0);
    p = unit_para(0, 1.0L);
    msg->set_ampl(&p);
    EXPECT_EQ(b1->get_ampl_raw().data, 3.0L);
}

TEST_F(CfgMsgIf, TrackedChannelIsWrittenBeforeTheSource)
{
    track_from(0);
    // Switching tracking on copies and applies the source's settings (polarity
    // included); only the traffic of the polarity change itself counts here.
    sim.clear_log();
    cfg_msg_para_t p = int_para(0, 0);
    EXPECT_EQ(msg->set_polarity(&p), 1);
    // Channel 1's inverted bit (0x4) reaches the polarity register before channel 0's.
    const std::vector<std::uint16_t> writes = sim.writes_to(DRV_FPGA_REG_POLARITY);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0] & 0xC, 0x4);
    EXPECT_EQ(writes[1] & 0xC, 0xC);
}

TEST_F(CfgMsgIf, TrackedFrequencyIsStoredOnTheOtherChannel)
{
    track_from(0);
    cfg_msg_para_t p = unit_para(0, 2500.0L);
    EXPECT_EQ(msg->set_freq(&p), 0);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_freq_raw().data, 2500.0L);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_freq_raw().data, 2500.0L);
    // A tracked load clamps in the first call and reaches the second clamped.
    p = int_para(0, 2000000);
    EXPECT_EQ(msg->set_load(&p), -10);
    EXPECT_EQ(p.value.i, 1000000);
    p = int_para(0, 10);
    EXPECT_EQ(msg->set_load(&p), -11);
    int32 ohms = 0;
    cfg_get_bswv_main(1)->get_load(&ohms);
    EXPECT_EQ(ohms, 50);
}

// The tracked channel's phase keeps the tracking's phase offset; a phase set on the
// tracked channel itself does not reach the source.
TEST_F(CfgMsgIf, TrackedPhaseKeepsThePhaseOffset)
{
    track_from(0);
    ASSERT_EQ(cfg_get_couple()->set_phase_deviation(15.0L), 1);
    cfg_msg_para_t p = unit_para(0, 30.0L);
    EXPECT_EQ(msg->set_phase(&p), 0);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_phase_raw().data, 30.0L);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_phase_raw().data, 45.0L);
    p = unit_para(1, 60.0L);
    EXPECT_EQ(msg->set_phase(&p), 0);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_phase_raw().data, 30.0L);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_phase_raw().data, 60.0L);
}

TEST_F(CfgMsgIf, ChannelsOutsideZeroAndOneAreRefused)
{
    typedef int32 (cfg_msg_if_t::*handler_t)(cfg_msg_para_t *);
    const std::vector<handler_t> handlers = {
        &cfg_msg_if_t::set_freq,     &cfg_msg_if_t::get_freq,   &cfg_msg_if_t::set_ampl,
        &cfg_msg_if_t::set_load,     &cfg_msg_if_t::get_load,   &cfg_msg_if_t::set_switch,
        &cfg_msg_if_t::set_run_mode, &cfg_msg_if_t::set_phase,  &cfg_msg_if_t::set_prbs_link,
        &cfg_msg_if_t::get_max_freq, &cfg_msg_if_t::set_current_ch,
    };
    cfg_msg_if_t *m = cfg_msg_if_t::get_instance();
    for (int32 ch : {2, -1, -100})
    {
        for (size_t i = 0; i < handlers.size(); ++i)
        {
            SCOPED_TRACE(testing::Message() << "channel " << ch << " handler " << i);
            cfg_msg_para_t p = unit_para(ch, 50.0L);
            EXPECT_EQ((m->*handlers[i])(&p), -12);
        }
    }
    EXPECT_TRUE(sim.writes().empty());
    EXPECT_EQ(cfg_get_bswv_main(0)->get_freq_raw().data, 1000.0L);
}

TEST_F(CfgMsgIf, NonFiniteValuesAreRefusedBeforeAnythingIsStored)
{
    typedef int32 (cfg_msg_if_t::*handler_t)(cfg_msg_para_t *);
    const std::vector<handler_t> handlers = {
        &cfg_msg_if_t::set_freq,       &cfg_msg_if_t::set_period,      &cfg_msg_if_t::set_ampl,
        &cfg_msg_if_t::set_ampl_vrms,  &cfg_msg_if_t::set_ampl_dbm,    &cfg_msg_if_t::set_offset,
        &cfg_msg_if_t::set_high_level, &cfg_msg_if_t::set_low_level,   &cfg_msg_if_t::set_phase,
        &cfg_msg_if_t::set_duty,       &cfg_msg_if_t::set_symmetry,    &cfg_msg_if_t::set_pulse_duty,
        &cfg_msg_if_t::set_width,      &cfg_msg_if_t::set_rise_edge,   &cfg_msg_if_t::set_fall_edge,
        &cfg_msg_if_t::set_delay,      &cfg_msg_if_t::set_stdev,       &cfg_msg_if_t::set_mean,
        &cfg_msg_if_t::set_noise_bandwidth, &cfg_msg_if_t::set_sample_rate, &cfg_msg_if_t::set_prbs_length,
        &cfg_msg_if_t::set_prbs_edge,  &cfg_msg_if_t::set_harmonic_ampl, &cfg_msg_if_t::set_harmonic_level,
        &cfg_msg_if_t::set_harmonic_phase,
    };
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    cfg_msg_if_t *m = cfg_msg_if_t::get_instance();
    const long double inf = std::numeric_limits<long double>::infinity();
    for (long double bad : {std::numeric_limits<long double>::quiet_NaN(), inf, -inf})
    {
        for (size_t i = 0; i < handlers.size(); ++i)
        {
            SCOPED_TRACE(testing::Message() << "value " << static_cast<double>(bad) << " handler " << i);
            cfg_msg_para_t p = unit_para(0, bad);
            EXPECT_EQ((m->*handlers[i])(&p), -13);
        }
    }
    EXPECT_EQ(b->get_freq_raw().data, 1000.0L);
    EXPECT_EQ(b->get_ampl_raw().data, 4.0L);
    EXPECT_EQ(b->get_phase_raw().data, 0.0L);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(CfgMsgIf, GettersWriteWhereTheirRowSays)
{
    cfg_main_t::get_instance()->set_current_channel(1);
    cfg_msg_para_t p = int_para(0, 77);
    EXPECT_EQ(msg->get_current_ch(&p), 1);
    EXPECT_EQ(p.ch, 1);
    EXPECT_EQ(p.value.i, 77);

    cfg_get_bswv_main(0)->store_harmonic_order_raw(5);
    p = int_para(0, 0);
    EXPECT_EQ(msg->get_harmonic_order(&p), 1);
    EXPECT_EQ(p.value.ld, 5.0L);
    cfg_get_bswv_main(0)->store_harmonic_type_raw(1);
    p = int_para(0, 0);
    EXPECT_EQ(msg->get_harmonic_type(&p), 1);
    EXPECT_EQ(p.value.i, 1);

    cfg_get_bswv_main(0)->store_sample_rate_mode_raw(1);
    p = int_para(0, 0);
    EXPECT_EQ(msg->get_sample_rate_mode(&p), 1);
    p = int_para(0, 0);
    EXPECT_EQ(msg->get_max_freq(&p), 1);
    EXPECT_EQ(p.value.i64, cfg_get_bswv_main(0)->get_max_freq_int());

    // The wave type getter answers the basic-wave type.
    cfg_get_bswv_main(1)->store_wave_type_raw(8);
    p = int_para(1, -1);
    EXPECT_EQ(msg->get_wave_type(&p), 1);
    EXPECT_EQ(p.value.i, 8);

    // A noise channel has no rms amplitude: the getter says so.
    cfg_get_bswv_main(0)->store_wave_type_raw(4);
    p = int_para(0, 0);
    EXPECT_EQ(msg->get_ampl_vrms(&p), -12);
}

TEST_F(CfgMsgIf, FixedResultsAndTheUntrackedHandlers)
{
    cfg_msg_para_t p = int_para(0, 1);
    EXPECT_EQ(msg->nop(&p), 1);
    EXPECT_EQ(msg->nop_zero(&p), 0);
    EXPECT_EQ(msg->reapply_device(&p), 0);
    EXPECT_EQ(msg->set_switch(&p), 1);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 1);
    p = int_para(0, 1);
    EXPECT_EQ(msg->set_arb_rate_switch(&p), 1);
    p = int_para(0, 0);
    EXPECT_EQ(msg->get_arb_rate_cap(&p), 0);
    EXPECT_EQ(msg->get_noise_bw_cap(&p), 1);
    EXPECT_EQ(p.value.i, 0);

    // The PRBS link is set on both channels from either one, tracked or not.
    track_from(0);
    cfg_get_bswv_main(1)->store_wave_type_raw(8);
    p = int_para(1, 1);
    EXPECT_EQ(msg->set_prbs_link(&p), 1);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_prbs_link_raw(), 1);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_prbs_link_raw(), 1);

    // A null pointer where a handler needs one is refused.
    p = int_para(0, 0);
    p.value.ptr = nullptr;
    EXPECT_EQ(msg->get_arb_wave_name(&p), -13);
    EXPECT_EQ(msg->load_arb_file(&p), -13);
    EXPECT_EQ(msg->copy_ch(&p), -13);
}

// --- Harmonics, arbitrary files, wave data and the noise-bandwidth switch ---

namespace
{
std::vector<int16> builtin(int32 id, float symmetry = 0.0f)
{
    std::vector<int16> w;
    drv_interface_t::get_instance()->get_builtin_wave_data(id, w, symmetry);
    return w;
}

// The sum built with the summing object itself: the fundamental (full scale = a volts)
// plus each order's built-in sine rotated left by trunc(16384 / order x phase / 360).
std::vector<int16> harmonic_sum(long double a, const std::vector<std::array<long double, 3>> &orders)
{
    std::vector<int16> sum = builtin(0);
    cfg_harmonic_sum_t adder;
    for (const auto &o : orders)
    {
        const int32 order = static_cast<int32>(o[0]);
        std::vector<int16> w = builtin(206 + order);
        const size_t shift = static_cast<size_t>(std::trunc(16384.0L / order * (o[2] / 360.0L)));
        std::rotate(w.begin(), w.begin() + shift % w.size(), w.end());
        adder.add_wave(sum, a, w, o[1]);
    }
    return sum;
}

// The last wave block of one period sent to the FPGA, back in signed samples' DAC form.
std::vector<uint16_t> last_wave_block(const std::vector<sim_op_t> &log)
{
    std::vector<uint16_t> last;
    for (const sim_op_t &op : log)
        if (op.kind == sim_op_kind_t::block && op.words.size() == 16384u)
            last = op.words;
    return last;
}

std::vector<uint16_t> as_dac(std::vector<int16> samples)
{
    drv_instance_manage_t::get_instance()->get_wave_data()->scale_to_dac_bits(samples);
    return std::vector<uint16_t>(samples.begin(), samples.end());
}

cfg_msg_para_t ptr_para(int32 ch, void *ptr)
{
    cfg_msg_para_t p{};
    p.ch = ch;
    p.value.ptr = ptr;
    return p;
}

// A user wave file of n samples in the test's working directory.
void write_wave(const std::string &path, size_t n)
{
    std::ofstream out(path, std::ios::binary);
    for (size_t i = 0; i < n; ++i)
    {
        const int16 v = static_cast<int16>(i * 11);
        out.write(reinterpret_cast<const char *>(&v), sizeof v);
    }
}

// What a unit getter writes into its record (the getter answers 1).
lib_unit_data_t get_unit(int32 (cfg_msg_if_t::*h)(cfg_msg_para_t *), int32 ch)
{
    cfg_msg_para_t p = unit_para(ch, -999.0L);
    EXPECT_EQ((cfg_msg_if_t::get_instance()->*h)(&p), 1);
    return p.value.unit;
}

class CfgMsgIfWave : public CfgMsgIf
{
protected:
    void SetUp() override
    {
        CfgMsgIf::SetUp();
        b0 = cfg_get_bswv_main(0);
    }
    int32 set_int(int32 (cfg_msg_if_t::*h)(cfg_msg_para_t *), int32 ch, int32 v)
    {
        cfg_msg_para_t p = int_para(ch, v);
        return (msg->*h)(&p);
    }
    int32 set_unit(int32 (cfg_msg_if_t::*h)(cfg_msg_para_t *), int32 ch, long double v)
    {
        cfg_msg_para_t p = unit_para(ch, v);
        return (msg->*h)(&p);
    }
    cfg_bswv_main_t *b0 = nullptr;
};
} // namespace

TEST_F(CfgMsgIfWave, HarmonicSettingsReachTheWavePortAsTheSum)
{
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_switch, 0, 1), 1);
    cfg_msg_para_t p = int_para(0, 0);
    EXPECT_EQ(msg->get_harmonic_switch(&p), 1);
    EXPECT_EQ(p.value.i, 1);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_type, 0, 2), 1);
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_harmonic_ampl, 0, 1.0L), 1);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_order, 0, 3), 1);
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_harmonic_phase, 0, 90.0L), 1);
    sim.clear_log();
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_harmonic_ampl, 0, 0.5L), 1);

    // An amplitude store re-derives the volts from the levels, so the sum is built from
    // the volts held.
    EXPECT_NEAR(static_cast<double>(b0->find_harmonic_ampl(2)), 1.0, 1e-15);
    const std::vector<int16> expected =
        harmonic_sum(4.0L, {{2, b0->find_harmonic_ampl(2), 0.0L}, {3, b0->find_harmonic_ampl(3), 90.0L}});
    EXPECT_EQ(b0->get_harmonic_samples(), expected);
    EXPECT_EQ(last_wave_block(sim.log()), as_dac(expected));
    // The wave-data handler hands out the same sum.
    std::vector<int16> data;
    p = ptr_para(0, &data);
    EXPECT_EQ(msg->get_wave_data(&p), 0);
    EXPECT_EQ(data, expected);

    // The getters read the selected order's record.
    p = int_para(0, 0);
    EXPECT_EQ(msg->get_harmonic_order(&p), 1);
    EXPECT_EQ(p.value.ld, 3.0L);
    EXPECT_EQ(get_unit(&cfg_msg_if_t::get_harmonic_ampl, 0).data, b0->find_harmonic_ampl(3));
    const lib_unit_data_t phase = get_unit(&cfg_msg_if_t::get_harmonic_phase, 0);
    EXPECT_EQ(phase.data, 90.0L);
    EXPECT_EQ(phase.unit, LIB_UNIT_BASE);
    EXPECT_NEAR(static_cast<double>(get_unit(&cfg_msg_if_t::get_harmonic_level, 0).data), 20 * std::log10(0.5 / 4),
                1e-12);

    // Switching off selects the plain sine again.
    sim.clear_log();
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_switch, 0, 0), 1);
    p = ptr_para(0, &data);
    msg->get_wave_data(&p);
    EXPECT_EQ(data, builtin(0));
}

// The parity and limit rules themselves are the settings object's; the handlers pass
// the result on and answer the order as a long double.
TEST_F(CfgMsgIfWave, HarmonicOrderHandlersPassTheRulesThrough)
{
    const auto order = [this] {
        cfg_msg_para_t p = int_para(0, 0);
        EXPECT_EQ(msg->get_harmonic_order(&p), 1);
        return p.value.ld;
    };
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_order, 0, 3), 1);
    EXPECT_EQ(order(), 4.0L);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_order, 0, 11), -10);
    EXPECT_EQ(order(), 10.0L);
    // The odd type moves 10 up to 11, which the odd limit pulls back to 9.
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_type, 0, 1), 1);
    EXPECT_EQ(order(), 9.0L);
    cfg_msg_para_t p = int_para(0, -1);
    EXPECT_EQ(msg->get_harmonic_type(&p), 1);
    EXPECT_EQ(p.value.i, 1);
}

TEST_F(CfgMsgIfWave, HarmonicVoltsLevelAndPhaseAreClampedAndReadBack)
{
    const long double max = b0->get_current_wave()->get_max_harmonic_ampl(0);
    struct case_t
    {
        const char *what;
        int32 (cfg_msg_if_t::*set)(cfg_msg_para_t *);
        long double asked;
        int32 result;
        long double volts;
        long double level;
        long double phase;
    };
    const long double minus_inf = -std::numeric_limits<long double>::infinity();
    const std::vector<case_t> cases = {
        {"volts", &cfg_msg_if_t::set_harmonic_ampl, 1.0L, 1, 1.0L, 20 * std::log10(0.25L), 0.0L},
        {"volts above", &cfg_msg_if_t::set_harmonic_ampl, 100.0L, -10, max, 20 * std::log10(max / 4), 0.0L},
        {"volts below", &cfg_msg_if_t::set_harmonic_ampl, -1.0L, -11, 0.0L, minus_inf, 0.0L},
        {"dBc", &cfg_msg_if_t::set_harmonic_level, -6.0L, 1, 4 * std::pow(10.0L, -0.3L), -6.0L, 0.0L},
        {"dBc below -80", &cfg_msg_if_t::set_harmonic_level, -90.0L, -11, 0.0L, minus_inf, 0.0L},
        {"dBc above", &cfg_msg_if_t::set_harmonic_level, 40.0L, -10, max, 20 * std::log10(max / 4), 0.0L},
        {"phase", &cfg_msg_if_t::set_harmonic_phase, 45.0L, 1, 0.0L, -80.0L, 45.0L},
        {"phase above", &cfg_msg_if_t::set_harmonic_phase, 400.0L, -10, 0.0L, -80.0L, 360.0L},
        {"phase below", &cfg_msg_if_t::set_harmonic_phase, -5.0L, -11, 0.0L, -80.0L, 0.0L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        b0->put_harmonic_ampl(2, 0.0L);
        b0->put_harmonic_level(2, -80.0L);
        b0->put_harmonic_phase(2, 0.0L);
        EXPECT_EQ(set_unit(c.set, 0, c.asked), c.result);
        EXPECT_NEAR(static_cast<double>(b0->find_harmonic_ampl(2)), static_cast<double>(c.volts), 1e-12);
        if (std::isinf(c.level))
            EXPECT_EQ(b0->find_harmonic_level(2), c.level);
        else
            EXPECT_NEAR(static_cast<double>(b0->find_harmonic_level(2)), static_cast<double>(c.level), 1e-9);
        EXPECT_EQ(b0->find_harmonic_phase(2), c.phase);
        // The level getter never reads below -80.
        const lib_unit_data_t level = get_unit(&cfg_msg_if_t::get_harmonic_level, 0);
        EXPECT_GE(level.data, -80.0L);
        EXPECT_EQ(level.unit, LIB_UNIT_BASE);
        EXPECT_NEAR(static_cast<double>(get_unit(&cfg_msg_if_t::get_harmonic_ampl, 0).data),
                    static_cast<double>(c.volts), 1e-12);
    }
}

TEST_F(CfgMsgIfWave, AllHarmonicAmplitudesKeepTheCallersEntries)
{
    set_unit(&cfg_msg_if_t::set_harmonic_ampl, 0, 0.75L);
    std::map<int32, long double> ampls = {{2, -7.0L}, {42, 1.0L}};
    cfg_msg_para_t p = ptr_para(0, &ampls);
    EXPECT_EQ(msg->get_harmonic_ampls(&p), 1);
    EXPECT_EQ(ampls.size(), 10u);
    EXPECT_EQ(ampls[2], -7.0L);
    EXPECT_EQ(ampls[42], 1.0L);
    EXPECT_EQ(ampls[10], 0.0L);
    ampls.clear();
    msg->get_harmonic_ampls(&p);
    EXPECT_EQ(ampls[2], 0.75L);
    p = ptr_para(0, nullptr);
    EXPECT_EQ(msg->get_harmonic_ampls(&p), -13);
}

TEST_F(CfgMsgIfWave, HarmonicSettersAreTracked)
{
    track_from(0);
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_switch, 0, 1), 1);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_type, 0, 1), 1);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_harmonic_order, 0, 5), 1);
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_harmonic_ampl, 0, 0.5L), 1);
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_harmonic_phase, 0, 30.0L), 1);
    for (cfg_bswv_main_t *b : {b0, b1})
    {
        EXPECT_EQ(b->get_harmonic_switch_raw(), 1);
        EXPECT_EQ(b->get_harmonic_type_raw(), 1);
        EXPECT_EQ(b->get_harmonic_order_raw(), 5);
        EXPECT_NEAR(static_cast<double>(b->find_harmonic_ampl(5)), 0.5, 1e-15);
        EXPECT_EQ(b->find_harmonic_phase(5), 30.0L);
    }
    // The level setter's correction reaches each channel on its own copy.
    cfg_msg_para_t p = unit_para(0, -90.0L);
    EXPECT_EQ(msg->set_harmonic_level(&p), -11);
    EXPECT_EQ(b1->find_harmonic_ampl(5), 0.0L);
    // From the tracked channel only itself changes.
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_harmonic_ampl, 1, 0.25L), 1);
    EXPECT_NEAR(static_cast<double>(b1->find_harmonic_ampl(5)), 0.25, 1e-15);
    EXPECT_EQ(b0->find_harmonic_ampl(5), 0.0L);
}

TEST_F(CfgMsgIfWave, FrequencyAndAmplitudeChangesRecheckTheHarmonics)
{
    set_int(&cfg_msg_if_t::set_harmonic_switch, 0, 1);
    set_int(&cfg_msg_if_t::set_harmonic_type, 0, 2);
    set_unit(&cfg_msg_if_t::set_ampl, 0, 2.0L);
    set_unit(&cfg_msg_if_t::set_harmonic_level, 0, -6.0L);
    set_int(&cfg_msg_if_t::set_harmonic_order, 0, 5);
    set_unit(&cfg_msg_if_t::set_harmonic_ampl, 0, 0.2L);
    const long double second = b0->find_harmonic_ampl(2);

    // Doubling the fundamental doubles the volts of order 2 and keeps its level.
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_ampl, 0, 4.0L), 0);
    EXPECT_NEAR(static_cast<double>(b0->find_harmonic_ampl(2)), static_cast<double>(2 * second), 1e-12);
    EXPECT_NEAR(static_cast<double>(b0->find_harmonic_level(2)), -6.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(b0->find_harmonic_ampl(5)), 0.4, 1e-12);

    // A frequency where only orders up to 3 fit resets order 5 and synthesises again.
    const long double hz = b0->get_current_wave()->get_max_harmonic_freq(0) / 3.5L;
    sim.clear_log();
    EXPECT_EQ(set_unit(&cfg_msg_if_t::set_freq, 0, hz), 0);
    EXPECT_EQ(b0->get_freq_raw().data, hz);
    EXPECT_EQ(b0->find_harmonic_ampl(5), 0.0L);
    EXPECT_EQ(b0->find_harmonic_level(5), -80.0L);
    const std::vector<int16> expected = harmonic_sum(4.0L, {{2, b0->find_harmonic_ampl(2), 0.0L}});
    EXPECT_EQ(b0->get_harmonic_samples(), expected);
    EXPECT_EQ(last_wave_block(sim.log()), as_dac(expected));
}

TEST_F(CfgMsgIfWave, LoadChangeConvertsWithTheDriversOutputImpedance)
{
    set_unit(&cfg_msg_if_t::set_ampl, 0, 1.0L);
    set_unit(&cfg_msg_if_t::set_harmonic_ampl, 0, 0.5L);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_load, 0, 50), 1);
    EXPECT_EQ(b0->get_ampl_raw().data, 0.5L);
    EXPECT_EQ(b0->find_harmonic_ampl(2), 0.25L);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_load, 0, 1000), 1);
    const long double rs = drv_interface_t::get_instance()->get_output_impedance();
    const auto converted = [rs](long double v) {
        return std::round(static_cast<double>(v * (1000 / (1000 + rs)) * ((50 + rs) / 50) * 10000)) / 10000;
    };
    EXPECT_NEAR(static_cast<double>(b0->get_ampl_raw().data), converted(0.5L), 1e-15);
    EXPECT_NEAR(static_cast<double>(b0->find_harmonic_ampl(2)), converted(0.25L), 1e-15);
    EXPECT_NEAR(static_cast<double>(b0->get_ampl_raw().data), 0.9524, 1e-15);
}

TEST_F(CfgMsgIfWave, ArbitraryFileLoadsOrKeepsThePreviousSelection)
{
    b0->store_wave_type_raw(6);
    mkdir("waves", 0700);
    write_wave("waves/pulse3.bin", 200);
    char good[] = "waves/pulse3.bin";
    cfg_msg_para_t p = ptr_para(0, good);
    EXPECT_EQ(msg->load_arb_file(&p), 1);
    std::string name;
    p = ptr_para(0, &name);
    EXPECT_NE(msg->get_arb_wave_name(&p), 0);
    EXPECT_EQ(name, "waves/pulse3.bin");
    p = ptr_para(0, &name);
    EXPECT_EQ(msg->get_wave_name(&p), 1);
    EXPECT_EQ(name, "pulse3");

    // A file that is not there: the driver's refusal, and the selection stays.
    char missing[] = "waves/none.bin";
    p = ptr_para(0, missing);
    EXPECT_EQ(msg->load_arb_file(&p), -13);
    p = ptr_para(0, &name);
    msg->get_arb_wave_name(&p);
    EXPECT_EQ(name, "waves/pulse3.bin");
    EXPECT_EQ(b0->get_arb_wave_source(), 1);

    // The built-in selection shows its own name; a sine shows none, PRBS none, a
    // data pattern leaves the text of the call before.
    p = int_para(0, 19);
    EXPECT_EQ(msg->set_arb_wave(&p), 1);
    struct case_t
    {
        int32 type;
        std::string name;
    };
    for (const case_t &c : std::vector<case_t>{{6, "gussian"}, {12, "gussian"}, {0, ""}, {12, ""}, {8, ""}})
    {
        SCOPED_TRACE(c.type);
        b0->store_wave_type_raw(c.type);
        name = "stale";
        p = ptr_para(0, &name);
        EXPECT_EQ(msg->get_wave_name(&p), 1);
        EXPECT_EQ(name, c.name);
    }
}

TEST_F(CfgMsgIfWave, TrackedArbitraryFileReachesBothChannels)
{
    track_from(0);
    write_wave("both.bin", 64);
    char path[] = "both.bin";
    cfg_msg_para_t p = ptr_para(0, path);
    EXPECT_EQ(msg->load_arb_file(&p), 1);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_arb_wave_path(), "both.bin");
    EXPECT_EQ(b0->get_arb_wave_path(), "both.bin");
}

TEST_F(CfgMsgIfWave, WaveDataByWaveType)
{
    b0->store_symmetry_raw(lib_unit_data_t{25.0L, LIB_UNIT_BASE, false});
    std::vector<int16> resampled;
    drv_interface_t::get_instance()->get_resampled_wave_data(0, resampled);
    struct case_t
    {
        int32 type;
        int32 result;
        std::vector<int16> data;
    };
    const std::vector<int16> untouched = {1, 2, 3};
    const std::vector<case_t> cases = {
        {0, 0, builtin(0)}, {2, 0, builtin(207, 25.0f)}, {4, 0, builtin(1)},     {6, 0, resampled},
        {1, -13, untouched}, {3, -13, untouched},        {5, -13, untouched},    {8, -13, untouched},
        {13, -13, untouched},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.type);
        b0->store_wave_type_raw(c.type);
        std::vector<int16> out = untouched;
        cfg_msg_para_t p = ptr_para(0, &out);
        EXPECT_EQ(msg->get_wave_data(&p), c.result);
        EXPECT_EQ(out, c.data);
    }
    cfg_msg_para_t p = ptr_para(0, nullptr);
    EXPECT_EQ(msg->get_wave_data(&p), -13);
}

TEST_F(CfgMsgIfWave, NoiseBandwidthSwitchSelectsNoiseAndStaysOffOnTheModule)
{
    track_from(0);
    EXPECT_EQ(set_int(&cfg_msg_if_t::set_noise_bandwidth_switch, 0, 1), 1);
    for (int32 ch : {0, 1})
    {
        SCOPED_TRACE(ch);
        EXPECT_EQ(cfg_get_bswv_main(ch)->get_wave_type(), 4);
        cfg_msg_para_t p = int_para(ch, 7);
        EXPECT_EQ(msg->get_noise_bandwidth_switch(&p), 1);
        EXPECT_EQ(p.value.i, 0);
    }
}
