// The exports over the register simulator: nothing before the start-up, the switch
// taken as on for any non-zero value, non-finite values dropped, the arbitrary mode and
// raw sample loads.
#include "awg_ch_port.h"
#include "awg_state.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "qelmod.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

class QelmodApi : public testing::Test
{
protected:
    void SetUp() override { sim_install_reg_transport(sim); }

    void start()
    {
        stdout_capture_t capture;
        ASSERT_EQ(awg_cfg_init(), 1);
        EXPECT_EQ(capture.finish().rfind("awg_cfg_init()\n", 0), 0u);
        sim.clear_log();
    }

    std::size_t blocks() const
    {
        std::size_t n = 0;
        for (const sim_op_t &op : sim.log())
            n += op.kind == sim_op_kind_t::block ? 1 : 0;
        return n;
    }

    sim_fpga_t sim;
    sim_os_recorder_t recorder{sim};
};

TEST_F(QelmodApi, NothingHappensBeforeTheStartUp)
{
    const std::vector<uint16_t> samples(16384, 7);
    EXPECT_EQ(awg_set_freqency(5000.0L), 1);
    EXPECT_EQ(awg_set_ch_switch(1, true), 1);
    EXPECT_EQ(awg_set_wave_type(2, true), 1);
    EXPECT_EQ(awg_set_user_arb_wave("a", "x.csv", "."), 1);
    EXPECT_EQ(vextral_setARBmode(), 0);
    vextral_loadData_toFpga(samples.data(), 16384);
    EXPECT_TRUE(sim.log().empty());
    EXPECT_EQ(awg_state_t::get_instance()->record().freq, 1000.0L);
}

TEST_F(QelmodApi, LayerResetForgetsTheStartUpAndTheState)
{
    start();
    EXPECT_EQ(awg_set_freqency(5000.0L), 1);
    EXPECT_EQ(awg_state_t::get_instance()->record().freq, 5000.0L);

    awg_reset_api_layer();

    EXPECT_EQ(awg_state_t::get_instance()->record().freq, 1000.0L);
    sim.clear_log();
    EXPECT_EQ(awg_set_freqency(7000.0L), 1);
    EXPECT_TRUE(sim.log().empty());
    EXPECT_EQ(awg_state_t::get_instance()->record().freq, 1000.0L);
}

TEST_F(QelmodApi, SwitchValuesAndNonFiniteValues)
{
    start();
    EXPECT_EQ(awg_set_ch_switch(2, false), 1);
    EXPECT_EQ(awg_state_t::get_instance()->record().output, 1);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 1);
    EXPECT_EQ(awg_set_ch_switch(0, true), 1);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 0);

    EXPECT_EQ(awg_set_freqency(2500.0L), 1);
    sim.clear_log();
    using setter_t = int (*)(long double);
    for (setter_t set : {awg_set_freqency, awg_set_period, awg_set_wave_ampl, awg_set_high_level, awg_set_low_level,
                         awg_set_offset, awg_set_width, awg_set_stdev, awg_set_mean})
        for (long double bad : {static_cast<long double>(NAN), HUGE_VALL, -HUGE_VALL})
            EXPECT_EQ(set(bad), 1);
    EXPECT_TRUE(sim.log().empty());
    long double freq = 0;
    int unit = 0;
    lib_ch_get_freq(0, &freq, &unit);
    EXPECT_EQ(freq, 2500.0L);
    EXPECT_EQ(awg_state_t::get_instance()->record().freq, 2500.0L);
}

TEST_F(QelmodApi, ArbitraryModeAndRawSamples)
{
    start();
    EXPECT_EQ(vextral_setARBmode(), lib_ch_set_wave_type(0, 6));
    int type = -1;
    lib_ch_get_wave_type(0, &type);
    EXPECT_EQ(type, 6);
    // The API state learns of it only at its next refresh.
    EXPECT_EQ(awg_state_t::get_instance()->record().wave_type, 0);

    std::vector<uint16_t> samples(16384);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<uint16_t>(i);
    sim.clear_log();
    vextral_loadData_toFpga(samples.data(), 16384);
    EXPECT_EQ(blocks(), 1u);
    // No samples, no data and negative counts load an empty set and do not crash.
    vextral_loadData_toFpga(samples.data(), 0);
    vextral_loadData_toFpga(samples.data(), -3);
    vextral_loadData_toFpga(nullptr, 100);
    EXPECT_EQ(awg_state_t::get_instance()->record().arb_index, 0);
}
