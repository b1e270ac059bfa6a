#pragma once
// cfg_fixture_t: the configuration layer started by cfg_main over the register
// simulator, with sleeps recorded instead of slept. The start-up's output is kept in
// startup_text and its register traffic in startup_log; the simulator's log is emptied,
// so a test's log starts with its own.
#include "cfg_main.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class cfg_fixture_t : public testing::Test
{
protected:
    void SetUp() override
    {
        sim_install_reg_transport(sim);
        stdout_capture_t capture;
        startup_result = cfg_main();
        startup_text = capture.finish();
        startup_log = sim.log();
        sim.clear_log();
    }

    sim_fpga_t sim;
    sim_os_recorder_t recorder{sim};
    int32 startup_result = 0;
    std::string startup_text;
    std::vector<sim_op_t> startup_log;
};
