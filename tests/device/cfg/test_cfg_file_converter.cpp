// The outside-file converters: the import road onto the channels (endings, tracking, a
// failed conversion) and the column readers of CSV and DAT files.
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_file_converter.h"
#include "cfg_fixture.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

void write_text(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<int16> read_samples(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::string numbered_lines(const std::string &header, int count, const std::string &prefix)
{
    std::string text = header;
    for (int i = 0; i < count; ++i)
        text += prefix + std::to_string(i % 7 - 3) + "\n";
    return text;
}
} // namespace

TEST(CfgFileConverter, KindsByExactEnding)
{
    const struct
    {
        const char *path;
        int32 kind;
    } cases[] = {
        {"a.csv", 0}, {"a.CSV", 0}, {"a.dat", 1}, {"a.DAT", 1}, {"a.Csv", 2},
        {"a.bin", 2}, {".csv", 0},  {"csv", 2},   {"", 2},      {"a.csv.bin", 2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(cfg_file_converter_t::get_file_kind(c.path), c.kind) << c.path;
}

TEST(CfgFileConverter, StemsOfPaths)
{
    EXPECT_EQ(cfg_outfile2bin_wave_data_main_t::get_file_stem("d/x/sine.old.csv"), "sine");
    EXPECT_EQ(cfg_outfile2bin_wave_data_main_t::get_file_stem("d/x/sine"), "");
    EXPECT_EQ(cfg_outfile2bin_wave_data_main_t::get_file_stem("d\\x.y\\sine.csv"), "d\\x");
}

class CfgFileConverterImport : public cfg_fixture_t
{
protected:
    void TearDown() override { cfg_get_couple()->set_track_en(0); }

    cfg_file_converter_t converter;
};

TEST_F(CfgFileConverterImport, TextExportsLoadOnTheChannelAndItsTracker)
{
    write_text("in.csv", "Amplitude\n1\n-1\n");
    write_text("in.Csv", "Amplitude\n1\n-1\n");
    write_text("plain.csv", "1\n-1\n");
    const struct
    {
        const char *name;
        const char *path;
        int32 tracking;
        int32 result;
        int32 type0;
        int32 type1;
    } cases[] = {
        {"csv without tracking", "in.csv", 0, 1, 6, 0},
        {"csv tracked from channel 0", "in.csv", 1, 1, 6, 6},
        {"mixed-case ending", "in.Csv", 0, -12, 0, 0},
        {"no form", "plain.csv", 1, 1, 0, 0},
        {"missing file", "gone.dat", 0, 1, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        cfg_get_bswv_main(0)->set_wave_type(0);
        cfg_get_bswv_main(1)->set_wave_type(0);
        fs::remove("wave dir\\test.bin");
        cfg_get_couple()->set_src_ch_raw(0);
        cfg_get_couple()->set_track_en(c.tracking);
        EXPECT_EQ(converter.load_outside_wave(0, c.path, "wave dir"), c.result);
        EXPECT_EQ(cfg_get_bswv_main(0)->get_wave_type(), c.type0);
        EXPECT_EQ(cfg_get_bswv_main(1)->get_wave_type(), c.type1);
        EXPECT_EQ(fs::exists("wave dir\\test.bin"), c.type0 == 6);
    }
}

TEST_F(CfgFileConverterImport, AFailedConversionLoadsNoStaleFile)
{
    write_text("in.csv", "Amplitude\n1\n-1\n");
    write_text("wave dir\\test.bin", std::string(32768, '\0'));
    cfg_get_bswv_main(0)->set_wave_type(0);
    // A full disk, as a file size limit: the converted file cannot be written.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved = {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = {1000, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_EQ(converter.load_outside_wave(0, "in.csv", "wave dir"), 1);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_wave_type(), 0);
    EXPECT_EQ(read_samples("wave dir\\test.bin"), std::vector<int16>(16384, 0));
}

TEST_F(CfgFileConverterImport, ColumnReaderFindsTheValueColumn)
{
    const struct
    {
        const char *name;
        const char *path;
        std::string text;
        int32 result;
        std::vector<int16> head;
        std::string printed;
    } cases[] = {
        {"csv xpos,value in column 3", "a.csv", numbered_lines("a,b,xpos,value\n", 10, "0,0,0,"), 1,
         {-32767, -21844, -10922, 0}, "csv: find_csv_data_pos_in_key_words_form:xpos=3,ypos=14\n"},
        {"csv Time,Ampl", "b.CSV", numbered_lines("Time,Ampl\n", 9, "0.1,"), 1, {-32767, -21844, -10922, 0},
         "csv: find_csv_data_pos_in_key_words_form:xpos=1,ypos=9\n"},
        {"csv without keys", "c.csv", numbered_lines("t,v\n", 10, "0,"), -13, {},
         "get_first_xpos_ypos::err header::\n"},
        {"dat space separated", "d.dat", "1.5 2.5\n" + numbered_lines("", 9, "0 "), 1, {27305, -32767, -21844, -10922},
         ""},
        {"dat single column", "e.DAT", numbered_lines("", 8, ""), 1, {-32767, -21844, -10922, 0}, ""},
        {"dat starting with a letter", "f.dat", "x 1\n" + numbered_lines("", 9, "0 "), -13, {},
         "check_format_vaild fail:c_num=120,ypos=0\nget_first_xpos_ypos::err header::\n"},
        {"seven values", "g.csv", numbered_lines("xpos,value\n", 7, "0,"), -11, {},
         "csv: find_csv_data_pos_in_key_words_form:xpos=1,ypos=10\n"},
        {"other ending", "h.txt", "1\n", -12, {}, "Not support outside file!\n"},
    };
    fs::create_directory("out");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write_text(c.path, c.text);
        std::string out_name;
        stdout_capture_t capture;
        EXPECT_EQ(converter.convert_outside_file(c.path, "out", out_name), c.result);
        EXPECT_EQ(capture.finish(), c.printed);
        if (c.result != 1) {
            EXPECT_EQ(out_name, "");
            continue;
        }
        const std::string stem = std::string(c.path).substr(0, 1);
        EXPECT_EQ(out_name, "out/" + stem + ".bin");
        const std::vector<int16> samples = read_samples(out_name);
        ASSERT_GE(samples.size(), c.head.size());
        EXPECT_EQ(std::vector<int16>(samples.begin(), samples.begin() + c.head.size()), c.head);
    }
}

TEST_F(CfgFileConverterImport, ColumnReaderTakesAtMostTheWaveStore)
{
    fs::create_directory("out");
    write_text("full.csv", numbered_lines("xpos,value\n", 16384, "0,"));
    write_text("over.csv", numbered_lines("xpos,value\n", 16385, "0,"));
    std::string out_name;
    stdout_capture_t capture;
    EXPECT_EQ(converter.convert_outside_file("full.csv", "out", out_name), 1);
    EXPECT_EQ(read_samples(out_name).size(), 16384u);
    out_name.clear();
    EXPECT_EQ(converter.convert_outside_file("over.csv", "out", out_name), -10);
    EXPECT_EQ(out_name, "");
    // A last line without a line feed gives no value.
    write_text("tail.csv", numbered_lines("xpos,value\n", 8, "0,") + "0,3");
    EXPECT_EQ(converter.convert_outside_file("tail.csv", "out", out_name), 1);
    EXPECT_EQ(read_samples(out_name).size(), 8u);
}
