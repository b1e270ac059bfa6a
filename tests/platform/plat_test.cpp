#include "plat_fs.h"
#include "plat_mem.h"
#include "plat_rand.h"

#include <algorithm>
#include <cstdint>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

TEST(PlatRand, MatchesTheCRuntimeSequence)
{
    // The first values the C runtime's rand() gives after srand(1).
    plat_srand(1);
    EXPECT_EQ(plat_rand(), 41);
    EXPECT_EQ(plat_rand(), 18467);
    EXPECT_EQ(plat_rand(), 6334);
    plat_srand(1);
    EXPECT_EQ(plat_rand(), 41);
}

TEST(PlatRand, StaysWithinRandMax)
{
    plat_srand(12345);
    for (int i = 0; i < 100000; ++i) {
        int v = plat_rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, PLAT_RAND_MAX);
    }
}

TEST(PlatRand, JumpAndPrivateDrawsContinueTheSerialSequence)
{
    for (unsigned int seed : {0u, 1u, 12345u, 0xFFFFFFFFu}) {
        plat_srand(seed);
        const std::uint32_t start = plat_rand_state();
        std::vector<int> serial(70000);
        for (int &v : serial)
            v = plat_rand();
        const std::uint32_t end = plat_rand_state();
        for (std::uint64_t steps : {0ull, 1ull, 2ull, 3ull, 1000ull, 65537ull, 69999ull}) {
            std::uint32_t state = plat_rand_jump(start, steps);
            for (std::uint64_t i = steps; i < std::min<std::uint64_t>(steps + 3, serial.size()); ++i)
                ASSERT_EQ(plat_rand_next(state), serial[i]) << seed << " after " << steps;
        }
        EXPECT_EQ(plat_rand_jump(start, serial.size()), end) << seed;
        plat_rand_set_state(start);
        EXPECT_EQ(plat_rand(), serial[0]);
    }
}

TEST(PlatFs, WorkingDirectoryHasNoTrailingSlash)
{
    std::string cwd = plat_getcwd();
    ASSERT_FALSE(cwd.empty());
    EXPECT_NE(cwd.back(), '/');
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    EXPECT_EQ(cwd, std::string(buf));
}

TEST(PlatFs, WorkingDirectoryLongerThan256Bytes)
{
    std::string name(200, 'd');
    ASSERT_EQ(mkdir(name.c_str(), 0755), 0);
    ASSERT_EQ(chdir(name.c_str()), 0);
    ASSERT_EQ(mkdir(name.c_str(), 0755), 0);
    ASSERT_EQ(chdir(name.c_str()), 0);
    std::string cwd = plat_getcwd();
    EXPECT_GT(cwd.size(), 400u);
    EXPECT_EQ(cwd.substr(cwd.size() - 402), "/" + name + "/" + name);
    ASSERT_EQ(chdir("../.."), 0);
}

TEST(PlatFs, ChsizeShrinksAndGrows)
{
    int fd = open("f.bin", O_RDWR | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "abcdef", 6), 6);
    EXPECT_EQ(plat_chsize(fd, 2), 0);
    struct stat st;
    fstat(fd, &st);
    EXPECT_EQ(st.st_size, 2);
    EXPECT_EQ(plat_chsize(fd, 10), 0);
    fstat(fd, &st);
    EXPECT_EQ(st.st_size, 10);
    close(fd);
    EXPECT_NE(plat_chsize(-1, 0), 0);
}

TEST(PlatMem, OverrideReplacesTheReading)
{
    EXPECT_GT(plat_avail_phys_mem(), 0u);
    plat_set_avail_phys_mem_override(1234);
    EXPECT_EQ(plat_avail_phys_mem(), 1234u);
    plat_clear_avail_phys_mem_override();
    EXPECT_NE(plat_avail_phys_mem(), 1234u);
}
