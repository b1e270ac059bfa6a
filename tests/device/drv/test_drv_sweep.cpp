// The sweep functions and the sync output: time words, holds, trigger sources, edges,
// the trigger output and sync routing, as the registers see them.
#include "drv_fpga.h"
#include "drv_freq.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_state_query.h"
#include "drv_wave_data.h"
#include "drv_sweep.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using DrvSweep = sim_driver_fixture_t;

std::vector<sim_op_t> strobe(uint16 reg10 = 0)
{
    return {sim_read(10, reg10), sim_write(10, reg10 | 0x8000), sim_write(10, reg10 | 0x9000),
            sim_write(10, (reg10 | 0x8000) & ~0x1000), sim_write(10, reg10 & 0x6FFF)};
}

// The modulating-rate word of a channel, lowest register first.
std::vector<sim_op_t> rate_word(int32 ch, uint64 word)
{
    const uint32 base = ch == 0 ? 26 : 58;
    return {sim_write(base, static_cast<uint16>(word & 0xFFFF)), sim_write(base + 2, static_cast<uint16>(word >> 16)),
            sim_write(base + 4, static_cast<uint16>((word >> 32) & 0x1FFF))};
}

void append(std::vector<sim_op_t> &log, const std::vector<sim_op_t> &more)
{
    log.insert(log.end(), more.begin(), more.end());
}

} // namespace

TEST_F(DrvSweep, TimeBecomesTheModulatingRateWordThenOneStrobe)
{
    const struct
    {
        long double seconds;
        uint64 word;
    } cases[] = {
        {1.0L, 938249},
        {0.001L, 938249922},
        {500.0L, 1876},
        // 10 us: a word beyond 32 bits, so the top register carries bits too.
        {1e-5L, 93824992236},
        // An infinite or undefined rate has no word: 0, and no fault.
        {0.0L, 0},
        {std::numeric_limits<long double>::quiet_NaN(), 0},
    };
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", " << static_cast<double>(c.seconds) << " s");
            sim.clear_log();
            EXPECT_EQ(drv_sweep_set_time(ch, c.seconds, 0), 1);
            std::vector<sim_op_t> expected = rate_word(ch, c.word);
            append(expected, strobe());
            EXPECT_TRUE(log_is(expected));
        }
    }
}

TEST_F(DrvSweep, HeldTimeHoldsOnlyWhileTheOutputRelayIsClosed)
{
    // Relay open: no hold, the relay read twice.
    sim.poke(158, 0x0000);
    drv_sweep_set_time(1, 1.0L, 1);
    std::vector<sim_op_t> expected{sim_read(158, 0)};
    append(expected, rate_word(1, 938249));
    append(expected, strobe());
    expected.push_back(sim_read(158, 0));
    EXPECT_TRUE(log_is(expected));

    // Channel 1's relay (bit 1) closed: the hold bit of register 36 brackets the change.
    sim.poke(158, 0x0002);
    sim.poke(36, 0x0001);
    sim.clear_log();
    drv_sweep_set_time(1, 1.0L, 1);
    expected = {sim_read(158, 2), sim_read(36, 0x0001), sim_write(36, 0x0009)};
    append(expected, rate_word(1, 938249));
    append(expected, strobe());
    append(expected, {sim_read(158, 2), sim_read(36, 0x0009), sim_write(36, 0x0001)});
    EXPECT_TRUE(log_is(expected));
    EXPECT_EQ(fpga->get_hold_count(), 0);
}

TEST_F(DrvSweep, BothTimesShareOneStrobeAndOneHold)
{
    drv_sweep_set_time_both(1, 1.0L, 0.001L);
    std::vector<sim_op_t> expected{sim_read(36, 0), sim_write(36, 0x0008)};
    append(expected, rate_word(0, 938249));
    append(expected, rate_word(1, 938249922));
    append(expected, strobe());
    append(expected, {sim_read(36, 0x0008), sim_write(36, 0x0000)});
    EXPECT_TRUE(log_is(expected));

    sim.clear_log();
    drv_sweep_set_time_both(0, 500.0L, 500.0L);
    expected = rate_word(0, 1876);
    append(expected, rate_word(1, 1876));
    append(expected, strobe());
    EXPECT_TRUE(log_is(expected));
}

