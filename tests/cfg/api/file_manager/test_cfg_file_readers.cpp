#include "cfg_csv_main.h"
#include "cfg_dat_main.h"
#include "cfg_file_main.h"
#include "cfg_outside_file.h"
#include "file_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using samples_t = std::vector<short int>;

struct open_result_t
{
    int rc;
    samples_t samples;
    float high, low, freq, phase, record_amp, record_offset;
    uint32 points;
};

open_result_t open_file(const std::string &path)
{
    test_wave_t wave;
    cfg_file_main_t file(path);
    open_result_t r;
    r.rc = file.open_outside_file(path, *wave.get_wv_data());
    r.samples = samples_of(*wave.get_wv_data());
    r.high = *file.reader->get_high();
    r.low = *file.reader->get_low();
    r.freq = *file.reader->get_freq();
    r.phase = *file.reader->get_phase();
    r.points = *file.reader->get_points();
    r.record_amp = wave.get_wv_data()->amp;
    r.record_offset = wave.get_wv_data()->offset;
    return r;
}

TEST(CsvReader, AcceptsEachHeaderKeyWord)
{
    // The last one has bare LF lines; "Time,Ampl" stands after two other fields.
    const char *files[] = {"header_second_volt.csv", "header_xpos_value.csv", "header_time_ampl.csv",
                           "header_second_value_lf.csv", "last_row_without_lf.csv"};
    for (const char *name : files) {
        SCOPED_TRACE(name);
        open_result_t r = open_file(fixture(name));
        ASSERT_EQ(1, r.rc);
        EXPECT_EQ((samples_t{-32767, 0, 32767}), r.samples);
        EXPECT_EQ(3u, r.points);
        EXPECT_FLOAT_EQ(1.0f, r.high);
        EXPECT_FLOAT_EQ(-1.0f, r.low);
        EXPECT_FLOAT_EQ(1000.0f, r.freq);
        EXPECT_FLOAT_EQ(0.0f, r.phase);
        EXPECT_FLOAT_EQ(2.0f, r.record_amp);
        EXPECT_FLOAT_EQ(0.0f, r.record_offset);
    }
}

TEST(CsvReader, ValueColumnCountsTheFieldsBeforeTheKeyWord)
{
    cfg_csv_main_t reader;
    const std::string text = read_file(fixture("header_time_ampl.csv"));
    int column = 0;
    size_t pos = 0;
    EXPECT_EQ(3, reader.get_first_xpos_ypos(text, column, pos));
    EXPECT_EQ(3, column);
    EXPECT_EQ(text.find('\n'), pos);
}

TEST(CsvReader, TwoRowsGiveFullScaleBothWays)
{
    open_result_t r = open_file(fixture("two_rows.csv"));
    ASSERT_EQ(1, r.rc);
    EXPECT_EQ((samples_t{-32767, 32767}), r.samples);
}

TEST(CsvReader, ParameterLinesGiveLevelsFrequencyAndPhase)
{
    open_result_t r = open_file(fixture("parameters.csv"));
    ASSERT_EQ(1, r.rc);
    // offset + amp/2 is full scale.
    EXPECT_EQ((samples_t{32767, -32767, 0}), r.samples);
    EXPECT_FLOAT_EQ(3.0f, r.high);
    EXPECT_FLOAT_EQ(-1.0f, r.low);
    EXPECT_FLOAT_EQ(2500.0f, r.freq);
    EXPECT_FLOAT_EQ(90.0f, r.phase);
    EXPECT_FLOAT_EQ(4.0f, r.record_amp);
    EXPECT_FLOAT_EQ(1.0f, r.record_offset);
}

TEST(CsvReader, BareLfParameterLineLosesItsLastCharacter)
{
    open_result_t r = open_file(fixture("parameters_bare_lf.csv"));
    ASSERT_EQ(1, r.rc);
    EXPECT_FLOAT_EQ(200.0f, r.freq);
    EXPECT_FLOAT_EQ(90.0f, r.phase);
}

