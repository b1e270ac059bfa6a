// The phase driver: one normalisation step, the placement of a phase in the start-phase
// or the phase-offset register by the channel's state, the restore after a frequency
// change, the coupling path and the sample-rate start offset. Phase words are
// trunc(deg x (2^32 - 1) / 360), worked out with exact fractions.
#include "drv_mod.h"
#include "drv_phase.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace {

using writes_t = std::vector<std::pair<uint32, uint16>>;

struct word_t
{
    uint16 low, high;
};
constexpr word_t W10{0x71c7, 0x071c};
constexpr word_t W30{0x5555, 0x1555};
constexpr word_t W45{0xffff, 0x1fff};
constexpr word_t W60{0xaaaa, 0x2aaa};
constexpr word_t W90{0xffff, 0x3fff};
constexpr word_t W330{0xaaa9, 0xeaaa};
constexpr word_t W350{0x8e37, 0xf8e3};
constexpr word_t W0{0, 0};

// Channel 0's start phase (90, 22) and phase offset (154, 57).
writes_t start0(word_t w) { return {{90, w.low}, {22, w.high}}; }
writes_t offset0(word_t w) { return {{154, w.low}, {57, w.high}}; }
writes_t start1(word_t w) { return {{92, w.low}, {54, w.high}}; }
writes_t offset1(word_t w) { return {{156, w.low}, {59, w.high}}; }
// The phase synchronisation pulse: the hold bit of register 36 set and cleared.
const writes_t SYNC{{36, 0x0008}, {36, 0x0000}};

writes_t operator+(writes_t a, const writes_t &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class DrvPhase : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        phase = manager->get_phase();
        // The drivers outlive a test case: every case starts from a continuous channel
        // with no ASK gate, phases 0 and no coupling.
        for (int32 ch : {0, 1}) {
            fpga->set_run_mode(ch, 3);
            fpga->set_ask_gate(ch, 0);
            phase->store_phase(ch, 0);
            phase->store_start_phase(ch, 0);
        }
        phase->set_couple(0);
        for (uint32 reg : {10u, 36u, 68u, 65u, 154u, 57u, 156u, 59u})
            sim.poke(reg, 0);
        sim.clear_log();
    }

    drv_phase_t *phase = nullptr;
};

} // namespace

TEST(DrvPhaseNormalize, OneStepOnly)
{
    struct norm_case_t
    {
        long double in, out;
        bool changed;
    };
    const norm_case_t cases[] = {
        {370, 10, true},    {-370, -10, true}, {-400, -40, true}, {800, 440, true}, {360, 0, true},
        {359.5L, 359.5L, false}, {0, 0, false},   {-1e-14L, -1e-14L, false}, {-1e-13L, -1e-13L, false},
        {-2e-13L, 360 - 2e-13L, true},
    };
    for (const norm_case_t &c : cases) {
        long double v = c.in;
        EXPECT_EQ(drv_phase_t::normalize_phase(&v), c.changed) << static_cast<double>(c.in);
        EXPECT_EQ(v, c.out) << static_cast<double>(c.in);
    }
    long double nan = std::numeric_limits<long double>::quiet_NaN();
    EXPECT_FALSE(drv_phase_t::normalize_phase(&nan));
    EXPECT_FALSE(drv_phase_t::normalize_phase(nullptr));
}