TEST_F(DrvSweep, TriggerSourceSetsFieldSweepBitRoutingAndClearsExternalModulation)
{
    // Control register: field bits 4-5, triggered sweep bit 10. Routing register 82.
    const struct
    {
        int32 src;
        uint16 ctrl_after; // from 0x0410 (field 1, bit 10 set)
        uint16 route_after[2]; // per channel, from 0x0010 (external input off)
    } cases[] = {
        {0, 0x0020, {0x0010, 0x0010}}, // internal: field 2, bit 10 cleared, no routing
        // External: field 0, bit 10; the trigger output off (channel 1 does not own the
        // enabled output, so only channel 0 disables it) and the input on.
        {1, 0x0400, {0x0001, 0x0000}},
        {2, 0x0410, {0x0010, 0x0010}}, // manual: field 1, bit 10
        {7, 0x0410, {0x0010, 0x0010}}, // unknown: field and sweep bit left alone
    };
    for (int32 ch : {0, 1}) {
        const uint32 ctrl = ch == 0 ? 36 : 68;
        const uint32 mod = ch == 0 ? 40 : 72;
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", source " << c.src);
            sim.poke(ctrl, 0x0410);
            sim.poke(82, 0x0010);
            sim.poke(mod, 0x8004);
            EXPECT_EQ(drv_sweep_set_trigger_source(ch, c.src), 1);
            EXPECT_EQ(sim.peek(ctrl), c.ctrl_after);
            EXPECT_EQ(sim.peek(82), c.route_after[ch]);
            EXPECT_EQ(sim.peek(mod), 0x0004);
            EXPECT_EQ(drv_sweep_get_trigger_source(ch), c.src == 1 ? 1 : c.src == 0 ? 0 : 2);
        }
    }
}

TEST_F(DrvSweep, EdgeTriggerOutputAndManualTriggers)
{
    sim.poke(68, 0x0000);
    drv_sweep_set_trigger_edge(1, 0);
    EXPECT_EQ(sim.peek(68), 0x0200);
    drv_sweep_set_trigger_edge(1, 5);
    EXPECT_EQ(sim.peek(68), 0x0000);

    // The trigger output: on routes it from the channel, off disables it, other values
    // leave it.
    sim.poke(82, 0x0001);
    drv_sweep_set_trig_out(1, 1);
    EXPECT_EQ(sim.peek(82), 0x0004);
    drv_sweep_set_trig_out(1, 3);
    EXPECT_EQ(sim.peek(82), 0x0004);
    drv_sweep_set_trig_out(1, 0);
    EXPECT_EQ(sim.peek(82), 0x0005);

    sim.clear_log();
    drv_sweep_trigger(1);
    drv_sweep_trigger_both();
    drv_sweep_trigger(2);
    EXPECT_TRUE(log_is({sim_write(84, 0), sim_write(84, 1), sim_write(84, 0), sim_write(84, 3)}));
}

