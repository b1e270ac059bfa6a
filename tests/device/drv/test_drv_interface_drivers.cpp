// The driver interface's methods that reach the wave, amplitude, frequency, phase,
// arbitrary-wave, combining, overload and modulation drivers: each against its driver
// call from the same state, then the rules the interface adds of its own.
#include "cali.h"
#include "drv_amp.h"
#include "drv_arb_wave.h"
#include "drv_burst_func.h"
#include "drv_combine.h"
#include "drv_counter.h"
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "drv_freq.h"
#include "drv_interface.h"
#include "drv_interface_call_case.h"
#include "drv_mod.h"
#include "drv_output.h"
#include "drv_para.h"
#include "drv_phase.h"
#include "drv_square.h"
#include "drv_sweep.h"
#include "drv_voltage_overload.h"
#include "drv_wave_data.h"
#include "drv_wave_manage.h"
#include "lib_unit_data.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace {

using DrvInterfaceDrivers = sim_driver_fixture_t;

} // namespace

TEST_F(DrvInterfaceDrivers, EachMethodMakesItsDriverCallWithItsArgumentsInOrder)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    drv_wave_manage_t *manage = manager->get_wave_manage();
    drv_amp_t *amp = manager->get_amp();
    drv_freq_t *freq = manager->get_freq();
    drv_phase_t *phase = manager->get_phase();
    drv_arb_wave_t *arb = manager->get_arb_wave();
    drv_wave_data_t *data = manager->get_wave_data();
    drv_combine_t *combine = manager->get_combine();

    drv_wave_para_t wave{};
    wave.freq = 1000.0L;
    wave.ch0_freq = 1000.0L;
    wave.ch1_freq = 3000.0L;
    wave.ampl = 1.0L;
    wave.offset = 0.25L;
    wave.phase = 45.0L;
    wave.load = 50.0L;
    wave.symmetry = 40.0L;
    wave.pulse_width = 1e-4L;
    drv_noise_para_t noise{1.0L, 0.0L, 0, 0.0L, 50.0L};
    drv_dc_para_t dc{0.5L, 1000000.0L, 0.0L};
    lib_unit_data_t symmetry{30.0L, 14, false};
    const long double sym_value = 30.0L;
    drv_ampl_para_t ampl{1.0L, 0.5L, 50.0L, 1000.0L};
    std::vector<int16> out_a, out_b;
    drv_fpga_atten_t atten_a{}, atten_b{};
    long double ampl_copy = 0.001L, offset_copy = 0.0L;
    // Channel 0 on the table square, channel 1 on the pulse generator.
    const drv_square_para_t square0{0, 1e-8L, 1e-8L, 1000.0L, 30.0L};
    const drv_square_para_t square1{3, 2e-8L, 3e-8L, 20000.0L, 60.0L};

    const call_case_t cases[] = {
        // Basic waves.
        {"set_sine_wave", num([&] { return itf->set_sine_wave(1, 1, &wave); }),
         num([&] { return manage->set_sine_wave(1, 1, &wave); })},
        {"set_ramp_wave", num([&] { return itf->set_ramp_wave(0, 0, &wave); }),
         num([&] { return manage->set_ramp_wave(0, 0, &wave); })},
        {"set_pulse_wave", num([&] { return itf->set_pulse_wave(1, 1, &wave); }),
         num([&] { return manage->set_pulse_wave(1, 1, &wave); })},
        {"set_noise_wave", num([&] { return itf->set_noise_wave(1, &noise); }),
         num([&] { return manage->set_noise_wave(1, &noise); })},
        {"set_dc_wave", num([&] { return itf->set_dc_wave(0, &dc); }), num([&] { return manage->set_dc_wave(0, &dc); })},
        {"set_arb_wave", num([&] { return itf->set_arb_wave(0, 1, &wave); }),
         num([&] { return manage->set_arb_wave(0, 1, &wave); })},
        {"set_prbs_wave", num([&] { return itf->set_prbs_wave(1, 0, &wave); }),
         num([&] { return manage->set_prbs_wave(1, 0, &wave); })},
        {"set_ramp_symmetry", num([&] { itf->set_ramp_symmetry(1, &symmetry); }),
         num([&] { manage->set_ramp_symmetry(1, &sym_value); })},
        // Output.
        {"set_output", num([&] { return itf->set_output(1, 1, 1); }),
         num([&] { drv_set_output(fpga, 1, 1, 1); return 1; })},
        {"restore_outputs", num([&] { return itf->restore_outputs(0); }),
         num([&] { drv_restore_outputs(fpga, 0); return 1; })},
        {"set_output_polarity", num([&] { return itf->set_output_polarity(1, 0); }),
         num([&] { drv_set_output_polarity(fpga, 1, 0); return 1; })},
        {"get_output_polarity", num([&] { return itf->get_output_polarity(0); }),
         num([&] { return drv_get_output_polarity(fpga, 0); })},
        {"get_output_relay", num([&] { return itf->get_output_relay(1); }),
         num([&] { return drv_get_output_relay(fpga, 1); })},
        // Frequency and phase.
        {"set_freq_both", num([&] { return itf->set_freq_both(1, 1000.0L, 2000.0L); }),
         num([&] { return freq->set_freq_both(1, 1000.0L, 2000.0L); })},
        {"set_freq_phase", num([&] { return itf->set_freq_phase(1, 5000.0L, 90.0L); }),
         num([&] { freq->set_freq_phase(1, 5000.0L, 90.0L); return 1; })},
        {"set_phase_by_run_mode", num([&] { return itf->set_phase_by_run_mode(1, 60.0L); }),
         num([&] { return phase->set_phase_by_run_mode(1, 60.0L); })},
        {"set_phase", num([&] { itf->set_phase(1, 120.0L); }), num([&] { phase->set_phase(fpga, 1, 120.0L); })},
        {"sync_phase", num([&] { itf->sync_phase(1); }), num([&] { phase->sync_phase(1); })},
        {"get_phase_lock", num([&] { return itf->get_phase_lock(); }), num([&] { return phase->is_start_phase_mode(); })},
        {"update_and_sync_phase", num([&] { itf->update_and_sync_phase(1); }),
         num([&] { fpga->update(); phase->sync_phase(1); })},
        // Amplitude.
        {"set_ampl_offset", num([&] { return itf->set_ampl_offset(1, &ampl); }),
         num([&] { drv_ampl_para_t copy = ampl; return amp->set_ampl_offset(fpga, 1, &copy); })},
        {"select_amp_range_word", num([&] { return itf->select_amp_range_word(0.001L, 0.0L, &atten_a); }),
         num([&] { return amp->select_amp_range(&ampl_copy, &offset_copy, &atten_b); })},
        {"select_dc_range_word", num([&] { return itf->select_dc_range_word(1, 2.5L); }),
         num([&] { return amp->select_dc_range(1, 2.5L); })},
        {"get_output_impedance", [&] { return itf->get_output_impedance(); },
         [&] { return amp->get_output_impedance(); }},
        {"get_noise_max_stdev", [&] { return itf->get_noise_max_stdev(1e6L, 0.3L); },
         [&] { return amp->get_noise_max_stdev(1e6L, 0.3L); }},
        {"get_noise_stdev_factor", [&] { return itf->get_noise_stdev_factor(0.7L); },
         [&] { return amp->get_noise_stdev_factor(0.7L); }},
        {"get_default_level", [&] { return itf->get_default_level(); }, [&] { return amp->get_default_level(); }},
        {"get_noise_ampl_factor", [&] { return itf->get_noise_ampl_factor(1, 2e6L, 0.4L); },
         [&] { return amp->get_noise_ampl_factor(1, 2e6L, 0.4L); }},
        // Arbitrary waves and the wave store.
        {"set_sample_rate_mode", num([&] { return itf->set_sample_rate_mode(1, 1); }),
         num([&] { arb->set_sample_rate_mode(1, 1); return 1; })},
        {"get_sample_rate_mode", num([&] { return itf->get_sample_rate_mode(1); }),
         num([&] { return arb->get_sample_rate_mode(1); })},
        {"set_sample_rate_phase", num([&] { return itf->set_sample_rate_phase(0, 1e6L, 30.0L); }),
         num([&] { return arb->set_sample_rate_phase(0, 1e6L, 30.0L); })},
        {"set_sample_rate", num([&] { itf->set_sample_rate(0, 1e6L); }), num([&] { arb->set_sample_rate(0, 1e6L); })},
        {"set_builtin_arb_wave", num([&] { return itf->set_builtin_arb_wave(1, 12); }),
         num([&] { return arb->set_builtin_arb_wave(1, 12); })},
        {"freq_to_sample_rate", [&] { return itf->freq_to_sample_rate(1, 10.0L); },
         [&] { return arb->freq_to_sample_rate(1, 10.0L); }},
        {"sample_rate_to_freq", [&] { return itf->sample_rate_to_freq(1, 1e5L); },
         [&] { return arb->sample_rate_to_freq(1, 1e5L); }},
        {"get_builtin_wave_data", [&] { itf->get_builtin_wave_data(2, out_a, 20.0f); return out_a.size(); },
         [&] { data->get_builtin_wave(2, out_b, 20.0f); return out_b.size(); }},
        {"get_resampled_wave_data", [&] { out_a.clear(); itf->get_resampled_wave_data(1, out_a); return out_a.size(); },
         [&] { out_b.clear(); data->get_arb_wave(1, 0, out_b); return out_b.size(); }},
        {"get_wave_data_by_name", [&] { out_a.clear(); return itf->get_wave_data_by_name("8_upramp_ram.bin", out_a) * 1e6L + out_a.size(); },
         [&] { out_b.clear(); data->get_wave_data_by_name("8_upramp_ram.bin", out_b); return 1e6L + out_b.size(); }},
        {"get_wave_data_by_name unreadable", [&] { return itf->get_wave_data_by_name("no such wave", out_a); },
         [&] { data->get_wave_data_by_name("no such wave", out_b); return 1; }},
        {"load_user_arb_wave", num([&] { return itf->load_user_arb_wave(0, "missing.bin"); }),
         num([&] { return arb->load_user_arb_wave(0, "missing.bin"); })},
        {"get_ch_wave_len", num([&] { return itf->get_ch_wave_len(1); }), num([&] { return data->get_wave_len(1, 1); })},
        {"get_dds_wave_len", num([&] { return itf->get_dds_wave_len(); }), num([&] { return data->get_dds_wave_len(); })},
        // Combining.
        {"set_combine", num([&] { itf->set_combine(1, 1); }), num([&] { combine->set_combine(1, 1); })},
        {"set_combine_ratio", num([&] { itf->set_combine_ratio(0, 0.25L); }),
         num([&] { combine->set_combine_ratio(0, 0.25L); })},
        {"reset_overload", num([&] { return itf->reset_overload(1); }),
         num([&] { return manager->get_voltage_overload()->reset(1); })},
        // Modulation.
        {"set_mod_type", num([&] { return itf->set_mod_type(1, 2); }), num([&] { return drv_mod_t::set_mod_type(1, 2); })},
        {"set_mod_source", num([&] { return itf->set_mod_source(0, 5, 1); }),
         num([&] { return drv_mod_t::set_mod_source(0, 5, 1); })},
        {"set_mod_freq", num([&] { return itf->set_mod_freq(1, 2, 300.0L); }),
         num([&] { return drv_mod_t::set_mod_freq(1, 2, 300.0L); })},
        {"set_mod_freq_both", num([&] { return itf->set_mod_freq_both(1, 1, 2, 100.0L, 200.0L); }),
         num([&] { return drv_mod_t::set_mod_freq_both(1, 1, 2, 100.0L, 200.0L); })},
        {"set_mod_deviation", num([&] { return itf->set_mod_deviation(0, 1, 80.0L); }),
         num([&] { return drv_mod_t::set_mod_deviation(0, 1, 80.0L); })},
        {"set_mod_deviation_both", num([&] { return itf->set_mod_deviation_both(1, 2, 3, 1000.0L, 90.0L); }),
         num([&] { return drv_mod_t::set_mod_deviation_both(1, 2, 3, 1000.0L, 90.0L); })},
        {"set_fsk_hop_freq", num([&] { return itf->set_fsk_hop_freq(1, 0, 7000.0L); }),
         num([&] { return drv_mod_t::set_fsk_hop_freq(1, 0, 7000.0L); })},
        {"set_fsk_hop_freq_both", num([&] { return itf->set_fsk_hop_freq_both(0, 7000.0L, 9000.0L); }),
         num([&] { return drv_mod_t::set_fsk_hop_freq_both(0, 7000.0L, 9000.0L); })},
        {"set_psk_polarity", num([&] { return itf->set_psk_polarity(1, 1); }),
         num([&] { return drv_mod_t::set_psk_polarity(1, 1); })},
        {"get_pwm_min_width", [&] { return itf->get_pwm_min_width(); }, [&] { return drv_mod_t::get_pwm_min_width(); }},
        {"set_mod_off", num([&] { return itf->set_mod_off(1); }), num([&] { return drv_mod_t::set_mod_type(1, 0); })},
        {"set_mod_freq_no_update", num([&] { return itf->set_mod_freq_no_update(0, 1, 50.0L); }),
         num([&] { return drv_mod_t::set_mod_freq_no_update(0, 1, 50.0L); })},
        {"set_mod_ctrl_bit8", num([&] { return itf->set_mod_ctrl_bit8(1, 1); }),
         num([&] { return drv_mod_t::set_mod_ctrl_bit8(1, 1); })},
        // Sweep and burst.
        {"set_sweep_switch", num([&] { return itf->set_sweep_switch(1, 0); }),
         num([&] { return drv_sweep_set_switch(1, 0); })},
        {"set_sweep_center_span", num([&] { return itf->set_sweep_center_span(1, 5000.0L, 2000.0L); }),
         num([&] { return drv_sweep_set_center_span(1, 5000.0L, 2000.0L); })},
        {"set_sweep_center_span_both",
         num([&] { return itf->set_sweep_center_span_both(1, 1000.0L, 100.0L, 2000.0L, 300.0L); }),
         num([&] { return drv_sweep_set_center_span_both(1, 1000.0L, 100.0L, 2000.0L, 300.0L); })},
        {"set_sweep_wave", num([&] { return itf->set_sweep_wave(0, 1, 1, 100.0L, 10000.0L, 1.0L); }),
         num([&] { return drv_sweep_set_wave(0, 1, 1, 100.0L, 10000.0L, 1.0L); })},
        {"set_burst_switch on", num([&] { return itf->set_burst_switch(0, 1); }),
         num([&] { return drv_burst_set_switch(0, 1); })},
        {"set_burst_switch off", num([&] { return itf->set_burst_switch(1, 0); }),
         num([&] { return drv_burst_set_switch(1, 0); })},
        // The rate, then the carrier; 1 whatever they give.
        {"set_burst_period", num([&] { return itf->set_burst_period(1, 1e-3L, 5000.0L); }),
         num([&] {
             drv_mod_t::set_mod_period(fpga, 1, 1e-3L);
             drv_mod_t::set_carrier_freq(fpga, 1, 5000.0L);
             return 1;
         })},
        {"set_mod_wave", num([&] { return itf->set_mod_wave(0, "1_noise_ram.bin"); }),
         num([&] { return drv_mod_t::set_mod_wave(0, "1_noise_ram.bin", false); })},
        // Square duty.
        {"set_square_duty", num([&] { itf->set_square_duty(1, &square1); }),
         num([&] { manager->get_square()->set_duty(1, &square1); })},
        {"set_square_duty_both", num([&] { itf->set_square_duty_both(&square0, &square1); }),
         num([&] { manager->get_square()->set_duty_both(&square0, &square1); })},
        {"set_burst_phase", num([&] { return itf->set_burst_phase(10.0L, 20.0L); }),
         num([&] { drv_burst_set_phase(10.0L, 20.0L); return 1; })},
        // Counter level and time base.
        {"set_counter_trigger_level", num([&] { return itf->set_counter_trigger_level(1.5L); }),
         num([&] { drv_counter_set_trigger_level(1.5L); return 1; })},
        {"save_time_base_cali", num([&] { return itf->save_time_base_cali(1234); }),
         num([&] { return drv_time_base_cali_save(1234); })},
        {"read_time_base_cali", [&] { uint32 v = 7; const int32 r = itf->read_time_base_cali(&v); return r * 1e10L + v; },
         [&] { uint32 v = 7; const int32 r = drv_time_base_cali_read(&v); return r * 1e10L + v; }},
        {"set_time_base_dac", num([&] { return itf->set_time_base_dac(77); }),
         num([&] { drv_time_base_dac_write(77); return 1; })},
    };
    expect_same_calls(sim, cases, true);
}

