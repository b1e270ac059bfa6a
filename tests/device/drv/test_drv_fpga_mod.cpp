// The FPGA driver's modulation register, ASK gate, burst engine, triggers and routing,
// pulse words, noise flags, counter, overload status and combining, over the register
// simulator.
#include "drv_fpga.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

using DrvFpgaMod = sim_driver_fixture_t;

// The four writes of a burst-field load of v: bit 8 as in v, 0, 1, 0.
std::vector<sim_op_t> burst_load(uint32 reg, uint16 v)
{
    return {sim_write(reg, v), sim_write(reg, v & ~0x100), sim_write(reg, v | 0x100), sim_write(reg, v & ~0x100)};
}

void append(std::vector<sim_op_t> &log, const std::vector<sim_op_t> &more)
{
    log.insert(log.end(), more.begin(), more.end());
}

} // namespace

TEST_F(DrvFpgaMod, ModulationTypesWriteTheirFieldAndKeepTheOtherBits)
{
    struct
    {
        int32 type;
        uint16 field;
        int32 decoded;
    } cases[] = {
        {0, 0, 0}, {1, 2, 1}, {2, 4, 2}, {3, 8, 3}, {5, 16, 5}, {6, 8, 6}, {7, 1, 7}, {8, 32, 8}, {9, 0, 0}, {-1, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        // Table reset, PSK polarity, bit 8 and the external source are kept.
        sim.poke(72, 0x81D2);
        fpga->set_mod_type(1, c.type);
        EXPECT_EQ(sim.peek(72), 0x81C0 | c.field);
        EXPECT_EQ(fpga->get_mod_type(1), c.decoded);
        EXPECT_EQ(fpga->is_ask_on(1), 0);
        EXPECT_TRUE(sim.writes_to(40).empty());
    }
}

TEST_F(DrvFpgaMod, PskReleasesTheAskGateAndAnUnchangedFieldIsNotWritten)
{
    sim.poke(40, 0x8012);
    sim.poke(36, 0x04C1);
    fpga->set_mod_type(0, 6);
    std::vector<sim_op_t> expected{sim_read(40, 0x8012), sim_read(36, 0x04C1)};
    append(expected, burst_load(36, 0x0401));
    append(expected, {sim_write(40, 0x8008), sim_read(36, 0x0401), sim_write(36, 0x0001)});
    EXPECT_TRUE(log_is(expected));
    EXPECT_EQ(fpga->get_mod_type(0), 6);

    // PM uses the same field: only the remembered meaning changes.
    sim.clear_log();
    fpga->set_mod_type(0, 3);
    EXPECT_TRUE(sim.writes_to(40).empty());
    EXPECT_EQ(fpga->get_mod_type(0), 3);
}

TEST_F(DrvFpgaMod, AskClearsTheFieldAndRunsAsAGatedBurst)
{
    sim.poke(72, 0x0004);
    sim.poke(68, 0x0543);
    fpga->set_mod_type(1, 4);
    std::vector<sim_op_t> expected{sim_read(72, 0x0004), sim_write(72, 0x0000),
                                   // trigger source 2, then gate polarity 1
                                   sim_read(68, 0x0543), sim_write(68, 0x0563), sim_read(68, 0x0563),
                                   sim_write(68, 0x0763), sim_read(68, 0x0763)};
    append(expected, burst_load(68, 0x07A3));
    append(expected, {sim_read(68, 0x06A3), sim_write(68, 0x02A3)});
    EXPECT_TRUE(log_is(expected));
    EXPECT_EQ(fpga->is_ask_on(1), 1);
    EXPECT_EQ(fpga->get_mod_type(1), 4);
    // The burst field reads 2 but belongs to the ASK gate.
    EXPECT_EQ(sim.peek(68) & 0xC0, 0x80);
    EXPECT_EQ(fpga->get_burst_field(1), 0);

    // Type 0 keeps the gate running and does not reload the burst field.
    sim.clear_log();
    fpga->set_mod_type(1, 0);
    EXPECT_EQ(fpga->is_ask_on(1), 1);
    EXPECT_TRUE(log_is({sim_read(72, 0), sim_read(68, 0x02A3), sim_write(68, 0x02A3)}));

    // Any other type releases it: burst field 0.
    fpga->set_mod_type(1, 1);
    EXPECT_EQ(fpga->is_ask_on(1), 0);
    EXPECT_EQ(sim.peek(68) & 0xC0, 0);
}

TEST_F(DrvFpgaMod, ModulationRegisterBitsAreSingleReadModifyWrites)
{
    struct
    {
        const char *name;
        std::function<void()> call;
        uint16 before, after;
    } cases[] = {
        {"psk polarity 3", [&] { fpga->set_psk_polarity(0, 3); }, 0x8004, 0x8084},
        {"psk polarity 2", [&] { fpga->set_psk_polarity(0, 2); }, 0x80FF, 0x807F},
        {"bit 8 on", [&] { fpga->set_mod_reg_bit8(0, 1); }, 0x0004, 0x0104},
        {"bit 8 off", [&] { fpga->set_mod_reg_bit8(0, 0); }, 0xFFFF, 0xFEFF},
        {"external 1", [&] { fpga->set_ext_source(0, 1); }, 0x0010, 0x8010},
        {"external 2", [&] { fpga->set_ext_source(0, 2); }, 0x8010, 0x0010},
        {"table reset", [&] { fpga->reset_table_ptr(0); }, 0x8002, 0x8042},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim.poke(40, c.before);
        sim.clear_log();
        c.call();
        EXPECT_EQ(sim.peek(40), c.after);
        EXPECT_EQ(sim.log().front(), sim_read(40, c.before));
    }
    // The table-pointer reset writes set, cleared, set after one read.
    EXPECT_TRUE(log_is({sim_read(40, 0x8002), sim_write(40, 0x8042), sim_write(40, 0x8002), sim_write(40, 0x8042)}));
}

TEST_F(DrvFpgaMod, ModulationWordsKeepThirtySevenBitsLowPartFirst)
{
    struct
    {
        int32 ch;
        uint64 word;
        std::vector<std::pair<uint32, uint16>> writes;
    } cases[] = {
        // (2^37 - 1) x 90 / 360, the PM word of 90 degrees
        {0, 34359738367ull, {{38, 0xFFFF}, {170, 0xFFFF}, {100, 0x0007}}},
        {1, 0x1F12345678ull, {{70, 0x5678}, {186, 0x1234}, {102, 0x001F}}},
        // bits above 36 are dropped
        {0, 0xFFE000000001ull, {{38, 0x0001}, {170, 0x0000}, {100, 0x0000}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "word " << c.word);
        sim.clear_log();
        fpga->set_mod_word(c.ch, c.word);
        EXPECT_EQ(sim.writes(), c.writes);
    }
}

TEST_F(DrvFpgaMod, BurstFieldLoadsWithTheBitEightPulse)
{
    struct
    {
        uint16 field;
        uint16 before;
        uint16 loaded;
    } cases[] = {
        {0, 0x01C5, 0x0105}, {1, 0x0005, 0x0045}, {2, 0x0105, 0x0185}, {3, 0x0000, 0x00C0}, {6, 0x00C0, 0x0080},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field);
        sim.poke(36, c.before);
        sim.clear_log();
        fpga->set_burst_field(0, c.field);
        std::vector<sim_op_t> expected{sim_read(36, c.before)};
        append(expected, burst_load(36, c.loaded));
        EXPECT_TRUE(log_is(expected));
        EXPECT_EQ(fpga->get_burst_field(0), c.field & 3);
    }
    // set_burst_field ends an ASK gate; the load alone does not.
    fpga->enable_ask_gate(1);
    fpga->load_burst_field(1, 1);
    EXPECT_EQ(fpga->is_ask_on(1), 1);
    EXPECT_EQ(fpga->get_burst_field(1), 0);
    fpga->set_burst_field(1, 1);
    EXPECT_EQ(fpga->is_ask_on(1), 0);
    EXPECT_EQ(fpga->get_burst_field(1), 1);
}

TEST_F(DrvFpgaMod, TriggerSourceEdgeAndSweepBitsChangeOnlyTheirField)
{
    struct
    {
        const char *name;
        std::function<void()> call;
        uint16 before, after;
    } cases[] = {
        {"source 2", [&] { fpga->set_trig_source(0, 2); }, 0xFFCF, 0xFFEF},
        {"source 0", [&] { fpga->set_mod_trig_source(0, 0); }, 0xFFFF, 0xFFCF},
        {"source 1", [&] { fpga->set_sweep_trig_source(0, 1); }, 0x0000, 0x0010},
        {"source 6 keeps two bits", [&] { fpga->set_trig_source(0, 6); }, 0x0000, 0x0020},
        {"gate polarity 1", [&] { fpga->set_gate_polarity(0, 1); }, 0x0001, 0x0201},
        {"gate polarity 2", [&] { fpga->set_gate_polarity(0, 2); }, 0x0201, 0x0001},
        {"edge 0 sets bit 9", [&] { fpga->set_trig_edge(0, 0); }, 0x0000, 0x0200},
        {"edge 1 clears it", [&] { fpga->set_trig_edge(0, 1); }, 0xFFFF, 0xFDFF},
        {"sweep bit", [&] { fpga->set_ctrl_bit10(0, 1); }, 0x0001, 0x0401},
        {"sweep bit off", [&] { fpga->set_ctrl_bit10(0, 0); }, 0xFFFF, 0xFBFF},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim.poke(36, c.before);
        sim.clear_log();
        c.call();
        EXPECT_TRUE(log_is({sim_read(36, c.before), sim_write(36, c.after)}));
    }
    for (uint16 field : {0, 1, 2, 3}) {
        sim.poke(68, static_cast<uint16>(field << 4));
        EXPECT_EQ(fpga->get_trig_source(1), field == 3 ? 2 : field);
    }
}

TEST_F(DrvFpgaMod, EdgeToggleInvertsBitNineForOneMillisecond)
{
    sim.poke(68, 0x0231);
    fpga->toggle_trig_edge(1);
    EXPECT_TRUE(log_is({sim_read(68, 0x0231), sim_write(68, 0x0031), sim_sleep(1), sim_write(68, 0x0231)}));
}

TEST_F(DrvFpgaMod, BurstCyclesAndDelayAreSplitLowHalfFirst)
{
    struct
    {
        uint32 cycles;
        uint16 low, high;
    } cycles[] = {{5, 5, 0}, {0x12345678, 0x5678, 0x1234}, {static_cast<uint32>(-1), 0xFFFF, 0xFFFF}};
    for (const auto &c : cycles) {
        sim.clear_log();
        fpga->set_burst_cycles(1, c.cycles);
        EXPECT_TRUE(log_is({sim_write(78, c.low), sim_write(74, c.high)})) << c.cycles;
    }
    // Ticks of 1 / 150 MHz, truncated (data/gen_fpga_words.py's extended rounding:
    // 1 ms is 149999.99... ticks).
    struct
    {
        long double seconds;
        uint32 ticks;
    } delays[] = {
        {70e-9L, 10},
        {1e-6L, 150},
        {1e-3L, 149999},
        {1.0L, 150000000},
        {-1e-6L, static_cast<uint32>(-150)},
        {20.0L, 0}, // beyond 32 bits
        {std::numeric_limits<long double>::quiet_NaN(), 0},
    };
    for (const auto &d : delays) {
        SCOPED_TRACE(testing::Message() << "seconds " << static_cast<double>(d.seconds));
        sim.clear_log();
        fpga->set_burst_delay(0, d.seconds);
        EXPECT_TRUE(log_is({sim_write(160, d.ticks & 0xFFFF), sim_write(162, d.ticks >> 16)}));
    }
}

TEST_F(DrvFpgaMod, TriggerRoutingIsOneReadModifyWriteAndOnlyTheOwnerSwitchesTheOutputOff)
{
    struct
    {
        uint16 before;
        int32 ch, kind, on;
        uint16 after;
    } cases[] = {
        {0x0000, 0, 0, 0, 0x0010},
        {0x001F, 1, 0, 1, 0x000F},
        {0x0000, 1, 1, 1, 0x0008},
        {0x000F, 0, 1, 0, 0x0007},
        // channel 0 owns the enabled trigger output: channel 1 cannot switch it off
        {0x0000, 1, 2, 0, 0x0000},
        {0x0000, 0, 2, 0, 0x0001},
        {0x0000, 1, 2, 1, 0x0004},
        {0x0001, 1, 2, 0, 0x0005},
        {0x0004, 1, 2, 0, 0x0005},
        {0x0005, 0, 2, 0, 0x0001},
        {0x0008, 0, 3, 1, 0x001B},
        {0x0015, 0, 9, 1, 0x0015},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "82 = " << c.before << ", (" << c.ch << ", " << c.kind << ", " << c.on
                                        << ")");
        sim.poke(82, c.before);
        sim.clear_log();
        fpga->set_trig_out(c.ch, c.kind, c.on);
        EXPECT_TRUE(log_is({sim_read(82, c.before), sim_write(82, c.after)}));
    }
    sim.poke(82, 0x0002);
    fpga->set_sync_out(1, 1);
    EXPECT_EQ(sim.peek(82), 0x0008);
    sim.clear_log();
    fpga->set_sync_out(1, 2);
    EXPECT_TRUE(log_is({}));

    fpga->set_trig_out_mode(1, 2);
    EXPECT_EQ(fpga->get_trig_out_mode(1), 2);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvFpgaMod, ManualTriggersOfTheBaseClass)
{
    drv_fpga_t base;
    struct
    {
        std::function<void()> call;
        uint16 second;
    } cases[] = {
        {[&] { base.trigger_ch(0); }, 1},
        {[&] { base.trigger_ch(1); }, 2},
        {[&] { base.trigger_ch(2); }, 0},
        {[&] { base.trigger_both(); }, 3},
    };
    for (const auto &c : cases) {
        sim.clear_log();
        c.call();
        EXPECT_TRUE(log_is({sim_write(84, 0), sim_write(84, c.second)}));
    }
}

