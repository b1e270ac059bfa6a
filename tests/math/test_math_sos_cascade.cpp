#include "math_sos_cascade.h"
#include "math_test_util.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<float> run_in_pieces(math_filter_kernel_t &k, const std::vector<float> &x,
                                 const std::vector<uint32> &pieces)
{
    std::vector<float> y(x.size());
    uint32 at = 0;
    for (uint32 n : pieces) {
        k.run(x.data() + at, y.data() + at, n);
        at += n;
    }
    k.run(x.data() + at, y.data() + at, static_cast<uint32>(x.size()) - at);
    return y;
}

void expect_matches(const std::vector<float> &y, const std::vector<double> &ref)
{
    ASSERT_EQ(y.size(), ref.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        ASSERT_NEAR(y[i], ref[i], 1e-6 * (1.0 + std::fabs(ref[i]))) << "sample " << i;
}

} // namespace

TEST(MathSosCascade, MatchesSosfiltWholeAndInPieces)
{
    for (const std::string &name : sos_case_names()) {
        SCOPED_TRACE(name);
        const sos_case_t c = load_sos_case(name);
        ASSERT_EQ(c.x.size(), 2000u);
        math_sos_cascade_t whole(c.num, c.den, 1.0L);
        ASSERT_TRUE(whole.valid());
        expect_matches(run_in_pieces(whole, c.x, {}), c.y);
        // The sections' state carries over every seam, even one sample long.
        math_sos_cascade_t pieces(c.num, c.den, 1.0L);
        const std::vector<float> first = run_in_pieces(pieces, c.x, {1, 1, 333, 1024, 7});
        expect_matches(first, c.y);
        // After a reset the same run gives the same bits.
        pieces.reset();
        EXPECT_EQ(run_in_pieces(pieces, c.x, {500}), first);
    }
}

TEST(MathSosCascade, GainFarOutsideTheDoubleRangeIsSharedOverTheSections)
{
    const sos_case_t c = load_sos_case("cheby2_8_bs");
    // Each numerator 1e80 times larger, the gain 1e-80 per section smaller: a gain of
    // 1e-640 that no double holds.
    std::vector<double> num = c.num;
    for (double &v : num)
        v *= 1e80;
    const long double gain = std::pow(10.0L, -80.0L * static_cast<long double>(num.size() / 3));
    math_sos_cascade_t k(num, c.den, gain);
    expect_matches(run_in_pieces(k, c.x, {}), c.y);

    // A negative gain turns the output over.
    math_sos_cascade_t neg(c.num, c.den, -1.0L);
    const std::vector<float> y = run_in_pieces(neg, c.x, {});
    for (std::size_t i = 0; i < y.size(); i += 97)
        EXPECT_NEAR(y[i], -c.y[i], 1e-6 * (1.0 + std::fabs(c.y[i])));
}

TEST(MathSosCascade, LeadingDenominatorZeroOrNanOrUnpairedSectionsAreInvalid)
{
    const std::vector<double> ok = {1, 0.5, 0.25};
    EXPECT_TRUE(math_sos_cascade_t(ok, ok, 1.0L).valid());
    EXPECT_FALSE(math_sos_cascade_t(ok, std::vector<double>{0, 0.5, 0.25}, 1.0L).valid());
    EXPECT_FALSE(math_sos_cascade_t(ok, std::vector<double>{NAN, 0.5, 0.25}, 1.0L).valid());
    EXPECT_FALSE(math_sos_cascade_t(ok, std::vector<double>{1, 0.5}, 1.0L).valid());
    EXPECT_FALSE(
        math_sos_cascade_t(std::vector<double>{1, 0, 0, 1, 0, 0}, std::vector<double>{1, 0, 0, 0, 1, 1}, 1.0L)
            .valid());
}