TEST_F(DrvInterfaceDrivers, RangeSelectionAnswersOneAndKeepsTheCallersValues)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    drv_amp_t *amp = manager->get_amp();
    const long double ampls[] = {0.0001L, 0.5L, 5.0L, 20.0L};
    for (long double a : ampls) {
        SCOPED_TRACE(static_cast<double>(a));
        long double ampl = a, offset = 0.1L;
        drv_fpga_atten_t via{}, direct{};
        EXPECT_EQ(itf->select_amp_range(ampl, offset, &via), 1);
        EXPECT_EQ(ampl, a);
        long double ampl_copy = a, offset_copy = 0.1L;
        const int32 word = amp->select_amp_range(&ampl_copy, &offset_copy, &direct);
        EXPECT_EQ(itf->select_amp_range_word(a, 0.1L, &via), word);
        EXPECT_EQ(via.on, direct.on);
        EXPECT_EQ(via.gain_db, direct.gain_db);
        EXPECT_EQ(itf->select_dc_range(0, a), 1);
        EXPECT_EQ(itf->select_dc_range_word(0, a), amp->select_dc_range(0, a));
    }
}

TEST_F(DrvInterfaceDrivers, AmplitudeGoesToTheDriverAsACopy)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    // An amplitude the driver may scale in place stays as the caller gave it.
    const drv_ampl_para_t para{4.0L, 0.0L, 50.0L, 1000.0L};
    drv_ampl_para_t mine = para;
    EXPECT_EQ(itf->set_ampl_offset(0, &mine), 1);
    EXPECT_EQ(mine.ampl, para.ampl);
    EXPECT_EQ(mine.offset, para.offset);

    sim.clear_log();
    EXPECT_EQ(itf->set_ampl_offset(0, nullptr), 0);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(DrvInterfaceDrivers, AmpRangeTellsOverloadThenTheAmplitudeDriver)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    drv_amp_t *amp = manager->get_amp();
    for (int32 word : {0, 2, 4, 6}) {
        SCOPED_TRACE(word);
        preset(sim);
        sim.clear_log();
        EXPECT_EQ(itf->set_amp_range(1, word), 0);
        const std::vector<sim_op_t> via = sim.log();
        EXPECT_EQ(amp->get_applied_range(1), word);
        EXPECT_EQ(amp->get_range_state(1), word);
        preset(sim);
        sim.clear_log();
        manager->get_voltage_overload()->set_amp_range(1, static_cast<uint32>(word));
        amp->set_applied_range(1, word);
        amp->write_range_relays(1, word);
        amp->set_range_state(1, word);
        EXPECT_EQ(sim_fpga_t::diff(sim.log(), via), "");
    }
}

