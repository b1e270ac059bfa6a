// Wave-memory loading: DAC scaling, the control-bit pulse before each block, the DDS
// and modulating wave ports, sample-rate loads from the channel's phase and the
// constant waves.
#include "drv_phase.h"
#include "drv_wave_data.h"
#include "drv_wave_load.h"
#include "drv_wave_ram.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using DrvWaveLoad = sim_driver_fixture_t;
using wave_t = std::vector<int16>;

std::vector<uint16> words(const wave_t &w)
{
    return std::vector<uint16>(w.begin(), w.end());
}

// Register writes the FPGA gets for a phase (start phase and phase offset, both
// channels).
bool wrote_phase(const sim_fpga_t &sim)
{
    for (uint32 reg : {90u, 22u, 154u, 57u, 92u, 54u, 156u, 59u})
        if (!sim.writes_to(reg).empty())
            return true;
    return false;
}

} // namespace

TEST_F(DrvWaveLoad, ScalesSamplesToTheModulesFourteenBits)
{
    drv_wave_data_t *store = manager->get_wave_data();
    EXPECT_EQ(store->get_dac_bits(), 14);
    wave_t w{32767, -32768, 1, -1, 0, 4, -4, 12345, -12345};
    store->scale_to_dac_bits(w);
    EXPECT_EQ(w, (wave_t{8191, -8192, 0, -1, 0, 1, -1, 3086, -3087}));
    wave_t empty;
    store->scale_to_dac_bits(empty);
    EXPECT_TRUE(empty.empty());
}

TEST_F(DrvWaveLoad, ChannelWavesPulseBitZeroThenSendScaledSamples)
{
    drv_wave_data_t *store = manager->get_wave_data();
    struct port_case_t
    {
        int32 ch;
        uint32 ctrl, port;
    };
    for (const port_case_t &c : {port_case_t{0, 36, 252}, port_case_t{1, 68, 253}}) {
        SCOPED_TRACE(testing::Message() << "channel " << c.ch);
        sim.poke(c.ctrl, 0x0905);
        sim.clear_log();
        wave_t w(16384, 32767);
        EXPECT_EQ(store->set_ch_wave(c.ch, w), 1);
        EXPECT_TRUE(log_is({sim_read(c.ctrl, 0x0905), sim_write(c.ctrl, 0x0904), sim_write(c.ctrl, 0x0905),
                            sim_block(c.port, std::vector<uint16>(16384, 8191))}));
        // The caller's vector is scaled; the kept copy is not.
        EXPECT_EQ(w, wave_t(16384, 8191));
        wave_t kept;
        store->get_ch_wave(c.ch, kept);
        EXPECT_EQ(kept, wave_t(16384, 32767));
    }

    // Unscaled on request; an empty wave pulses but sends no block.
    sim.poke(36, 0);
    sim.clear_log();
    wave_t raw{-32768, 32767};
    store->write_channel_wave(0, raw, false);
    EXPECT_TRUE(log_is({sim_read(36, 0), sim_write(36, 0), sim_write(36, 1), sim_block(252, words(raw))}));
    sim.clear_log();
    wave_t empty;
    EXPECT_EQ(store->write_wave(0, empty), 1);
    EXPECT_TRUE(log_is({sim_read(36, 1), sim_write(36, 0), sim_write(36, 1)}));

    // Another channel writes nothing.
    sim.clear_log();
    wave_t w{1, 2};
    store->set_ch_wave(2, w);
    store->write_wave(-1, w);
    store->write_mod_wave(2, w);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvWaveLoad, ModulatingWavesPulseBitOneAndGoUnscaled)
{
    drv_wave_data_t *store = manager->get_wave_data();
    const wave_t w{32767, -32768, 100, -3};
    sim.poke(36, 0x0003);
    sim.poke(68, 0x0000);
    sim.clear_log();
    store->write_mod_wave(0, w);
    store->write_mod_wave(1, w);
    EXPECT_TRUE(log_is({sim_read(36, 3), sim_write(36, 1), sim_write(36, 3), sim_block(254, words(w)),
                        sim_read(68, 0), sim_write(68, 0), sim_write(68, 2), sim_block(255, words(w))}));
}