TEST_F(DrvFpgaMod, PulseCountTakesThePulseModeFromTheModulationField)
{
    struct
    {
        uint16 mod_reg;
        uint16 top;
    } cases[] = {
        {0x0000, 0x803F}, // no modulation
        {0x0020, 0x803F}, // PWM
        {0x8060, 0x803F}, // PWM, other bits set
        {0x0002, 0x003F}, // AM
        {0x0010, 0x003F}, // FSK
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "modulation register " << c.mod_reg);
        sim.poke(72, c.mod_reg);
        sim.poke(212, 0x7FC0);
        sim.clear_log();
        // bits above 37 are dropped
        fpga->set_pulse_count(1, 0x7F12345678ull);
        EXPECT_TRUE(log_is({sim_read(72, c.mod_reg), sim_write(212, c.top), sim_write(210, 0x1234),
                            sim_write(208, 0x5678)}));
    }
    sim.poke(196, 0x0025);
    fpga->set_pulse_mode(0, 5);
    EXPECT_EQ(sim.peek(196), 0x8025);
    fpga->set_pulse_mode(0, 0);
    EXPECT_EQ(sim.peek(196), 0x0025);
}

TEST_F(DrvFpgaMod, PulseWordsGoTopPartFirstToTheirRegisters)
{
    const uint64 word37 = (1ull << 40) | 0x1FABCD1234ull;
    const uint64 word32 = 0x1289ABCDEFull;
    using writer_t = std::function<void(int32, uint64)>;
    const writer_t frac = [&](int32 ch, uint64 w) { fpga->set_pulse_frac(ch, w); };
    const writer_t step1 = [&](int32 ch, uint64 w) { fpga->set_edge1_step(ch, w); };
    const writer_t step2 = [&](int32 ch, uint64 w) { fpga->set_edge2_step(ch, w); };
    const writer_t scale1 = [&](int32 ch, uint64 w) { fpga->set_edge1_scale(ch, w); };
    const writer_t scale2 = [&](int32 ch, uint64 w) { fpga->set_edge2_scale(ch, w); };
    struct
    {
        const char *name;
        const writer_t &writer;
        int32 ch;
        uint64 word;
        std::vector<std::pair<uint32, uint16>> writes;
    } cases[] = {
        {"fraction", frac, 0, word37, {{206, 0x1F}, {174, 0xABCD}, {172, 0x1234}}},
        {"fraction", frac, 1, word37, {{222, 0x1F}, {190, 0xABCD}, {188, 0x1234}}},
        {"edge 1 step", step1, 0, word37, {{202, 0x1F}, {200, 0xABCD}, {198, 0x1234}}},
        {"edge 1 step", step1, 1, word37, {{218, 0x1F}, {216, 0xABCD}, {214, 0x1234}}},
        {"edge 2 step", step2, 0, word37, {{246, 0x1F}, {244, 0xABCD}, {204, 0x1234}}},
        {"edge 2 step", step2, 1, word37, {{250, 0x1F}, {248, 0xABCD}, {220, 0x1234}}},
        {"edge 1 scale", scale1, 0, word32, {{226, 0x89AB}, {224, 0xCDEF}}},
        {"edge 1 scale", scale1, 1, word32, {{234, 0x89AB}, {232, 0xCDEF}}},
        {"edge 2 scale", scale2, 0, word32, {{230, 0x89AB}, {228, 0xCDEF}}},
        {"edge 2 scale", scale2, 1, word32, {{238, 0x89AB}, {236, 0xCDEF}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << ", channel " << c.ch);
        sim.clear_log();
        c.writer(c.ch, c.word);
        EXPECT_EQ(sim.writes(), c.writes);
    }
}

TEST_F(DrvFpgaMod, NoiseBitsOfRegister241)
{
    struct
    {
        const char *name;
        std::function<void()> call;
        uint16 before, after;
    } cases[] = {
        {"noise 0 on", [&] { fpga->set_noise_mode(0, 1); }, 0x000C, 0x000D},
        {"noise 1 on", [&] { fpga->set_noise_mode(1, 1); }, 0x4001, 0x4003},
        {"noise 1 with 2 is off", [&] { fpga->set_noise_mode(1, 2); }, 0xFFFF, 0xFFFD},
        {"noise modulation", [&] { fpga->set_noise_mod(1, 1); }, 0x000F, 0x400F},
        {"noise modulation off", [&] { fpga->set_noise_mod(0, 0); }, 0xFFFF, 0xBFFF},
        {"noise modulation, channel 5", [&] { fpga->set_noise_mod(5, 1); }, 0x0003, 0x0003},
        {"amplitude path 0", [&] { fpga->set_amp_flag(0, 1); }, 0x4003, 0x4007},
        {"amplitude path 1 off", [&] { fpga->set_amp_flag(1, 0); }, 0xFFFF, 0xFFF7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim.poke(241, c.before);
        sim.clear_log();
        c.call();
        EXPECT_TRUE(log_is({sim_read(241, c.before), sim_write(241, c.after)}));
    }
}

TEST_F(DrvFpgaMod, CounterReadsItsRegisterPairsHighFirstAndAppliesItsFormulas)
{
    fpga->restart_counter();
    EXPECT_TRUE(log_is({sim_write(112, 0), sim_write(112, 1)}));

    // Cycles keep 27 bits: 0xF800'0010 counts 16.
    sim.poke(115, 0xF800);
    sim.poke(113, 0x0010);
    sim.poke(122, 0x0001);
    sim.poke(120, 0x86A0); // 100000 ticks
    sim.poke(126, 0x0000);
    sim.poke(124, 0x7530); // 30000 high ticks
    sim.clear_log();
    long double period = 0;
    fpga->get_counter_period(&period);
    EXPECT_TRUE(log_is({sim_read(115, 0xF800), sim_read(113, 0x0010), sim_read(122, 1), sim_read(120, 0x86A0)}));
    // 6250 ticks of 20/3 ns per cycle.
    EXPECT_NEAR(static_cast<double>(period), 6250 * 20.0 / 3 * 1e-9, 1e-18);

    struct
    {
        long double hz;
        double width;
    } widths[] = {
        {9.999L, 1875 * 20.0 / 3 * 1e-9}, // high ticks per cycle
        {10.0L, 0.3 / 10},                // duty over frequency
        {std::numeric_limits<long double>::quiet_NaN(), std::nan("")},
    };
    for (const auto &w : widths) {
        SCOPED_TRACE(testing::Message() << "hz " << static_cast<double>(w.hz));
        sim.clear_log();
        long double width = 0;
        EXPECT_EQ(fpga->get_counter_pulse_width(&width, w.hz), 1);
        EXPECT_TRUE(log_is({sim_read(115, 0xF800), sim_read(113, 0x0010), sim_read(126, 0), sim_read(124, 0x7530),
                            sim_read(122, 1), sim_read(120, 0x86A0)}));
        if (std::isnan(w.width))
            EXPECT_TRUE(std::isnan(width));
        else
            EXPECT_NEAR(static_cast<double>(width), w.width, 1e-15);
    }

    // The count is signed.
    sim.poke(116, 0xFFFF);
    sim.poke(114, 0xFFFE);
    long double count = 0;
    fpga->get_counter_value(&count);
    EXPECT_EQ(count, -2.0L);

    // A zero cycle count gives infinity, without a report.
    sim.poke(115, 0);
    sim.poke(113, 0);
    fpga->get_counter_period(&period);
    EXPECT_TRUE(std::isinf(period));

    for (uint16 bits : {0, 1, 2, 3}) {
        sim.poke(118, static_cast<uint16>(0xFFF0 | bits));
        EXPECT_EQ(fpga->get_counter_count_valid(), bits & 1);
        EXPECT_EQ(fpga->get_counter_period_valid(), bits >> 1);
    }
}

TEST_F(DrvFpgaMod, OverloadStatusOfTheBaseClassReadsBitsOneAndTwo)
{
    drv_fpga_t base;
    struct
    {
        uint16 status;
        int32 result;
        uint32 state;
    } cases[] = {{0x0000, 1, 0}, {0xFFF9, 1, 0}, {0x0002, 1, 1}, {0x0006, 0, 7}, {0x0004, 1, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "register 31 = " << c.status);
        sim.poke(31, c.status);
        uint32 state = 7;
        EXPECT_EQ(base.get_overload_state(&state), c.result);
        EXPECT_EQ(state, c.state);
    }
}

TEST_F(DrvFpgaMod, CounterLevelOfTheBaseClassIsRegister140)
{
    drv_fpga_t base;
    base.set_counter_level_dac(0x1234);
    uint32 code = 0;
    EXPECT_EQ(base.get_counter_level_dac(&code), 1);
    EXPECT_EQ(code, 0x1234u);
    EXPECT_TRUE(log_is({sim_write(140, 0x1234), sim_read(140, 0x1234)}));
}

TEST_F(DrvFpgaMod, CombiningTreatsEveryChannelButZeroAsOne)
{
    struct
    {
        int32 ch, on;
        uint16 before, after;
    } cases[] = {{0, 1, 0xFFFC, 0xFFFD}, {1, 1, 0x0001, 0x0003}, {7, 1, 0x0000, 0x0002}, {0, 2, 0x0003, 0x0002}};
    for (const auto &c : cases) {
        sim.poke(86, c.before);
        fpga->set_combine(c.ch, c.on);
        EXPECT_EQ(sim.peek(86), c.after) << c.ch << ", " << c.on;
        uint32 out = 9;
        EXPECT_EQ(fpga->get_combine(c.ch, &out), 1);
        EXPECT_EQ(out, c.on == 1 ? 1u : 0u);
    }
    struct
    {
        long double ratio;
        uint16 code;
    } ratios[] = {{0.5L, 32767}, {1.0L, 65535}, {2.0L, 0xFFFE}, {0.0L, 0},
                  {std::numeric_limits<long double>::quiet_NaN(), 0}};
    for (const auto &r : ratios) {
        fpga->set_combine_ratio(r.ratio);
        EXPECT_EQ(sim.peek(88), r.code) << static_cast<double>(r.ratio);
    }
}

TEST_F(DrvFpgaMod, ChannelsOtherThanZeroAndOneTouchNoRegister)
{
    std::vector<std::pair<const char *, std::function<void(int32)>>> operations = {
        {"read_mod_reg", [&](int32 ch) { EXPECT_EQ(fpga->read_mod_reg(ch), 0); }},
        {"write_mod_reg", [&](int32 ch) { fpga->write_mod_reg(ch, 1); }},
        {"set_mod_type", [&](int32 ch) { fpga->set_mod_type(ch, 4); }},
        {"get_mod_type", [&](int32 ch) { EXPECT_EQ(fpga->get_mod_type(ch), 0); }},
        {"set_psk_polarity", [&](int32 ch) { fpga->set_psk_polarity(ch, 1); }},
        {"set_mod_reg_bit8", [&](int32 ch) { fpga->set_mod_reg_bit8(ch, 1); }},
        {"set_ext_source", [&](int32 ch) { fpga->set_ext_source(ch, 1); }},
        {"set_mod_word", [&](int32 ch) { fpga->set_mod_word(ch, 5); }},
        {"set_ask_gate", [&](int32 ch) { fpga->set_ask_gate(ch, 1); }},
        {"is_ask_on", [&](int32 ch) { EXPECT_EQ(fpga->is_ask_on(ch), 0); }},
        {"set_trig_source", [&](int32 ch) { fpga->set_trig_source(ch, 1); }},
        {"get_trig_source", [&](int32 ch) { EXPECT_EQ(fpga->get_trig_source(ch), 0); }},
        {"set_burst_field", [&](int32 ch) { fpga->set_burst_field(ch, 1); }},
        {"get_burst_field", [&](int32 ch) { EXPECT_EQ(fpga->get_burst_field(ch), 0); }},
        {"set_gate_polarity", [&](int32 ch) { fpga->set_gate_polarity(ch, 1); }},
        {"set_trig_edge", [&](int32 ch) { fpga->set_trig_edge(ch, 0); }},
        {"toggle_trig_edge", [&](int32 ch) { fpga->toggle_trig_edge(ch); }},
        {"set_ctrl_bit10", [&](int32 ch) { fpga->set_ctrl_bit10(ch, 1); }},
        {"set_burst_cycles", [&](int32 ch) { fpga->set_burst_cycles(ch, 3); }},
        {"set_burst_delay", [&](int32 ch) { fpga->set_burst_delay(ch, 1e-6L); }},
        {"set_trig_out", [&](int32 ch) { fpga->set_trig_out(ch, 2, 1); }},
        {"set_trig_out_mode", [&](int32 ch) { fpga->set_trig_out_mode(ch, 1); }},
        {"set_pulse_mode", [&](int32 ch) { fpga->set_pulse_mode(ch, 1); }},
        {"set_pulse_count", [&](int32 ch) { fpga->set_pulse_count(ch, 9); }},
        {"set_pulse_frac", [&](int32 ch) { fpga->set_pulse_frac(ch, 9); }},
        {"set_edge1_step", [&](int32 ch) { fpga->set_edge1_step(ch, 9); }},
        {"set_edge2_scale", [&](int32 ch) { fpga->set_edge2_scale(ch, 9); }},
        {"set_noise_mode", [&](int32 ch) { fpga->set_noise_mode(ch, 1); }},
    };
    for (int32 ch : {2, -1}) {
        for (const auto &[name, operation] : operations) {
            SCOPED_TRACE(testing::Message() << name << ", channel " << ch);
            sim.clear_log();
            operation(ch);
            EXPECT_TRUE(log_is({}));
        }
    }
    EXPECT_EQ(fpga->get_trig_out_mode(2), 0);
}
