#pragma once
// sim_driver_fixture_t: a test fixture whose driver layer runs over a sim_fpga_t, with
// the library's sleeps and shell commands recorded into the same log. SetUp builds the
// instance manager (its start-up lines are captured and kept in startup_text) and
// forgets the start-up traffic, so a test's log starts with its own accesses.
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class sim_driver_fixture_t : public testing::Test
{
protected:
    void SetUp() override
    {
        sim_install_reg_transport(sim);
        stdout_capture_t capture;
        manager = drv_instance_manage_t::get_instance();
        startup_text = capture.finish();
        fpga = manager->get_fpga();
        sim.clear_log();
    }

    // Success when the log equals expected; otherwise a readable diff.
    testing::AssertionResult log_is(const std::vector<sim_op_t> &expected) const
    {
        const std::string diff = sim_fpga_t::diff(expected, sim.log());
        if (diff.empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "operation log differs (- expected, + actual):\n" << diff;
    }

    sim_fpga_t sim;
    sim_os_recorder_t recorder{sim};
    drv_instance_manage_t *manager = nullptr;
    drv_fpga_t *fpga = nullptr;
    std::string startup_text;
};