TEST(CsvReader, NonNumericParameterKeepsItsDefaultAndCountsAsMissing)
{
    // "amp,volts": amp stays 2.0, so the levels come from the values (0 to 4).
    test_wave_t wave;
    cfg_file_main_t file(fixture("parameter_not_a_number.csv"));
    ASSERT_EQ(1, file.open_outside_file(fixture("parameter_not_a_number.csv"), *wave.get_wv_data()));
    EXPECT_FLOAT_EQ(2.0f, *file.reader->get_amp());
    EXPECT_FLOAT_EQ(2500.0f, *file.reader->get_freq());
    EXPECT_FLOAT_EQ(4.0f, *file.reader->get_high());
    EXPECT_FLOAT_EQ(0.0f, *file.reader->get_low());
    EXPECT_EQ((samples_t{32767, -32767, 0}), samples_of(*wave.get_wv_data()));
}

TEST(CsvReader, LettersInAValueEndTheData)
{
    testing::internal::CaptureStdout();
    open_result_t r = open_file(fixture("bad_row.csv"));
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(1, r.rc);
    EXPECT_EQ((samples_t{32767, -32767}), r.samples);
    EXPECT_EQ(2u, r.points);
    EXPECT_NE(std::string::npos, out.find("+++cfg_csv_main_t::get_next_point():stof error!!\n"));
}

// A field is a number only when nothing but white space follows it, up to the next
// separator or the line end; a row with any other field before the value is malformed.
TEST(TextReader, FieldsAreWholeNumbersOrTheRowIsMalformed)
{
    struct
    {
        const char *name;
        const char *text;
        int rc;
        samples_t samples;
    } cases[] = {
        {"semicolons.csv", "xpos,value\r\n1;0,0200\r\n2;0,0300\r\n", -11, {}},
        {"semicolons_with_parameters.csv",
         "frequency,1000\r\namp,2\r\noffset,0\r\nphase,0\r\nxpos,value\r\n1;0,0200\r\n2;0,0300\r\n", -11, {}},
        {"unit_after_value.csv", "xpos,value\n1,0.5V\n2,-0.5V\n", -11, {}},
        {"letters_in_xpos.csv", "xpos,value\n1a,0.5\n2a,-0.5\n", -11, {}},
        {"space_and_cr_after.csv", "xpos,value\r\n1 ,1 \r\n2\t,-1\t\r\n", 1, {32767, -32767}},
        {"column_after_value.csv", "xpos,value,note\n1,1,a\n2,-1,b\n", 1, {32767, -32767}},
        {"empty_xpos.csv", "xpos,value\n,1\n,-1\n", 1, {32767, -32767}},
        {"bad_second_row.csv", "xpos,value\n1,1\n2,-1\n3;0,5\n4,0\n", 1, {32767, -32767}},
        {"unit_after_value.dat", "1 0.5V\n2 -0.5V\n", -11, {}},
        {"spaces.dat", "1  1 \n2  -1\n", 1, {32767, -32767}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write_file(c.name, c.text);
        testing::internal::CaptureStdout();
        open_result_t r = open_file(c.name);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(c.rc, r.rc);
        if (r.rc == 1)
            EXPECT_EQ(c.samples, r.samples);
        if (std::string(c.name).find("bad") != std::string::npos || r.rc != 1)
            EXPECT_NE(std::string::npos, out.find("+++cfg_csv_main_t::get_next_point():stof error!!\n"));
    }
}

TEST(CsvReader, FailuresReportTheirCodes)
{
    struct
    {
        const char *path;
        int rc;
    } cases[] = {
        {"one_row.csv", -11},
        {"no_key_word.csv", -13},
        {"not_there.csv", -13},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.rc, open_file(fixture(c.path)).rc);
    }
}

// Rows of 20 bytes after a 28-byte head put the cut of the first chunk into the
// digits of a value.
TEST(CsvReader, RowAcrossChunkBoundaryIsReadWhole)
{
    const size_t chunk = 20971720;
    const size_t head_bytes = 28;
    const size_t rows = (chunk - head_bytes) / 20 + 40;
    std::string text = "chunk boundary\r\nxpos,value\r\n";
    ASSERT_EQ(head_bytes, text.size());
    text.reserve(head_bytes + rows * 20);
    samples_t expected;
    expected.reserve(rows);
    char row[32];
    for (size_t i = 0; i < rows; ++i) {
        // Values from -1 to 1 in steps of 0.001: the levels are -1 and 1.
        int milli = static_cast<int>(i % 2001) - 1000;
        std::snprintf(row, sizeof row, "%08zu,%+.6f\r\n", i + 1, milli / 1000.0);
        text += row;
        float v = std::stof(row + 9);
        expected.push_back(static_cast<short int>(static_cast<int>(v * 32767.0f)));
    }
    const size_t straddler = (chunk - head_bytes) / 20;
    ASSERT_EQ(12u, (chunk - head_bytes) % 20); // the cut falls inside the value
    write_file("straddle.csv", text);

    open_result_t r = open_file("straddle.csv");
    ASSERT_EQ(1, r.rc);
    ASSERT_EQ(rows, r.samples.size());
    EXPECT_EQ(expected[straddler], r.samples[straddler]);
    EXPECT_EQ(expected, r.samples);
}