TEST_F(DrvInterfaceDrivers, ModulationPhaseIsHalvedAndPwmMarginIsAConstant)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    EXPECT_EQ(itf->get_pwm_width_margin(), static_cast<long double>(1.5e-8));
    EXPECT_EQ(manager->get_mod(), nullptr);
    for (int32 ch : {0, 1}) {
        sim.clear_log();
        itf->set_mod_phase(ch, 180.0L);
        const std::vector<sim_op_t> via = sim.log();
        sim.clear_log();
        drv_mod_t::set_pm_deviation(ch, 90.0L);
        EXPECT_EQ(sim_fpga_t::diff(sim.log(), via), "");
        // The word of 90 degrees: (2^37 - 1) / 4, truncated.
        const uint32 hi = ch == 0 ? 100 : 102;
        const uint32 mid = ch == 0 ? 170 : 186;
        const uint32 lo = ch == 0 ? 38 : 70;
        const uint64 word = (uint64(sim.peek(hi)) << 32) | (uint64(sim.peek(mid)) << 16) | sim.peek(lo);
        EXPECT_EQ(word, 34359738367u);
    }
}

TEST_F(DrvInterfaceDrivers, BurstBothHandsTheSixValuesInOrderUnderOneStrobe)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    // Channel 1 bursts, channel 0 does not: only channel 1's period is written.
    sim.poke(36, 0x0000);
    sim.poke(68, 0x0040);
    sim.clear_log();
    EXPECT_EQ(itf->set_burst_both(1, 1000.0L, 2000.0L, 1e-6L, 2.5e-6L, 0.5L, 0.001L), 1);
    const std::vector<sim_op_t> via = sim.log();
    EXPECT_EQ(sim.writes_to(10).size(), 4u);
    EXPECT_EQ(sim.writes_to(160), (std::vector<uint16>{150}));
    EXPECT_EQ(sim.writes_to(176), (std::vector<uint16>{375}));
    EXPECT_TRUE(sim.writes_to(26).empty());
    // 1 / 1 ms at 2^47 / 1.5e14 per micro-hertz: 938249922.
    EXPECT_EQ(sim.writes_to(58), (std::vector<uint16>{938249922 & 0xFFFF}));
    EXPECT_EQ(sim.writes_to(60), (std::vector<uint16>{938249922 >> 16}));
    EXPECT_EQ(fpga->get_hold_count(), 0);

    sim.poke(36, 0x0000);
    sim.poke(68, 0x0040);
    sim.clear_log();
    const long double c0 = 1000.0L, c1 = 2000.0L, d0 = 1e-6L, d1 = 2.5e-6L, p0 = 0.5L, p1 = 0.001L;
    drv_burst_set_both(1, &c0, &c1, &d0, &d1, &p0, &p1);
    EXPECT_EQ(sim_fpga_t::diff(sim.log(), via), "");

    // A zero period has no rate: the word 0, no fault.
    sim.clear_log();
    itf->set_burst_both(0, 1000.0L, 2000.0L, 0.0L, 0.0L, 0.0L, 0.0L);
    EXPECT_EQ(sim.writes_to(58), (std::vector<uint16>{0}));
}

