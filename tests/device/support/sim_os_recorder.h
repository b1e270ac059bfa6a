#pragma once
// sim_os_recorder_t: while it lives, the library's sleeps and shell commands return at
// once and appear as entries in the simulator's log (through the OS layer's hooks).
// Shell commands answer shell_result.
#include "sim_fpga.h"

class sim_os_recorder_t
{
public:
    explicit sim_os_recorder_t(sim_fpga_t &sim, int shell_result = 0);
    ~sim_os_recorder_t();
    sim_os_recorder_t(const sim_os_recorder_t &) = delete;
    sim_os_recorder_t &operator=(const sim_os_recorder_t &) = delete;

private:
    sim_fpga_t &_sim;
    int _shell_result;
};
