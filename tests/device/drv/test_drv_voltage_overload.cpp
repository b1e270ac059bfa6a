// The voltage-overload driver: the module's object writes no thresholds; the base
// class picks its pair by the amplitude driver's overload range mask (4 on the module).
#include "drv_voltage_overload.h"
#include "drv_voltage_overload_vextral.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

namespace {

using DrvVoltageOverload = sim_driver_fixture_t;

// Overrides only the pairs: the base procedure must take them from the object.
class own_pairs_t : public drv_voltage_overload_t
{
public:
    void get_narrow_thresholds(int32 *first, int32 *second) override
    {
        *first = 1;
        *second = 2;
    }
    void get_wide_thresholds(int32 *first, int32 *second) override
    {
        *first = 3;
        *second = 4;
    }
};

} // namespace

TEST_F(DrvVoltageOverload, ModuleObjectWritesNoThresholds)
{
    drv_voltage_overload_t *overload = manager->get_voltage_overload();
    ASSERT_NE(dynamic_cast<drv_voltage_overload_vextral_t *>(overload), nullptr);
    for (uint32 word : {0u, 2u, 4u, 6u})
        for (int32 ch : {0, 1})
            EXPECT_EQ(overload->set_amp_range(ch, word), 1);
    EXPECT_TRUE(log_is({}));

    int32 first = 0, second = 0;
    overload->get_narrow_thresholds(&first, &second);
    EXPECT_EQ(first, 39883);
    EXPECT_EQ(second, 6928);
    overload->get_wide_thresholds(&first, &second);
    EXPECT_EQ(first, 29397);
    EXPECT_EQ(second, 17414);
}

TEST_F(DrvVoltageOverload, BaseClassPicksThePairByTheRangeMask)
{
    drv_voltage_overload_t base;
    struct
    {
        int32 ch;
        uint32 word;
        std::vector<sim_op_t> writes;
    } cases[] = {
        {0, 4, {sim_write(128, 24029), sim_write(130, 41506)}},
        {0, 6, {sim_write(128, 24029), sim_write(130, 41506)}},
        {0, 2, {sim_write(128, 8738), sim_write(130, 56797)}},
        {0, 0, {sim_write(128, 8738), sim_write(130, 56797)}},
        {1, 4, {sim_write(136, 24029), sim_write(138, 41506)}},
        {1, 32, {sim_write(136, 8738), sim_write(138, 56797)}},
        {2, 4, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.ch << " word " << c.word);
        sim.clear_log();
        EXPECT_EQ(base.set_amp_range(c.ch, c.word), 1);
        EXPECT_TRUE(log_is(c.writes));
    }

    own_pairs_t own;
    sim.clear_log();
    own.set_amp_range(1, 4);
    own.set_amp_range(1, 2);
    EXPECT_TRUE(log_is({sim_write(136, 1), sim_write(138, 2), sim_write(136, 3), sim_write(138, 4)}));

    sim.clear_log();
    EXPECT_EQ(base.set_thresholds(0, 100, 200), 1);
    EXPECT_TRUE(log_is({sim_write(128, 100), sim_write(130, 200)}));
}

TEST_F(DrvVoltageOverload, ResetSelectsTheChannelThroughRegister158Bit4)
{
    drv_voltage_overload_t *overload = manager->get_voltage_overload();
    sim.poke(158, 0x0003);
    EXPECT_EQ(overload->reset(0), 1);
    EXPECT_EQ(sim.peek(158), 0x0013);
    EXPECT_EQ(overload->reset(1), 1);
    EXPECT_EQ(sim.peek(158), 0x0003);
    sim.clear_log();
    EXPECT_EQ(overload->reset(2), 0);
    EXPECT_EQ(overload->reset(-1), 0);
    EXPECT_TRUE(log_is({}));
}
