#include "lib_arith.h"

#include <climits>
#include <gtest/gtest.h>

TEST(LibArith, AbsKeepsTheMostNegativeInt)
{
    const struct
    {
        int in;
        int out;
    } cases[] = {{0, 0}, {7, 7}, {-5, 5}, {INT_MAX, INT_MAX}, {-INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}};
    for (const auto &c : cases)
        EXPECT_EQ(lib_abs(c.in), c.out) << c.in;
}
