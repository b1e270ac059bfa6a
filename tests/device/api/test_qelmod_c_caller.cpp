// The shared library from a plain C program, one child process per scenario so that a
// crash fails its case only: calls before the start-up, the start-up and a sine over the
// emulated module, and extreme, non-finite and NULL arguments.
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "sim_reg_transport.h"
#include "stdout_capture.h"
#include "umockdev_tmc_module.h"
#include "usb_testbed.h"
#include "usbtmc_driver.h"
#include "qelmod.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char **environ;

namespace
{
struct child_result_t
{
    bool exited = false;
    int status = -1;
    std::string out;
    // The "name=result" lines in order.
    std::vector<std::pair<std::string, std::string>> calls;
};

// Runs the C caller with the scenario, spawned directly (no shell), and collects its
// standard output.
child_result_t run_caller(const std::string &scenario)
{
    child_result_t result;
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    std::string program = QELMOD_C_CALLER;
    std::vector<char *> argv = {program.data(), const_cast<char *>(scenario.c_str()), nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_fds[1]);
    char buffer[4096];
    for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
        result.out.append(buffer, static_cast<std::size_t>(n));
    close(pipe_fds[0]);
    if (spawned != 0)
        return result;
    int status = 0;
    waitpid(pid, &status, 0);
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : -WTERMSIG(status);
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t eq = line.rfind('=');
        if (line.find('(') != std::string::npos && eq != std::string::npos)
            result.calls.emplace_back(line.substr(0, eq), line.substr(eq + 1));
    }
    return result;
}

std::string result_of(const child_result_t &r, const std::string &call)
{
    for (const auto &c : r.calls)
        if (c.first == call)
            return c.second;
    return "(not called)";
}
} // namespace

TEST(QelmodCCaller, BeforeStartUpSettersDoNothing)
{
    const child_result_t r = run_caller("before");
    ASSERT_TRUE(r.exited) << r.out;
    EXPECT_EQ(r.status, 0) << r.out;
    ASSERT_EQ(r.calls.size(), 17u) << r.out;
    for (const auto &c : r.calls)
        EXPECT_EQ(c.second, c.first == "vextral_setARBmode()" ? "0" : "1") << c.first;
    EXPECT_NE(r.out.find("loadData=done\n"), std::string::npos);
    // Nothing reached the configuration layer: no converted user wave.
    EXPECT_NE(access(".\\test.bin", F_OK), 0);
}

class QelmodCCallerUsb : public testing::Test
{
protected:
    void SetUp() override
    {
        module.set_data_read_length(128);
        module.plug();
    }

    usb_testbed_t bed;
    umockdev_tmc_module_t module{bed};
};

TEST_F(QelmodCCallerUsb, SineOnTheModuleMatchesTheSimulator)
{
    const child_result_t r = run_caller("sine");
    ASSERT_TRUE(r.exited) << r.out;
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("awg_cfg_init()\n", 0), 0u) << r.out;
    EXPECT_EQ(result_of(r, "awg_cfg_init()"), "1");
    for (const char *call : {"awg_set_wave_type(0, true)", "awg_set_freqency(1000.0L)", "awg_set_wave_ampl(2.0L)",
                             "awg_set_ch_switch(1, true)"})
        EXPECT_EQ(result_of(r, call), "1") << call;

    // The same sequence over the register simulator, in this process.
    sim_fpga_t sim;
    sim_install_reg_transport(sim);
    sim_os_recorder_t recorder(sim);
    stdout_capture_t quiet;
    awg_cfg_init();
    awg_set_wave_type(0, true);
    awg_set_freqency(1000.0L);
    awg_set_wave_ampl(2.0L);
    awg_set_ch_switch(1, true);
    quiet.finish();
    std::map<std::uint32_t, std::uint16_t> expected;
    for (const sim_op_t &op : sim.log())
        if (op.kind == sim_op_kind_t::write)
            expected[op.address] = sim.peek(op.address);
    ASSERT_FALSE(expected.empty());
    std::size_t nonzero = 0;
    for (const auto &reg : expected)
        nonzero += reg.second != 0 ? 1 : 0;
    EXPECT_GT(nonzero, 0u);
    for (const auto &reg : expected)
        EXPECT_EQ(module.sim().peek(reg.first), reg.second) << "register " << reg.first;
}

TEST_F(QelmodCCallerUsb, ExtremeNonFiniteAndNullArguments)
{
    const child_result_t r = run_caller("extremes");
    ASSERT_TRUE(r.exited) << r.out;
    EXPECT_EQ(r.status, 0) << r.out;
    for (const auto &c : r.calls) {
        if (c.first == "awg_cfg_init()" || c.first == "awg_cfg_uninit()")
            continue;
        EXPECT_EQ(c.second, "1") << c.first;
    }
    // After the last awg_cfg_uninit the setters run on and still answer.
    EXPECT_EQ(result_of(r, "awg_cfg_uninit()"), "1");
    EXPECT_EQ(r.out.substr(r.out.size() - 14), "loadData=done\n");
}
