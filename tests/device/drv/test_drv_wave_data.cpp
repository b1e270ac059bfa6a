// The built-in wave store: the id/name table, the start-up load from the generated
// wave set and the compiled-in resources, the file reads with their limits and the
// lookups. Stores are built here directly, over the real generated files or over a
// folder the test prepares through the wave-directory hook.
#include "drv_wave_data.h"
#include "drv_wave_data_vextral.h"
#include "drv_wave_dir.h"
#include "drv_wave_table.h"
#include "gos_resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<int16> read_samples(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16>(static_cast<uint8>(bytes[2 * i]) | (static_cast<uint8>(bytes[2 * i + 1]) << 8));
    return samples;
}

void write_bytes(const fs::path &path, std::size_t count, uint8 seed = 1)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t i = 0; i < count; ++i)
        out.put(static_cast<char>(static_cast<uint8>(seed + i)));
}

// A store over a folder of the test's own; the hook is reset afterwards so that a later
// store reads the build-time folder again.
std::unique_ptr<drv_wave_data_vextral_t> store_over(const fs::path &dir)
{
    drv_wave_data_set_wave_dir(dir.string() + "/");
    auto store = std::make_unique<drv_wave_data_vextral_t>();
    drv_wave_data_set_wave_dir("");
    return store;
}

// A copy of the generated wave set in the test's working directory.
fs::path copy_wave_set(const std::string &name)
{
    const fs::path dir = fs::current_path() / name;
    fs::create_directories(dir);
    for (const fs::directory_entry &entry : fs::directory_iterator(DRV_WAVE_DIR))
        fs::copy_file(entry.path(), dir / entry.path().filename(), fs::copy_options::overwrite_existing);
    return dir;
}

} // namespace

TEST(DrvWaveData, BuildsTheTableAndLoadsEveryWaveOfTheGeneratedSet)
{
    drv_wave_data_vextral_t store;
    std::vector<int16> wave;
    // Every named wave of the table loads, with the samples of its file, or of its
    // resource for the five resource waves.
    for (const drv_wave_entry_t &entry : DRV_WAVE_TABLE) {
        const std::string name = entry.name;
        if (name.empty())
            continue;
        SCOPED_TRACE(name);
        ASSERT_EQ(store.get_wave_data_by_name(name, wave), 1);
        EXPECT_EQ(wave.size(), 16384u);
        EXPECT_EQ(wave, read_samples(fs::path(DRV_WAVE_DIR) / name));
    }
    ASSERT_EQ(store.get_wave_data_by_name(DRV_WAVE_EXTRA_NAME, wave), 1);
    EXPECT_EQ(wave, read_samples(fs::path(DRV_WAVE_DIR) / DRV_WAVE_EXTRA_NAME));
    // The resource bytes themselves are what the resource waves hold.
    for (const drv_resource_wave_t &resource : DRV_RESOURCE_WAVES) {
        SCOPED_TRACE(resource.name);
        const void *data = nullptr;
        u32 size = 0;
        ASSERT_EQ(gos_find_resource(resource.resource_id, DRV_RESOURCE_WAVE_TYPE, &data, &size), 1);
        std::vector<int16> expected(size / 2);
        std::memcpy(expected.data(), data, expected.size() * 2);
        store.get_wave_data_by_name(resource.name, wave);
        EXPECT_EQ(wave, expected);
    }
}

TEST(DrvWaveData, AnswersLookupsByIdAndName)
{
    drv_wave_data_vextral_t store;
    struct name_case_t
    {
        int32 id;
        const char *name;
    };
    const name_case_t names[] = {
        {2, "2_stairup_ram.bin"},     {31, ""},
        {33, ""},                     {141, "142_bohmanwin_ram.bin"},
        {201, "202_demo2_16kpts.bin"}, {208, "203_sine_harmonic2_wave.bin"},
        {220, "wave_UART_16k.bin"},
        // Ids outside the table fall back to the lowest id's name.
        {205, "0_sine_ram.bin"},      {-1, "0_sine_ram.bin"},
        {221, "0_sine_ram.bin"},
    };
    for (const name_case_t &c : names)
        EXPECT_EQ(store.get_wave_name(c.id), c.name) << "id " << c.id;
    // The table's own entry, not a copy.
    EXPECT_EQ(&store.get_wave_name(2), &store.get_wave_name(2));

    struct find_case_t
    {
        const char *name;
        int32 found;
        int32 id;
    };
    const find_case_t finds[] = {
        {"", 1, 33},                              // the last of ids 31 to 33
        {"wave_Seq_16k.bin", 1, 219},
        {"142_bohmanwin_ram.bin", 1, 141},
        {DRV_WAVE_EXTRA_NAME, 0, -7},             // loaded, but no id names it
        {"no_such_wave.bin", 0, -7},
    };
    for (const find_case_t &c : finds) {
        int32 id = -7;
        EXPECT_EQ(store.find_wave(c.name, &id), c.found) << c.name;
        EXPECT_EQ(id, c.id) << c.name;
    }
}

