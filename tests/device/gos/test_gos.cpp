#include "gos.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

TEST(GosAtof, ReadsSignDigitsPointAndExponent)
{
    const struct
    {
        const char *text;
        double value;
    } cases[] = {
        {"12.5", 12.5},     {"-0.25", -0.25},  {"3E+2", 300.0}, {"3E-2", 0.03},     {"3E", 3.0},
        {"1E5", 100000.0},  {"1.5E+3", 1500.0}, {"+7", 7.0},     {"-+7", 7.0},       {"5.", 5.0},
        {"", 0.0},          {"0", 0.0},        {"-0.5E-1", -0.05},
        // The integer part is a 32-bit int: 4294967306 wraps to 10.
        {"4294967306", 10.0},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(gos_atof(c.text), c.value, 1e-12) << c.text;
    EXPECT_EQ(gos_atof(nullptr), 0.0);
}

TEST(GosAtof, StopsAfter127Characters)
{
    std::string text = std::string(126, '0') + "12";
    EXPECT_EQ(gos_atof(text.c_str()), 1.0);
}

TEST(GosStrtoul, ReadsDigitsOfTheBaseUntilTheFirstOther)
{
    const struct
    {
        const char *text;
        int base;
        u32 value;
        int count;
    } cases[] = {
        {"1A2z", 16, 418, 3},       {"19", 8, 1, 1},          {"19", 2, 0, 0},        {"777", 8, 511, 3},
        {"123abc", 10, 123, 3},     {"ff", 16, 255, 2},       {"x1", 16, 0, 0},       {"", 10, 0, 0},
        {"ffffffff1", 16, 0xFFFFFFF1u, 9},
    };
    for (const auto &c : cases) {
        u32 value = 12345;
        EXPECT_EQ(gos_strtoul(c.text, c.base, &value), c.count) << c.text << " base " << c.base;
        EXPECT_EQ(value, c.value) << c.text << " base " << c.base;
    }
    u32 untouched = 77;
    EXPECT_EQ(gos_strtoul(nullptr, 10, &untouched), 0);
    EXPECT_EQ(untouched, 77u);
    std::string many(300, '1');
    u32 value = 0;
    EXPECT_EQ(gos_strtoul(many.c_str(), 10, &value), 255);
}

TEST(GosItoa, CutsFromTheRightAndTerminatesOnlyWhenThereIsRoom)
{
    const struct
    {
        int value;
        int size;
        const char *written;
        int count;
        bool terminated;
    } cases[] = {
        {-42, 10, "-42", 3, true}, {-42, 3, "-42", 3, false}, {0, 1, "0", 1, false},
        {321, 2, "32", 2, false},  {2147483647, 20, "2147483647", 10, true}, {5, 0, "", 0, false},
    };
    for (const auto &c : cases) {
        char buffer[24];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(gos_itoa(c.value, buffer, c.size), c.count) << c.value << "/" << c.size;
        EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(c.count)), c.written);
        EXPECT_EQ(buffer[c.count], c.terminated ? '\0' : '#') << c.value << "/" << c.size;
    }
    char buffer[12] = {};
    EXPECT_EQ(gos_utoa(4294967295u, buffer, 11), 10);
    EXPECT_STREQ(buffer, "4294967295");
}

TEST(GosText, NumberTextsCaseAndCharacterRemoval)
{
    char buffer[32];
    EXPECT_EQ(gos_u32_to_text(buffer, 4294967295u), 10);
    EXPECT_STREQ(buffer, "4294967295");
    EXPECT_EQ(gos_i64_to_text(buffer, LLONG_MIN), 20);
    EXPECT_STREQ(buffer, "-9223372036854775808");
    EXPECT_EQ(gos_sprintf(buffer, "%d-%s", 7, "x"), 3);
    EXPECT_STREQ(buffer, "7-x");

    char text[] = "abC1z";
    gos_strupper(text);
    EXPECT_STREQ(text, "ABC1Z");

    char destination[] = "XXXXXXXX";
    gos_str_remove_char("a-b-c", destination, 3, '-');
    EXPECT_STREQ(destination, "abcXXXXX"); // no terminator written
    gos_str_remove_char("a-b-c", destination, 2, '-');
    EXPECT_STREQ(destination, "abcXXXXX"); // too long: unchanged
}

TEST(GosMath, DoublePrecisionEntries)
{
    EXPECT_EQ(gos_log10l(1000.0L), 3.0L);
    EXPECT_TRUE(std::isnan(static_cast<double>(gos_sqrtl(-1.0L))));
    EXPECT_EQ(gos_sqrtl(2.0L), static_cast<long double>(std::sqrt(2.0)));
    EXPECT_EQ(gos_powf(2.0f, 10.0f), 1024.0f);
    EXPECT_EQ(gos_fabsl(-2.5L), 2.5L);
}

