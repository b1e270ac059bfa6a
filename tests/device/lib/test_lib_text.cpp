#include "lib_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

TEST(LibTextToValue, ReadsALeadingNumberAndIgnoresTheRest)
{
    const struct
    {
        const char *text;
        long double ldouble;
        int32 integer;
        uint16 u16;
        char first;
    } cases[] = {
        {"42abc", 42.0L, 42, 42, '4'},   {"abc", 0.0L, 0, 0, 'a'},         {" 2.5e3", 2500.0L, 2, 2, '2'},
        {"", 0.0L, 0, 0, '\0'},          {"   ", 0.0L, 0, 0, '\0'},        {"-7.25 x", -7.25L, -7, 0, '-'},
        {"65535", 65535.0L, 65535, 65535, '6'}, {"+3", 3.0L, 3, 3, '+'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(lib_text_to_ldouble(c.text), c.ldouble);
        EXPECT_EQ(lib_text_to_int(c.text), c.integer);
        if (c.integer >= 0) {
            EXPECT_EQ(lib_text_to_u16(c.text), c.u16);
        }
        EXPECT_EQ(lib_text_to_char(c.text), c.first);
    }
    // A text with a NUL inside ends at the std::string's length, never beyond it.
    const std::string inner("12\0" "34", 5);
    EXPECT_EQ(lib_text_to_int(inner), 12);
}

TEST(LibValueToText, NineSignificantDigitsInTheDefaultNotation)
{
    EXPECT_EQ(lib_ldouble_to_text(1.0L / 3.0L), "0.333333333");
    EXPECT_EQ(lib_ldouble_to_text(2.5L), "2.5");
    EXPECT_EQ(lib_ldouble_to_text(1e-12L), "1e-12");
    EXPECT_EQ(lib_ldouble_to_text(123456789012.0L), "1.23456789e+11");
    EXPECT_EQ(lib_float_to_text(1.0f / 3.0f), "0.333333343");
    EXPECT_EQ(lib_float_to_text(2.5f), "2.5");
    EXPECT_EQ(lib_int_to_text(-42), "-42");
    EXPECT_EQ(lib_char_to_text('Q'), "Q");
}

TEST(LibHexToInt, UpperCaseDigitsOnly)
{
    const struct
    {
        const char *text;
        int32 value;
    } cases[] = {{"1F", 31}, {"1f", 0}, {"", 0}, {"0", 0}, {"ABCDEF", 0xABCDEF}, {"7FFFFFFF", 0x7FFFFFFF},
                 {"12G", 0}, {" 1", 0}, {"00FF", 255}};
    for (const auto &c : cases)
        EXPECT_EQ(lib_hex_to_int(c.text), c.value) << c.text;
    // Beyond the int range the result is outside the contract, but defined.
    lib_hex_to_int("FFFFFFFFF");
    lib_hex_to_int(std::string(400, 'F'));
}

TEST(LibValueText, IntegerFixedAndDigitForms)
{
    const long double eps = 1e-12L;
    EXPECT_EQ(lib_value_int_text(&eps, 123.456L), "123");
    EXPECT_EQ(lib_value_int_text(nullptr, -12.3L), "12");
    EXPECT_EQ(lib_value_int_text(&eps, 2.99995L), "3");
    EXPECT_EQ(lib_value_int_text(&eps, 1e30L), "0");

    const struct
    {
        long double x;
        int32 count;
        const char *fixed;
        const char *digits;
    } cases[] = {
        {123.456L, 5, "123.45600", "123.46"},
        {0.5L, 4, "0.5000", "0.500"},
        {-12.3L, 4, "-12.3000", "-12.30"},
        {0.0L, 4, "0.0", "0.000"},
        {5e-13L, 4, "0.0", "0.000"},
        {0.0L, 1, "0.0", "0."},
        {98765.4321L, 3, "98765.432", "98765"},
        {2.5L, 0, "2", "2"},
        // The texts stop at 19 characters.
        {1e18L, 2, "1000000000000000000", "1000000000000000000"},
        {0.0L, 40, "0.0", "0.00000000000000000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.x) << " / " << c.count);
        EXPECT_EQ(lib_value_fixed_text(&eps, c.x, c.count), c.fixed);
        EXPECT_EQ(lib_value_digits_text(&eps, c.x, c.count), c.digits);
    }
}

TEST(LibValueText, PrefixedFormsAutoRangeFirst)
{
    EXPECT_EQ(lib_value_prefixed_digits_text(1500.0L, 8, 4), "1.500");
    EXPECT_EQ(lib_value_prefixed_digits_text(2.5L, 6, 4), "2.500");
    EXPECT_EQ(lib_value_prefixed_digits_text(0.25L, 10, 3), "250");
    EXPECT_EQ(lib_value_prefixed_fixed_text(12.5L, 9, 1), "12.5");
    EXPECT_EQ(lib_value_prefixed_fixed_text(0.0L, 8, 2), "0.0");
    EXPECT_EQ(lib_value_prefixed_digits_text(-4700.0L, 7, 2), "-4.7");
}

TEST(LibFloatFixedText, WritesDecimalsCutToDigits)
{
    const struct
    {
        float x;
        u8 decimals;
        u8 digits;
        const char *text;
    } cases[] = {
        {3.14159f, 2, 10, "3.14"}, {-0.5f, 1, 5, "-0.5"}, {0.05f, 2, 10, "0.05"}, {987.6f, 1, 3, "987"},
        {2.7f, 0, 10, "3"},        {1e-7f, 3, 10, "0.00"}, {1e-7f, 0, 10, "0"},  {12345.678f, 2, 4, "1234"},
        {-1234.5f, 1, 6, "-1234.5"}, {0.001f, 3, 3, "0.00"}, {5.0f, 13, 20, "5.0000000000000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " " << int(c.decimals) << " " << int(c.digits));
        char out[32];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(lib_float_fixed_text(c.x, out, sizeof out, c.decimals, c.digits), 1);
        EXPECT_STREQ(out, c.text);
    }
}

TEST(LibFloatFixedText, RefusesWithoutWritingAnything)
{
    const struct
    {
        float x;
        std::size_t size;
        u8 decimals;
        u8 digits;
    } cases[] = {
        {1.0f, 32, 14, 10},    // too many decimals
        {2e15f, 32, 0, 20},    // digits reach 1e15
        {1e9f, 32, 6, 20},     // so do the scaled ones
        {std::numeric_limits<float>::infinity(), 32, 2, 10},
        {-std::numeric_limits<float>::infinity(), 32, 2, 10},
        {std::numeric_limits<float>::quiet_NaN(), 32, 2, 10},
        {3.14159f, 4, 2, 10},  // "3.14" needs five characters with its terminator
        {0.0f, 4, 2, 10},
        {1.0f, 0, 2, 10},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " in " << c.size);
        char out[40];
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(lib_float_fixed_text(c.x, out, c.size, c.decimals, c.digits), 0);
        for (char ch : out)
            ASSERT_EQ(ch, '#');
    }
    EXPECT_EQ(lib_float_fixed_text(1.0f, nullptr, 10, 2, 10), 0);
    char exact[5];
    EXPECT_EQ(lib_float_fixed_text(3.14159f, exact, sizeof exact, 2, 10), 1);
    EXPECT_STREQ(exact, "3.14");
}

TEST(LibFillName, WritesNothing)
{
    char name[16];
    std::memset(name, 'n', sizeof name);
    EXPECT_EQ(lib_fill_name(3, name), 1);
    for (char ch : name)
        EXPECT_EQ(ch, 'n');
}
