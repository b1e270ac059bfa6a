// The driver interface's methods against the driver calls they make: each method and
// its direct call run from the same register state and must leave the same operation
// log and result; then the methods with rules of their own.
#include "drv_burst_func.h"
#include "drv_counter.h"
#include "drv_fpga.h"
#include "drv_interface.h"
#include "drv_interface_call_case.h"
#include "drv_para.h"
#include "drv_pulse.h"
#include "drv_state_query.h"
#include "drv_sweep.h"
#include "sim_driver_fixture.h"
#include "sim_reg_transport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using DrvInterfaceCalls = sim_driver_fixture_t;

} // namespace

TEST_F(DrvInterfaceCalls, EachMethodMakesItsDriverCallWithItsArgumentsInOrder)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    drv_pulse_t *pulse = manager->get_pulse();
    long double out_a = 0, out_b = 0;
    uint32 state_a = 0, state_b = 0;
    const call_case_t cases[] = {
        // Sweep.
        {"is_sweep_on", num([&] { return itf->is_sweep_on(1); }), num([&] { return drv_sweep_is_on(1); })},
        {"set_sweep_time", num([&] { return itf->set_sweep_time(1, 0.25L, 0); }),
         num([&] { return drv_sweep_set_time(1, 0.25L, 0); })},
        {"set_sweep_time_both", num([&] { return itf->set_sweep_time_both(1, 0.5L, 2.0L); }),
         num([&] { return drv_sweep_set_time_both(1, 0.5L, 2.0L); })},
        {"set_sweep_trigger_source", num([&] { return itf->set_sweep_trigger_source(1, 1); }),
         num([&] { return drv_sweep_set_trigger_source(1, 1); })},
        {"set_sweep_trigger_edge", num([&] { return itf->set_sweep_trigger_edge(0, 0); }),
         num([&] { return drv_sweep_set_trigger_edge(0, 0); })},
        {"set_sweep_trig_out", num([&] { return itf->set_sweep_trig_out(1, 1); }),
         num([&] { return drv_sweep_set_trig_out(1, 1); })},
        {"set_sweep_wave", num([&] { return itf->set_sweep_wave(0, 1, 1, 100.0L, 10000.0L, 1.0L); }),
         num([&] { return drv_sweep_set_wave(0, 1, 1, 100.0L, 10000.0L, 1.0L); })},
        {"set_burst_phase", num([&] { return itf->set_burst_phase(10.0L, 20.0L); }),
         num([&] { drv_burst_set_phase(10.0L, 20.0L); return 1; })},
        {"trigger_sweep", num([&] { return itf->trigger_sweep(1); }), num([&] { return drv_sweep_trigger(1); })},
        {"trigger_sweep_both", num([&] { return itf->trigger_sweep_both(); }),
         num([&] { return drv_sweep_trigger_both(); })},
        // Burst.
        {"set_burst_mode", num([&] { return itf->set_burst_mode(1, 1, 0); }),
         num([&] { return drv_burst_set_mode(1, 1, 0); })},
        {"set_burst_trigger_source", num([&] { return itf->set_burst_trigger_source(1, 0, 1); }),
         num([&] { return drv_burst_set_trigger_source(1, 0, 1); })},
        {"set_burst_trig_out", num([&] { return itf->set_burst_trig_out(1, 1); }),
         num([&] { return drv_burst_set_trig_out(1, 1); })},
        {"set_burst_delay", num([&] { return itf->set_burst_delay(1, 2.5e-6L); }),
         num([&] { return drv_burst_set_delay(1, 2.5e-6L); })},
        {"set_burst_cycles", num([&] { return itf->set_burst_cycles(0, 70000); }),
         num([&] { return drv_burst_set_cycles(0, 70000); })},
        {"set_burst_gate_polarity", num([&] { return itf->set_burst_gate_polarity(1, 0); }),
         num([&] { return drv_burst_set_gate_polarity(1, 0); })},
        {"set_burst_trigger_edge", num([&] { return itf->set_burst_trigger_edge(1, 0); }),
         num([&] { return drv_burst_set_trigger_edge(1, 0); })},
        {"toggle_burst_trigger_edge", num([&] { return itf->toggle_burst_trigger_edge(1); }),
         num([&] { return drv_burst_toggle_trigger_edge(1); })},
        {"trigger_burst", num([&] { return itf->trigger_burst(0); }), num([&] { return drv_burst_trigger(0); })},
        {"trigger_burst_both", num([&] { return itf->trigger_burst_both(); }),
         num([&] { return drv_burst_trigger_both(); })},
        // Counter.
        {"restart_counter", num([&] { return itf->restart_counter(); }), num([&] { return drv_counter_restart(); })},
        {"get_counter_count", [&] { itf->get_counter_count(&out_a); return out_a; },
         [&] { drv_counter_get_count(&out_b); return out_b; }},
        {"get_counter_period", [&] { itf->get_counter_period(&out_a); return out_a; },
         [&] { drv_counter_get_period(&out_b); return out_b; }},
        {"get_counter_pulse_width", [&] { itf->get_counter_pulse_width(&out_a, 20.0L); return out_a; },
         [&] { drv_counter_get_pulse_width(&out_b, 20.0L); return out_b; }},
        {"is_counter_count_valid", num([&] { return itf->is_counter_count_valid(); }),
         num([&] { return drv_counter_count_valid(); })},
        {"is_counter_period_valid", num([&] { return itf->is_counter_period_valid(); }),
         num([&] { return drv_counter_period_valid(); })},
        // Clock, sync, overload, output.
        {"get_clock_source", num([&] { return itf->get_clock_source(); }),
         num([&] { return manager->get_clock_source()->get_clock_status(); })},
        {"set_sync_output", num([&] { return itf->set_sync_output(1, 1); }),
         num([&] { return drv_set_sync_output(1, 1); })},
        {"get_overload_state", [&] { itf->get_overload_state(&state_a); return state_a; },
         [&] { fpga->get_overload_state(&state_b); return state_b; }},
        {"set_output_enable", num([&] { return itf->set_output_enable(1, 0); }),
         num([&] { fpga->set_output_enable(1, 0); return 1; })},
        {"get_output_enable", num([&] { return itf->get_output_enable(1); }),
         num([&] { return fpga->get_output_enable(1); })},
        // Run mode, strobe, PRBS.
        {"get_update_strobe", num([&] { return itf->get_update_strobe(); }),
         num([&] { return (fpga->read_update_reg() >> 12) & 1; })},
        {"update_fpga", num([&] { itf->update_fpga(); }), num([&] { fpga->update(); })},
        {"set_prbs_mode", num([&] { itf->set_prbs_mode(1, 1); }), num([&] { fpga->set_prbs_mode(1, 1); })},
        {"set_prbs_length", num([&] { itf->set_prbs_length(1, 7); }), num([&] { fpga->set_prbs_length(1, 7); })},
        // Pulse timing.
        {"set_pulse_param", num([&] { itf->set_pulse_param(1, 1e-6L, 20e-9L, 10e-9L, 1e5L); }),
         num([&] { pulse->set_pulse(1, 1e-6L, 20e-9L, 10e-9L, 1e5L); })},
        {"set_pulse_param_both",
         num([&] { itf->set_pulse_param_both(1e5L, 1e-6L, 10e-9L, 20e-9L, 2e5L, 2e-6L, 30e-9L, 40e-9L); }),
         num([&] { pulse->set_pulse_both(1e5L, 1e-6L, 10e-9L, 20e-9L, 2e5L, 2e-6L, 30e-9L, 40e-9L); })},
        {"set_pwm_param", [&] { return itf->set_pwm_param(1e-6L, 20e-9L, 10e-9L); },
         [&] { return pulse->calc_high_count(1e-6L, 20e-9L, 10e-9L); }},
        {"convert_pulse_edge", [&] { return itf->convert_pulse_edge(20e-9L); },
         [&] { return pulse->convert_edge(20e-9L); }},
        {"get_pulse_min_width", [&] { return itf->get_pulse_min_width(); }, [&] { return pulse->get_min_width(); }},
        {"get_pulse_min_edge", [&] { return itf->get_pulse_min_edge(); }, [&] { return pulse->min_edge(); }},
    };
    expect_same_calls(sim, cases, false);
}

