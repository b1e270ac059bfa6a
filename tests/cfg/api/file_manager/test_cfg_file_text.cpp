#include "cfg_file_text.h"
#include "test_comma_locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(CfgParseFloat, ReadsNumbersTheWayStofDoes)
{
    const char *cases[] = {"+1",     " 2.5",   "1e",      "1e-50",     "1e40",      "abc",
                           "inf",    "nan",    ".5",      "-0",        "1.5x",      "\t-3.25\r",
                           "+-1",    "++1",    "-",       "+",         "",          "   ",
                           "0x1p3",  "-0x10",  "1e-40",   "1.4e-45",   "-1e-45",    "1.17549e-38",
                           "1.1754942e-38",    "3.4028235e38",        "3.4028236e38", "3.5e38",
                           "-3.5e38", "0",     "0.000",   "0e99",      "+.5",       "infinity",
                           "-INF",   "NaN",    "e5",      "5e+",       "1,5",       "0.500015\r",
                           "1e-38",  "+ 1",    "\v\f7",   "12345.677734", "-1.23457e-05"};
    for (const char *text : cases) {
        SCOPED_TRACE(std::string("text \"") + text + "\"");
        bool stof_ok = true;
        float expected = 0.0f;
        try {
            expected = std::stof(text);
        } catch (const std::invalid_argument &) {
            stof_ok = false;
        } catch (const std::out_of_range &) {
            stof_ok = false;
        }
        float got = 12.0f;
        bool ok = cfg_parse_float(text, text + std::strlen(text), got);
        ASSERT_EQ(stof_ok, ok);
        if (!ok)
            continue;
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(got));
        else
            EXPECT_EQ(0, std::memcmp(&expected, &got, sizeof got)) << expected << " vs " << got;
    }
}

// The user's locale never changes how a number is read: the texts that take the C
// library's path (hexadecimal, near underflow) included.
TEST(CfgParseFloat, DecimalCommaLocaleReadsTheSame)
{
    const char *cases[] = {"1.5e-38", "0x1.8p0", "-0x1.8p-3", "1.17549e-38", "2.5", "1,5", "1e-45"};
    std::vector<std::pair<bool, float>> in_c;
    for (const char *text : cases) {
        float v = 0.0f;
        const bool ok = cfg_parse_float(text, text + std::strlen(text), v);
        in_c.emplace_back(ok, v);
    }
    EXPECT_EQ(in_c[0], std::make_pair(true, 1.5e-38f));
    EXPECT_EQ(in_c[1], std::make_pair(true, 1.5f));
    test_comma_locale_t comma;
    if (!comma.ok())
        GTEST_SKIP() << test_comma_locale_t::missing;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i]);
        float v = 0.0f;
        const bool ok = cfg_parse_float(cases[i], cases[i] + std::strlen(cases[i]), v);
        EXPECT_EQ(in_c[i], std::make_pair(ok, v));
    }
}

TEST(CfgParseFloat, StopsAtTheEndOfTheRangeGiven)
{
    const char text[] = "12345";
    float v = 0.0f;
    ASSERT_TRUE(cfg_parse_float(text, text + 3, v));
    EXPECT_EQ(123.0f, v);
    EXPECT_FALSE(cfg_parse_float(text, text, v));
}

// A field is a number exactly when it is empty or its float reads, however long its run
// of digits: 39 nines no longer fit a float.
TEST(CfgParseFloat, NumberFieldIsAReadableFloatOrNothing)
{
    const std::string nines38(38, '9'), nines39(39, '9'), zeros(60, '0');
    const std::string cases[] = {"1",           "0",           "12345",        nines38,      nines39,
                                 "00" + nines38, zeros,         zeros + "1",    "1.5",         "12 ",
                                 " 12",         "12x",         "",             "  ",          "-3",
                                 "1e5",         "12;3",        "12,3",         "0" + nines38, "1\r"};
    for (const std::string &text : cases) {
        SCOPED_TRACE("field \"" + text + "\"");
        const char *first = text.data(), *last = text.data() + text.size();
        float v = 0.0f;
        bool blank = true;
        for (char c : text.substr(0, text.find(',')))
            blank = blank && (c == ' ' || c == '\t' || c == '\r');
        const bool expected = blank || cfg_parse_float_field(first, last, ',', v);
        EXPECT_EQ(expected, cfg_is_number_field(first, last, ','));
    }
    const std::string big = nines39 + ",1";
    EXPECT_FALSE(cfg_is_number_field(big.data(), big.data() + big.size(), ','));
    const std::string fits = nines38 + ",1";
    EXPECT_TRUE(cfg_is_number_field(fits.data(), fits.data() + fits.size(), ','));
}

TEST(CfgFormat, VoltsMatchPrintfG)
{
    const double cases[] = {0.0, -0.0, 0.5, -1.0, 1.0, 1.23456789e-05, 0.0001, 0.00009999996, 999999.4,
                            999999.5, 1e6, -123456789.0, 3.0517578125e-05, 1.0 / 3.0, 2.5e-300,
                            -3.4028234663852886e38, INFINITY, -INFINITY};
    for (double v : cases) {
        char want[64];
        std::snprintf(want, sizeof want, "%g", v);
        char got[CFG_NUMBER_TEXT_MAX];
        char *end = cfg_format_volt(got, v);
        EXPECT_EQ(std::string(want), std::string(got, end));
    }
}

TEST(CfgFormat, ParametersMatchPrintfFixed)
{
    const float cases[] = {0.0f, 1000.0f, 2.0f, -3.0f, 12345.678f, 33.3f, 1e-7f, -0.0000004f, 3.4028235e38f, 16384000.0f};
    for (float v : cases) {
        char want[128];
        std::snprintf(want, sizeof want, "%f", static_cast<double>(v));
        char got[CFG_NUMBER_TEXT_MAX];
        char *end = cfg_format_fixed6(got, v);
        EXPECT_EQ(std::string(want), std::string(got, end));
    }
}

} // namespace