TEST_F(DrvPhase, SetPhasePlacesThePhaseByTheChannelsState)
{
    struct place_case_t
    {
        const char *state;
        std::function<void(sim_fpga_t &, drv_fpga_t *, drv_phase_t *)> setup;
        long double deg;
        writes_t expected;
    };
    const place_case_t cases[] = {
        {"continuous", nullptr, 90, offset0(W90)},
        {"continuous, one normalisation step", nullptr, -370, offset0(W350)},
        {"continuous, start phase within 0.001",
         [](sim_fpga_t &, drv_fpga_t *, drv_phase_t *p) { p->store_start_phase(0, 0.0005L); }, 90, offset0(W90)},
        {"continuous, start phase beyond 0.001",
         [](sim_fpga_t &, drv_fpga_t *, drv_phase_t *p) { p->store_start_phase(0, 0.002L); }, 90,
         start0(W0) + SYNC + offset0(W90)},
        {"burst run mode, offset already 0", [](sim_fpga_t &, drv_fpga_t *f, drv_phase_t *) { f->set_run_mode(0, 2); },
         90, start0(W90)},
        {"burst run mode, offset set",
         [](sim_fpga_t &s, drv_fpga_t *f, drv_phase_t *) {
             f->set_run_mode(0, 2);
             s.poke(57, 5);
         },
         10, start0(W10) + offset0(W0)},
        {"burst switched on", [](sim_fpga_t &s, drv_fpga_t *, drv_phase_t *) { s.poke(36, 0x0040); }, 90, start0(W90)},
        {"ASK modulation on", [](sim_fpga_t &, drv_fpga_t *f, drv_phase_t *) { f->enable_ask_gate(0); }, 30,
         start0(W30)},
        {"sample-rate mode", [](sim_fpga_t &s, drv_fpga_t *, drv_phase_t *) { s.poke(65, 0x0200); }, 90, {}},
        {"start-phase mode",
         [](sim_fpga_t &s, drv_fpga_t *, drv_phase_t *p) {
             s.poke(10, 0x4000);
             p->store_start_phase(0, 30);
         },
         90, start0(W30) + offset0(W60)},
        {"start-phase mode, start beyond the phase",
         [](sim_fpga_t &s, drv_fpga_t *, drv_phase_t *p) {
             s.poke(10, 0x4000);
             p->store_start_phase(0, 120);
         },
         90, start0({0x5555, 0x5555}) + offset0(W330)},
    };
    for (const place_case_t &c : cases) {
        SCOPED_TRACE(c.state);
        SetUp();
        if (c.setup)
            c.setup(sim, fpga, phase);
        sim.clear_log();
        EXPECT_EQ(phase->set_phase(fpga, 0, c.deg), 1);
        EXPECT_EQ(sim.writes(), c.expected);
        long double stored = c.deg;
        drv_phase_t::normalize_phase(&stored);
        EXPECT_EQ(phase->get_phase(0), stored);
    }
    SetUp();
    EXPECT_EQ(phase->set_phase(fpga, 2, 90), 0);
    EXPECT_EQ(phase->set_phase(nullptr, 0, 90), 0);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvPhase, StartAndPhaseAfterAFrequencyChange)
{
    // Start-phase mode: the phase becomes the start phase, the offset 0.
    sim.poke(10, 0x4000);
    EXPECT_EQ(phase->set_start_and_phase(fpga, 1, 45), 1);
    EXPECT_EQ(sim.peek(92), W45.low);
    EXPECT_EQ(sim.peek(54), W45.high);
    EXPECT_EQ(sim.peek(156), 0);
    EXPECT_EQ(sim.peek(59), 0);
    EXPECT_EQ(phase->get_start_phase(1), 45);

    // A continuous channel outside that mode: the start phase is cleared again and the
    // phase ends up in the offset.
    SetUp();
    sim.poke(92, 0x1234);
    phase->set_start_and_phase(fpga, 1, 45);
    EXPECT_EQ(sim.peek(92), 0);
    EXPECT_EQ(sim.peek(54), 0);
    EXPECT_EQ(sim.peek(156), W45.low);
    EXPECT_EQ(sim.peek(59), W45.high);
    EXPECT_EQ(phase->get_start_phase(1), 0);
}

TEST_F(DrvPhase, RestorePhaseRewritesWhatDiffersFromTheRemembered)
{
    // Both phases 0 and nothing remembered: nothing to write for continuous channels.
    phase->restore_phase();
    EXPECT_TRUE(sim.writes().empty());
    // The continuous branch never updates the remembered value: written every time.
    phase->store_phase(0, 90);
    phase->restore_phase();
    phase->restore_phase();
    EXPECT_EQ(sim.writes(), offset0(W90) + offset0(W90));

    // A burst channel takes its phase as start phase (and remembers it).
    SetUp();
    fpga->set_run_mode(1, 2);
    phase->store_phase(1, 30);
    phase->restore_phase();
    EXPECT_EQ(sim.writes(), start1(W30));
    EXPECT_EQ(phase->get_start_phase(1), 30);

    // Start-phase mode: both channels as start phases with their offsets cleared.
    SetUp();
    sim.poke(10, 0x4000);
    phase->store_phase(0, 10);
    phase->store_phase(1, 60);
    sim.clear_log();
    phase->restore_phase();
    EXPECT_EQ(sim.writes(), start0(W10) + offset0(W0) + start1(W60) + offset1(W0));
}

