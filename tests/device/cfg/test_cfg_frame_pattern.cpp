// The frame pattern: its CRC-15 against an independent long division by the bus
// standard's generator (checked on the standard's check value), the frame layout for a
// few length codes, the printed check-sum line, bit stuffing and the clamping setters.
#include "cfg_fixture.h"
#include "cfg_frame_pattern.h"
#include "stdout_capture.h"

#include <string>
#include <vector>

namespace
{
// x^15 + x^14 + x^10 + x^8 + x^7 + x^4 + x^3 + 1.
constexpr std::uint32_t GENERATOR = 0xC599;

// The remainder of bits x^15 divided by the generator, bit by bit on a copy.
std::uint16_t crc15_by_division(const std::vector<int16> &bits)
{
    std::vector<int> r;
    for (int16 b : bits)
        r.push_back(b != 0 ? 1 : 0);
    r.insert(r.end(), 15, 0);
    for (size_t i = 0; i + 15 < r.size(); ++i)
    {
        if (r[i] == 0)
            continue;
        for (int k = 0; k <= 15; ++k)
            r[i + static_cast<size_t>(k)] ^= (GENERATOR >> (15 - k)) & 1;
    }
    std::uint16_t crc = 0;
    for (size_t i = r.size() - 15; i < r.size(); ++i)
        crc = static_cast<std::uint16_t>((crc << 1) | static_cast<std::uint16_t>(r[i]));
    return crc;
}

std::vector<int16> bits_of(const std::string &bytes)
{
    std::vector<int16> out;
    for (unsigned char c : bytes)
        for (int b = 7; b >= 0; --b)
            out.push_back(static_cast<int16>((c >> b) & 1));
    return out;
}

std::vector<int16> bits_of_text(const char *text)
{
    std::vector<int16> out;
    for (const char *p = text; *p; ++p)
        if (*p == '0' || *p == '1')
            out.push_back(static_cast<int16>(*p - '0'));
    return out;
}

std::vector<int16> slice(const std::vector<int16> &v, size_t from, size_t count)
{
    return std::vector<int16>(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(from + count));
}
} // namespace

TEST(CfgFramePattern, Crc15MatchesTheIndependentDivision)
{
    // The standard's check value for "123456789".
    EXPECT_EQ(crc15_by_division(bits_of("123456789")), 0x059E);
    EXPECT_EQ(cfg_crc15(bits_of("123456789")), 0x059E);
    const std::vector<std::vector<int16>> frames = {
        {}, {1}, {0, 0, 0}, bits_of("\xff\x00\x5a"), bits_of_text("1110101"), bits_of("The quick brown fox")};
    for (const std::vector<int16> &f : frames)
        EXPECT_EQ(cfg_crc15(f), crc15_by_division(f)) << f.size() << " bits";
}

TEST(CfgFramePattern, FrameLayoutForSeveralLengthCodes)
{
    struct case_t
    {
        int32 length_code;
        const char *code_bits;
        size_t data_values;
        const char *crc_bits; // from the standard's division where not given
    };
    const case_t cases[] = {
        {8, "1000", 64, "000101011000000"},
        {0, "0000", 0, "000010101111100"},
        {17, "0001", 136, nullptr},
        {-2, "1110", 0, nullptr},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.length_code);
        cfg_frame_pattern_t f;
        f.init(0);
        f.set_length_code(c.length_code);
        stdout_capture_t capture;
        EXPECT_EQ(f.build(0, 0), 1);
        const std::string printed = capture.finish();
        const std::vector<int16> &bits = f.get_frame_bits();
        ASSERT_EQ(bits.size(), 3 + 4 + c.data_values + 15 + 7);
        EXPECT_EQ(slice(bits, 0, 3), (std::vector<int16>{1, 1, 1}));
        EXPECT_EQ(slice(bits, 3, 4), bits_of_text(c.code_bits));
        EXPECT_EQ(slice(bits, 7, c.data_values), std::vector<int16>(c.data_values, 0));
        const std::vector<int16> head = slice(bits, 0, 7 + c.data_values);
        const std::vector<int16> crc = slice(bits, 7 + c.data_values, 15);
        std::uint16_t want = crc15_by_division(head);
        if (c.crc_bits != nullptr)
        {
            EXPECT_EQ(crc, bits_of_text(c.crc_bits));
        }
        std::uint16_t got = 0;
        std::string digits, pairs;
        for (int16 b : crc)
        {
            got = static_cast<std::uint16_t>((got << 1) | static_cast<std::uint16_t>(b));
            digits += static_cast<char>('0' + b);
            pairs += std::string(" ") + static_cast<char>('0' + b);
        }
        EXPECT_EQ(got, want);
        EXPECT_EQ(slice(bits, bits.size() - 7, 7), std::vector<int16>(7, 0));
        EXPECT_EQ(printed, " bit_set:" + digits + "\t\t" + pairs + "\n");
    }
}

TEST(CfgFramePattern, BitStuffingAfterRunsOfFive)
{
    struct case_t
    {
        const char *in, *out;
    };
    const case_t cases[] = {
        {"", ""},
        {"1111111111", "111110111110"},
        {"00000", "000001"},
        {"0000", "0000"},
        {"000001111", "00000111110"},
        {"1000001", "10000011"},
        {"0101011111000", "01010111110000"},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.in);
        cfg_frame_pattern_t f;
        f.init(0);
        f.set_frame_bits(bits_of_text(c.in));
        EXPECT_EQ(f.stuff_bits(), 1);
        EXPECT_EQ(f.get_frame_bits(), bits_of_text(c.out));
    }
    cfg_frame_pattern_t f;
    f.init(0);
    f.set_frame_bits({1});
    f.add_trail_pair();
    EXPECT_EQ(f.get_frame_bits(), (std::vector<int16>{1, 0, 0}));
}

TEST(CfgFramePattern, SettersUseTheSerialPatternsLimits)
{
    cfg_frame_pattern_t f;
    f.init(1);
    EXPECT_EQ(f.get_bit_rate(), 9600);
    EXPECT_EQ(f.get_amplitude().data, 4.0L);
    EXPECT_EQ(f.get_length_code(), 8);
    EXPECT_EQ(f.set_bit_rate(99), -11);
    EXPECT_EQ(f.get_bit_rate(), 100);
    EXPECT_EQ(f.set_bit_rate(200000), -10);
    EXPECT_EQ(f.get_bit_rate(), 115200);
    EXPECT_EQ(f.set_amplitude({1.0L, 14, true}), -11);
    EXPECT_EQ(f.get_amplitude().data, 10.0L);
    EXPECT_EQ(f.set_amplitude({5e8L, 14, true}), -10);
    EXPECT_EQ(f.set_amplitude({50.0L, 14, true}), 1);
    EXPECT_EQ(f.store_bit_rate(7), 1);
    EXPECT_EQ(f.get_bit_rate(), 7);
}

using CfgFramePatternOnModule = cfg_fixture_t;

TEST_F(CfgFramePatternOnModule, RefreshAndApplyStopAtTheSupportQuestion)
{
    cfg_frame_pattern_t f;
    f.init(0);
    f.set_text_length(9);
    EXPECT_EQ(f.is_supported(), 0);
    EXPECT_EQ(f.refresh(), 0);
    EXPECT_EQ(f.get_text_length(), 9);
    f.apply();
    std::vector<int16> out{3};
    f.get_samples(out);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(sim.log().empty());
}