TEST_F(DrvInterfaceCalls, BurstBothHandsTheSixValuesInOrderUnderOneStrobe)
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

TEST_F(DrvInterfaceCalls, ConvertPulseEdgeClampsBelowTheIntrinsicEdge)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    EXPECT_EQ(itf->convert_pulse_edge(0.0L), 0.0L);
    EXPECT_EQ(itf->convert_pulse_edge(1e-9L), 0.0L);
    EXPECT_GT(itf->convert_pulse_edge(20e-9L), 0.0L);
    EXPECT_EQ(itf->get_pulse_min_width(), manager->get_pulse()->get_min_width());
}

TEST_F(DrvInterfaceCalls, CounterFormulasAndValidityBits)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    // Count: register 116 high, 114 low, a signed 32-bit value.
    sim.queue_reads(114, {0x0001});
    sim.queue_reads(116, {0x8000});
    long double count = 0;
    EXPECT_EQ(itf->get_counter_count(&count), 1);
    EXPECT_EQ(count, -2147483647.0L);

    // 3 cycles (bits above 27 masked off) over 300 ticks: 300 x 6.666666666666667 / 3 / 1e9.
    const long double tick = static_cast<long double>(6.666666666666667);
    sim.queue_reads(113, {3});
    sim.queue_reads(115, {0xF800});
    sim.queue_reads(120, {300});
    sim.queue_reads(122, {0});
    long double period = 0;
    EXPECT_EQ(itf->get_counter_period(&period), 1);
    EXPECT_EQ(period, 300.0L * tick / 3.0L / 1e9L);

    // Pulse width: ticks below 10 Hz, the high-tick ratio from 10 Hz on.
    const struct
    {
        long double hz;
        long double expected;
    } widths[] = {
        {9.999L, 75.0L * tick / 3.0L / 1e9L},
        {10.0L, (75.0L / 300.0L) / 10.0L},
    };
    for (const auto &w : widths) {
        SCOPED_TRACE(static_cast<double>(w.hz));
        sim.queue_reads(113, {3});
        sim.queue_reads(115, {0});
        sim.queue_reads(124, {75});
        sim.queue_reads(126, {0});
        sim.queue_reads(120, {300});
        sim.queue_reads(122, {0});
        long double width = 0;
        EXPECT_EQ(itf->get_counter_pulse_width(&width, w.hz), 1);
        EXPECT_EQ(width, w.expected);
    }

    for (uint16 bits = 0; bits < 4; ++bits) {
        sim.poke(118, static_cast<uint16>(0xFFF0 | bits));
        EXPECT_EQ(itf->is_counter_count_valid(), bits & 1);
        EXPECT_EQ(itf->is_counter_period_valid(), (bits >> 1) & 1);
    }

    sim.clear_log();
    EXPECT_EQ(itf->restart_counter(), 1);
    EXPECT_TRUE(log_is({sim_write(112, 0), sim_write(112, 1)}));
}

