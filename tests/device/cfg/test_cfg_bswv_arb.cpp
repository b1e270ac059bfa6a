// The arbitrary wave: the selection between built-in and user waves, its limits, and
// the user-wave files handled in-process: the command lines are printed, the files are
// copied and removed, and nothing reaches the shell.
#include "cfg_bswv_arb.h"
#include "cfg_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

void write_file(const fs::path &path, const std::string &text)
{
    if (!path.parent_path().empty())
        fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string read_file(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
} // namespace

class CfgBswvArb : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        saved_root = cfg_bswv_arb_t::storage_root();
        root = (fs::current_path() / "U-disk0").string();
        cfg_bswv_arb_t::storage_root() = root;
        arb.init(0);
    }
    void TearDown() override { cfg_bswv_arb_t::storage_root() = saved_root; }

    void expect_no_shell()
    {
        for (const sim_op_t &op : sim.log())
            EXPECT_NE(op.kind, sim_op_kind_t::shell) << op.text;
    }

    cfg_bswv_arb_t arb;
    std::string root;
    std::string saved_root;
};

TEST_F(CfgBswvArb, SelectionSwitchesBetweenBuiltinAndUserWaves)
{
    EXPECT_EQ(arb.get_arb_current_wave(), 2);
    EXPECT_EQ(arb.get_arb_wave_source(), 0);
    EXPECT_EQ(arb.get_arb_wave_name(), "");
    EXPECT_EQ(arb.set_arb_wave_index(7), 1);
    EXPECT_EQ(arb.get_arb_current_wave(), 7);

    stdout_capture_t capture;
    // A path outside the removable storage is recorded, nothing copied; the driver
    // cannot open it and says so with -13.
    const int32 r = arb.load_user_arb_wave("C:\\waves\\w.bin");
    EXPECT_EQ(capture.finish(), "");
    EXPECT_EQ(r, -13);
    EXPECT_EQ(arb.get_arb_wave_name(), "C:\\waves\\w.bin");
    EXPECT_EQ(arb.get_arb_wave_source(), 1);
    // The last built-in index is kept for a switch back.
    EXPECT_EQ(arb.get_arb_current_wave(), 7);

    EXPECT_EQ(arb.set_builtin_arb_wave(4), 1);
    EXPECT_EQ(arb.get_arb_current_wave(), 4);
    EXPECT_EQ(arb.get_arb_wave_source(), 0);
    EXPECT_EQ(arb.get_arb_wave_name(), "");
}

TEST_F(CfgBswvArb, LimitsOnTheModule)
{
    EXPECT_EQ(arb.get_max_freq(1), 1e7L);
    EXPECT_EQ(arb.get_max_freq_by_ampl(20.0L), 1e7L);
    EXPECT_EQ(arb.get_max_sample_rate(), 0.0L);
    struct case_t
    {
        int32 run_mode;
        long double min_rate;
    };
    // The lowest frequency by run mode times the 16384 samples of the module's wave.
    const std::vector<case_t> cases = {{3, 0.0L}, {2, 0.002L * 16384}, {1, 0.0L}};
    for (const case_t &c : cases)
    {
        cfg_get_wv_main(0)->store_run_mode(c.run_mode);
        EXPECT_EQ(arb.get_min_sample_rate(0), c.min_rate) << c.run_mode;
    }
    // The rule follows the object's own channel, not channel 0.
    cfg_bswv_arb_t other;
    other.init(1);
    cfg_get_wv_main(0)->store_run_mode(2);
    cfg_get_wv_main(1)->store_run_mode(3);
    EXPECT_EQ(other.get_base_min_freq(), 0.0L);
}

TEST_F(CfgBswvArb, DeleteRemovesOnlyTheInfoBesideTheLastBin)
{
    struct case_t
    {
        std::string path;
        std::string printed;
        std::string removed;
    };
    const std::vector<case_t> cases = {
        {"a/b/wave.bin", "rm -f a/b/wave.info\n", "a/b/wave.info"},
        {"x.bin.bin", "rm -f x.bin.info\n", "x.bin.info"},
        {"my wave; touch pwned.bin", "rm -f my wave; touch pwned.info\n", "my wave; touch pwned.info"},
        {"plain.txt", "", ""},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.path);
        write_file(c.path, "samples");
        if (!c.removed.empty())
            write_file(c.removed, "info");
        stdout_capture_t capture;
        arb.delete_arb_wave_files(c.path);
        EXPECT_EQ(capture.finish(), c.printed);
        EXPECT_TRUE(fs::exists(c.path));
        if (!c.removed.empty())
            EXPECT_FALSE(fs::exists(c.removed));
    }
    EXPECT_FALSE(fs::exists("pwned.bin"));
    EXPECT_FALSE(fs::exists("touch"));
    expect_no_shell();
}

TEST_F(CfgBswvArb, UserWaveFromRemovableStorageIsCopiedAsAFile)
{
    const std::string name = "my wave;$(touch pwned).bin";
    const std::string source = root + "/" + name;
    write_file(source, "SAMPLES");
    fs::create_directories("usr/usr");
    write_file("usr/usr/my wave;$(touch pwned).info", "stale");
    stdout_capture_t capture;
    EXPECT_EQ(arb.load_user_arb_wave(source), 1);
    EXPECT_EQ(capture.finish(), "cp " + source + " usr/usr/" + name + "\nrm -f usr/usr/my wave;$(touch pwned).info\n");
    EXPECT_EQ(read_file("usr/usr/" + name), "SAMPLES");
    EXPECT_FALSE(fs::exists("usr/usr/my wave;$(touch pwned).info"));
    EXPECT_FALSE(fs::exists("pwned"));
    EXPECT_EQ(arb.get_arb_wave_name(), source);
    expect_no_shell();
}

TEST_F(CfgBswvArb, FailedCopyLeavesTheSelectionRecorded)
{
    struct case_t
    {
        std::string path;
        bool prints;
    };
    // A missing source, and a missing target folder, print the command and change
    // nothing else; a name without ".bin" or a shorter path is not copied at all.
    const std::vector<case_t> cases = {
        {root + "/gone.bin", true},
        {root + "/w.txt", false},
        {root.substr(0, root.size() - 1), false},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.path);
        stdout_capture_t capture;
        // None of the files exists: the driver's "cannot open" result comes back.
        const int32 r = arb.load_user_arb_wave(c.path);
        EXPECT_EQ(!capture.finish().empty(), c.prints);
        EXPECT_EQ(r, -13);
        EXPECT_EQ(arb.get_arb_wave_name(), c.path);
        EXPECT_EQ(arb.get_arb_wave_source(), 1);
    }
    EXPECT_FALSE(fs::exists("usr/usr/gone.bin"));
    expect_no_shell();
}
