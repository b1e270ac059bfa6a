#pragma once
// cfg_replay_fixture_t: the started configuration layer (cfg_fixture_t) plus a check
// that an operation makes exactly the driver calls it should: the operation runs on
// the simulator, then the simulator's registers go back to where they were and the
// expected driver-interface calls are replayed; the two register logs must be equal,
// otherwise the failure shows their diff.
#include "cfg_fixture.h"
#include "drv_interface.h"
#include "drv_para.h"

#include <functional>
#include <string>
#include <vector>

class cfg_replay_fixture_t : public cfg_fixture_t
{
protected:
    testing::AssertionResult same_traffic(const std::function<void()> &operation,
                                          const std::function<void(drv_interface_t *)> &expected_calls)
    {
        const sim_fpga_t start = sim;
        sim.clear_log();
        operation();
        const std::vector<sim_op_t> actual = sim.log();
        sim = start;
        sim.clear_log();
        expected_calls(drv_interface_t::get_instance());
        const std::vector<sim_op_t> expected = sim.log();
        if (expected.empty() && actual.empty())
            return testing::AssertionFailure() << "neither side made any register access";
        const std::string diff = sim_fpga_t::diff(expected, actual);
        if (diff.empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "register log differs (- expected calls, + operation):\n" << diff;
    }

    // No register access at all.
    testing::AssertionResult no_traffic(const std::function<void()> &operation)
    {
        sim.clear_log();
        operation();
        if (sim.log().empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "unexpected register traffic: " << sim.compact();
    }

    static lib_unit_data_t rec(long double v) { return lib_unit_data_t{v, LIB_UNIT_BASE, false}; }

    // The amplitude record of a channel at its start-up amplitude (4 V), offset (0 V)
    // and high-impedance load, playing at hz.
    static drv_ampl_para_t initial_ampl(long double hz) { return drv_ampl_para_t{4.0L, 0.0L, 1e6L, hz}; }
};
