#include "gos.h"
#include "lib_number.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <thread>
#include <vector>

namespace {

std::vector<uint16> counting_samples(std::size_t count)
{
    std::vector<uint16> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<uint16>(i);
    return samples;
}

} // namespace

TEST(LibChecksum, SumAndNegatedSumAgreeWithAnIndependentSum)
{
    std::mt19937 random(7);
    std::vector<u8> bytes(100003);
    uint64_t wide = 0;
    for (auto &b : bytes) {
        b = static_cast<u8>(random());
        wide += b;
    }
    u32 sum = 1;
    u32 negsum = 1;
    EXPECT_EQ(lib_checksum_sum(&sum, bytes.data(), static_cast<u32>(bytes.size())), 1);
    EXPECT_EQ(lib_checksum_negsum(&negsum, bytes.data(), static_cast<u32>(bytes.size())), 1);
    EXPECT_EQ(sum, static_cast<u32>(wide));
    EXPECT_EQ(negsum, static_cast<u32>(0u - static_cast<u32>(wide)));
    EXPECT_TRUE(lib_checksum_verify(bytes.data(), static_cast<u32>(bytes.size()), negsum));
    EXPECT_FALSE(lib_checksum_verify(bytes.data(), static_cast<u32>(bytes.size()), sum));
}

TEST(LibChecksum, SmallCasesAndWrapAround)
{
    const u8 bytes[] = {1, 2, 3};
    u32 value = 99;
    lib_checksum_negsum(&value, bytes, 3);
    EXPECT_EQ(value, 0xFFFFFFFAu);
    EXPECT_TRUE(lib_checksum_verify(bytes, 3, 0xFFFFFFFAu));
    EXPECT_FALSE(lib_checksum_verify(bytes, 3, 6));
    lib_checksum_negsum(&value, bytes, 0);
    EXPECT_EQ(value, 0u);
    value = 99;
    lib_checksum_sum(&value, bytes, 0);
    EXPECT_EQ(value, 0u);

    // 16843010 bytes of 255 pass 2^32 by 254.
    std::vector<u8> full(16843010, 0xFF);
    lib_checksum_sum(&value, full.data(), static_cast<u32>(full.size()));
    EXPECT_EQ(value, 254u);
}

TEST(LibChecksum, NullDataWritesNothingAndVerifiesFalse)
{
    const u8 bytes[] = {1};
    u32 value = 1234;
    EXPECT_EQ(lib_checksum_sum(&value, nullptr, 5), 0);
    EXPECT_EQ(lib_checksum_negsum(&value, nullptr, 5), 0);
    EXPECT_EQ(value, 1234u);
    EXPECT_EQ(lib_checksum_sum(nullptr, bytes, 1), 0);
    EXPECT_FALSE(lib_checksum_verify(nullptr, 0, 0));
}