TEST_F(DrvInterfaceDrivers, ChannelParaSwitchesModulationOffOnlyWhenContinuous)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    for (int32 continuous : {0, 1}) {
        SCOPED_TRACE(continuous);
        drv_ch_para_t para{};
        para.ch = 1;
        para.continuous = continuous;
        para.combine_para = {1, 50, 1, 0};
        sim.poke(72, 0x0004);
        sim.poke(80, 0x0000);
        sim.poke(86, 0x0000);
        EXPECT_EQ(itf->apply_channel_para(&para), 1);
        EXPECT_EQ(sim.peek(72) & 0x3F, continuous ? 0 : 4);
        // Inverted output (bit 2) and the combining bit of channel 1.
        EXPECT_EQ(sim.peek(80), 0x0004);
        EXPECT_EQ(sim.peek(86), 0x0002);
    }
    drv_combine_para_t normal{0, 50, 2, 1};
    sim.poke(80, 0x000C);
    sim.poke(86, 0x0003);
    EXPECT_EQ(itf->apply_combine_para(&normal), 1);
    EXPECT_EQ(sim.peek(80), 0x0004);
    EXPECT_EQ(sim.peek(86), 0x0002);

    sim.clear_log();
    EXPECT_EQ(itf->apply_channel_para(nullptr), 0);
    EXPECT_EQ(itf->apply_combine_para(nullptr), 0);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(DrvInterfaceDrivers, CombiningBitsAndRatio)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    const struct
    {
        int32 ch, on;
        uint16 before, after;
    } bits[] = {{1, 1, 0x0001, 0x0003}, {0, 2, 0x0003, 0x0002}, {0, 1, 0x0000, 0x0001}, {1, 0, 0x0003, 0x0001}};
    for (const auto &b : bits) {
        sim.poke(86, b.before);
        itf->set_combine(b.ch, b.on);
        EXPECT_EQ(sim.peek(86), b.after);
    }
    const struct
    {
        long double weight;
        uint16 word;
    } ratios[] = {{0.5L, 32767}, {1.0L, 65535}, {0.0L, 0}};
    for (const auto &r : ratios) {
        itf->set_combine_ratio(1, r.weight);
        EXPECT_EQ(sim.last_write(88), r.word);
    }
}