TEST(GosTime, DateTextsFollowTheSelectedOrder)
{
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t when = 1700000000; // 2023-11-14 22:13:20 UTC
    const struct
    {
        int selector;
        const char *date;
    } cases[] = {{0, "2023-11-14"}, {1, "11-14-2023"}, {2, "14-11-2023"}, {7, "2023-11-14"}};
    for (const auto &c : cases) {
        gos_set_date_format(c.selector);
        EXPECT_EQ(gos_get_date_format(), c.selector);
        char text[64] = {};
        gos_format_date_text(text, when);
        EXPECT_STREQ(text, c.date) << c.selector;
    }
    char text[64] = {};
    gos_format_time_text(text, when);
    EXPECT_STREQ(text, "22:13:20");

    gos_set_date_format(2);
    char both[128] = {};
    gos_get_datetime_text(both);
    ASSERT_EQ(std::strlen(both), 19u);
    EXPECT_EQ(both[2], '-');
    EXPECT_EQ(both[10], ' ');
    EXPECT_EQ(both[13], ':');
}

TEST(GosTime, GettimeofdayFillsSecondsAndMicroseconds)
{
    gos_timeval_t now{-1, -1};
    std::time_t before = std::time(nullptr);
    EXPECT_EQ(gos_gettimeofday(&now), 1);
    EXPECT_GE(now.tv_sec, before);
    EXPECT_LE(now.tv_sec, std::time(nullptr));
    EXPECT_GE(now.tv_usec, 0);
    EXPECT_LT(now.tv_usec, 1000000);
    EXPECT_EQ(gos_gettimeofday(nullptr), 1);
}

TEST(GosGetcwd, KeepsTheCallersBufferExceptALeadingSlash)
{
    char buffer[100] = {};
    EXPECT_EQ(gos_getcwd(buffer, 0), 0);
    EXPECT_EQ(gos_getcwd(buffer, 100), 1);
    EXPECT_STREQ(buffer, "");
    std::strcpy(buffer, "/home/user");
    EXPECT_EQ(gos_getcwd(buffer, 100), 1);
    EXPECT_STREQ(buffer, "/");
    std::strcpy(buffer, "relative");
    EXPECT_EQ(gos_getcwd(buffer, 100), 1);
    EXPECT_STREQ(buffer, "relative");
    std::strcpy(buffer, "/x");
    EXPECT_EQ(gos_getcwd(buffer, 1), 1);
    EXPECT_STREQ(buffer, "/x"); // no room to cut
}

TEST(GosDescriptors, StubsOpenAndReadNothing)
{
    char buffer[8] = "keep";
    EXPECT_EQ(gos_open("/etc/hostname", 0, 0), 0);
    EXPECT_EQ(gos_read(0, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "keep");
    EXPECT_EQ(gos_close(0), 0);
    EXPECT_EQ(gos_msgq_destroy(3), 0);
}

namespace {

void record_sleep(void *context, uint32 milliseconds)
{
    static_cast<std::vector<uint32> *>(context)->push_back(milliseconds);
}

struct shell_recorder_t
{
    std::vector<std::string> commands;
    int result = 0;
};

int record_shell(void *context, const char *command)
{
    auto *recorder = static_cast<shell_recorder_t *>(context);
    recorder->commands.push_back(command);
    return recorder->result;
}

} // namespace

TEST(GosSleep, WaitsTruncateToWholeMilliseconds)
{
    std::vector<uint32> waits;
    gos_set_sleep_hook(record_sleep, &waits);
    gos_usleep(999);
    gos_usleep(1500);
    gos_usleep(2000000);
    gos_usleep(-5000);
    gos_sleep(2);
    gos_sleep(-1);
    gos_sleep_ms(0);
    gos_set_sleep_hook(nullptr, nullptr);
    EXPECT_EQ(waits, (std::vector<uint32>{0, 1, 2000, 0, 2000, 0, 0}));
}

TEST(GosSleep, DefaultSleepWaits)
{
    auto start = std::chrono::steady_clock::now();
    gos_usleep(20000);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

TEST(GosSystem, ReportsOnlyANegativeResult)
{
    shell_recorder_t recorder;
    gos_set_system_hook(record_shell, &recorder);
    stdout_capture_t quiet;
    EXPECT_EQ(gos_system("sync"), 0);
    recorder.result = 127;
    EXPECT_EQ(gos_system("no-such-command"), 127);
    EXPECT_EQ(quiet.finish(), "");

    recorder.result = -1;
    stdout_capture_t capture;
    EXPECT_EQ(gos_system("rm x"), -1);
    EXPECT_EQ(capture.finish(), "gos_system eorr::command name = rm x\n");
    gos_set_system_hook(nullptr, nullptr);
    EXPECT_EQ(recorder.commands, (std::vector<std::string>{"sync", "no-such-command", "rm x"}));
}

TEST(GosPrintf, FlushesEveryCall)
{
    stdout_capture_t capture;
    EXPECT_EQ(gos_printf("%s=%d", "a", 1), 3);
    // Written straight to the descriptor: appears after the text only if it was flushed.
    ASSERT_EQ(write(STDOUT_FILENO, "|", 1), 1);
    EXPECT_EQ(capture.finish(), "a=1|");
}
