// The wave manager: its datapath selects, capability flags, square constants, the
// PRBS edge step and the remembered wave type.
#include "drv_fpga.h"
#include "drv_interface.h"
#include "drv_para.h"
#include "drv_wave_manage.h"
#include "drv_wave_manage_vextral.h"
#include "drv_wave_manage_zqw1000.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using DrvWaveManage = sim_driver_fixture_t;

std::vector<sim_op_t> strobe(uint16 reg10 = 0)
{
    return {sim_read(10, reg10), sim_write(10, reg10 | 0x8000), sim_write(10, reg10 | 0x9000),
            sim_write(10, (reg10 | 0x8000) & ~0x1000), sim_write(10, reg10 & 0x6FFF)};
}

} // namespace

TEST_F(DrvWaveManage, PathSelectsWritePulseNoiseAndSampleRateInThatOrder)
{
    drv_wave_manage_t *manage = manager->get_wave_manage();
    const struct
    {
        void (drv_wave_manage_t::*select)(int32);
        bool pulse, noise, sample_rate;
    } cases[] = {
        {&drv_wave_manage_t::select_dds_path, false, false, false},
        {&drv_wave_manage_t::select_pulse_path, true, false, false},
        {&drv_wave_manage_t::select_noise_path, false, true, false},
        {&drv_wave_manage_t::select_sample_rate_path, false, false, true},
    };
    for (int32 ch : {0, 1}) {
        const uint32 pulse_reg = ch == 0 ? 196 : 212;
        const uint16 noise_bit = ch == 0 ? 0x0001 : 0x0002;
        const uint16 sr_bit = ch == 0 ? 0x0200 : 0x0100;
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", pulse " << c.pulse << ", noise " << c.noise
                                            << ", sample rate " << c.sample_rate);
            // Every other bit set, so that a select touching them shows.
            sim.poke(pulse_reg, 0x7FFF);
            sim.poke(241, static_cast<uint16>(~noise_bit));
            sim.poke(65, static_cast<uint16>(~sr_bit));
            sim.clear_log();
            (manage->*c.select)(ch);
            const uint16 pulse_after = c.pulse ? 0xFFFF : 0x7FFF;
            const uint16 noise_after = static_cast<uint16>(~noise_bit | (c.noise ? noise_bit : 0));
            const uint16 sr_after = static_cast<uint16>(~sr_bit | (c.sample_rate ? sr_bit : 0));
            EXPECT_TRUE(log_is({sim_read(pulse_reg, 0x7FFF), sim_write(pulse_reg, pulse_after),
                                sim_read(241, static_cast<uint16>(~noise_bit)), sim_write(241, noise_after),
                                sim_read(65, static_cast<uint16>(~sr_bit)), sim_write(65, sr_after)}));
        }
    }
}

TEST_F(DrvWaveManage, ModuleHasNoCapabilityAndItsSquareConstants)
{
    drv_wave_manage_t *manage = manager->get_wave_manage();
    ASSERT_NE(dynamic_cast<drv_wave_manage_vextral_t *>(manage), nullptr);
    drv_interface_t *interface = drv_interface_t::get_instance();
    EXPECT_FALSE(interface->is_arb_ext_freq_supported());
    EXPECT_FALSE(interface->is_noise_ext_supported());
    EXPECT_FALSE(interface->is_couple_supported());
    EXPECT_FALSE(interface->is_aux_supported());
    EXPECT_FALSE(interface->is_square_combine_supported());
    EXPECT_FALSE(interface->is_square_ext_supported());
    EXPECT_FALSE(interface->is_data_pattern_supported());
    EXPECT_TRUE(sim.log().empty());

    EXPECT_EQ(manage->get_square_limit_freq(), 12500000.0L);
    EXPECT_EQ(manage->get_square_duty_factor(50.0L), 0.0L);
    // 0.3785 x sin(0.25 x pi) with the sine in double precision.
    EXPECT_EQ(manage->get_square_duty_factor(75.0L),
              0.3785L * static_cast<long double>(std::sin(static_cast<double>(25.0L * 3.141592654L / 100.0L))));
    EXPECT_LT(manage->get_square_duty_factor(25.0L), 0.0L);

    // The base class answers the other way round, and the high-frequency manager keeps
    // the base flags with its own square limit.
    drv_wave_manage_t base;
    drv_wave_manage_zqw1000_t zqw;
    EXPECT_EQ(base.get_square_limit_freq(), 0.0L);
    EXPECT_EQ(base.get_square_duty_factor(75.0L), 0.0L);
    EXPECT_TRUE(base.is_arb_ext_freq_supported());
    EXPECT_FALSE(base.is_couple_supported());
    EXPECT_TRUE(base.is_data_pattern_supported());
    EXPECT_EQ(zqw.get_square_limit_freq(), 12500000.0L);
}

TEST_F(DrvWaveManage, WaveTypeStartsUnsetAndAnswersTheSquareAndPulseQueries)
{
    drv_wave_manage_t *manage = manager->get_wave_manage();
    EXPECT_EQ(manage->get_wave_type(0), -1);
    EXPECT_EQ(manage->get_wave_type(1), -1);
    manage->set_wave_type(1, 3);
    manage->set_wave_type(0, 1);
    manage->set_wave_type(2, 3);
    EXPECT_TRUE(manage->is_pulse_wave(1));
    EXPECT_FALSE(manage->is_square_wave(1));
    EXPECT_TRUE(manage->is_square_wave(0));
    EXPECT_FALSE(manage->is_pulse_wave(0));
    EXPECT_EQ(manage->get_wave_type(2), -1);
    EXPECT_FALSE(manage->is_pulse_wave(2));
}

TEST_F(DrvWaveManage, PrbsEdgeStepLeavesOnlyTheStrobeOnTheModule)
{
    drv_couple_para_t couple{};
    const long double edges[] = {5e-9L, 0.7e-9L, 0.0L};
    for (long double edge : edges) {
        for (int32 link : {0, 1}) {
            SCOPED_TRACE(testing::Message() << static_cast<double>(edge) << " s, link " << link);
            couple.prbs_edge = edge;
            couple.prbs_link = link;
            couple.tracking = 1 - link;
            sim.clear_log();
            drv_interface_t::get_instance()->set_ch_couple(1, &couple);
            EXPECT_TRUE(log_is(strobe()));
        }
    }
    drv_wave_para_t wave{};
    wave.prbs_edge = 2e-9L;
    sim.clear_log();
    manager->get_wave_manage()->set_prbs_edge(0, &wave);
    EXPECT_TRUE(log_is(strobe()));

    // A null record writes nothing.
    sim.clear_log();
    drv_interface_t::get_instance()->set_ch_couple(0, nullptr);
    EXPECT_TRUE(sim.log().empty());
}