TEST_F(DrvSweep, SyncOutputRoutesTheChannelAndClearsExternalModulation)
{
    sim.poke(82, 0x0002);
    sim.poke(72, 0x8004);
    EXPECT_EQ(drv_set_sync_output(1, 1), 1);
    // Channel 1 is the sync source (bit 3) and the output is enabled (bit 1 clear).
    EXPECT_EQ(sim.peek(82), 0x0008);
    EXPECT_EQ(sim.peek(72), 0x0004);

    // Off disables it and leaves the modulation register alone.
    sim.poke(72, 0x8004);
    drv_set_sync_output(0, 0);
    EXPECT_EQ(sim.peek(82), 0x0002);
    EXPECT_EQ(sim.peek(72), 0x8004);

    sim.clear_log();
    drv_set_sync_output(0, 2);
    drv_set_sync_output(2, 1);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(DrvSweep, SwitchOnPutsTheFmFieldAndOffRestoresInternalTrigger)
{
    sim.poke(40, 0x8012);
    EXPECT_EQ(drv_sweep_set_switch(0, 1), 1);
    EXPECT_EQ(sim.peek(40), 0x8004);
    EXPECT_EQ(drv_sweep_is_on(0), 1);

    // Off with an external source: modulation off, triggered sweep off, trigger output
    // off, and the internal source again.
    sim.poke(36, 0x0400);
    sim.poke(82, 0x0000);
    EXPECT_EQ(drv_sweep_set_switch(0, 0), 1);
    EXPECT_EQ(sim.peek(40) & 0x3F, 0);
    EXPECT_EQ(sim.peek(36) & 0x0430, 0x0020);
    EXPECT_EQ(sim.peek(82) & 0x0001, 0x0001);

    // With an internal source the source is not rewritten.
    sim.poke(40, 0x0004);
    sim.poke(36, 0x0020);
    sim.clear_log();
    drv_sweep_set_switch(0, 0);
    size_t source_writes = 0;
    for (uint16 v : sim.writes_to(36))
        source_writes += (v & 0x0030) != 0x0020;
    EXPECT_EQ(source_writes, 0u);
    EXPECT_EQ(drv_sweep_get_trigger_source(0), 0);

    sim.clear_log();
    drv_sweep_set_switch(0, 2);
    drv_sweep_set_switch(3, 1);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(DrvSweep, CentreAndSpanWriteDeviationThenCarrierThenStrobe)
{
    drv_freq_t *freq = manager->get_freq();
    sim.clear_log();
    EXPECT_EQ(drv_sweep_set_center_span(0, 1000.0L, 1000.0L), 1);
    const std::vector<sim_op_t> actual = sim.log();
    sim.clear_log();
    drv_mod_t::set_fm_deviation(0, 500.0L);
    freq->set_freq(0, 1000.0L);
    std::vector<sim_op_t> expected = sim.log();
    append(expected, strobe());
    EXPECT_EQ(sim_fpga_t::diff(expected, actual), "");

    // Both: the deviations before either carrier, one strobe inside one hold.
    sim.clear_log();
    drv_sweep_set_center_span_both(1, 1000.0L, 200.0L, 3000.0L, 600.0L);
    const std::vector<sim_op_t> both = sim.log();
    sim.clear_log();
    fpga->begin_hold();
    drv_mod_t::set_fm_deviation(0, 100.0L);
    drv_mod_t::set_fm_deviation(1, 300.0L);
    freq->set_freq(0, 1000.0L);
    freq->set_freq(1, 3000.0L);
    fpga->update();
    fpga->end_hold();
    EXPECT_EQ(sim_fpga_t::diff(sim.log(), both), "");
}

TEST_F(DrvSweep, ProfileLoadsAsTheModulatingWave)
{
    drv_wave_data_t *data = manager->get_wave_data();
    const struct
    {
        int32 type, dir;
        bool loaded;
    } cases[] = {{0, 0, true}, {0, 1, true}, {1, 0, true}, {1, 1, true}, {2, 0, false}, {-1, 0, false}};
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", type " << c.type << ", dir " << c.dir);
            const uint32 ctrl = ch == 0 ? 36 : 68;
            const uint16 before = sim.peek(ctrl);
            sim.clear_log();
            EXPECT_EQ(drv_sweep_set_wave(ch, c.type, c.dir, 100.0L, 10000.0L, 1.0L), 1);
            const std::vector<sim_op_t> actual = sim.log();
            if (!c.loaded) {
                EXPECT_TRUE(actual.empty());
                continue;
            }
            std::vector<int16> profile;
            if (c.type == 0)
                data->make_sawtooth_wave(c.dir, 4096, profile);
            else
                data->make_log_sweep_wave(c.dir, 4096.0L, 100.0L, 10000.0L, profile);
            ASSERT_EQ(profile.size(), 4096u);
            sim.poke(ctrl, before);
            sim.clear_log();
            data->write_mod_wave(ch, profile);
            EXPECT_EQ(sim_fpga_t::diff(sim.log(), actual), "");
            ASSERT_NE(sim.block(ch == 0 ? 254 : 255), nullptr);
            EXPECT_EQ(sim.block(ch == 0 ? 254 : 255)->size(), 4096u);
        }
    }
}
