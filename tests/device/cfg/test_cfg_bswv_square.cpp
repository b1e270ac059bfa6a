// The square limits: the duty range by frequency from the pulse class's shortest pulse,
// the ceiling by run mode, and the edges borrowed from the pulse class.
#include "cfg_bswv_main.h"
#include "cfg_bswv_pulse.h"
#include "cfg_bswv_square.h"
#include "cfg_fixture.h"

#include <gtest/gtest.h>

#include <vector>

class CfgBswvSquare : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        square.init(0);
        pulse.init(0);
    }

    cfg_bswv_square_t square;
    cfg_bswv_pulse_t pulse;
};

TEST_F(CfgBswvSquare, DutyRangeNarrowsWithFrequency)
{
    struct case_t
    {
        long double freq;
        long double min;
        long double max;
    };
    const std::vector<case_t> cases = {
        {1.0L, 0.001L, 99.999L}, {1e3L, 0.016L, 99.984L}, {1e6L, 16.0L, 84.0L},
        {3.125e6L, 50.0L, 50.0L}, {5e6L, 50.0L, 50.0L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.freq));
        EXPECT_NEAR(static_cast<double>(square.get_min_duty(c.freq, &pulse)), static_cast<double>(c.min), 1e-9);
        EXPECT_NEAR(static_cast<double>(square.get_max_duty(c.freq, &pulse)), static_cast<double>(c.max), 1e-9);
    }
}

TEST_F(CfgBswvSquare, CeilingFollowsTheRunModeAndIsKept)
{
    struct case_t
    {
        int32 mode;
        long double max;
    };
    const std::vector<case_t> cases = {{0, 2.5e7L}, {1, 2.5e7L}, {2, 3e7L}, {3, 3e7L}};
    EXPECT_EQ(square.get_stored_max_freq(), 3e7L);
    for (const case_t &c : cases)
    {
        cfg_get_wv_main(1)->store_run_mode(c.mode);
        EXPECT_EQ(square.get_max_freq(1), c.max) << c.mode;
    }
    cfg_get_wv_main(1)->store_run_mode(1);
    square.get_max_freq(1);
    cfg_get_wv_main(1)->store_run_mode(3);
    // The last call's value stands until the next one, whatever the amplitude.
    EXPECT_EQ(square.get_max_freq_by_ampl(0.1L), 2.5e7L);
    EXPECT_EQ(square.get_max_freq_by_ampl(10.0L), 2.5e7L);
}

TEST_F(CfgBswvSquare, EdgesAreThePulseMinimumWhateverIsStored)
{
    lib_unit_data_t edge{};
    edge.data = 5e-6L;
    edge.unit = LIB_UNIT_BASE;
    cfg_get_bswv_main(0)->store_rise_edge_raw(edge);
    cfg_get_bswv_main(0)->store_fall_edge_raw(edge);
    EXPECT_EQ(square.get_rise_edge(&pulse), 1e-8L);
    EXPECT_EQ(square.get_fall_edge(&pulse), 1e-8L);
}
