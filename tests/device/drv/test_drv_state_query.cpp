// Whether a channel modulates, sweeps or bursts, asked of the FPGA's registers and its
// ASK flag: every combination of mode field, burst field and ASK gate.
#include "drv_fpga.h"
#include "drv_mod.h"
#include "drv_state_query.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

namespace {

using DrvStateQuery = sim_driver_fixture_t;

} // namespace

TEST_F(DrvStateQuery, EachCombinationOfModeFieldBurstFieldAndAskGate)
{
    const uint16 mode_fields[] = {0, 1, 2, 4, 8, 16, 32, 3};
    for (int32 ch : {0, 1}) {
        const uint32 mod_reg = ch == 0 ? 40 : 72;
        const uint32 ctrl_reg = ch == 0 ? 36 : 68;
        for (uint16 field : mode_fields) {
            for (uint16 burst = 0; burst < 4; ++burst) {
                for (int32 ask : {0, 1}) {
                    SCOPED_TRACE(testing::Message() << "channel " << ch << ", mode field " << field << ", burst "
                                                    << burst << ", ASK " << ask);
                    fpga->set_ask_gate(ch, ask);
                    // Bits outside the fields are set so that a query reading them shows.
                    sim.poke(mod_reg, static_cast<uint16>(0x80C0 | field));
                    sim.poke(ctrl_reg, static_cast<uint16>(0x0F30 | (burst << 6)));
                    sim.clear_log();

                    EXPECT_EQ(drv_mod_t::is_mod_on(ch), field != 0 || ask == 1 ? 1 : 0);
                    EXPECT_EQ(drv_sweep_is_on(ch), field == 4 ? 1 : 0);
                    EXPECT_EQ(drv_burst_is_on(ch), burst != 0 && ask == 0);
                    int32 type = 0;
                    if (ask == 1)
                        type = 4;
                    else if (field == 1)
                        type = 7;
                    else if (field == 2)
                        type = 1;
                    else if (field == 4)
                        type = 2;
                    else if (field == 8)
                        type = 3;
                    else if (field == 16)
                        type = 5;
                    else if (field == 32)
                        type = 8;
                    EXPECT_EQ(drv_mod_t::get_mod_type(ch), type);
                    // Queries only read.
                    EXPECT_TRUE(sim.writes().empty());
                }
            }
        }
    }
}

TEST_F(DrvStateQuery, PhaseShiftKeyingAndPhaseModulationShareTheField)
{
    fpga->set_mod_type(1, 6);
    EXPECT_EQ(drv_mod_t::get_mod_type(1), 6);
    fpga->set_mod_type(1, 3);
    EXPECT_EQ(drv_mod_t::get_mod_type(1), 3);
    // Channel 0 keeps its own meaning.
    fpga->set_mod_type(0, 6);
    EXPECT_EQ(drv_mod_t::get_mod_type(0), 6);
    EXPECT_EQ(drv_mod_t::get_mod_type(1), 3);
}

TEST_F(DrvStateQuery, OtherChannelsAreNeverOn)
{
    for (int32 ch : {2, -1}) {
        EXPECT_EQ(drv_mod_t::is_mod_on(ch), 0);
        EXPECT_EQ(drv_mod_t::get_mod_type(ch), 0);
        EXPECT_EQ(drv_sweep_is_on(ch), 0);
        EXPECT_FALSE(drv_burst_is_on(ch));
    }
    EXPECT_TRUE(log_is({}));
}
