// The burst functions: mode, cycles, delay, trigger source and output, polarity and
// edges, as the registers see them.
#include "drv_burst_func.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_phase.h"
#include "drv_state_query.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using DrvBurst = sim_driver_fixture_t;

uint16 burst_field(const sim_fpga_t &sim, int32 ch)
{
    return static_cast<uint16>((sim.peek(ch == 0 ? 36 : 68) >> 6) & 3);
}

} // namespace

TEST_F(DrvBurst, SwitchClearsTheFieldOrLoadsTheInvertedSquare)
{
    for (int32 ch : {0, 1}) {
        SCOPED_TRACE(ch);
        const uint32 ctrl = ch == 0 ? 36 : 68;
        const uint32 mod = ch == 0 ? 40 : 72;

        // Off: only the burst field goes to 0.
        sim.poke(ctrl, 0x04C5);
        EXPECT_EQ(drv_burst_set_switch(ch, 0), 1);
        EXPECT_EQ(sim.peek(ctrl), 0x0405);

        // On: bit 10 and the modulation mode cleared, then the 50 % square inverted as
        // the modulating wave; the burst field is left for the mode to set.
        auto start = [&] {
            sim.poke(ctrl, 0x0440);
            sim.poke(mod, 0x0002);
            sim.clear_log();
        };
        start();
        fpga->set_ctrl_bit10(ch, 0);
        fpga->set_mod_type(ch, 0);
        drv_mod_t::set_mod_wave(ch, "50_square_ram.bin", true);
        const std::vector<sim_op_t> expected = sim.log();
        start();
        EXPECT_EQ(drv_burst_set_switch(ch, 1), 1);
        EXPECT_EQ(sim_fpga_t::diff(expected, sim.log()), "");
        EXPECT_EQ(sim.peek(ctrl) & 0x04C0, 0x0040);
        EXPECT_EQ(sim.peek(mod) & 0x3F, 0);
        const std::vector<sim_op_t> inverted = sim.log();
        start();
        fpga->set_ctrl_bit10(ch, 0);
        fpga->set_mod_type(ch, 0);
        drv_mod_t::set_mod_wave(ch, "50_square_ram.bin", false);
        EXPECT_NE(sim_fpga_t::diff(sim.log(), inverted), "");
    }

    sim.clear_log();
    drv_burst_set_switch(0, 2);
    drv_burst_set_switch(2, 1);
    drv_burst_set_switch(-1, 0);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(DrvBurst, ModeSelectsNCyclesOrGatedWithTheLoadPulse)
{
    const struct
    {
        int32 mode;
        uint16 field;
    } cases[] = {{0, 1}, {1, 2}, {5, 2}, {-1, 2}};
    for (int32 ch : {0, 1}) {
        const uint32 ctrl = ch == 0 ? 36 : 68;
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", mode " << c.mode);
            sim.poke(ctrl, 0x00C0);
            sim.clear_log();
            EXPECT_EQ(drv_burst_set_mode(0, ch, c.mode), 1);
            const uint16 v = static_cast<uint16>(c.field << 6);
            EXPECT_TRUE(log_is({sim_read(ctrl, 0x00C0), sim_write(ctrl, v), sim_write(ctrl, v),
                                sim_write(ctrl, v | 0x0100), sim_write(ctrl, v)}));
        }
    }

    // With hold 1 the field sits inside the update hold of register 36.
    sim.poke(36, 0);
    sim.clear_log();
    drv_burst_set_mode(1, 0, 0);
    EXPECT_TRUE(log_is({sim_read(36, 0), sim_write(36, 0x0008), sim_read(36, 0x0008), sim_write(36, 0x0048),
                        sim_write(36, 0x0048), sim_write(36, 0x0148), sim_write(36, 0x0048), sim_read(36, 0x0048),
                        sim_write(36, 0x0040)}));
}

TEST_F(DrvBurst, CyclesWriteTheCountOrMakeTheBurstInfinite)
{
    // 70000 = 0x11170: low half 4464 to register 46, then high half 1 to register 42.
    drv_burst_set_cycles(0, 70000);
    EXPECT_TRUE(log_is({sim_write(46, 4464), sim_write(42, 1)}));

    // -1: field 3, the count untouched; a later count keeps the field.
    sim.clear_log();
    drv_burst_set_cycles(1, -1);
    EXPECT_EQ(burst_field(sim, 1), 3);
    EXPECT_TRUE(sim.writes_to(78).empty());
    EXPECT_TRUE(sim.writes_to(74).empty());
    drv_burst_set_cycles(1, 10);
    EXPECT_EQ(sim.last_write(78), 10);
    EXPECT_EQ(sim.last_write(74), 0);
    EXPECT_EQ(burst_field(sim, 1), 3);
    drv_burst_set_mode(0, 1, 0);
    EXPECT_EQ(burst_field(sim, 1), 1);
}

TEST_F(DrvBurst, DelayIsTruncatedTicksOfTheModulationClock)
{
    const struct
    {
        long double seconds;
        uint32 ticks;
    } cases[] = {
        {1e-6L, 150},
        {2.5e-6L, 375},
        // The nearest extended value of 1 ms gives a quotient just below 150000.
        {0.001L, 149999},
        {0.0L, 0},
        {std::numeric_limits<long double>::quiet_NaN(), 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<double>(c.seconds));
        sim.clear_log();
        drv_burst_set_delay(1, c.seconds);
        EXPECT_TRUE(log_is({sim_write(176, static_cast<uint16>(c.ticks & 0xFFFF)),
                            sim_write(178, static_cast<uint16>(c.ticks >> 16))}));
    }
}

