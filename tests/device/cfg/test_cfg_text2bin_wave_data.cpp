// The text-export import: forms told by their keywords, values taken from the right
// field, scaling to int16 and the 16384-sample output file. Expected files of the
// realistic exports come from data/gen_text_import.py.
#include "cfg_text2bin_wave_data.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

const std::string out_suffix = "\\test.bin";

void write_text(const fs::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string read_bytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<int16> read_samples(const fs::path &path)
{
    const std::string bytes = read_bytes(path);
    std::vector<int16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

fs::path data_dir()
{
    return fs::path(test_source_path("tests/device/cfg/data"));
}

// Converts text (written as in.csv) through folder "out"; the samples written, or none.
struct conversion_t
{
    std::string out_name;
    std::vector<int16> samples;
};

conversion_t convert_text(const std::string &text, const std::string &file = "in.csv")
{
    write_text(file, text);
    conversion_t result;
    cfg_text2bin_wave_data_t().convert(file, "out", result.out_name);
    if (!result.out_name.empty())
        result.samples = read_samples(result.out_name);
    return result;
}

std::string lines(const std::vector<std::string> &rows)
{
    std::string text;
    for (const std::string &row : rows)
        text += row + "\n";
    return text;
}
} // namespace

TEST(CfgText2binWaveData, ExportsConvertToTheReferenceFiles)
{
    const struct
    {
        const char *file;
        text_wave_format_t form;
    } cases[] = {
        {"amplitude_crlf.csv", TEXT_FMT_AMPLITUDE}, {"data_form.csv", TEXT_FMT_DATA},
        {"duvarn_ampl.dat", TEXT_FMT_DUVARN_AMPL},  {"duvarn.dat", TEXT_FMT_DUVARN},
        {"record.csv", TEXT_FMT_RECORD},
    };
    // A folder text with blanks and shell characters is used unchanged.
    const std::string dir = "wave dir;$(x)&";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        fs::copy_file(data_dir() / c.file, c.file, fs::copy_options::overwrite_existing);
        EXPECT_EQ(cfg_text2bin_wave_data_t().detect_format(c.file), c.form);
        std::string out_name = "before";
        EXPECT_EQ(cfg_text2bin_wave_data_t().convert(c.file, dir, out_name), 0);
        EXPECT_EQ(out_name, dir + out_suffix);
        const std::string got = read_bytes(out_name);
        const std::string want = read_bytes(data_dir() / (std::string(c.file) + ".bin"));
        ASSERT_EQ(got.size(), 32768u);
        ASSERT_EQ(want.size(), 32768u);
        for (std::size_t i = 0; i < got.size(); i += 2)
            ASSERT_EQ(got.substr(i, 2), want.substr(i, 2)) << "sample " << i / 2;
    }
}

TEST(CfgText2binWaveData, FormsAreToldByCaseSensitiveKeywords)
{
    const struct
    {
        const char *name;
        std::string text;
        text_wave_format_t form;
    } cases[] = {
        {"record first line", lines({"Record Length,2500,,-0.000005,0.02"}), TEXT_FMT_RECORD},
        {"data anywhere in key", lines({"  Time data  ,x", "a,1", "b,2", "c,3", "d,4"}), TEXT_FMT_DATA},
        {"record as last header text", lines({"data", "a,1", "b,Record"}), TEXT_FMT_RECORD},
        {"amplitude", lines({"Amplitude"}), TEXT_FMT_AMPLITUDE},
        {"duvarn with ampl", lines({"DUVARN", "x", "Amplitude"}), TEXT_FMT_DUVARN_AMPL},
        {"duvarn tests only field 0", lines({"DUVARN", "x", "Time,Ampl"}), TEXT_FMT_DUVARN},
        {"duvarn with empty line 3", lines({"DUVARN Ampl", "x", ""}), TEXT_FMT_DUVARN_AMPL},
        {"capital DATA", lines({"DATA,1"}), TEXT_FMT_NONE},
        {"lower amplitude", lines({"amplitude"}), TEXT_FMT_NONE},
        {"empty first line", lines({"", "Amplitude"}), TEXT_FMT_NONE},
        {"empty file", "", TEXT_FMT_NONE},
        {"crlf keyword", "Amplitude\r\n1\r\n", TEXT_FMT_AMPLITUDE},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write_text("form.csv", c.text);
        EXPECT_EQ(cfg_text2bin_wave_data_t().detect_format("form.csv"), c.form);
    }
    EXPECT_EQ(cfg_text2bin_wave_data_t().detect_format("missing.csv"), TEXT_FMT_NONE);
}

