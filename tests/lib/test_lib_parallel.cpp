#include "lib_parallel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <omp.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
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

// Counts how often each item ran; every case wants exactly once.
std::vector<int> share_counts(uint64 count, int team)
{
    std::vector<std::atomic<int>> runs(count);
    lib_share_items(count, team, [&](uint64 i) { runs[i].fetch_add(1); });
    std::vector<int> got;
    for (auto &r : runs)
        got.push_back(r.load());
    return got;
}

TEST(ShareItems, RunsEveryItemOnce)
{
    struct case_t
    {
        uint64 count;
        int team;
    } cases[] = {{0, 8}, {1, 8}, {2, 8}, {7, 1}, {1000, 8}, {1000, 0}, {33, 32}, {100000, 4}};
    for (int round = 0; round < 3; ++round) // calls after calls reuse the sleeping helpers
        for (const case_t &c : cases)
            EXPECT_EQ(share_counts(c.count, c.team), std::vector<int>(c.count, 1)) << c.count << " on " << c.team;
}

TEST(ShareItems, ItemsSeeTheCallersDataAndTheCallerSeesTheirResults)
{
    std::vector<uint64> in(5000), out(5000, 0);
    for (uint64 i = 0; i < in.size(); ++i)
        in[i] = i * 3;
    lib_share_items(in.size(), 8, [&](uint64 i) { out[i] = in[i] + 1; });
    for (uint64 i = 0; i < in.size(); ++i)
        ASSERT_EQ(out[i], i * 3 + 1);
}

// A call from inside an item, and calls from several threads at once, each finish with
// all their items (the ones that find the helpers taken run alone).
TEST(ShareItems, NestedAndConcurrentCallsFinish)
{
    std::atomic<int> inner{0};
    lib_share_items(16, 8, [&](uint64) { lib_share_items(10, 8, [&](uint64) { inner.fetch_add(1); }); });
    EXPECT_EQ(inner.load(), 160);

    std::vector<std::vector<int>> got(4);
    std::vector<std::thread> callers;
    for (std::size_t t = 0; t < got.size(); ++t)
        callers.emplace_back([&got, t] {
            for (int k = 0; k < 50; ++k) {
                got[t] = share_counts(64 + t, 8);
                if (got[t] != std::vector<int>(64 + t, 1))
                    return;
            }
        });
    for (std::thread &c : callers)
        c.join();
    for (std::size_t t = 0; t < got.size(); ++t)
        EXPECT_EQ(got[t], std::vector<int>(64 + t, 1)) << "caller " << t;
}

// A child of a fork has none of the helpers its parent started, yet its calls finish.
TEST(ShareItems, AForkedChildDoesTheItemsItself)
{
    share_counts(100, 8); // the parent's helpers exist
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(share_counts(100, 8) == std::vector<int>(100, 1) ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

} // namespace