TEST_F(DrvInterfaceCalls, UpdateStrobeRunModesAndTrace)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    sim.poke(10, 0x0001);
    itf->update_fpga();
    EXPECT_EQ(sim.writes_to(10), (std::vector<uint16>{0x8001, 0x9001, 0x8001, 0x0001}));
    sim.poke(10, 0x1000);
    EXPECT_EQ(itf->get_update_strobe(), 1);
    sim.poke(10, 0xEFFF);
    EXPECT_EQ(itf->get_update_strobe(), 0);

    sim.clear_log();
    for (int32 mode = 0; mode < 4; ++mode) {
        itf->set_run_mode(1, mode);
        itf->set_run_mode(0, 3 - mode);
        EXPECT_EQ(itf->get_run_mode(1), mode);
        EXPECT_EQ(itf->is_burst_mode(1), mode == 2);
        EXPECT_EQ(itf->is_burst_mode(0), mode == 1);
    }
    EXPECT_TRUE(sim.log().empty());

    // The trace records writes while on; switching it empties the text.
    itf->set_reg_trace(1);
    itf->set_output_enable(0, 0);
    const std::string traced = *itf->get_reg_trace();
    EXPECT_NE(traced.find("24"), std::string::npos);
    itf->set_reg_trace(0);
    EXPECT_EQ(*itf->get_reg_trace(), "");
    itf->set_output_enable(0, 1);
    EXPECT_EQ(*itf->get_reg_trace(), "");
}

