#include "lib_number_text.h"
#include "lib_sample_conv.h"
#include "test_comma_locale.h"

#include <cmath>
#include <vector>
#include <gtest/gtest.h>

TEST(SampleConversion, SampleToVolt)
{
    struct c_t { short s; float amp, off, volts; };
    const c_t cases[] = {
        {32767, 2.0f, 0.0f, 1.0f}, {-32767, 2.0f, 0.0f, -1.0f}, {0, 2.0f, 0.5f, 0.5f},
        {32767, 10.0f, -1.0f, 4.0f}, {0, 0.0f, 0.25f, 0.25f},
    };
    for (const c_t &c : cases)
        EXPECT_FLOAT_EQ(sample_to_volt(c.s, c.amp, c.off), c.volts) << c.s;
}

TEST(SampleConversion, VoltToSampleTruncatesAndSaturates)
{
    struct c_t { float volts, amp, off; short s; };
    const c_t cases[] = {
        {1.0f, 2.0f, 0.0f, 32767},   {0.99999f, 2.0f, 0.0f, 32766}, {-0.5f, 2.0f, 0.0f, -16383},
        {5.0f, 2.0f, 0.0f, 32767},   {-5.0f, 2.0f, 0.0f, -32768},   {NAN, 2.0f, 0.0f, 0},
        {1.0f, 0.0f, 0.0f, 0},       {1e30f, 1e-30f, 0.0f, 32767},
    };
    for (const c_t &c : cases)
        EXPECT_EQ(volt_to_sample(c.volts, c.amp, c.off), c.s) << c.volts << " " << c.amp;
    EXPECT_FLOAT_EQ(volt_to_sample_f(0.25f, 2.0f, 0.0f), 32767.0f * 0.25f);
    EXPECT_EQ(volt_to_sample_f(0.25f, 0.0f, 0.0f), 0.0f);
}

TEST(SampleConversion, BlockConversionGivesVoltToSampleForEveryValue)
{
    // Every sample's own volts and their float neighbours sit on or next to an integer
    // quotient, where the block conversion must fall back to the exact one; random volts
    // and the special values cover the rest.
    const float windows[][2] = {{2.0f, 0.0f},   {1.5f, 0.25f},  {0.003f, -7.0f},
                                {1e-30f, 0.0f}, {-2.0f, 0.5f}, {0.0f, 1.0f}};
    std::vector<float> v;
    unsigned seed = 1;
    for (const auto &w : windows) {
        v.clear();
        for (int s = -32768; s <= 32767; s += 3) {
            const float x = sample_to_volt(static_cast<short>(s), w[0], w[1]);
            v.insert(v.end(), {x, std::nextafter(x, INFINITY), std::nextafter(x, -INFINITY)});
        }
        for (int i = 0; i < 100000; ++i) {
            seed = seed * 1103515245u + 12345u;
            v.push_back(w[1] + w[0] * ((seed >> 8) / 16777216.0f * 3.0f - 1.5f));
        }
        v.insert(v.end(), {NAN, INFINITY, -INFINITY, 3e38f, -3e38f, 0.0f, -0.0f});
        std::vector<short> block(v.size());
        volts_to_samples(v.data(), block.data(), v.size(), w[0], w[1]);
        for (std::size_t i = 0; i < v.size(); ++i)
            ASSERT_EQ(block[i], volt_to_sample(v[i], w[0], w[1])) << v[i] << " in " << w[0] << ", " << w[1];
    }
}

TEST(SampleConversion, Int16Saturation)
{
    EXPECT_EQ(lib_to_int16_sat(1e300), 32767);
    EXPECT_EQ(lib_to_int16_sat(-1e300), -32768);
    EXPECT_EQ(lib_to_int16_sat(-2.9), -2);
    EXPECT_EQ(lib_to_int16_sat(NAN, -32768), -32768);
    EXPECT_EQ(lib_round_to_int16_sat(2.5), 3);
    EXPECT_EQ(lib_round_to_int16_sat(-2.5), -3);
    EXPECT_EQ(lib_round_to_int16_sat(INFINITY), 32767);
}

TEST(NumberText, GeneralNotation)
{
    EXPECT_EQ(number_to_string(0.1), "0.1");
    EXPECT_EQ(number_to_string(1e20), "1e+20");
    EXPECT_EQ(number_to_string(1000.0), "1000");
    EXPECT_EQ(number_to_string(0.1f), "0.1");
    EXPECT_EQ(number_to_string(1234567.0f), "1.23457e+06");
    EXPECT_EQ(number_to_string(-5), "-5");
    EXPECT_EQ(string_to_number<double>(" 2.5V"), 2.5);
    EXPECT_EQ(string_to_number<double>("x"), 0.0);
    EXPECT_EQ(string_to_number<int>("42abc"), 42);
    EXPECT_EQ(string_to_number<int>(""), 0);
}

// Instrument commands take decimal points whatever the user's locale says.
TEST(NumberText, DecimalPointUnderACommaLocale)
{
    test_comma_locale_t comma;
    if (!comma.ok())
        GTEST_SKIP() << test_comma_locale_t::missing;
    EXPECT_EQ(number_to_string(0.1), "0.1");
    EXPECT_EQ(number_to_string(1000.0), "1000");
    EXPECT_EQ(number_to_string(1234567.0), "1234567");
    EXPECT_EQ(number_to_string(2.5f), "2.5");
    EXPECT_EQ(string_to_number<double>("2.5"), 2.5);
    EXPECT_EQ(string_to_number<int>("1000"), 1000);
}

TEST(SampleConversion, IntSaturation)
{
    EXPECT_EQ(lib_to_int_sat(1e300), 2147483647);
    EXPECT_EQ(lib_to_int_sat(-1e300), -2147483647 - 1);
    EXPECT_EQ(lib_to_int_sat(NAN), 0);
    EXPECT_EQ(lib_to_int_sat(20971520.9), 20971520);
    EXPECT_EQ(lib_to_int_sat(-3.7), -3);
}