TEST(DrvWaveData, BuiltinWavesByIdIncludingTheRampAndTheEmptyNames)
{
    drv_wave_data_vextral_t store;
    std::vector<int16> wave{1, 2, 3};
    store.get_builtin_wave(141, wave, 0.0f);
    EXPECT_EQ(wave, read_samples(fs::path(DRV_WAVE_DIR) / "142_bohmanwin_ram.bin"));

    // The generated ramp replaces what out held.
    std::vector<int16> ramp;
    store.make_ramp_wave(25.0L, 16384, ramp);
    store.get_builtin_wave(WAVE_ID_RAMP, wave, 25.0f);
    EXPECT_EQ(wave, ramp);

    // The empty name goes to the user folder, which is a folder, not a wave: empty.
    fs::create_directories(fs::current_path() / "usr" / "usr");
    for (int32 id : {31, 32, 33}) {
        wave.assign(5, 7);
        store.get_builtin_wave(id, wave, 0.0f);
        EXPECT_TRUE(wave.empty()) << "id " << id;
    }
    // An id outside the table gives the lowest id's wave.
    std::vector<int16> sine;
    store.get_builtin_wave(0, sine, 0.0f);
    store.get_builtin_wave(-3, wave, 0.0f);
    EXPECT_EQ(wave, sine);
}

TEST(DrvWaveData, ChannelsStartWithTheStairAndResampleToTheDdsLength)
{
    drv_wave_data_vextral_t store;
    const std::vector<int16> stair = read_samples(fs::path(DRV_WAVE_DIR) / "2_stairup_ram.bin");
    std::vector<int16> wave;
    for (int32 ch : {0, 1}) {
        store.get_arb_wave(ch, 1, wave);
        EXPECT_EQ(wave, stair);
        EXPECT_EQ(store.get_wave_len(ch, 1), 16384);
        EXPECT_EQ(store.get_wave_len(ch, 0), 16384);
        EXPECT_EQ(store.get_wave_len(ch, 2), 1);
    }
    // A short channel wave comes back at the DDS length in mode 0; other modes leave out.
    write_bytes("short.bin", 2 * 3000);
    ASSERT_EQ(store.load_user_wave_file(1, "short.bin"), 1);
    EXPECT_EQ(store.get_wave_len(1, 1), 3000);
    store.get_arb_wave(1, 0, wave);
    EXPECT_EQ(wave.size(), 16384u);
    std::vector<int16> expected;
    const std::vector<int16> short_wave = read_samples("short.bin");
    store.resample(16384, short_wave, expected);
    EXPECT_EQ(wave, expected);
    wave.assign(2, 9);
    store.get_arb_wave(1, 3, wave);
    EXPECT_EQ(wave, (std::vector<int16>{9, 9}));

    store.get_resampled_wave_by_name("2_stairup_ram.bin", 4096, wave);
    ASSERT_EQ(wave.size(), 4096u);
    for (std::size_t i = 0; i < wave.size(); ++i)
        ASSERT_EQ(wave[i], stair[4 * i]) << i;
}

TEST(DrvWaveData, ReadsWaveFilesWithinTheLimitAndKeepsOutOnFailure)
{
    drv_wave_data_vextral_t store;
    write_bytes("odd.bin", 32769);
    write_bytes("full.bin", 32768);
    write_bytes("long.bin", 32770);
    write_bytes("empty.bin", 0);
    fs::create_directories("folder.bin");
    struct read_case_t
    {
        const char *path;
        int32 result;
        std::size_t samples; // size of out afterwards (3 = untouched)
    };
    const read_case_t cases[] = {
        {"odd.bin", 1, 16384},         // the trailing byte is ignored
        {"full.bin", 1, 16384},
        {"long.bin", -10, 3},          // 16385 samples on the module
        {"empty.bin", 1, 0},
        {"missing.bin", -13, 3},
        {"folder.bin", -13, 3},        // opens on Linux, but is no wave
        {"", -13, 3},
    };
    for (const read_case_t &c : cases) {
        std::vector<int16> out{4, 5, 6};
        EXPECT_EQ(store.read_wave_file(c.path, out), c.result) << c.path;
        EXPECT_EQ(out.size(), c.samples) << c.path;
    }
    std::vector<int16> out;
    store.read_wave_file("odd.bin", out);
    EXPECT_EQ(out, read_samples("full.bin"));
    EXPECT_EQ(out[0], 0x0201);

    // A user wave that fails leaves the channel's wave as it was.
    std::vector<int16> before;
    store.get_arb_wave(0, 1, before);
    EXPECT_EQ(store.load_user_wave_file(0, "long.bin"), -10);
    EXPECT_EQ(store.load_user_wave_file(0, "missing.bin"), -13);
    store.get_arb_wave(0, 1, out);
    EXPECT_EQ(out, before);
}

