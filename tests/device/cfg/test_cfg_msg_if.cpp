// The message interface: the tracking rule (the other channel first, seen in the
// register order), the channel and value refusals, and the getters' result places.
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_msg_if.h"
#include "cfg_wv_main.h"
#include "drv_fpga_reg.h"

#include <cmath>
#include <limits>
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
