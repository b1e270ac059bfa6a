// The data-pattern holder: the sample mode switches the channel's playback and loads
// the pattern from the channel's phase; frequency and phase go through their drivers.
#include "drv_data_pattern.h"
#include "drv_para.h"
#include "drv_phase.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <vector>

using DrvDataPattern = sim_driver_fixture_t;

TEST_F(DrvDataPattern, SampleModeLoadsThePatternFromThePhase)
{
    drv_data_pattern_t *pattern = manager->get_data_pattern();
    const std::vector<int16> samples{100, -100, 100, -100, 100, -100, 100, -100};
    const drv_data_pattern_para_t para{1.0L, 2e6L, &samples, 50};
    manager->get_phase()->store_phase(1, 90);
    sim.poke(65, 0);
    sim.poke(212, 0x8000);
    sim.poke(241, 0x0002);
    sim.clear_log();
    stdout_capture_t capture;
    EXPECT_EQ(pattern->set_sample_mode(1, &para, 1), 1);
    capture.finish();
    EXPECT_EQ(sim.peek(212), 0);
    EXPECT_EQ(sim.peek(241), 0);
    ASSERT_NE(sim.block(79), nullptr);
    EXPECT_EQ(*sim.block(79), std::vector<uint16>(samples.begin(), samples.end()));
    EXPECT_EQ(sim.last_write(61), 2); // 90 degrees of 8 samples
    EXPECT_EQ(fpga->get_sample_rate_mode(1), 1);

    // Nothing to load, or another channel: nothing written.
    sim.clear_log();
    const drv_data_pattern_para_t empty{1.0L, 2e6L, nullptr, 50};
    EXPECT_EQ(pattern->load_wave(1, &empty), 0);
    EXPECT_EQ(pattern->load_wave(1, nullptr), 0);
    EXPECT_EQ(pattern->set_sample_mode(2, &para, 1), 0);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvDataPattern, FrequencyThenPhase)
{
    drv_data_pattern_t *pattern = manager->get_data_pattern();
    fpga->set_run_mode(0, 3);
    sim.poke(65, 0);
    EXPECT_EQ(pattern->set_freq_phase(fpga, manager->get_phase(), 0, 1000, 90), 1);
    EXPECT_EQ(sim.peek(16), 0xbd05); // low half of 2251799813
    EXPECT_EQ(sim.peek(154), 0xffff);
    EXPECT_EQ(sim.peek(57), 0x3fff);
}