TEST(CfgText2binWaveData, DataFormTakesThreeHeaderValuesFromNonEmptyLines)
{
    // Line 3 is empty and line 4 has no field 1: neither takes a slot.
    write_text("h.csv", lines({"Time data", "a, 2.5 ", "", "b", "c,7", "d,9"}));
    cfg_text2bin_wave_data_t reader;
    EXPECT_EQ(reader.detect_format("h.csv"), TEXT_FMT_DATA);
    double a = 0, b = 0, c = 0;
    reader.get_header_values(&a, &b, &c);
    EXPECT_EQ(a, 2.5);
    EXPECT_EQ(b, 7.0);
    EXPECT_EQ(c, 0.0);
}

TEST(CfgText2binWaveData, ValuesScaleAgainstThePeak)
{
    const struct
    {
        const char *name;
        std::vector<std::string> rows;
        std::vector<int16> head;
    } cases[] = {
        {"mixed signs", {"Amplitude", "0.5", "-1.0", "0.25"}, {16383, -32767, 8191, 0}},
        {"all positive", {"Amplitude", "1.0", "2.0", "1.5"}, {16383, 32767, 24575, 0}},
        {"only zeros", {"Amplitude", "0", "0.0", "-0"}, {0, 0, 0, 0}},
        {"no number gives 0", {"Amplitude", "abc", "2", "1.5volt"}, {0, 32767, 24575, 0}},
        {"non-finite gives 0", {"Amplitude", "nan", "inf", "-1e300", "4"}, {0, 0, 0, 32767}},
        {"blank-led and signed", {"Amplitude", "  +2", "\t-1", "+-1"}, {32767, -16383, 0, 0}},
        {"empty lines give nothing", {"Amplitude", "", "1", "", "-1"}, {32767, -32767, 0, 0}},
        {"short record line", {"Record,1,2,3,0.5", ",,,9", ",,,,1"}, {16383, 32767, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const conversion_t r = convert_text(lines(c.rows));
        ASSERT_EQ(r.out_name, "out" + out_suffix);
        ASSERT_EQ(r.samples.size(), 16384u);
        EXPECT_EQ(std::vector<int16>(r.samples.begin(), r.samples.begin() + 4), c.head);
        EXPECT_EQ(std::count(r.samples.begin() + 4, r.samples.end(), 0), 16380);
    }
}

TEST(CfgText2binWaveData, NumbersReadAsTheCRuntimeReadsThem)
{
    // Decimal texts of many shapes, each read as strtod reads it and narrowed to float
    // (values beyond the float range count as 0).
    std::vector<std::string> texts = {"1", "-0", "0.000", "00012.5000", "1e5", "1E-5", "2.5e", "3.e2", ".25",
                                      "123456789012345678901234", "0.1000000000000000055511151231257827",
                                      "9007199254740993", "1e22", "1e23", "4.9e-324", "1e-30", "12abc", "0x1p3",
                                      "1e39", "-2.5e-", "7e+", " \t 42", "0.30000001192092896"};
    unsigned seed = 7;
    char text[64];
    const char *formats[] = {"%.6e", "%.17g", "%f", "%g", "%.9f", "%+.3E", "%.8g"};
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double v = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * std::pow(10.0, (seed % 41) - 20.0);
        std::snprintf(text, sizeof text, formats[i % 7], v);
        texts.push_back(text);
    }
    std::string file = "Amplitude\n";
    for (const std::string &t : texts)
        file += t + "\n";
    write_text("numbers.csv", file);
    cfg_text2bin_wave_data_t reader;
    std::vector<float> buf(texts.size() + 1, -7.0f);
    reader.read_values("numbers.csv", buf.data(), static_cast<u32>(texts.size()), TEXT_FMT_AMPLITUDE);
    ASSERT_EQ(reader.point_count, texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        float want = static_cast<float>(std::strtod(texts[i].c_str(), nullptr));
        if (!std::isfinite(want))
            want = 0.0f;
        ASSERT_EQ(std::memcmp(&buf[i], &want, sizeof want), 0) << texts[i] << " read " << buf[i] << " want " << want;
    }
    EXPECT_EQ(buf[texts.size()], -7.0f);
}

TEST(CfgText2binWaveData, LongExportsKeepTheirFirstSamplesAndThePeakOfAll)
{
    // 20000 values: the first 16384 are written, scaled against the peak at value 20000.
    std::string text = "Amplitude\n";
    for (int i = 0; i < 19999; ++i)
        text += "0.5\n";
    text += "-2\n";
    const conversion_t r = convert_text(text);
    ASSERT_EQ(r.samples.size(), 16384u);
    EXPECT_EQ(std::count(r.samples.begin(), r.samples.end(), 8191), 16384);
}

TEST(CfgText2binWaveData, LinesOf100CharactersEndTheReading)
{
    const std::string line99 = "1" + std::string(98, ' ');
    const std::string line100 = "3" + std::string(99, ' ');
    // A 99-character line is whole; the next lines are read.
    conversion_t r = convert_text(lines({"Amplitude", line99, "2"}));
    EXPECT_EQ(std::vector<int16>(r.samples.begin(), r.samples.begin() + 3), (std::vector<int16>{16383, 32767, 0}));
    // A longer line gives its first 99 characters, and nothing after it is read.
    r = convert_text(lines({"Amplitude", "1", line100, "8"}));
    EXPECT_EQ(std::vector<int16>(r.samples.begin(), r.samples.begin() + 3), (std::vector<int16>{10922, 32767, 0}));
    // A header line that long leaves only empty lines: the file is all zeros.
    r = convert_text(lines({"Amplitude" + std::string(95, ' '), "5"}));
    ASSERT_EQ(r.samples.size(), 16384u);
    EXPECT_EQ(std::count(r.samples.begin(), r.samples.end(), 0), 16384);
}

TEST(CfgText2binWaveData, NothingIsWrittenOrNamedWithoutAForm)
{
    const struct
    {
        const char *name;
        std::string path;
    } cases[] = {{"empty path", ""}, {"missing file", "missing.csv"}, {"no keyword", "plain.csv"}};
    write_text("plain.csv", lines({"1", "2"}));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::string out_name = "kept";
        EXPECT_EQ(cfg_text2bin_wave_data_t().convert(c.path, "out", out_name), 0);
        EXPECT_EQ(out_name, "kept");
        EXPECT_FALSE(fs::exists("out" + out_suffix));
    }
}

