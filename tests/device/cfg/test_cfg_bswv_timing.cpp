// Duty, symmetry, pulse width and duty, edges and hold of the channel settings.
#include "cfg_bswv_main.h"
#include "cfg_fixture.h"
#include "cfg_mod_main.h"

#include <vector>

namespace
{
lib_unit_data_t rec(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}

using CfgBswvTiming = cfg_fixture_t;
} // namespace

TEST_F(CfgBswvTiming, WidthAndPulseDutyStayConsistent)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(3);
    EXPECT_EQ(b->set_width(rec(0.0003L)), 1);
    EXPECT_EQ(b->get_pulse_width_raw().data, 0.0003L);
    EXPECT_NEAR(static_cast<double>(b->get_pulse_duty_raw().data), 30.0, 1e-9);
    EXPECT_EQ(b->set_pulse_duty(rec(10.0L)), 1);
    EXPECT_EQ(b->get_pulse_duty_raw().data, 10.0L);
    EXPECT_NEAR(static_cast<double>(b->get_pulse_width_raw().data), 0.0001, 1e-15);
    // A width beyond the period: clamped, and the duty follows the clamped width.
    EXPECT_EQ(b->set_width(rec(0.01L)), -10);
    const long double width = b->get_pulse_width_raw().data;
    EXPECT_LT(width, 0.001L);
    EXPECT_NEAR(static_cast<double>(b->get_pulse_duty_raw().data), static_cast<double>(100 * width / 0.001L),
                1e-9);
}

TEST_F(CfgBswvTiming, ShapeSettersClampAndStore)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(3);
    struct case_t
    {
        const char *what;
        int32 (*set)(cfg_bswv_main_t *, long double);
        lib_unit_data_t (*get)(cfg_bswv_main_t *);
        long double value;
        int32 code;
    };
    const std::vector<case_t> cases = {
        {"symmetry above 100",
         [](cfg_bswv_main_t *s, long double v) {
             lib_unit_data_t r = rec(v);
             return s->set_symmetry(&r);
         },
         [](cfg_bswv_main_t *s) { return s->get_symmetry_raw(); }, 120.0L, -10},
        {"symmetry inside",
         [](cfg_bswv_main_t *s, long double v) {
             lib_unit_data_t r = rec(v);
             return s->set_symmetry(&r);
         },
         [](cfg_bswv_main_t *s) { return s->get_symmetry_raw(); }, 25.0L, 1},
        {"rise edge below the minimum", [](cfg_bswv_main_t *s, long double v) { return s->set_rise_edge(rec(v)); },
         [](cfg_bswv_main_t *s) { return s->get_rise_edge_raw(); }, 0.0L, -11},
        {"fall edge inside", [](cfg_bswv_main_t *s, long double v) { return s->set_fall_edge(rec(v)); },
         [](cfg_bswv_main_t *s) { return s->get_fall_edge_raw(); }, 1e-8L, 1},
        {"square duty inside while a pulse plays",
         [](cfg_bswv_main_t *s, long double v) {
             lib_unit_data_t r = rec(v);
             return s->set_duty(&r);
         },
         [](cfg_bswv_main_t *s) { return s->get_duty_raw(); }, 60.0L, 1},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.set(b, c.value), c.code);
        if (c.code == 1)
        {
            EXPECT_EQ(c.get(b).data, c.value);
        }
        else
        {
            EXPECT_NE(c.get(b).data, c.value);
        }
    }
}

TEST_F(CfgBswvTiming, HoldModeReChecksTheWidthOnlyOnAPulse)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    // A width the period cannot hold, stored raw: the hold switch on a sine only stores.
    b->store_pulse_width_raw(rec(0.5L));
    EXPECT_EQ(b->set_pulse_hold(1), 1);
    EXPECT_EQ(b->get_pulse_hold(), 1);
    EXPECT_EQ(b->get_pulse_width_raw().data, 0.5L);
    b->store_wave_type_raw(3);
    EXPECT_EQ(b->set_pulse_hold(1), 1);
    EXPECT_LT(b->get_pulse_width_raw().data, 0.001L);
}

TEST_F(CfgBswvTiming, PwmDeviationIsSetAgainAfterAWidthChange)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    cfg_mod_main_t *mod = cfg_get_mod_main(0);
    b->store_wave_type_raw(3);
    mod->store_state(1);
    mod->set_type_only(8);
    mod->store_current_deviation(rec(1e-5L));
    EXPECT_EQ(b->set_width(rec(0.0003L)), 1);
    EXPECT_EQ(mod->get_deviation().data, 1e-5L);
}