TEST_F(DrvBurst, TriggerSourceRoutingAndFields)
{
    const struct
    {
        int32 src;
        int32 out_mode; // the remembered trigger-output mode
        uint16 field;   // trigger-source field after the call
        uint16 route;   // register 82 after the call, from 0x0010 (external input off)
    } cases[] = {
        {0, 0, 2, 0x0000}, // internal: external input on
        {0, 2, 2, 0x0000},
        {1, 0, 0, 0x0000}, // external: input on
        {2, 0, 1, 0x0010}, // manual: no routing
        {9, 0, 0, 0x0010}, // unknown: field 0
    };
    for (int32 ch : {0, 1}) {
        const uint32 ctrl = ch == 0 ? 36 : 68;
        const uint32 mod = ch == 0 ? 40 : 72;
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", source " << c.src);
            fpga->set_trig_out_mode(ch, c.out_mode);
            sim.poke(ctrl, 0x0010);
            sim.poke(82, 0x0010);
            sim.poke(mod, 0x8000);
            EXPECT_EQ(drv_burst_set_trigger_source(0, ch, c.src), 1);
            EXPECT_EQ((sim.peek(ctrl) >> 4) & 3, c.field);
            EXPECT_EQ(sim.peek(82), c.route);
            EXPECT_EQ(sim.peek(mod), 0x0000);
            EXPECT_EQ(drv_burst_get_trigger_source(ch), c.field == 0 ? 1 : c.field == 1 ? 2 : 0);
        }
    }
    // hold 1 brackets it in the update hold.
    sim.poke(36, 0);
    sim.clear_log();
    drv_burst_set_trigger_source(1, 1, 2);
    EXPECT_EQ(sim.writes_to(36), (std::vector<uint16>{0x0008, 0x0000}));
}

TEST_F(DrvBurst, TriggerOutputModesSetRoutingAndEdge)
{
    const struct
    {
        int32 mode;
        uint16 route; // from 0x0001 (output off, owned by channel 0)
        uint16 edge;  // bit 9 of register 68, from 0x0200 for mode 1 and 0 otherwise
    } cases[] = {
        {0, 0x0004, 1},
        {1, 0x0004, 0},
        {2, 0x0005, 1},
        {4, 0x0001, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mode);
        sim.poke(82, 0x0001);
        sim.poke(68, c.mode == 1 ? 0x0200 : 0);
        drv_burst_set_trig_out(1, c.mode);
        EXPECT_EQ(fpga->get_trig_out_mode(1), c.mode);
        EXPECT_EQ(sim.peek(82), c.route);
        EXPECT_EQ((sim.peek(68) >> 9) & 1, c.edge);
    }

    // Mode 2 for channel 1 while channel 0 owns an enabled output: the routing stays,
    // bit 9 is still set.
    sim.poke(82, 0x0000);
    sim.poke(68, 0x0000);
    drv_burst_set_trig_out(1, 2);
    EXPECT_EQ(sim.peek(82), 0x0000);
    EXPECT_EQ(sim.peek(68), 0x0200);
}

TEST_F(DrvBurst, PolarityEdgeToggleAndTriggers)
{
    const struct
    {
        bool edge; // drv_burst_set_trigger_edge, else the gate polarity
        int32 value;
        int32 bit9; // -1: nothing written
    } cases[] = {
        {false, 0, 0}, {false, 1, 1}, {false, 2, -1}, {true, 0, 1}, {true, 1, 0}, {true, -1, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << (c.edge ? "edge " : "polarity ") << c.value);
        sim.poke(36, 0x0100);
        sim.clear_log();
        EXPECT_EQ(c.edge ? drv_burst_set_trigger_edge(0, c.value) : drv_burst_set_gate_polarity(0, c.value), 1);
        if (c.bit9 < 0)
            EXPECT_TRUE(sim.writes().empty());
        else
            EXPECT_EQ(sim.peek(36), c.bit9 ? 0x0300 : 0x0100);
    }

    // A software edge: bit 9 flipped, 1 ms, restored.
    sim.poke(68, 0x0200);
    sim.clear_log();
    drv_burst_toggle_trigger_edge(1);
    EXPECT_TRUE(log_is({sim_read(68, 0x0200), sim_write(68, 0x0000), sim_sleep(1), sim_write(68, 0x0200)}));

    sim.clear_log();
    drv_burst_trigger(0);
    drv_burst_trigger_both();
    drv_burst_trigger(-1);
    EXPECT_TRUE(log_is({sim_write(84, 0), sim_write(84, 1), sim_write(84, 0), sim_write(84, 3)}));
}

TEST_F(DrvBurst, StartPhaseOnlyForChannelsInBurst)
{
    drv_phase_t *phase = manager->get_phase();
    const struct
    {
        uint16 field0, field1;
    } cases[] = {{0, 0}, {1, 0}, {0, 2}, {3, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "fields " << c.field0 << ", " << c.field1);
        sim.poke(36, static_cast<uint16>(c.field0 << 6));
        sim.poke(68, static_cast<uint16>(c.field1 << 6));
        sim.clear_log();
        EXPECT_EQ(drv_burst_set_phase(45.0L, 90.0L), 1);
        const std::vector<sim_op_t> actual = sim.log();
        sim.poke(36, static_cast<uint16>(c.field0 << 6));
        sim.poke(68, static_cast<uint16>(c.field1 << 6));
        sim.clear_log();
        drv_burst_is_on(0);
        if (c.field0 != 0)
            phase->_set_burst_phase(0, 45.0L);
        drv_burst_is_on(1);
        if (c.field1 != 0)
            phase->_set_burst_phase(1, 90.0L);
        EXPECT_TRUE(log_is(actual));
    }
}
