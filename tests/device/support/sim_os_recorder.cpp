#include "sim_os_recorder.h"

#include "gos.h"

namespace {

struct sim_os_context_t
{
    sim_fpga_t *sim;
    int shell_result;
};

void sim_record_sleep(void *context, uint32 milliseconds)
{
    static_cast<sim_fpga_t *>(context)->record_sleep(milliseconds);
}

int sim_record_shell(void *context, const char *command)
{
    auto *recorder = static_cast<sim_os_context_t *>(context);
    recorder->sim->record_shell(command ? command : "");
    return recorder->shell_result;
}

sim_os_context_t s_shell_context{nullptr, 0};

} // namespace

sim_os_recorder_t::sim_os_recorder_t(sim_fpga_t &sim, int shell_result) : _sim(sim), _shell_result(shell_result)
{
    s_shell_context = sim_os_context_t{&_sim, _shell_result};
    gos_set_sleep_hook(sim_record_sleep, &_sim);
    gos_set_system_hook(sim_record_shell, &s_shell_context);
}

sim_os_recorder_t::~sim_os_recorder_t()
{
    gos_set_sleep_hook(nullptr, nullptr);
    gos_set_system_hook(nullptr, nullptr);
}