// The values one reader going line by line takes from a text that ends with a line
// feed, from the data position on.
std::vector<float> values_line_by_line(cfg_bin_main_t &reader, const std::string &text)
{
    int column = 0;
    size_t pos = 0;
    std::vector<float> values;
    if (reader.get_first_xpos_ypos(text, column, pos) < 0)
        return values;
    float v = 0.0f;
    while (reader.get_next_point(text, size_t(column), pos, v) != -1)
        values.push_back(v);
    return values;
}

// Texts of some megabytes are read in stretches in parallel: blank lines make a line
// run into the next, across the cuts too (long lines of spaces draw the cuts onto
// them), and a bad row in the third quarter ends the data there. Each must give what
// one reader going line by line gives.
TEST(TextReader, StretchesReadInParallelGiveTheValuesOfOneReader)
{
    static const char *const k_spaces = "                                                                                \n";
    struct case_t
    {
        const char *name;
        const char *head;
        const char *row; // index, value
        const char *blank;
        bool with_levels;
    } cases[] = {
        {"rows.csv", "amp,3\r\noffset,0.5\r\nfrequency,10\r\nphase,0\r\nxpos,value\r\n", "%zu,%.5f\r\n", "", true},
        {"blank_lines.csv", "amp,3\nfrequency,10\noffset,0.5\nphase,0\nxpos,value\n", "%zu,%.4f\n", k_spaces, true},
        {"no_parameters.csv", "Time,Ampl\n", "%zu,%.4f\n", k_spaces, false},
        {"space.dat", "", "%zu %.4f\n", "\n", false},
        {"header.dat", "xpos,value\r\n", "%zu,%.3f\r\n", "", false},
    };
    for (const case_t &c : cases) {
        for (bool bad_row : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (bad_row ? " with a bad row" : ""));
            std::string text = c.head;
            const size_t rows = 200000;
            char row[64];
            for (size_t i = 0; i < rows; ++i) {
                const double v = std::sin(double(i) * 0.001) * 1.5 + 0.5;
                std::snprintf(row, sizeof row, c.row, i + 1, v);
                text += (bad_row && i == rows * 3 / 4) ? std::string("x,1.0e\n") : std::string(row);
                if (i % 3 == 1)
                    text += c.blank;
            }
            ASSERT_GT(text.size(), size_t(2) << 20);
            const std::string path = std::string(bad_row ? "bad_" : "") + c.name;
            write_file(path, text);

            cfg_file_main_t file(path);
            const std::vector<float> want = values_line_by_line(*file.reader, text);
            ASSERT_EQ(want.size(), bad_row ? rows * 3 / 4 : rows);
            float high = *std::max_element(want.begin(), want.end());
            float low = *std::min_element(want.begin(), want.end());
            if (c.with_levels) {
                high = 2.0f;
                low = -1.0f;
            } else if (std::string(c.name).find(".dat") != std::string::npos) {
                high = std::max(high, 0.0f);
                low = std::min(low, 0.0f);
            }
            samples_t expected(want.size());
            cfg_convert_float2short_block(want.data(), want.size(), high, low, expected.data());

            testing::internal::CaptureStdout();
            open_result_t r = open_file(path);
            testing::internal::GetCapturedStdout();
            ASSERT_EQ(1, r.rc);
            EXPECT_EQ(want.size(), r.points);
            EXPECT_EQ(high, r.high);
            EXPECT_EQ(low, r.low);
            EXPECT_EQ(expected, r.samples);
        }
    }
}