TEST(DrvWaveData, NamesOutsideTheStoreComeFromTheUserFolder)
{
    drv_wave_data_vextral_t store;
    fs::create_directories("usr/usr");
    write_bytes("usr/usr/mine.bin", 10, 3);
    std::vector<int16> out{1};
    EXPECT_EQ(store.get_wave_data_by_name("mine.bin", out), 1);
    EXPECT_EQ(out, read_samples("usr/usr/mine.bin"));
    out.assign(3, 1);
    EXPECT_EQ(store.get_wave_data_by_name("absent.bin", out), -12);
    EXPECT_TRUE(out.empty());
    // What the user folder gave is not kept: a removed file is gone for the store too.
    fs::remove("usr/usr/mine.bin");
    EXPECT_EQ(store.get_wave_data_by_name("mine.bin", out), -12);
}

TEST(DrvWaveData, StartUpLeavesBadFilesEmptyAndTakesTheBaseLimit)
{
    const fs::path dir = copy_wave_set("waves");
    fs::remove(dir / "5_ppulse_ram.bin");
    fs::remove(dir / "6_npulse_ram.bin");
    fs::create_directories(dir / "6_npulse_ram.bin");
    write_bytes(dir / "7_trapezia_ram.bin", 32769, 11);
    // Longer than the module's limit: start-up still takes it (the base class's limit).
    write_bytes(dir / "8_upramp_ram.bin", 2 * 20000, 5);
    // A resource wave is never read from a file: this one would differ if it were.
    write_bytes(dir / "wave_Runt_16k.bin", 64, 9);

    auto store = store_over(dir);
    std::vector<int16> out{1, 2};
    struct entry_case_t
    {
        const char *name;
        std::size_t samples;
    };
    const entry_case_t entries[] = {
        {"5_ppulse_ram.bin", 0},
        {"6_npulse_ram.bin", 0},
        {"7_trapezia_ram.bin", 16384},
        {"8_upramp_ram.bin", 20000},
        {"9_dnramp_ram.bin", 16384},
        {"wave_Runt_16k.bin", 16384},
    };
    for (const entry_case_t &c : entries) {
        out.assign(2, 1);
        EXPECT_EQ(store->get_wave_data_by_name(c.name, out), 1) << c.name;
        EXPECT_EQ(out.size(), c.samples) << c.name;
    }
    store->get_wave_data_by_name("7_trapezia_ram.bin", out);
    const std::vector<int16> odd = read_samples(dir / "7_trapezia_ram.bin");
    EXPECT_EQ(out, odd);

    // After construction the module's limit holds.
    write_bytes("big.bin", 2 * 16385);
    EXPECT_EQ(store->get_max_wave_len(), 16384);
    EXPECT_EQ(store->read_wave_file("big.bin", out), -10);
    EXPECT_EQ(out, odd);
}

TEST(DrvWaveData, HiddenResourceLeavesItsWaveEmpty)
{
    drv_wave_data_hide_resource(117, true);
    drv_wave_data_vextral_t store;
    drv_wave_data_hide_resource(117, false);
    std::vector<int16> out{1};
    EXPECT_EQ(store.get_wave_data_by_name("wave_Runt_16k.bin", out), 1);
    EXPECT_TRUE(out.empty());
    store.get_wave_data_by_name("wave_Seq_16k.bin", out);
    EXPECT_EQ(out.size(), 16384u);

    // Direct lookups: an absent id and a hidden one fail with out untouched.
    out.assign(3, 4);
    EXPECT_EQ(store.load_resource_wave(110, out), static_cast<int32>(0x80070006u));
    drv_wave_data_hide_resource(109, true);
    EXPECT_EQ(store.load_resource_wave(109, out), static_cast<int32>(0x80070006u));
    drv_wave_data_hide_resource(109, false);
    EXPECT_EQ(out, (std::vector<int16>{4, 4, 4}));
    EXPECT_EQ(store.load_resource_wave(109, out), 0);
    EXPECT_EQ(out.size(), 16384u);
}

TEST(DrvWaveData, AbsolutePathUsesTheWorkingDirectory)
{
    std::string path = "a.bin";
    drv_add_absolute_path(path);
    EXPECT_EQ(path, fs::current_path().string() + "/config/arb/a.bin");
}
