#pragma once
// cfg_mod_fixture_t: the started configuration layer with helpers for the modulation
// tests: carrier settings stored without driver traffic, a channel made active for
// modulation, its carrier played once, and a comparison of the register traffic of a configuration call with
// the traffic of the driver calls it should make, each run from the same registers.
#include "cfg_bswv_main.h"
#include "cfg_fixture.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"
#include "lib_unit_data.h"

#include <functional>
#include <string>
#include <vector>

inline lib_unit_data_t cfg_rec(long double value)
{
    lib_unit_data_t rec{};
    rec.data = value;
    rec.unit = LIB_UNIT_BASE;
    rec.changed = false;
    return rec;
}

class cfg_mod_fixture_t : public cfg_fixture_t
{
protected:
    drv_interface_t *drv() { return drv_interface_t::get_instance(); }
    cfg_mod_main_t *mod(int32 ch) { return cfg_get_mod_main(ch); }
    cfg_bswv_main_t *bswv(int32 ch) { return cfg_get_bswv_main(ch); }
    cfg_wv_main_t *wv(int32 ch) { return cfg_get_wv_main(ch); }

    // The carrier's wave type and settings, stored as they are.
    void carrier(int32 ch, int32 wave_type, long double hz)
    {
        bswv(ch)->store_wave_type_raw(wave_type);
        bswv(ch)->store_freq_raw(cfg_rec(hz));
    }
    // Output on and run mode modulation, without applying either.
    void make_active(int32 ch)
    {
        wv(ch)->store_output(1);
        wv(ch)->store_run_mode(cfg_wv_main_t::RUN_MODE_MOD);
    }
    // The carrier handed to the driver once, as it plays before its modulation is
    // changed. The module's wave-path relay switches (and writes) only the first time
    // a wave reaches it, so without this the first call compared carries one relay
    // write that the expected calls, run after it, no longer make.
    void play_carrier(int32 ch)
    {
        bswv(ch)->apply_current_wave(false);
        sim.clear_log();
    }

    // The log of what f did to the registers.
    std::vector<sim_op_t> traffic(const std::function<void()> &f)
    {
        sim.clear_log();
        f();
        std::vector<sim_op_t> log = sim.log();
        sim.clear_log();
        return log;
    }

    // actual's traffic against expected's, both started from the registers as they are
    // now; the registers are left as actual left them.
    testing::AssertionResult same_traffic(const std::function<void()> &actual, const std::function<void()> &expected)
    {
        const std::vector<std::uint16_t> before = snapshot();
        const std::vector<sim_op_t> got = traffic(actual);
        const std::vector<std::uint16_t> after = snapshot();
        restore(before);
        const std::vector<sim_op_t> want = traffic(expected);
        restore(after);
        if (want.empty())
            return testing::AssertionFailure() << "the expected calls made no traffic";
        const std::string diff = sim_fpga_t::diff(want, got);
        if (diff.empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "register traffic differs (- expected, + actual):\n" << diff;
    }

private:
    std::vector<std::uint16_t> snapshot() const
    {
        std::vector<std::uint16_t> regs(sim_fpga_t::ADDRESS_MASK + 1);
        for (std::uint32_t a = 0; a <= sim_fpga_t::ADDRESS_MASK; ++a)
            regs[a] = sim.peek(a);
        return regs;
    }
    void restore(const std::vector<std::uint16_t> &regs)
    {
        for (std::uint32_t a = 0; a <= sim_fpga_t::ADDRESS_MASK; ++a)
            sim.poke(a, regs[a]);
    }
};
