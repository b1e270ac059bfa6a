// The built-in wave set: the tool writes every name of the wave table deterministically,
// the build has filled the library's wave directory with it, and the resource waves
// compiled into the library are the same bytes.
#include "drv_wave_dir.h"
#include "drv_wave_table.h"
#include "gos_resource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

constexpr std::size_t k_wave_bytes = 32768;

// Runs the tool directly (no shell) and returns its exit status.
int run_tool(const std::vector<std::string> &arguments)
{
    std::vector<char *> argv{const_cast<char *>(QELMOD_WAVEGEN_PATH)};
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, QELMOD_WAVEGEN_PATH, nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> every_name()
{
    std::vector<std::string> names;
    for (const drv_wave_entry_t &entry : DRV_WAVE_TABLE) {
        if (entry.name[0] != '\0')
            names.push_back(entry.name);
    }
    names.push_back(DRV_WAVE_EXTRA_NAME);
    return names;
}

std::vector<int16_t> samples_of(const std::string &bytes)
{
    std::vector<int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
    return samples;
}

} // namespace

TEST(QelmodWavegen, WritesEveryNameWith32768BytesTheSameOnEveryRun)
{
    ASSERT_EQ(run_tool({"first"}), 0);
    ASSERT_EQ(run_tool({"second/"}), 0);
    const std::vector<std::string> names = every_name();
    ASSERT_EQ(names.size(), 213u);
    for (const std::string &name : names) {
        SCOPED_TRACE(name);
        const std::string first = read_file("first/" + name);
        ASSERT_EQ(first.size(), k_wave_bytes);
        EXPECT_TRUE(first == read_file("second/" + name));
        // No wave is flat, and none is left half-written beside its name.
        EXPECT_NE(first.find_first_not_of(first[0]), std::string::npos);
        struct stat info;
        EXPECT_NE(::stat(("first/" + name + ".part").c_str(), &info), 0);
    }
}

TEST(QelmodWavegen, SinesAreSinesOfTheirOrder)
{
    ASSERT_EQ(run_tool({"waves"}), 0);
    const struct
    {
        const char *name;
        int order;
    } sines[] = {{"0_sine_ram.bin", 1},
                 {"203_sine_harmonic2_wave.bin", 2},
                 {"204_sine_harmonic3_wave.bin", 3},
                 {"205_sine_harmonic4_wave.bin", 4},
                 {"206_sine_harmonic5_wave.bin", 5},
                 {"207_sine_harmonic6_wave.bin", 6},
                 {"208_sine_harmonic7_wave.bin", 7},
                 {"209_sine_harmonic8_wave.bin", 8},
                 {"210_sine_harmonic9_wave.bin", 9},
                 {"211_sine_harmonic10_wave.bin", 10}};
    for (const auto &s : sines) {
        SCOPED_TRACE(s.name);
        const std::vector<int16_t> samples = samples_of(read_file(std::string("waves/") + s.name));
        ASSERT_EQ(samples.size(), 16384u);
        for (int i = 0; i < 16384; ++i) {
            const double expected = std::round(32767.0 * std::sin(2.0 * M_PI * s.order * i / 16384.0));
            ASSERT_EQ(samples[i], static_cast<int16_t>(expected)) << i;
        }
    }
}

TEST(QelmodWavegen, SquaresKeepTheDutyOfTheirName)
{
    ASSERT_EQ(run_tool({"waves"}), 0);
    const struct
    {
        const char *name;
        int high; // the samples below duty x 16384
    } squares[] = {{"148_square_duty01.bin", 164},
                   {"155_quare_duty14.bin", 2294},
                   {"173_square_duty50.bin", 8192},
                   {"198_square_duty99.bin", 16221}};
    for (const auto &s : squares) {
        const std::vector<int16_t> samples = samples_of(read_file(std::string("waves/") + s.name));
        int high = 0;
        for (int16_t v : samples) {
            EXPECT_TRUE(v == 32767 || v == -32767) << s.name;
            high += v > 0;
        }
        EXPECT_EQ(high, s.high) << s.name;
    }
}

TEST(QelmodWavegen, BadUseAndAnUnwritableDirectoryFail)
{
    EXPECT_EQ(run_tool({}), 2);
    EXPECT_EQ(run_tool({"--resources"}), 2);
    EXPECT_EQ(run_tool({"a", "b"}), 2);
    std::ofstream("plain_file") << "x";
    EXPECT_EQ(run_tool({"plain_file/waves"}), 1);
    EXPECT_EQ(run_tool({"--resources", "missing_dir/res.cpp"}), 1);
}

TEST(QelmodWaveSet, TheBuildFilledTheLibrarysWaveDirectory)
{
    const std::string directory = DRV_WAVE_DIR;
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.front(), '/');
    EXPECT_EQ(directory.back(), '/');
    ASSERT_EQ(run_tool({"fresh"}), 0);
    for (const std::string &name : every_name()) {
        const std::string built = read_file(directory + name);
        ASSERT_EQ(built.size(), k_wave_bytes) << name;
        EXPECT_TRUE(built == read_file("fresh/" + name)) << name;
    }
}

TEST(QelmodWaveSet, ResourceWavesAreLinkedIntoTheLibrary)
{
    for (const drv_resource_wave_t &resource : DRV_RESOURCE_WAVES) {
        SCOPED_TRACE(resource.name);
        const void *data = nullptr;
        u32 size = 0;
        ASSERT_EQ(gos_find_resource(resource.resource_id, DRV_RESOURCE_WAVE_TYPE, &data, &size), 1);
        ASSERT_EQ(size, k_wave_bytes);
        const std::string file = read_file(std::string(DRV_WAVE_DIR) + resource.name);
        ASSERT_EQ(file.size(), k_wave_bytes);
        EXPECT_EQ(std::memcmp(data, file.data(), size), 0);
    }
    const void *data = nullptr;
    u32 size = 7;
    EXPECT_EQ(gos_find_resource(110, "WAVEDATA", &data, &size), 0);
    EXPECT_EQ(gos_find_resource(109, "RCDATA", &data, &size), 0);
    EXPECT_EQ(gos_find_resource(109, nullptr, &data, &size), 0);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 7u);
}