// 20,971,520 values is the most a text file may hold; the count runs over all chunks.
TEST(CsvReader, ValueLimitCountsTheWholeFile)
{
    const size_t limit = 20971520;
    std::string text = "xpos,value\n";
    text.reserve(text.size() + (limit + 1) * 3);
    for (size_t i = 0; i < limit; ++i)
        text += (i % 2) ? ",1\n" : ",0\n";
    write_file("at_limit.csv", text);
    text += ",1\n";
    write_file("over_limit.csv", text);
    std::string().swap(text);

    open_result_t at = open_file("at_limit.csv");
    EXPECT_EQ(1, at.rc);
    EXPECT_EQ(limit, at.samples.size());
    EXPECT_EQ(-10, open_file("over_limit.csv").rc);
}

TEST(VoltsToSamples, OutOfRangeAndNanAreMarkedWithMinus32768)
{
    const std::vector<float> volts = {-1.0f, 1.0f, 0.0f, 0.5f, -1.00004f, -1.0001f, 2.0f, -40000.0f, NAN};
    std::vector<short int> out = {7};
    EXPECT_EQ(1, convert_float2short(volts, 1.0f, -1.0f, out));
    EXPECT_EQ((samples_t{-32767, 32767, 0, 16383, -32768, -32768, -32768, -32768, -32768}), out);
    EXPECT_EQ(1, convert_float2short({0.5f, 0.5f}, 0.5f, 0.5f, out));
    EXPECT_EQ((samples_t{-32768, -32768}), out);
}

TEST(DatReader, ReadsEachLayout)
{
    struct
    {
        const char *name;
        int separator;
    } cases[] = {
        {"space.dat", 2},
        {"tab.dat", 1},
        {"comma.dat", 3},
        {"one_column.dat", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        test_wave_t wave;
        cfg_file_main_t file(fixture(c.name));
        ASSERT_EQ(1, file.open_outside_file(fixture(c.name), *wave.get_wv_data()));
        EXPECT_EQ(c.separator, static_cast<cfg_dat_main_t *>(file.reader.get())->separator);
        EXPECT_EQ((samples_t{-32767, 0, 32767}), samples_of(*wave.get_wv_data()));
        EXPECT_EQ(3u, *file.reader->get_points());
        EXPECT_FLOAT_EQ(1000.0f, *file.reader->get_freq());
        EXPECT_FLOAT_EQ(2.0f, wave.get_wv_data()->amp);
        EXPECT_FLOAT_EQ(0.0f, wave.get_wv_data()->offset);
    }
}

TEST(DatReader, KeyWordHeaderReadsLikeCsvWithLevelsAroundZero)
{
    open_result_t r = open_file(fixture("header.dat"));
    ASSERT_EQ(1, r.rc);
    EXPECT_EQ((samples_t{32767, -32767}), r.samples);
    EXPECT_FLOAT_EQ(0.5f, r.high);
    EXPECT_FLOAT_EQ(-0.5f, r.low);
}

TEST(DatReader, LevelsAlwaysContainZeroVolts)
{
    open_result_t r = open_file(fixture("levels_above_zero.dat"));
    ASSERT_EQ(1, r.rc);
    EXPECT_FLOAT_EQ(2.0f, r.high);
    EXPECT_FLOAT_EQ(0.0f, r.low);
    EXPECT_EQ((samples_t{0, 16383, 32767}), r.samples);
}

TEST(DatReader, AllZeroValuesAreMarkedOutOfRange)
{
    open_result_t r = open_file(fixture("all_zero.dat"));
    ASSERT_EQ(1, r.rc);
    EXPECT_EQ((samples_t{-32768, -32768, -32768}), r.samples);
    EXPECT_FLOAT_EQ(0.0f, r.record_amp);
}

TEST(DatReader, FailuresReportTheirCodes)
{
    struct
    {
        const char *name;
        int rc;
    } cases[] = {
        {"letter_first.dat", -13},
        {"one_line.dat", -11},
        {"missing.dat", -13},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.rc, open_file(fixture(c.name)).rc);
    }
}

