// The ".info" companion reader: reads report only whether the file opens, the CSV
// header reader needs both files, and the key parser rejects missing parts.
#include "cfg_wave_info.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

TEST(CfgWaveInfo, ReadsReportTheCompanionWithoutDeliveringValues)
{
    std::ofstream("w.info") << "amp:,3\n";
    cfg_wave_info_t present("w.info");
    cfg_wave_info_t missing("none.info");
    for (const std::string *key : {&present.amp_key, &present.freq_key, &present.offset_key, &present.phase_key}) {
        lib_unit_data_t out = {7.0L, 3, true};
        EXPECT_EQ(present.read_param(*key, &out), 0);
        EXPECT_EQ(out.data, 7.0L);
        EXPECT_EQ(out.unit, 3);
        EXPECT_EQ(missing.read_param(*key, &out), -13);
        EXPECT_EQ(present.write_param(*key, 1.0L), 0);
    }
    EXPECT_EQ(present.check_file(0, 0), 0);
    EXPECT_EQ(missing.check_file(0, 0), -13);
    EXPECT_EQ(present.root_key, "bin_info_root");
}

TEST(CfgWaveInfo, CsvHeaderNeedsACsvNameAReadableFileAndTheCompanion)
{
    std::ofstream("w.info") << "x";
    std::ofstream("w.csv") << "Time,Ampl\n";
    std::ofstream("w.csv.dat") << "1\n";
    std::ofstream("w.dat") << "1\n";
    std::ofstream("W.CSV") << "1\n";
    const struct
    {
        const char *path;
        const char *info;
        u32 result;
    } cases[] = {
        {"w.csv", "w.info", 1},       {"W.CSV", "w.info", 1},       {"w.csv.dat", "w.info", 1},
        {"w.dat", "w.info", 0},       {"gone.csv", "w.info", 0},    {"w.csv", "gone.info", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cfg_wave_info_t(c.info).read_csv_header(c.path), c.result) << c.path << " " << c.info;
}

TEST(CfgWaveInfo, KeyValueParsing)
{
    const struct
    {
        std::string text;
        std::string key;
        int32 result;
        float value;
    } cases[] = {
        {"name,x\nfrequency,1000\nampl,2", "frequency", 1, 1000.0f},
        {"frequency, 2.5", "frequency", 1, 2.5f},
        {"frequency 7\n", "frequency", -13, -1.0f},
        {"frequency,\nampl,2", "frequency", -13, -1.0f},
        {"ampl,2", "frequency", -13, -1.0f},
        // The first comma at or after the key counts, also on a later line.
        {"frequency\nx,4", "frequency", 1, 4.0f},
    };
    for (const auto &c : cases) {
        float out = -1.0f;
        EXPECT_EQ(cfg_wave_info_t::parse_key_value(c.text, c.key, &out), c.result) << c.text;
        EXPECT_EQ(out, c.value) << c.text;
    }
}

TEST(CfgWaveInfo, WaveNamesUpTo100Characters)
{
    const std::string n100(100, 'a');
    const std::string n101(101, 'a');
    EXPECT_EQ(cfg_copy_wave_names(0, n100, n100), 1);
    EXPECT_EQ(cfg_copy_wave_names(0, n101, ""), -13);
    EXPECT_EQ(cfg_copy_wave_names(0, "", n101), -13);
}
