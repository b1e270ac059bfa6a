// The serial character pattern: sample streams for several settings against
// data/gen_uart_pattern.py, the clamping setters and time conversions, the scaling to
// full range, and the module's path, where the unsupported driver stops the build.
#include "cfg_fixture.h"
#include "cfg_pattern.h"
#include "cfg_uart_pattern.h"

#include <string>
#include <vector>

namespace
{
struct uart_golden_t
{
    const char *text;
    int32 length;
    int32 data_bits, parity;
    long double stop_bits;
    int32 polarity, bit_order, gap_bits, idle_samples;
    const char *stream;
};

#include "data/uart_pattern_golden.h"

constexpr int32 RATE = 128; // bit periods of n / 128 s are exact

std::string as_text(const std::vector<int16> &samples)
{
    std::string s;
    for (int16 v : samples)
        s += v == 0 ? '0' : v == 1 ? '1' : '?';
    return s;
}

cfg_uart_pattern_t pattern_with(const uart_golden_t &g)
{
    cfg_uart_pattern_t p;
    p.init(0);
    EXPECT_EQ(p.set_bit_rate(RATE), 1);
    p.store_data_bits(g.data_bits);
    p.set_parity(g.parity);
    p.set_stop_bits(g.stop_bits);
    p.set_polarity(g.polarity);
    p.set_bit_order(g.bit_order);
    EXPECT_EQ(p.set_char_gap({static_cast<long double>(g.gap_bits) / RATE, 14, false}), 1);
    EXPECT_EQ(p.set_frame_idle({static_cast<long double>(g.idle_samples) / RATE, 14, false}), 1);
    return p;
}
} // namespace

TEST(CfgUartPattern, StreamsMatchTheIndependentGenerator)
{
    for (const uart_golden_t &g : UART_GOLDEN)
    {
        SCOPED_TRACE(testing::Message() << "text length " << g.length << " bits " << g.data_bits << " parity "
                                        << g.parity << " stop " << static_cast<double>(g.stop_bits) << " polarity "
                                        << g.polarity << " order " << g.bit_order << " gap " << g.gap_bits
                                        << " idle " << g.idle_samples);
        cfg_uart_pattern_t p = pattern_with(g);
        EXPECT_EQ(p.get_char_gap_bits(), g.gap_bits);
        EXPECT_EQ(p.build_from(std::string(g.text, static_cast<size_t>(g.length)), g.length), 1);
        std::vector<int16> out;
        p.get_samples(out);
        EXPECT_EQ(as_text(out), g.stream);
        EXPECT_EQ(p.get_char_count(), g.length);
    }
}

TEST(CfgUartPattern, LengthBeyondTheTextFramesOnlyWhatExists)
{
    cfg_uart_pattern_t p;
    p.init(0);
    p.set_polarity(1);
    std::vector<int16> one, longer;
    p.build_from("A", 1);
    p.get_samples(one);
    p.build_from("A", 50);
    p.get_samples(longer);
    EXPECT_EQ(longer, one);
    EXPECT_EQ(one.size(), 22u);
    p.build_from("ABC", -3);
    p.get_samples(longer);
    EXPECT_TRUE(longer.empty());
}

TEST(CfgUartPattern, ClampingSetters)
{
    cfg_uart_pattern_t p;
    p.init(1);
    struct case_t
    {
        const char *what;
        int32 (*set)(cfg_uart_pattern_t &, long double);
        long double (*get)(const cfg_uart_pattern_t &);
        long double value;
        int32 result;
        long double stored;
    };
    auto set_rate = [](cfg_uart_pattern_t &q, long double v) { return q.set_bit_rate(static_cast<int32>(v)); };
    auto get_rate = [](const cfg_uart_pattern_t &q) { return static_cast<long double>(q.get_bit_rate()); };
    auto set_bits = [](cfg_uart_pattern_t &q, long double v) { return q.set_data_bits(static_cast<int32>(v)); };
    auto get_bits = [](const cfg_uart_pattern_t &q) { return static_cast<long double>(q.get_data_bits()); };
    auto set_ampl = [](cfg_uart_pattern_t &q, long double v) { return q.set_amplitude({v, 15, true}); };
    auto get_ampl = [](const cfg_uart_pattern_t &q) { return q.get_amplitude().data; };
    const case_t cases[] = {
        {"rate above", set_rate, get_rate, 115201, -10, 115200}, {"rate below", set_rate, get_rate, 99, -11, 100},
        {"rate low end", set_rate, get_rate, 100, 1, 100},       {"rate top", set_rate, get_rate, 115200, 1, 115200},
        {"bits above", set_bits, get_bits, 9, -10, 8},           {"bits below", set_bits, get_bits, 4, -11, 5},
        {"bits low end", set_bits, get_bits, 5, 1, 5},           {"ampl below", set_ampl, get_ampl, 4, -11, 10},
        {"ampl above", set_ampl, get_ampl, 3e8L, -10, 2e8L},     {"ampl inside", set_ampl, get_ampl, 20, 1, 20},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.set(p, c.value), c.result);
        EXPECT_EQ(c.get(p), c.stored);
    }
    // The amplitude's unit code and flag are kept as passed, also when clamped.
    EXPECT_EQ(p.get_amplitude().unit, 15);
    EXPECT_TRUE(p.get_amplitude().changed);
}

