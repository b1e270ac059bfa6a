#include "lib_parallel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <omp.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// What the thread runtime itself reports about its settings (it writes to stderr).
std::string runtime_settings()
{
    std::fflush(stderr);
    std::FILE *tmp = std::tmpfile();
    const int saved = ::dup(2);
    ::dup2(::fileno(tmp), 2);
    omp_display_env(1);
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::string text;
    std::rewind(tmp);
    for (int c; (c = std::fgetc(tmp)) != EOF;)
        text += char(c);
    std::fclose(tmp);
    return text;
}

// Runs the named test of this executable in a fresh process whose environment names no
// waiting policy but `variable` (when given), and tells it what to expect; its exit status.
int run_child(const std::string &test, const char *variable, const std::string &reported)
{
    std::vector<std::string> env_text{"ONDRIX_WAIT_POLICY_CHILD=" + reported};
    if (variable)
        env_text.push_back(variable);
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("OMP_WAIT_POLICY=", 0) != 0 && entry.rfind("GOMP_SPINCOUNT=", 0) != 0)
            env_text.push_back(entry);
    }
    std::vector<char *> envp;
    for (std::string &e : env_text)
        envp.push_back(&e[0]);
    envp.push_back(nullptr);
    std::string filter = "--gtest_filter=" + test;
    char exe[] = "/proc/self/exe";
    char *argv[] = {exe, &filter[0], nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, exe, nullptr, nullptr, argv, envp.data()) != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Started by the tests below: reports what the runtime says about its waiting.
TEST(WaitPolicyChild, ReportsTheRuntimeSettings)
{
    const char *want = std::getenv("ONDRIX_WAIT_POLICY_CHILD");
    if (!want)
        GTEST_SKIP() << "runs only as the child of the WaitPolicy tests";
    const std::string settings = runtime_settings();
    EXPECT_NE(settings.find(want), std::string::npos) << settings;
}

TEST(WaitPolicy, ThreadsSleepWhileTheyWaitUnlessTheEnvironmentSaysOtherwise)
{
    struct case_t
    {
        const char *variable; // added to an environment without any waiting policy
        const char *reported;
    } cases[] = {
        {nullptr, "GOMP_SPINCOUNT = '0'"},
        {"OMP_WAIT_POLICY=active", "OMP_WAIT_POLICY = 'ACTIVE'"},
        {"GOMP_SPINCOUNT=300000", "GOMP_SPINCOUNT = '300000'"},
    };
    for (const case_t &c : cases)
        EXPECT_EQ(run_child("WaitPolicyChild.*", c.variable, c.reported), 0) << (c.variable ? c.variable : "none");
}

TEST(TeamSize, OneThreadPerGrainWithinWhatTheRuntimeOffers)
{
    const int offered = std::min(32, omp_get_max_threads());
    struct case_t
    {
        uint64 items, grain;
        int want;
    } cases[] = {
        {0, 1000, 1},
        {999, 1000, 1},
        {1000, 1000, 1},
        {2500, 1000, std::min(2, offered)},
        {uint64(1) << 40, 1, offered},
        {5, 0, std::min(5, offered)},
    };
    for (const case_t &c : cases)
        EXPECT_EQ(lib_team_size(c.items, c.grain), c.want) << c.items << " / " << c.grain;
}

} // namespace