TEST_F(DrvInterfaceCalls, OperationsTheModuleLacksAnswerConstantsAndWriteNothing)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    itf->sys_info_begin();
    itf->sys_info_end();
    EXPECT_EQ(itf->get_version_item3(), 0);
    EXPECT_EQ(itf->get_version_item4(), 0);
    EXPECT_EQ(itf->get_version_item5(), 0);
    EXPECT_EQ(itf->get_version_item6(), 0);
    EXPECT_EQ(itf->fill_driver_map(nullptr), 0);
    EXPECT_EQ(itf->get_overload_interrupt_state(), 0);
    itf->set_phase_option(0);
    drv_interface_t::set_phase_lock(true);
    itf->set_sys_option(1);
    drv_interface_t::sys_option_on();
    drv_interface_t::sys_option_off();
    itf->set_prbs_mode(0, 1);
    itf->set_prbs_length(1, 9);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(DrvInterfaceCalls, FlashImageResultFollowsTheWriter)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    // The module's writer refuses an empty image: 0, nothing written.
    EXPECT_EQ(itf->write_flash_image(nullptr, 0, nullptr), 0);
    EXPECT_TRUE(sim.writes().empty());
}

TEST_F(DrvInterfaceCalls, FlashSerialIsReadFromTenBytesAfterItsMarker)
{
    drv_interface_t *itf = drv_interface_t::get_instance();
    char out[16];
    std::memset(out, '#', sizeof out);

    // No marker in the first 16384 bytes: 0, nothing printed.
    {
        stdout_capture_t capture;
        EXPECT_EQ(itf->update_flash_serial(0, out), 0);
        EXPECT_EQ(capture.finish(), "");
    }

    // The marker at 300; the serial's characters sit in every other byte from 310.
    const std::string marker = "KRVN-SN:";
    sim.write_bytes(300, reinterpret_cast<const uint8 *>(marker.data()), marker.size(), false);
    std::vector<uint8> serial(28, 0);
    const char text[] = "AB1234567890YZ";
    for (size_t i = 0; i < 14; ++i)
        serial[2 * i] = static_cast<uint8>(text[i]);
    sim.write_bytes(310, serial.data(), serial.size(), false);
    sim.clear_log();
    {
        stdout_capture_t capture;
        EXPECT_EQ(itf->update_flash_serial(0, out), 1);
        EXPECT_EQ(capture.finish(), "write_addr = 310\n");
    }
    EXPECT_EQ(std::string(out, 14), "AB1234567890YZ");
    EXPECT_EQ(out[14], '#');
    // Nothing is written into the flash.
    for (const sim_op_t &op : sim.log())
        EXPECT_NE(op.kind, sim_op_kind_t::byte_write);

    // A null output: 0 after the address line.
    stdout_capture_t capture;
    EXPECT_EQ(itf->update_flash_serial(0, nullptr), 0);
    EXPECT_EQ(capture.finish(), "write_addr = 310\n");
}

TEST(DrvInterfaceLifecycle, UninitClosesTheTransportAndAnswersZero)
{
    sim_fpga_t sim;
    sim_install_reg_transport(sim);
    drv_interface_t *itf = drv_interface_t::get_instance();
    stdout_capture_t capture;
    itf->init_drivers();
    capture.finish();
    sim.poke(4, 0x0010);
    EXPECT_EQ(itf->get_clock_source(), 1);
    EXPECT_EQ(itf->uninit(), 0);
    // Reads answer 0 and writes are dropped until the transport opens again.
    EXPECT_EQ(itf->get_clock_source(), 0);
    sim.clear_log();
    itf->update_fpga();
    EXPECT_TRUE(sim.log().empty());
    stdout_capture_t again;
    itf->reinit_chips();
    again.finish();
    EXPECT_EQ(itf->get_clock_source(), 1);
    EXPECT_TRUE(drv_instance_manage_t::get_instance()->is_init());
}