TEST(CfgUartPattern, TimesBecomeWholeBitPeriodsOfAtMost120)
{
    struct case_t
    {
        int32 rate;
        long double seconds;
        int32 result;
        int16 bits;
        long double stored;
    };
    const case_t cases[] = {
        {128, 0.9375L, 1, 120, 0.9375L}, {128, 1.0L, -10, 120, 0.9375L}, {128, 0.5L, 1, 64, 0.5L},
        {128, 1e30L, -10, 120, 0.9375L}, {128, 0.0L, 1, 0, 0.0L},        {100, 0.0149L, 1, 1, 0.0149L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.seconds));
        for (bool gap : {true, false})
        {
            cfg_uart_pattern_t p;
            p.init(0);
            p.set_bit_rate(c.rate);
            const lib_unit_data_t v{c.seconds, 14, true};
            EXPECT_EQ(gap ? p.set_char_gap(v) : p.set_frame_idle(v), c.result);
            EXPECT_EQ(gap ? p.get_char_gap_bits() : p.get_frame_idle_bits(), c.bits);
            EXPECT_EQ(gap ? p.get_char_gap().data : p.get_frame_idle().data, c.stored);
        }
    }
    // A negative time, and any time while the bit rate is 0, store nothing.
    cfg_uart_pattern_t p;
    p.init(0);
    p.set_bit_rate(128);
    p.set_char_gap({0.5L, 14, false});
    EXPECT_EQ(p.set_char_gap({-0.001L, 14, false}), -11);
    p.store_bit_rate(0);
    EXPECT_EQ(p.set_char_gap({0.25L, 14, false}), -12);
    EXPECT_EQ(p.set_frame_idle({0.25L, 14, false}), -12);
    EXPECT_EQ(p.get_char_gap().data, 0.5L);
    EXPECT_EQ(p.get_char_gap_bits(), 64);
    EXPECT_EQ(p.get_frame_idle_bits(), 0);
}

TEST(CfgUartPattern, ScalingToFullRange)
{
    const std::vector<int16> in{0, 1, 1, 0, -1, 2};
    struct case_t
    {
        float high, low;
        std::vector<int16> out;
    };
    const case_t cases[] = {
        {1.0f, 0.0f, {0, 32767, 32767, 0, -32767, 32767}}, // 2 x 32767 held at the top
        {0.0f, -2.0f, {0, 16383, 16383, 0, -16383, 32767}},
        {0.0f, 0.0f, {0, 0, 0, 0, 0, 0}},
    };
    for (const case_t &c : cases)
    {
        std::vector<int16> out{5, 5};
        EXPECT_EQ(cfg_scale_to_full_range(in, c.high, c.low, out), 1);
        EXPECT_EQ(out, c.out);
    }
}

using CfgUartPatternOnModule = cfg_fixture_t;

TEST_F(CfgUartPatternOnModule, UnsupportedDriverStopsTheBuildAndSendsNothing)
{
    cfg_uart_pattern_t *p = cfg_get_pattern(0)->get_uart_pattern();
    EXPECT_EQ(p->get_channel(), 0);
    EXPECT_EQ(p->is_supported(), 0);
    EXPECT_EQ(p->refresh(), 0);
    EXPECT_EQ(p->build(), 0);
    std::vector<int16> out{1};
    p->get_samples(out);
    EXPECT_TRUE(out.empty());
    cfg_get_wv_main(0)->store_output(1);
    p->apply();
    p->get_samples(out);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(sim.log().empty()) << sim.compact();
}