TEST_F(DrvWaveLoad, SampleRateLoadsStartAtTheChannelsPhase)
{
    drv_phase_t *phase = manager->get_phase();
    struct offset_case_t
    {
        int32 ch;
        long double deg;
        uint32 offset;
        uint32 offset_reg, port;
    };
    const offset_case_t cases[] = {
        {0, 90, 250, 75, 67},
        {0, 359.9L, 999, 75, 67},
        {1, 0, 0, 61, 79},
        {1, 180, 500, 61, 79},
    };
    wave_t w(1000);
    for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = static_cast<int16>(i * 7 - 3000);
    for (const offset_case_t &c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.ch << ", " << static_cast<double>(c.deg) << " degrees");
        phase->store_phase(c.ch, c.deg);
        sim.clear_log();
        stdout_capture_t capture;
        EXPECT_EQ(manager->get_wave_ram()->write_arb_wave(fpga, phase, c.ch, w), 1);
        capture.finish();
        EXPECT_EQ(sim.last_write(c.offset_reg), static_cast<uint16>(c.offset));
        ASSERT_NE(sim.block(c.port), nullptr);
        // The samples unscaled, padded to a multiple of 8 by the FPGA driver.
        EXPECT_EQ(std::vector<uint16>(sim.block(c.port)->begin(), sim.block(c.port)->begin() + 1000), words(w));
        EXPECT_EQ(fpga->get_sample_rate_mode(c.ch), 1);
        // In sample-rate mode the phase re-applied places nothing in the phase registers.
        EXPECT_FALSE(wrote_phase(sim));
    }
    // The data-pattern entry takes the same path.
    phase->store_phase(0, 90);
    sim.clear_log();
    stdout_capture_t capture;
    EXPECT_EQ(manager->get_wave_ram()->write_pattern_wave(fpga, phase, 0, w), 1);
    capture.finish();
    EXPECT_EQ(sim.last_write(75), 250);
}

TEST_F(DrvWaveLoad, PhaseToOffset)
{
    drv_wave_data_t *store = manager->get_wave_data();
    struct offset_case_t
    {
        long double deg;
        int32 n, offset;
    };
    const offset_case_t cases[] = {
        {90, 16384, 4096}, {90, 1000, 250}, {359.9L, 1000, 999}, {0, 1000, 0}, {1, 0, 0},
        {std::numeric_limits<long double>::quiet_NaN(), 1000, 0},
        {std::numeric_limits<long double>::infinity(), 1000, 0},
    };
    for (const offset_case_t &c : cases)
        EXPECT_EQ(store->phase_to_offset(c.deg, c.n), c.offset) << static_cast<double>(c.deg) << " of " << c.n;
}

TEST_F(DrvWaveLoad, ConstantWavesAndClearing)
{
    sim.poke(36, 0);
    sim.poke(68, 0);
    drv_load_zero_wave(0);
    ASSERT_NE(sim.block(252), nullptr);
    EXPECT_EQ(*sim.block(252), std::vector<uint16>(16384, 0));

    drv_load_dc_wave(1, 1000, false);
    EXPECT_EQ(*sim.block(253), std::vector<uint16>(16384, 1000));
    drv_load_dc_wave(1, -1000, true);
    EXPECT_EQ(*sim.block(253), std::vector<uint16>(16384, static_cast<uint16>(-250)));

    // Clearing also takes the channel out of pulse and noise mode.
    sim.poke(212, 0x8001);
    sim.poke(241, 0x0003);
    EXPECT_EQ(drv_clear_wave_ok(1), 1);
    EXPECT_EQ(*sim.block(253), std::vector<uint16>(16384, 0));
    EXPECT_EQ(sim.peek(212), 0x0001);
    EXPECT_EQ(sim.peek(241), 0x0001);

    sim.clear_log();
    drv_clear_wave(2);
    drv_load_dc_wave(-1, 5, true);
    EXPECT_TRUE(log_is({}));
}
