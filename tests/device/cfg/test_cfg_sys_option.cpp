// The option object: its start values, save, load and apply in the root's passes, the
// plain setters, and the switch that acts only while enabled.
#include "cfg_fixture.h"
#include "cfg_sys_option.h"

using CfgSysOption = cfg_fixture_t;

TEST_F(CfgSysOption, StartsAtOneOneTwoAndTakesPartInTheRootsPasses)
{
    cfg_sys_option_t *o = cfg_get_aux_setting();
    EXPECT_EQ(o->get_enable(), 1);
    EXPECT_EQ(o->get_value1(), 1);
    EXPECT_EQ(o->get_value2(), 2);
    // Save, load and apply write nothing anywhere: the driver's option is empty.
    o->set_value1(-4);
    cfg_main_t::get_instance()->save_config("cfg.xml");
    cfg_main_t::get_instance()->load_config("cfg.xml");
    o->apply();
    EXPECT_EQ(o->get_value1(), -4);
    EXPECT_TRUE(sim.log().empty()) << sim.compact();
    o->init();
    EXPECT_EQ(o->get_value1(), 1);
}

TEST(CfgSysOptionObject, SettersTakeAnyValue)
{
    cfg_sys_option_t o;
    o.init();
    for (int32 v : {-100000, 0, 7, 2147483647})
    {
        EXPECT_EQ(o.set_value1(v), 1);
        EXPECT_EQ(o.set_value2(v), 1);
        EXPECT_EQ(o.set_enable(v), 1);
        EXPECT_EQ(o.get_value1(), v);
        EXPECT_EQ(o.get_value2(), v);
        EXPECT_EQ(o.get_enable(), v);
    }
    cfg_sys_option_data_t d;
    d.set_value2(9);
    d.init();
    EXPECT_EQ(d.get_enable(), 1);
    EXPECT_EQ(d.get_value1(), 1);
    EXPECT_EQ(d.get_value2(), 2);
}