TEST(CfgText2binWaveData, AFailedWriteKeepsTheOlderFileAndNamesNothing)
{
    write_text("in.csv", lines({"Amplitude", "1"}));
    std::string out_name;
    cfg_text2bin_wave_data_t().convert("in.csv", "no such folder/sub", out_name);
    EXPECT_EQ(out_name, "");

    // A full disk, as a file size limit: the stale file stays whole and unnamed.
    write_text("out" + out_suffix, "stale");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved = {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = {1000, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    cfg_text2bin_wave_data_t().convert("in.csv", "out", out_name);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(out_name, "");
    EXPECT_EQ(read_bytes("out" + out_suffix), "stale");
    int files = 0;
    for (const auto &entry : fs::directory_iterator("."))
        files += entry.path().filename().string().rfind("out\\test.bin", 0) == 0 ? 1 : 0;
    EXPECT_EQ(files, 1);
}

TEST(CfgText2binWaveData, FieldsAndBlanks)
{
    const struct
    {
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}}, {"a,,c,", {"a", "", "c"}}, {",", {""}}, {"single", {"single"}}, {"", {}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> fields = {"old"};
        split_fields(fields, c.line);
        EXPECT_EQ(fields, c.fields) << c.line;
    }
    std::string s = "  a b \t ";
    EXPECT_EQ(trim_blanks(s), "a b \t");
    EXPECT_EQ(s, "a b \t");
    std::string blanks = "   ";
    EXPECT_EQ(trim_blanks(blanks), "");
}

TEST(CfgText2binWaveData, SampleTextAndConverterCodes)
{
    // A plain sample list: values truncated to their low 16 bits, then header values.
    std::string text;
    for (int i = 0; i < 16384; ++i)
        text += i == 0 ? "70000.9\n" : i == 1 ? "-3.7\n" : "\n";
    text += "1.5\n\n 2.5 \n3.5\n";
    write_text("samples.txt", text);
    cfg_text2bin_wave_data_t reader;
    std::vector<int16> out(16384, 99);
    EXPECT_EQ(reader.read_sample_text("samples.txt", out.data()), 0);
    EXPECT_EQ(out[0], static_cast<int16>(70000 & 0xffff));
    EXPECT_EQ(out[1], -3);
    EXPECT_EQ(out[2], 99);
    double a = 0, b = 0, c = 0;
    reader.get_header_values(&a, &b, &c);
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 2.5);
    EXPECT_EQ(c, 3.5);

    // Two values interpolate to a ramp over 16384 codes; the peak gives 8191.
    std::vector<float> buf(32769 + 16384, 0.0f);
    buf[0] = -1.0f;
    buf[1] = 1.0f;
    cfg_text2bin_wave_data_t codes;
    codes.point_count = 2;
    codes.max_value = 1.0;
    codes.min_value = -1.0;
    std::vector<u16> dac(16384);
    EXPECT_EQ(codes.to_dac_codes(dac.data(), buf.data()), 0);
    EXPECT_EQ(dac[0], 0x2000);
    EXPECT_EQ(dac[8192], 8191);
    EXPECT_EQ(dac[16383], 8191);
    EXPECT_EQ(dac[2048], (-4096) & 0x3fff);

    // Decimation samples every step-th value.
    std::vector<float> many(40000);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = static_cast<float>(i);
    EXPECT_EQ(cfg_text2bin_wave_data_t::resample(many.data(), 40000, many.data()), 0);
    EXPECT_EQ(many[3], 6.0f);
    EXPECT_EQ(many[16383], 32766.0f);
}
