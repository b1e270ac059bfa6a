#include "lib_output.h"
#include "sim_fpga.h"
#include "sim_os_recorder.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

namespace {

std::string read_file(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool exists(const char *path)
{
    struct stat info;
    return ::stat(path, &info) == 0;
}

} // namespace

TEST(LibSaveCsv, WritesOneByteALineThenSyncs)
{
    const u8 first[] = {1, 2, 3, 4, 255};
    const u8 second[] = {10, 20, 30, 40, 50};
    sim_fpga_t sim;
    sim_os_recorder_t recorder(sim);
    lib_save_csv("pair", first, second, 5);
    EXPECT_EQ(read_file("pair.csv"), "1\n2\n10\n20\n");
    lib_save_csv("single", first, nullptr, 5);
    EXPECT_EQ(read_file("single.csv"), "1\n2\n3\n4\n255\n");
    EXPECT_EQ(sim_fpga_t::diff({sim_shell("sync"), sim_shell("sync")}, sim.log()), "");
    EXPECT_FALSE(exists("pair.csv.part"));
}

TEST(LibSaveCsv, LargeDumpsAreComplete)
{
    std::string expected;
    static u8 data[200000];
    for (std::size_t i = 0; i < sizeof data; ++i) {
        data[i] = static_cast<u8>(i * 7);
        expected += std::to_string(data[i]) + "\n";
    }
    sim_fpga_t sim;
    sim_os_recorder_t recorder(sim);
    lib_save_csv("big", data, nullptr, sizeof data);
    const std::string written = read_file("big.csv");
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

TEST(LibSaveCsv, RefusalsPrintTheirMessageAndKeepWhatWasThere)
{
    const u8 data[] = {7};
    sim_fpga_t sim;
    sim_os_recorder_t recorder(sim);
    {
        stdout_capture_t out;
        lib_save_csv("a_name_that_is_longer_than_thirty", data, nullptr, 1);
        EXPECT_EQ(out.finish(), "filename too long!\n");
        EXPECT_FALSE(exists("a_name_that_is_longer_than_thirty.csv"));
    }
    {
        stdout_capture_t out;
        lib_save_csv("missing/dump", data, nullptr, 1);
        EXPECT_EQ(out.finish(), "can't open file! missing/dump.csv");
    }
    {
        // A directory in the way of the final name: the dump fails and leaves it.
        ASSERT_EQ(::mkdir("taken.csv", 0755), 0);
        stdout_capture_t out;
        lib_save_csv("taken", data, nullptr, 1);
        EXPECT_EQ(out.finish(), "can't write file! taken.csv");
        struct stat info;
        ASSERT_EQ(::stat("taken.csv", &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_FALSE(exists("taken.csv.part"));
    }
    EXPECT_TRUE(sim.log().empty());
}

TEST(LibOutput, FormattersRefuseTextsThatDoNotFit)
{
    char buffer[12];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(lib_sprintf(buffer, 8, "%d-%s", 42, "ok"), 5);
    EXPECT_STREQ(buffer, "42-ok");
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(lib_sprintf(buffer, 8, "%s", "12345678"), -1);
    EXPECT_EQ(buffer[0], '\0');
    for (std::size_t i = 8; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#');
    EXPECT_EQ(lib_sprintf(nullptr, 8, "x"), -1);

    stdout_capture_t out;
    EXPECT_EQ(lib_printf("%s=%d\n", "value", 7), 8);
    EXPECT_EQ(out.finish(), "value=7\n");

    std::FILE *file = std::fopen("lines.txt", "wb");
    ASSERT_NE(file, nullptr);
    lib_write_int_line(file, -7);
    lib_write_int_line(file, 2147483647);
    std::fclose(file);
    lib_write_int_line(nullptr, 1);
    EXPECT_EQ(read_file("lines.txt"), "-7\n2147483647\n");
}
