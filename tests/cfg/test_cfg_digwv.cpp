#include "cfg_if_digwv.h"
#include "cfg_test_util.h"

#include <gtest/gtest.h>

namespace {

TEST(DigitalWave, PointCountKeepsFrequencyAtBitRatePerPoint)
{
    cfg_if_digwv_t dw;
    EXPECT_EQ(dw.get_bit_rate(), 1000000.0);
    uint32 n = 16384;
    EXPECT_EQ(dw.set_wv_len(n), 0);
    EXPECT_EQ(samples_of(dw).size(), 16384u);
    EXPECT_EQ(*dw.get_freq(), 61.03515625);
    dw.set_bit_rate(2000.0f);
    EXPECT_EQ(*dw.get_freq(), 61.03515625);
    n = 1000;
    dw.set_wv_len(n);
    EXPECT_EQ(*dw.get_freq(), 2.0);
}

TEST(DigitalWave, InitialPatternToggles)
{
    for (uint32 n : {1u, 2u, 3u, 1048577u}) {
        cfg_if_digwv_t dw;
        dw.set_wv_len(n);
        dw.get_wv_data()->amp = 5.0f;
        dw.init_wv_data();
        const auto s = samples_of(dw);
        ASSERT_EQ(s.size(), n);
        for (uint32 i = 0; i < n; ++i)
            ASSERT_EQ(uint16(s[i]), i % 2 == 0 ? 0xFFFF : 0x0000) << n << " at " << i;
        EXPECT_EQ(dw.get_wv_data()->amp, 5.0f);
    }
}

TEST(DigitalWave, ShrinkingKeepsTheFirstEditedWords)
{
    cfg_if_digwv_t dw;
    uint32 n = 100;
    dw.set_wv_len(n);
    std::vector<short int> edited(100);
    for (int i = 0; i < 100; ++i)
        edited[i] = short(i * 3);
    set_samples(dw, edited);
    n = 10;
    dw.set_wv_len(n);
    EXPECT_EQ(samples_of(dw), std::vector<short int>(edited.begin(), edited.begin() + 10));
    n = 12;
    dw.set_wv_len(n);
    const auto s = samples_of(dw);
    EXPECT_EQ(s[10], 0);
    EXPECT_EQ(s[11], 0);
    EXPECT_EQ(dw.create_wv_data(), 0);
    EXPECT_EQ(samples_of(dw), s);
}

} // namespace
