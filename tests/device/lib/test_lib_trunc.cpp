#include "lib_trunc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr long double k_2_63 = 9223372036854775808.0L;
constexpr long double k_2_64 = 18446744073709551616.0L;

} // namespace

TEST(LibTrunc, TruncatesTowardZeroAndGivesZeroOutsideEveryTarget)
{
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    const long double inf = std::numeric_limits<long double>::infinity();
    const struct
    {
        long double x;
        int16 i16;
        uint16 u16;
        int32 i32;
        uint32 u32;
        int64 i64;
        uint64 u64;
    } cases[] = {
        {0.0L, 0, 0, 0, 0, 0, 0},
        {1.9L, 1, 1, 1, 1, 1, 1},
        {-1.9L, -1, 0, -1, 0, -1, 0},
        {-0.9L, 0, 0, 0, 0, 0, 0},
        {32767.9L, 32767, 32767, 32767, 32767, 32767, 32767},
        {32768.0L, 0, 32768, 32768, 32768, 32768, 32768},
        {-32768.9L, -32768, 0, -32768, 0, -32768, 0},
        {-32769.0L, 0, 0, -32769, 0, -32769, 0},
        {65535.99L, 0, 65535, 65535, 65535, 65535, 65535},
        {65536.0L, 0, 0, 65536, 65536, 65536, 65536},
        {2147483647.5L, 0, 0, 2147483647, 2147483647u, 2147483647, 2147483647u},
        {2147483648.0L, 0, 0, 0, 2147483648u, 2147483648LL, 2147483648u},
        {-2147483648.9L, 0, 0, std::numeric_limits<int32>::min(), 0, -2147483648LL, 0},
        {-2147483649.0L, 0, 0, 0, 0, -2147483649LL, 0},
        {4294967295.5L, 0, 0, 0, 4294967295u, 4294967295LL, 4294967295u},
        {4294967296.0L, 0, 0, 0, 0, 4294967296LL, 4294967296u},
        {k_2_63 - 1.0L, 0, 0, 0, 0, std::numeric_limits<int64>::max(), 9223372036854775807u},
        {k_2_63, 0, 0, 0, 0, 0, 9223372036854775808u},
        {-k_2_63, 0, 0, 0, 0, std::numeric_limits<int64>::min(), 0},
        {-k_2_63 - 1.0L, 0, 0, 0, 0, 0, 0},
        {k_2_64 - 1.0L, 0, 0, 0, 0, 0, std::numeric_limits<uint64>::max()},
        {k_2_64, 0, 0, 0, 0, 0, 0},
        {1e30L, 0, 0, 0, 0, 0, 0},
        {nan, 0, 0, 0, 0, 0, 0},
        {-nan, 0, 0, 0, 0, 0, 0},
        {inf, 0, 0, 0, 0, 0, 0},
        {-inf, 0, 0, 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(c.x));
        EXPECT_EQ(lib_trunc_i16(c.x), c.i16);
        EXPECT_EQ(lib_trunc_u16(c.x), c.u16);
        EXPECT_EQ(lib_trunc_i32(c.x), c.i32);
        EXPECT_EQ(lib_trunc_u32(c.x), c.u32);
        EXPECT_EQ(lib_trunc_i64(c.x), c.i64);
        EXPECT_EQ(lib_trunc_u64(c.x), c.u64);
    }
}

TEST(LibTrunc, FloatAndDoubleArgumentsConvertExactly)
{
    EXPECT_EQ(lib_trunc_i32(2.999999f), 2);
    EXPECT_EQ(lib_trunc_i32(-7.5), -7);
    EXPECT_EQ(lib_trunc_u64(1.8446744073709550e19), 18446744073709549568u);
    EXPECT_EQ(lib_trunc_i64(std::numeric_limits<float>::max()), 0);
    EXPECT_EQ(lib_trunc_u32(std::numeric_limits<double>::denorm_min()), 0u);
}

TEST(LibTrunc, FloatingTruncationMatchesTheStandardOne)
{
    const long double values[] = {0.0L,
                                  -0.0L,
                                  0.75L,
                                  -0.75L,
                                  1.0L,
                                  124.164L,
                                  -124.164L,
                                  4503599627370495.5L,
                                  k_2_63 - 0.5L,
                                  k_2_63,
                                  k_2_64 + 4096.0L,
                                  1e300L,
                                  std::numeric_limits<long double>::denorm_min(),
                                  std::numeric_limits<long double>::infinity(),
                                  -std::numeric_limits<long double>::infinity()};
    for (long double x : values) {
        SCOPED_TRACE(testing::Message() << static_cast<double>(x));
        const long double expected = std::trunc(x);
        EXPECT_EQ(lib_trunc_ld(x), expected);
        EXPECT_EQ(std::signbit(lib_trunc_ld(x)), std::signbit(expected));
    }
    EXPECT_TRUE(std::isnan(lib_trunc_ld(std::numeric_limits<long double>::quiet_NaN())));
}