TEST(LibDecimate, TakesSamplesSpreadEvenlyFromTheFirst)
{
    const struct
    {
        std::size_t count;
        int32 n;
        std::vector<uint16> expected;
    } cases[] = {
        {10, 4, {0, 2, 5, 7}},
        {10, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {10, 3, {0, 3, 6}},
        {7, 3, {0, 2, 4}},
        {10, 1, {0}},
        // More wanted than there are: samples repeat, nothing beyond the end is read.
        {3, 5, {0, 0, 1, 1, 2}},
        {1, 3, {0, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " to " << c.n);
        const std::vector<uint16> source = counting_samples(c.count);
        std::vector<uint16> destination{900, 901};
        EXPECT_EQ(lib_decimate_samples(&source, &destination, c.n), 1);
        std::vector<uint16> expected{900, 901};
        expected.insert(expected.end(), c.expected.begin(), c.expected.end());
        EXPECT_EQ(destination, expected);
    }
}

TEST(LibDecimate, EmptySourceNullVectorsAndNonPositiveCountsAppendNothing)
{
    const std::vector<uint16> empty;
    const std::vector<uint16> source = counting_samples(10);
    std::vector<uint16> destination{5};
    EXPECT_EQ(lib_decimate_samples(&empty, &destination, 4), 1);
    EXPECT_EQ(lib_decimate_samples(&source, &destination, 0), 1);
    EXPECT_EQ(lib_decimate_samples(&source, &destination, -3), 1);
    EXPECT_EQ(lib_decimate_samples(nullptr, &destination, 4), 1);
    EXPECT_EQ(lib_decimate_samples(&source, nullptr, 4), 1);
    EXPECT_EQ(destination, std::vector<uint16>{5});
}

TEST(LibDecimate, LargeSourcesStayInsideAndKeepTheirOrder)
{
    const struct
    {
        std::size_t count;
        int32 n;
    } cases[] = {{20971520, 16384}, {20971520, 3000}, {1000003, 3000}, {16384, 16383}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " to " << c.n);
        std::vector<uint16> source(c.count);
        for (std::size_t i = 0; i < c.count; ++i)
            source[i] = static_cast<uint16>(i / 1024);
        std::vector<uint16> destination;
        lib_decimate_samples(&source, &destination, c.n);
        ASSERT_EQ(destination.size(), static_cast<std::size_t>(c.n));
        EXPECT_EQ(destination.front(), 0);
        for (int32 i = 1; i < c.n; ++i)
            ASSERT_LE(destination[i - 1], destination[i]) << i;
        // The last sample taken lies within the last step of the source.
        EXPECT_GE(destination.back(), source[c.count - c.count / c.n - 1]);
    }
}

TEST(LibFloatCompare, ToleranceGrowsWithTheSecondOperand)
{
    const struct
    {
        double a;
        double b;
        bool equal;
    } cases[] = {
        {5.000009, 5.0, true},      {5.00002, 5.0, false},    {2000.009, 2000.0, true}, {2000.02, 2000.0, false},
        {-5e-7, 0.0, true},         {-1.5, -1.5000009, true}, {-1.5, -1.500002, false}, {0.5000009, 0.5, true},
        {0.500002, 0.5, false},     {50.00009, 50.0, true},   {50.0002, 50.0, false},   {500.0009, 500.0, true},
        {500.002, 500.0, false},    {20000.09, 20000.0, true}, {20000.2, 20000.0, false}, {-20000.0000005, -20000.0, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lib_float_equal(c.a, c.b), c.equal) << c.a << " vs " << c.b;

    EXPECT_EQ(lib_float_compare(2.0f, 1.0f), 1);
    EXPECT_EQ(lib_float_compare(1.0f, 2.0f), -1);
    EXPECT_EQ(lib_float_compare(1.0000001f, 1.0f), 0);
    EXPECT_EQ(lib_float_compare(1.0f, 1.0000001f), 0);
    EXPECT_EQ(lib_float_compare(5e-7f, 0.0f), 0);
    EXPECT_EQ(lib_float_compare(2e-6f, 0.0f), 1);
    EXPECT_EQ(lib_float_compare(-2e-6f, 0.0f), -1);
}

TEST(LibNumber, SmallArithmetic)
{
    const struct
    {
        float x;
        int32 expected;
    } rounds[] = {{2.5f, 3}, {-2.5f, -3}, {-2.4f, -2}, {0.49f, 0}, {1e20f, 0}, {-1e20f, 0}};
    for (const auto &r : rounds)
        EXPECT_EQ(lib_round_to_int(r.x), r.expected) << r.x;

    const struct
    {
        int32 direction;
        int32 index;
        int32 count;
        int32 expected;
    } cycles[] = {{1, 4, 5, 0}, {0, 0, 5, 4}, {2, 3, 5, 0}, {1, 2, 5, 3}, {0, 3, 5, 2},
                  {1, 2147483647, 5, 3}, {1, 3, 0, 0}, {0, 3, 0, 0}};
    for (const auto &c : cycles)
        EXPECT_EQ(lib_cyclic_index(c.direction, c.index, c.count), c.expected)
            << c.direction << " " << c.index << " " << c.count;

    const struct
    {
        u8 value;
        u8 n;
        u8 expected;
    } reversals[] = {{0x01, 8, 0x80}, {0x06, 3, 0x03}, {0xFF, 0, 0x00}, {0xF1, 4, 0x08}, {0x01, 1, 0x01},
                     {0xB4, 8, 0x2D}, {0x01, 9, 0x00}, {0x02, 9, 0x80}, {0x01, 255, 0x00}};
    for (const auto &r : reversals)
        EXPECT_EQ(lib_reverse_bits(r.value, r.n), r.expected) << int(r.value) << " " << int(r.n);

    const struct
    {
        int32 n;
        int32 expected;
    } powers[] = {{1, 1}, {1000, 512}, {1024, 1024}, {0, 0}, {-8, 0}, {3, 2}, {2147483647, 1073741824}};
    for (const auto &p : powers)
        EXPECT_EQ(lib_floor_power_of_two(p.n), p.expected) << p.n;
}

TEST(LibNumber, CentreSpanAndBack)
{
    int32 centre = 0;
    int32 half = 0;
    lib_centre_span(3, 10, &centre, &half);
    EXPECT_EQ(centre, 6);
    EXPECT_EQ(half, 4);
    lib_centre_span(-7, 0, &centre, &half);
    EXPECT_EQ(centre, -3);
    EXPECT_EQ(half, 3);
    lib_centre_span(2147483647, 2147483645, &centre, &half);
    EXPECT_EQ(centre, 2147483646);
    EXPECT_EQ(half, -1);
    int32 start = 0;
    int32 stop = 0;
    lib_start_stop(6, 4, &start, &stop);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(stop, 10);

    long double c = 0;
    long double h = 0;
    lib_centre_span(1.0L, 4.0L, &c, &h);
    EXPECT_EQ(c, 2.5L);
    EXPECT_EQ(h, 1.5L);
    long double a = 0;
    long double b = 0;
    lib_start_stop(c, h, &a, &b);
    EXPECT_EQ(a, 1.0L);
    EXPECT_EQ(b, 4.0L);
    lib_centre_span(1, 2, nullptr, nullptr);
    lib_start_stop(1.0L, 2.0L, nullptr, nullptr);
}

TEST(LibNumber, ClockCountsMillisecondsOfTheTimeOfDay)
{
    gos_timeval_t now{0, 0};
    gos_gettimeofday(&now);
    const uint32 expected = static_cast<uint32>(static_cast<uint64>(now.tv_sec) * 1000u + now.tv_usec / 1000);
    const uint32 first = static_cast<uint32>(lib_clock_ms());
    EXPECT_LT(first - expected, 1000u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint32 later = static_cast<uint32>(lib_clock_ms());
    EXPECT_GE(later - first, 25u);
    EXPECT_LT(later - first, 5000u);
}
