// The built-in wave names: the index gaps, names that must not be found, the loader's
// driver call and the raw file reader's size limit.
#include "cfg_builtin_wave_map.h"
#include "cfg_fixture.h"
#include "drv_interface.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

TEST(CfgBuiltinWaveMap, NamesMapAcrossTheIndexGaps)
{
    cfg_builtin_wave_map_t map;
    EXPECT_EQ(map.size(), 201u);
    EXPECT_EQ(cfg_builtin_wave_map_t().size(), 201u);
    const struct
    {
        const char *name;
        int index;
    } cases[] = {
        {"M0", 2},     {"M28", 30},   {"M29", 34},  {"M100", 105}, {"M196", 201}, {"M197", 217}, {"M200", 220},
        {"M201", 0},   {"M029", 0},   {"m5", 0},    {" M5", 0},    {"", 0},       {"M5 ", 0},
    };
    for (const auto &c : cases) {
        stdout_capture_t capture;
        EXPECT_EQ(map.get_index(c.name), c.index) << c.name;
        const std::string printed = capture.finish();
        if (c.index == 0)
            EXPECT_EQ(printed, "") << c.name;
        else
            EXPECT_EQ(printed, "-----iter->second:" + std::to_string(c.index) + "\n-----iter->first:" + c.name + "\n");
    }
    map.fill();
    EXPECT_EQ(map.size(), 201u);
}

TEST(CfgBuiltinWaveMap, RawFilesUpToTheLimit)
{
    cfg_builtin_wave_map_t map;
    std::vector<int16> samples = {9};
    {
        std::ofstream out("odd.raw", std::ios::binary);
        const unsigned char bytes[] = {0x01, 0x02, 0xff, 0xff, 0x7f};
        out.write(reinterpret_cast<const char *>(bytes), sizeof bytes);
    }
    EXPECT_EQ(map.read_file("odd.raw", samples), 1);
    EXPECT_EQ(samples, (std::vector<int16>{0x0201, -1}));

    std::ofstream("empty.raw").close();
    EXPECT_EQ(map.read_file("empty.raw", samples), 1);
    EXPECT_TRUE(samples.empty());

    samples = {5};
    EXPECT_EQ(map.read_file("missing.raw", samples), -13);
    EXPECT_EQ(samples, std::vector<int16>{5});

    // Exactly the limit is read (the odd last byte dropped); one byte more is refused.
    std::ofstream("limit.raw").close();
    ASSERT_EQ(truncate("limit.raw", cfg_builtin_wave_map_t::max_file_bytes), 0);
    EXPECT_EQ(map.read_file("limit.raw", samples), 1);
    EXPECT_EQ(samples.size(), 16777216u);
    samples = {5};
    ASSERT_EQ(truncate("limit.raw", cfg_builtin_wave_map_t::max_file_bytes + 1), 0);
    EXPECT_EQ(map.read_file("limit.raw", samples), -13);
    EXPECT_EQ(samples, std::vector<int16>{5});
}

class CfgBuiltinWaveMapLoad : public cfg_fixture_t
{
};

TEST_F(CfgBuiltinWaveMapLoad, LoadsTheNamedWaveFromTheDriver)
{
    cfg_builtin_wave_map_t map;
    std::vector<int16> expected;
    drv_interface_t::get_instance()->get_builtin_wave_data(34, expected, 0.0f);
    ASSERT_FALSE(expected.empty());
    std::vector<int16> samples;
    stdout_capture_t capture;
    EXPECT_EQ(map.load_wave("M29", samples), 1);
    EXPECT_EQ(capture.finish(), "++++iter->second:34\n++++iter->first:M29\n");
    EXPECT_EQ(samples, expected);
    samples = {1};
    EXPECT_EQ(map.load_wave("M999", samples), 1);
    EXPECT_EQ(samples, std::vector<int16>{1});
}
