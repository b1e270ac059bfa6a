#include "math_direct_form.h"
#include "math_test_util.h"
#include "zqw_filter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<float> to_float(const std::vector<double> &v) { return std::vector<float>(v.begin(), v.end()); }

} // namespace

TEST(MathDirectForm, MatchesSosfiltOfTheSameLowOrderFilterWholeAndInPieces)
{
    for (const char *name : {"butter4_lp", "cheby1_3_bp", "scaled_a0"}) {
        SCOPED_TRACE(name);
        const sos_case_t c = load_sos_case(name);
        const int order = static_cast<int>(2 * c.num.size() / 3);
        std::vector<float> b, a;
        ASSERT_EQ(ZqwFilter::sections_to_poly(to_float(c.num), order, b), 0);
        ASSERT_EQ(ZqwFilter::sections_to_poly(to_float(c.den), order, a), 0);
        for (uint32 piece : {2000u, 1u, 7u, 4096u}) {
            math_direct_form_t k(b, a, b.size());
            ASSERT_TRUE(k.valid());
            std::vector<float> y(c.x.size());
            for (uint32 at = 0; at < c.x.size(); at += piece)
                k.run(c.x.data() + at, y.data() + at, std::min<uint32>(piece, c.x.size() - at));
            // The polynomials are float products of float sections: their response
            // differs from the double sections' by a few parts in 1e5.
            double peak = 0.0;
            for (double v : c.y)
                peak = std::max(peak, std::fabs(v));
            for (std::size_t i = 0; i < y.size(); ++i)
                ASSERT_NEAR(y[i], c.y[i], 1e-4 * peak) << "sample " << i << ", pieces of " << piece;
        }
    }
}

TEST(MathDirectForm, FirstOrderRunsTheTextbookRecursion)
{
    // y[i] = (x[i] + y[i-1]) / 2 with a[0] = 2.
    math_direct_form_t k({1, 0, 0}, {2, -1, 0}, 3);
    ASSERT_TRUE(k.valid());
    const std::vector<float> x = {1, 0, 0, 4};
    std::vector<float> y(4);
    k.run(x.data(), y.data(), 2);
    k.run(x.data() + 2, y.data() + 2, 2);
    EXPECT_FLOAT_EQ(y[0], 0.5f);
    EXPECT_FLOAT_EQ(y[1], 0.25f);
    EXPECT_FLOAT_EQ(y[2], 0.125f);
    EXPECT_FLOAT_EQ(y[3], 2.0625f);
    k.reset();
    std::vector<float> again(4);
    k.run(x.data(), again.data(), 4);
    EXPECT_EQ(again, y);
}

TEST(MathDirectForm, ShortPolynomialsOrZeroLeadingDenominatorAreInvalid)
{
    EXPECT_FALSE(math_direct_form_t({1, 0}, {1, 0, 0}, 3).valid());
    EXPECT_FALSE(math_direct_form_t({1, 0, 0}, {0, 1, 0}, 3).valid());
    EXPECT_FALSE(math_direct_form_t({1, 0, 0}, {NAN, 1, 0}, 3).valid());
    EXPECT_FALSE(math_direct_form_t({}, {}, 0).valid());
}