TEST(DatReader, FirstLineCheckNamesTheBadCharacter)
{
    cfg_dat_main_t reader;
    size_t pos = 7;
    testing::internal::CaptureStdout();
    EXPECT_EQ(-1, reader.check_format_vaild("12x 4\n", pos));
    EXPECT_EQ("check_format_vaild fail:c_num=120,ypos=2\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ(1, reader.check_format_vaild("1.5e-3\t4\r\n", pos));
    EXPECT_EQ(1, reader.separator);
    EXPECT_EQ(0u, pos);
}

TEST(BinReader, OddByteIsIgnoredAndLevelsAreFixed)
{
    write_file("seven.bin", std::string("\x01\x00\xff\x7f\x00\x80\x55", 7));
    write_file("empty.bin", "");
    struct
    {
        const char *name;
        samples_t samples;
    } cases[] = {
        {"seven.bin", {1, 32767, -32768}},
        {"empty.bin", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        open_result_t r = open_file(c.name);
        ASSERT_EQ(1, r.rc);
        EXPECT_EQ(c.samples, r.samples);
        EXPECT_EQ(c.samples.size(), r.points);
        EXPECT_FLOAT_EQ(3.0f, r.high);
        EXPECT_FLOAT_EQ(-3.0f, r.low);
        EXPECT_FLOAT_EQ(6.0f, r.record_amp);
        EXPECT_FLOAT_EQ(-3.0f, r.record_offset);
        EXPECT_FLOAT_EQ(1000.0f, r.freq);
    }
}

TEST(BinReader, MissingFileLeavesTheRecordAlone)
{
    test_wave_t wave;
    put_samples(*wave.get_wv_data(), {5, 6});
    cfg_file_main_t file("missing.bin");
    EXPECT_EQ(-13, file.open_outside_file("missing.bin", *wave.get_wv_data()));
    EXPECT_EQ((samples_t{5, 6}), samples_of(*wave.get_wv_data()));
}

TEST(FileKind, LastFourCharactersDecide)
{
    struct
    {
        const char *path;
        int kind;
    } cases[] = {
        {"a.csv", 0}, {"a.CSV", 0}, {".csv", 0},  {"a.Csv", 3}, {"x/y.dat", 1}, {"y.DAT", 1},
        {"y.bin", 2}, {"y.BIN", 2}, {"y.txt", 3}, {"csv", 3},   {"", 3},        {"a.csv.bak", 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.kind, get_outside_file_type(c.path)) << c.path;
}

TEST(FileFacade, UnsupportedKindIsRefusedWithAMessage)
{
    test_wave_t wave;
    cfg_file_main_t file("wave.txt");
    testing::internal::CaptureStdout();
    EXPECT_EQ(-12, file.open_outside_file("wave.txt", *wave.get_wv_data()));
    EXPECT_EQ(-12, file.save_outside_file("wave.Csv", &wave));
    EXPECT_EQ(-12, file.open_outside_file("csv", *wave.get_wv_data()));
    EXPECT_EQ("Not support outside file!\nNot support outside file!\nNot support outside file!\n",
              testing::internal::GetCapturedStdout());
}

TEST(FileFacade, ReaderKindFollowsTheConstructionPath)
{
    EXPECT_NE(nullptr, dynamic_cast<cfg_dat_main_t *>(cfg_file_main_t("a.dat").reader.get()));
    EXPECT_NE(nullptr, dynamic_cast<cfg_csv_main_t *>(cfg_file_main_t("a.csv").reader.get()));
    EXPECT_NE(nullptr, dynamic_cast<cfg_csv_main_t *>(cfg_file_main_t("a.bin").reader.get()));
    EXPECT_NE(nullptr, dynamic_cast<cfg_csv_main_t *>(cfg_file_main_t("a.txt").reader.get()));
}

TEST(FileFacade, DestructionLinesComeInOrder)
{
    testing::internal::CaptureStdout();
    {
        cfg_file_main_t file("a.csv");
    }
    EXPECT_EQ("++++++++cfg_file_main_t::~cfg_file_main_t()\n\n++++cfg_bin_main_t::~cfg_bin_main_t()\n",
              testing::internal::GetCapturedStdout());
}

TEST(ConvertToBin, WritesTheValuesAsRawSamples)
{
    cfg_file_main_t file(fixture("space.dat"));
    std::string out_name;
    ASSERT_EQ(1, file.load_outside_wave_data(fixture("space.dat"), ".", out_name));
    EXPECT_EQ("./space.bin", out_name);
    EXPECT_EQ(std::string("\x01\x80\x00\x00\xff\x7f", 6), read_file("space.bin"));
    EXPECT_EQ(-12, file.load_outside_wave_data(0, "wave.bin", "."));
    EXPECT_EQ(-13, file.load_outside_wave_data(0, fixture("letter_first.dat"), "."));
}

} // namespace
