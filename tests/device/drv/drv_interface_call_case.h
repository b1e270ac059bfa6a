#pragma once
// The driver interface's pass-through tables: a method and the driver call it stands for,
// each run from the same register state, must leave the same operation log and result.
#include "sim_fpga.h"

#include <gtest/gtest.h>

#include <functional>
#include <type_traits>
#include <vector>

// A register file in which every field the calls read has a distinct value.
inline void preset(sim_fpga_t &sim)
{
    for (uint32 reg = 0; reg < 256; ++reg)
        sim.poke(reg, static_cast<uint16>((reg * 0x1357u) ^ 0x0A50u));
}

struct call_case_t
{
    const char *name;
    std::function<long double()> via_interface;
    std::function<long double()> direct;
};

// Wraps a call with an int result, or one without a result (0).
template <typename F>
std::function<long double()> num(F f)
{
    return [f]() -> long double {
        if constexpr (std::is_void_v<decltype(f())>) {
            f();
            return 0;
        } else {
            return static_cast<long double>(f());
        }
    };
}

// Runs each case's two sides from the preset state. `warm_up` runs the direct call once
// first, so that the drivers' own state (ranges, relay path, reload flags) is the same
// for both runs.
template <std::size_t N>
void expect_same_calls(sim_fpga_t &sim, const call_case_t (&cases)[N], bool warm_up)
{
    for (const call_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        if (warm_up) {
            preset(sim);
            c.direct();
        }
        preset(sim);
        sim.clear_log();
        const long double via = c.via_interface();
        const std::vector<sim_op_t> via_log = sim.log();
        preset(sim);
        sim.clear_log();
        const long double direct = c.direct();
        EXPECT_EQ(sim_fpga_t::diff(sim.log(), via_log), "");
        // Equal results, a NaN reading (a zero count) included.
        EXPECT_TRUE(via == direct || (via != via && direct != direct))
            << static_cast<double>(via) << " against " << static_cast<double>(direct);
    }
}
