// The time-base trim: the start-up code from the module's calibration record, the
// clamping setter and the commit and restore.
#include "cfg_fixture.h"
#include "cfg_time_base_cali_main.h"

TEST(CfgTimeBaseCaliMain, LimitsAndDefault)
{
    cfg_time_base_cali_main_t t;
    EXPECT_EQ(t.get_default(), 18022);
    EXPECT_EQ(t.get_min(), 1);
    EXPECT_EQ(t.get_max(), 32767);
}

using CfgTimeBase = cfg_fixture_t;

TEST_F(CfgTimeBase, ModuleRecordThatSuppliesNoCodeGivesTrimCodeOne)
{
    cfg_time_base_cali_main_t *t = cfg_get_time_base_cali();
    ASSERT_NE(t, nullptr);
    int32 v = -1;
    t->get_value(&v);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(t->get_saved_raw(), 1);
    // The module's time-base DAC write reaches no register.
    t->set_value(1234);
    EXPECT_TRUE(sim.log().empty()) << sim.compact();
}

TEST_F(CfgTimeBase, SetValueClampsToTheTrimRange)
{
    cfg_time_base_cali_main_t *t = cfg_get_time_base_cali();
    struct case_t
    {
        int32 code, result, stored;
    };
    const case_t cases[] = {{0, -11, 1},         {-5, -11, 1},        {1, 1, 1},          {18022, 1, 18022},
                            {32767, 1, 32767},   {32768, -10, 32767}, {40000, -10, 32767}};
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(t->check(c.code), c.result);
        EXPECT_EQ(t->set_value(c.code), c.result);
        EXPECT_EQ(t->get_value_raw(), c.stored);
    }
}

TEST_F(CfgTimeBase, RestoreReturnsToTheCommittedCodeAndRestartsFromTheRecord)
{
    cfg_time_base_cali_main_t *t = cfg_get_time_base_cali();
    t->set_value(500);
    EXPECT_EQ(t->save(), 1);
    t->set_value(900);
    EXPECT_EQ(t->restore(), 1);
    EXPECT_EQ(t->get_value_raw(), 500);
    // The root's clock restore initialises the trim again from the record.
    cfg_main_t::get_instance()->restore_clock(0);
    EXPECT_EQ(t->get_value_raw(), 1);
}
