#include "lib_alloc.h"

#include <gtest/gtest.h>

TEST(LibAlloc, GivesStorageWhenNothingRefuses)
{
    auto p = lib_alloc_array<short>(1000);
    ASSERT_NE(p, nullptr);
    p[999] = 7;
    EXPECT_EQ(p[999], 7);
}

TEST(LibAlloc, FailScopeRefusesTheNthAllocationOnly)
{
    lib_alloc_fail_scope_t fail(2);
    EXPECT_NE(lib_alloc_array<float>(10), nullptr);
    EXPECT_EQ(lib_alloc_array<float>(10), nullptr);
    EXPECT_NE(lib_alloc_array<float>(10), nullptr);
}

TEST(LibAlloc, FailScopeRefusesBySizeAndEndsWithItsScope)
{
    {
        lib_alloc_fail_scope_t fail(0, 1024);
        EXPECT_NE(lib_alloc_array<char>(1023), nullptr);
        EXPECT_EQ(lib_alloc_array<char>(1024), nullptr);
    }
    EXPECT_NE(lib_alloc_array<char>(4096), nullptr);
}

TEST(LibAlloc, CountsThatOverflowTheByteSizeFail)
{
    EXPECT_EQ(lib_alloc_array<double>(static_cast<std::size_t>(-1) / 4), nullptr);
}