TEST_F(DrvInterfaceDrivers, LoadConversion)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    const struct
    {
        long double load, value;
        int32 result;
        long double out;
    } cases[] = {
        {50.0L, 1.0L, 1, 2.0L},
        {1000000.0L, 1.0L, 1, 1.0L * (1000000.0L + 50.0L) / 1000000.0L},
        {0.0L, 1.0L, 0, -7.0L},
    };
    for (const auto &c : cases) {
        long double out = -7.0L;
        EXPECT_EQ(itf->convert_ampl_for_load(c.load, c.value, &out), c.result);
        EXPECT_EQ(out, c.out);
    }
    EXPECT_EQ(itf->convert_ampl_for_load(50.0L, 1.0L, nullptr), 0);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(DrvInterfaceDrivers, CounterTriggerLevelOfZeroVoltsWritesItsCode)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    EXPECT_EQ(itf->set_counter_trigger_level(0.0L), 1);
    EXPECT_EQ(sim.last_write(140), 13106);
}

TEST_F(DrvInterfaceDrivers, OutputSwitchHoldsOnlyWhenSwitchingOn)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    sim.poke(36, 0x0000);
    sim.poke(158, 0x0001);
    sim.clear_log();
    EXPECT_EQ(itf->set_output(1, 0, 0), 1);
    // Off: no hold bit written.
    for (uint16 v : sim.writes_to(36))
        EXPECT_EQ(v & 0x0008, 0);

    sim.clear_log();
    EXPECT_EQ(itf->set_output(1, 0, 1), 1);
    const std::vector<uint16> ctrl = sim.writes_to(36);
    ASSERT_GE(ctrl.size(), 3u);
    EXPECT_EQ(ctrl.front() & 0x0008, 0x0008);
    EXPECT_EQ(ctrl.back() & 0x0008, 0);
    // The relay closes (with its 5 ms) inside the hold.
    EXPECT_EQ(sim.slept_ms(), 5u);
}
