#include "plat_crash.h"
#include "plat_device_watch.h"

#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> dump_files(const std::string &dir)
{
    std::vector<std::string> out;
    DIR *d = opendir(dir.c_str());
    while (d) {
        dirent *e = readdir(d);
        if (!e)
            break;
        std::string n = e->d_name;
        if (n.size() > 4 && n.substr(n.size() - 4) == ".dmp")
            out.push_back(n);
    }
    if (d)
        closedir(d);
    return out;
}

int run_child(const std::string &dir, int sig)
{
    pid_t pid = fork();
    if (pid == 0) {
        // The sanitizers would otherwise keep these signals for themselves.
        setenv("ASAN_OPTIONS", "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:"
                               "handle_abort=0:allow_user_segv_handler=1:detect_leaks=0", 1);
        std::string s = std::to_string(sig);
        execl(CRASH_CHILD_PATH, CRASH_CHILD_PATH, dir.c_str(), s.c_str(), (char *)nullptr);
        _exit(99);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

} // namespace

TEST(CrashRecord, EachFatalSignalLeavesARecordAndEndsTheProcess)
{
    for (int sig : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) {
        std::string dir = "crash_" + std::to_string(sig);
        ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
        int status = run_child(dir, sig);
        ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << sig << " status " << status;
        EXPECT_EQ(WTERMSIG(status), sig);
        std::vector<std::string> dumps = dump_files(dir);
        ASSERT_EQ(dumps.size(), 1u) << "signal " << sig;
        EXPECT_EQ(dumps[0].size(), std::string("yyyy_MM_dd_hh_mm_ss.dmp").size());
        std::ifstream f(dir + "/" + dumps[0]);
        std::stringstream text;
        text << f.rdbuf();
        EXPECT_NE(text.str().find("signal: " + std::to_string(sig) + "\n"), std::string::npos);
        EXPECT_NE(text.str().find("backtrace:"), std::string::npos);
    }
}

TEST(CrashRecord, FileNameIsTheLocalTime)
{
    char name[32];
    plat_crash_file_name(0, 0, name);
    EXPECT_STREQ(name, "1970_01_01_00_00_00.dmp");
    struct tm when = {};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 1;
    when.tm_mday = 28;
    when.tm_hour = 23;
    when.tm_min = 59;
    when.tm_sec = 30;
    time_t t = timegm(&when);
    plat_crash_file_name(t, 3600, name); // one hour east of UTC: the next day
    EXPECT_STREQ(name, "2026_03_01_00_59_30.dmp");
    plat_crash_file_name(t, -86400, name);
    EXPECT_STREQ(name, "2026_02_27_23_59_30.dmp");
}

TEST(CrashRecord, FolderTooLongIsRefused)
{
    EXPECT_FALSE(plat_install_crash_handler(std::string(5000, 'x')));
}

TEST(DeviceWatch, WindowsDeviceChangeMessages)
{
    EXPECT_TRUE(plat_is_device_change_message(0x0219, 0x8000));
    EXPECT_TRUE(plat_is_device_change_message(0x0219, 0x8004));
    EXPECT_FALSE(plat_is_device_change_message(0x0219, 0x0007));
    EXPECT_FALSE(plat_is_device_change_message(0x0218, 0x8000));
}

TEST(DeviceWatch, StartsOrDeclinesCleanly)
{
    plat_device_watch_t w;
    bool started = w.start([](bool) {});
    EXPECT_EQ(w.running(), started);
    w.stop();
    EXPECT_FALSE(w.running());
    w.stop();
}
