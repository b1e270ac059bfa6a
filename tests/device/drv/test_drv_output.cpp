// The channel output switch: relay, settling wait and enable in a fixed order, the
// remembered states and their restore, polarity, trim code and the decibel ratio.
#include "drv_output.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class DrvOutput : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        sim.poke(158, 0);
        sim.poke(36, 0x0800);
        sim.poke(68, 0x0800);
        sim.clear_log();
    }
};

} // namespace

TEST_F(DrvOutput, SwitchingOnClosesTheRelayWaitsThenEnables)
{
    EXPECT_EQ(drv_set_output(fpga, 0, 0, 1), 1);
    EXPECT_TRUE(log_is({sim_read(158, 0), sim_write(158, 0x0001), sim_sleep(5), sim_read(36, 0x0800),
                        sim_write(36, 0x0000)}));

    // Switching off opens the relay first, without a wait, then disables.
    sim.clear_log();
    EXPECT_EQ(drv_set_output(fpga, 1, 0, 0), 1);
    EXPECT_TRUE(log_is({sim_read(158, 1), sim_write(158, 0), sim_read(36, 0), sim_write(36, 0x0800)}));

    // With hold 1, switching on runs inside the update hold (bit 3 of register 36).
    sim.clear_log();
    drv_set_output(fpga, 1, 1, 1);
    EXPECT_TRUE(log_is({sim_read(36, 0x0800), sim_write(36, 0x0808), sim_read(158, 0), sim_write(158, 0x0002),
                        sim_sleep(5), sim_read(68, 0x0800), sim_write(68, 0x0000), sim_read(36, 0x0808),
                        sim_write(36, 0x0800)}));

    // Another channel writes nothing.
    sim.clear_log();
    EXPECT_EQ(drv_set_output(fpga, 0, 2, 1), 0);
    EXPECT_EQ(drv_set_output(fpga, 1, -1, 0), 0);
    EXPECT_EQ(drv_set_output_relay(fpga, 2, 1), 0);
    EXPECT_EQ(drv_set_output_polarity(fpga, 2, 0), 0);
    EXPECT_EQ(drv_set_ch_trim_code(fpga, 2, 5), 0);
    EXPECT_TRUE(log_is({}));
}

TEST_F(DrvOutput, RestoreAppliesTheRememberedStatesNotTheRelays)
{
    // Both remembered states 0: hold 1 still writes without a hold.
    EXPECT_EQ(drv_restore_outputs(fpga, 1), 1);
    EXPECT_TRUE(sim.writes_to(36) == (std::vector<uint16>{0x0800}));
    EXPECT_EQ(sim.slept_ms(), 0u);

    drv_set_output(fpga, 0, 1, 1);
    // The relay alone does not change what is remembered.
    EXPECT_EQ(drv_set_output_relay(fpga, 1, 0), 1);
    drv_open_output_relay(fpga, 0);
    EXPECT_EQ(drv_get_output_relay(fpga, 0), 0);
    EXPECT_EQ(drv_get_output_relay(fpga, 1), 0);
    sim.clear_log();
    drv_restore_outputs(fpga, 1);
    // Channel 0 off, channel 1 on again, inside one hold.
    EXPECT_EQ(drv_get_output_relay(fpga, 0), 0);
    EXPECT_EQ(drv_get_output_relay(fpga, 1), 1);
    EXPECT_EQ(sim.peek(68) & 0x0800, 0);
    EXPECT_EQ(sim.peek(36), 0x0800);
    EXPECT_EQ(sim.writes_to(36).front(), 0x0808);
    EXPECT_EQ(sim.slept_ms(), 5u);

    drv_open_output_relay(fpga, 1);
    drv_restore_output_relay(fpga, 1);
    EXPECT_EQ(drv_get_output_relay(fpga, 1), 1);
}

TEST_F(DrvOutput, PolarityTrimAndDecibels)
{
    struct polarity_case_t
    {
        int32 ch, normal;
        uint16 reg80;
    };
    const polarity_case_t cases[] = {{0, 0, 0x0008}, {1, 0, 0x000c}, {0, 1, 0x0004}, {1, 7, 0x0000}};
    sim.poke(80, 0);
    for (const polarity_case_t &c : cases) {
        EXPECT_EQ(drv_set_output_polarity(fpga, c.ch, c.normal), 1);
        EXPECT_EQ(sim.peek(80), c.reg80) << c.ch << " " << c.normal;
        EXPECT_EQ(drv_get_output_polarity(fpga, c.ch), c.normal != 0 ? 1 : 0);
    }
    EXPECT_EQ(drv_set_ch_trim_code(fpga, 0, 1234), 1);
    EXPECT_EQ(drv_set_ch_trim_code(fpga, 1, 4321), 1);
    EXPECT_EQ(sim.peek(44), 1234);
    EXPECT_EQ(sim.peek(76), 4321);

    EXPECT_EQ(drv_db_to_ratio(20), 10.0L);
    EXPECT_EQ(drv_db_to_ratio(0), 1.0L);
    EXPECT_NEAR(static_cast<double>(drv_db_to_ratio(-20)), 0.1, 1e-15);
    EXPECT_NEAR(static_cast<double>(drv_db_to_ratio(-6.020599913279624L)), 0.5, 1e-15);
}