TEST_F(DrvPhase, CouplingPathPlacesByRunMode)
{
    // ASK on channel 1: both channels' start phases through the modulation driver,
    // channel 0 first.
    fpga->enable_ask_gate(1);
    phase->store_start_phase(0, 10);
    sim.clear_log();
    EXPECT_EQ(phase->set_phase_by_run_mode(1, 390), 1);
    EXPECT_EQ(sim.writes(), start0(W10) + start1(W30));
    EXPECT_EQ(phase->get_start_phase(1), 30);
    EXPECT_EQ(phase->get_phase(1), 30);

    struct run_mode_case_t
    {
        int32 run_mode;
        uint16 reg65;
        writes_t expected;
        long double start_after;
    };
    const run_mode_case_t cases[] = {
        {2, 0, start0(W45), 45},
        {3, 0, offset0(W45), 0},
        {0, 0, offset0(W45), 0},
        {3, 0x0200, {}, 0}, // sample-rate mode: only the phase is kept
    };
    for (const run_mode_case_t &c : cases) {
        SCOPED_TRACE(testing::Message() << "run mode " << c.run_mode << ", register 65 " << c.reg65);
        SetUp();
        fpga->set_run_mode(0, c.run_mode);
        sim.poke(65, c.reg65);
        sim.clear_log();
        phase->set_phase_by_run_mode(0, 45);
        EXPECT_EQ(sim.writes(), c.expected);
        EXPECT_EQ(phase->get_start_phase(0), c.start_after);
        EXPECT_EQ(phase->get_phase(0), 45);
    }

    // The modulation driver's own entry: burst placements, channel 0 first.
    SetUp();
    sim.poke(59, 3);
    EXPECT_EQ(drv_mod_t::set_phase_both(90, 10), 1);
    EXPECT_EQ(sim.writes(), start0(W90) + start1(W10) + offset1(W0));
}

TEST_F(DrvPhase, SampleRatePhaseIsAStartOffsetInsideOneHold)
{
    stdout_capture_t capture;
    EXPECT_EQ(phase->set_sample_rate_phase(fpga, 1, 1e6L, 90), 1);
    EXPECT_EQ(capture.finish(), "drv_phase_t::_set_sample_rate_phase--\n");
    // The stair wave of 16384 samples: 90 degrees start at sample 4096.
    EXPECT_TRUE(log_is({sim_read(36, 0), sim_write(36, 0x0008), sim_read(65, 0), sim_write(65, 0x0040),
                        sim_write(61, 4096), sim_write(87, 0), sim_read(36, 0x0008), sim_write(36, 0x0008),
                        sim_read(65, 0x0040), sim_write(65, 0), sim_sleep(1), sim_read(36, 0x0008),
                        sim_write(36, 0)}));

    // Coupled: both channels' load bits are pulsed for one channel's offset.
    SetUp();
    phase->set_couple(1);
    EXPECT_TRUE(phase->is_couple());
    stdout_capture_t capture2;
    phase->store_phase(1, 180);
    phase->reapply_sample_rate_phase(1);
    capture2.finish();
    std::vector<uint16> reg65;
    for (const auto &[reg, value] : sim.writes())
        if (reg == 65)
            reg65.push_back(value);
    EXPECT_EQ(reg65, (std::vector<uint16>{0x0080, 0x00c0, 0x0040, 0x0000}));
    EXPECT_EQ(sim.last_write(61), 8192);

    // A phase that is no number starts at sample 0.
    SetUp();
    stdout_capture_t capture3;
    phase->set_sample_rate_phase(fpga, 0, 1e6L, std::numeric_limits<long double>::quiet_NaN());
    capture3.finish();
    EXPECT_EQ(sim.last_write(75), 0);
}
