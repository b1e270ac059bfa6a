// The arbitrary-wave selection of a channel: built-in index and user file, the names
// shown for them, a file that cannot be read, long paths with blanks, and the ".info"
// companion that changes nothing.
#include "cfg_bswv_main.h"
#include "cfg_fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace
{
// A user wave file of n samples in the working directory (a fresh one per test).
void write_wave(const std::string &path, size_t n)
{
    std::ofstream out(path, std::ios::binary);
    for (size_t i = 0; i < n; ++i)
    {
        const int16 v = static_cast<int16>(i * 7);
        out.write(reinterpret_cast<const char *>(&v), sizeof v);
    }
}
} // namespace

class CfgBswvArbSelect : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        b = cfg_get_bswv_main(0);
    }

    cfg_bswv_main_t *b = nullptr;
};

TEST_F(CfgBswvArbSelect, BuiltInIndexSelectsWhateverTheChannelPlays)
{
    ASSERT_EQ(b->get_wave_type(), 0);
    EXPECT_EQ(b->set_arb_wave(19), 1);
    EXPECT_EQ(b->get_arb_wave(), 19);
    EXPECT_EQ(b->get_arb_wave_source(), 0);
    EXPECT_EQ(b->get_wave_type(), 0);
    EXPECT_EQ(b->get_freq_raw().data, 1000.0L);
    EXPECT_EQ(b->get_arb_wave_display_name(), "gussian");
}

TEST_F(CfgBswvArbSelect, BuiltInNamesDropTheNumberExtensionAndRam)
{
    const std::vector<std::pair<int32, std::string>> cases = {
        {0, "sine"},          {2, "stairup"},      {19, "gussian"},   {74, "bandlimited"},
        {147, "square_duty01"}, {217, "Glitch_16k"}, {208, "sine_harmonic2_wave"},
    };
    for (const auto &c : cases)
    {
        b->set_arb_wave(c.first);
        EXPECT_EQ(b->get_builtin_arb_wave_name(), c.second) << c.first;
    }
}

TEST_F(CfgBswvArbSelect, UserFileByPathOfAnyLength)
{
    b->store_wave_type_raw(6);
    struct case_t
    {
        std::string dir;
        std::string file;
        std::string name;
    };
    // The long case: a 300-character path with blanks (one folder of 250 characters).
    const std::string long_dir = std::string(120, 'd') + " " + std::string(129, 'e');
    const std::vector<case_t> cases = {
        {"waves", "pulse3.bin", "pulse3"},
        {"my waves", ".x.bin", ".x"},
        {long_dir, std::string(300 - long_dir.size() - 5, 'w') + ".bin", std::string(300 - long_dir.size() - 5, 'w')},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.file);
        mkdir(c.dir.c_str(), 0700);
        const std::string path = c.dir + "/" + c.file;
        write_wave(path, 100);
        EXPECT_EQ(b->load_arb_wave_file(path), 1);
        EXPECT_EQ(b->get_arb_wave_source(), 1);
        EXPECT_EQ(b->get_arb_wave_path(), path);
        EXPECT_EQ(b->get_user_arb_wave_name(), c.name);
        EXPECT_EQ(b->get_arb_wave_display_name(), c.name);
    }
    EXPECT_EQ(cases[2].dir.size() + 1 + cases[2].file.size(), 300u);
}

TEST_F(CfgBswvArbSelect, FileThatCannotBeReadKeepsTheSelection)
{
    b->set_arb_wave(19);
    EXPECT_EQ(b->load_arb_wave_file("missing/none.bin"), -13);
    EXPECT_EQ(b->load_user_arb_wave(std::string(400, 'z') + ".bin"), -13);
    EXPECT_EQ(b->get_arb_wave(), 19);
    EXPECT_EQ(b->get_arb_wave_source(), 0);
    EXPECT_EQ(b->get_arb_wave_path(), "");
}

TEST_F(CfgBswvArbSelect, InfoCompanionChangesNothing)
{
    write_wave("x.bin", 64);
    {
        std::ofstream info("x.info");
        info << "amp:1.5\nfreq:5000\noffset:0.25\nphase:45\n";
    }
    write_wave("y.bin", 64);
    for (const char *path : {"x.bin", "y.bin", "noext"})
    {
        SCOPED_TRACE(path);
        if (std::string(path) == "noext")
            write_wave(path, 64);
        EXPECT_EQ(b->load_arb_wave_file(path), 1);
        EXPECT_EQ(b->get_ampl_raw().data, 4.0L);
        EXPECT_EQ(b->get_freq_raw().data, 1000.0L);
        EXPECT_EQ(b->get_offset_raw().data, 0.0L);
        EXPECT_EQ(b->get_phase_raw().data, 0.0L);
    }
}

TEST_F(CfgBswvArbSelect, CurrentNameByWaveType)
{
    b->set_arb_wave(0);
    b->store_wave_type_raw(6);
    EXPECT_EQ(b->get_current_arb_wave_name(), "sine");
    // The text is shared: a data pattern leaves the last one, a basic wave empties it.
    cfg_get_bswv_main(1)->store_wave_type_raw(12);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_current_arb_wave_name(), "sine");
    b->store_wave_type_raw(1);
    EXPECT_EQ(b->get_current_arb_wave_name(), "");
    b->store_wave_type_raw(6);
    b->get_current_arb_wave_name();
    b->store_wave_type_raw(12);
    EXPECT_EQ(b->get_current_arb_wave_name(), "sine");
}
