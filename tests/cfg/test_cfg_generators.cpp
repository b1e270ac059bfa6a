#include "cfg_if_adwv_exp.h"
#include "cfg_if_adwv_sinc.h"
#include "cfg_if_adwv_stair_step.h"
#include "cfg_if_bswv_pulse.h"
#include "cfg_if_bswv_ramp.h"
#include "cfg_if_bswv_sine.h"
#include "cfg_if_bswv_square.h"
#include "cfg_test_util.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <memory>
#include <sstream>
#include <string>

namespace {

struct golden_case_t
{
    std::string name;
    int type;
    uint32 points;
    uint32 cycles;
    float phase;
    double p[3];
};

void PrintTo(const golden_case_t &c, std::ostream *os) { *os << c.name; }

std::vector<golden_case_t> load_cases()
{
    std::vector<golden_case_t> cases;
    std::ifstream in(test_source_path("tests/data/gen_generators/cases.csv"));
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::stringstream ss(line);
        std::string field;
        std::vector<std::string> f;
        while (std::getline(ss, field, ','))
            f.push_back(field);
        if (f.size() != 8)
            continue;
        cases.push_back({f[0], std::stoi(f[1]), uint32(std::stoul(f[2])), uint32(std::stoul(f[3])), std::stof(f[4]),
                         {std::stod(f[5]), std::stod(f[6]), std::stod(f[7])}});
    }
    return cases;
}

std::vector<short int> load_golden(const std::string &name)
{
    std::ifstream in(test_source_path("tests/data/gen_generators/" + name + ".bin"), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<short int> v(bytes.size() / 2);
    for (std::size_t i = 0; i < v.size(); ++i)
        v[i] = short(uint16(uint8_t(bytes[2 * i])) | uint16(uint8_t(bytes[2 * i + 1])) << 8);
    return v;
}

std::unique_ptr<cfg_if_wv_t> make_generator(const golden_case_t &c)
{
    std::unique_ptr<cfg_if_wv_t> wv;
    switch (c.type) {
    case LIB_WV_SINE:
        wv = std::make_unique<cfg_if_bswv_sine_t>();
        break;
    case LIB_WV_SQUARE: {
        auto sq = std::make_unique<cfg_if_bswv_square_t>();
        sq->set_duty(float(c.p[0]));
        wv = std::move(sq);
        break;
    }
    case LIB_WV_PULSE: {
        auto pu = std::make_unique<cfg_if_bswv_pulse_t>();
        pu->set_pulse_width(float(c.p[0]));
        pu->set_rise_time(float(c.p[1]));
        pu->set_fall_time(float(c.p[2]));
        wv = std::move(pu);
        break;
    }
    case LIB_WV_RAMP: {
        auto ra = std::make_unique<cfg_if_bswv_ramp_t>();
        ra->set_symmetry(float(c.p[0]));
        wv = std::move(ra);
        break;
    }
    case LIB_WV_SINC: {
        auto si = std::make_unique<cfg_if_adwv_sinc_t>();
        si->set_zero_crossing(int32(c.p[0]));
        wv = std::move(si);
        break;
    }
    case LIB_WV_STAIR_UP:
    case LIB_WV_STAIR_DN: {
        auto st = std::make_unique<cfg_if_adwv_stair_step_t>(c.type == LIB_WV_STAIR_UP);
        st->set_step_count(int32(c.p[0]));
        wv = std::move(st);
        break;
    }
    case LIB_WV_EXP_RISE:
    case LIB_WV_EXP_FALL: {
        auto ex = std::make_unique<cfg_if_adwv_exp_t>(c.type == LIB_WV_EXP_RISE);
        ex->set_damp_factor(float(c.p[0]));
        wv = std::move(ex);
        break;
    }
    default:
        break;
    }
    if (wv) {
        wv->set_wv_len(c.points);
        wv->set_cycle(c.cycles);
        wv->set_phase(c.phase);
    }
    return wv;
}

class GeneratorGolden : public testing::TestWithParam<golden_case_t>
{
};

TEST_P(GeneratorGolden, MatchesSamplesComputedFromTheFormulas)
{
    const golden_case_t &c = GetParam();
    auto wv = make_generator(c);
    ASSERT_TRUE(wv) << c.name;
    ASSERT_EQ(wv->create_wv_data(), 0);
    const std::vector<short int> want = load_golden(c.name);
    ASSERT_EQ(want.size(), c.points) << "golden file of " << c.name;
    const std::vector<short int> got = samples_of(*wv);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i], want[i]) << c.name << " sample " << i;
}

INSTANTIATE_TEST_SUITE_P(Table, GeneratorGolden, testing::ValuesIn(load_cases()),
                         [](const testing::TestParamInfo<golden_case_t> &i) { return i.param.name; });

TEST(GeneratorGoldenTable, IsNotEmpty) { EXPECT_GE(load_cases().size(), 40u); }

// Parameters that leave no usable period: 2, and the previous samples stay.
struct refusal_t
{
    const char *what;
    int type;
    uint32 points;
    uint32 cycles;
    double param;
};

void PrintTo(const refusal_t &r, std::ostream *os) { *os << r.what; }

class GeneratorRefusal : public testing::TestWithParam<refusal_t>
{
};

TEST_P(GeneratorRefusal, ReturnsTwoAndKeepsTheSamples)
{
    const refusal_t &r = GetParam();
    golden_case_t c{r.what, r.type, r.points, r.cycles, 0.0f, {r.param, 200.0, 200.0}};
    auto wv = make_generator(c);
    ASSERT_TRUE(wv);
    const std::vector<short int> before{1, 2, 3, -4};
    set_samples(*wv, before);
    wv->get_wv_data()->amp = 7.0f;
    wv->set_amp(3.0f); // the object's amplitude is copied into the record only on success
    wv->get_wv_data()->amp = 7.0f;
    EXPECT_EQ(wv->create_wv_data(), 2) << r.what;
    EXPECT_EQ(samples_of(*wv), before) << r.what;
    EXPECT_EQ(wv->get_wv_data()->amp, 7.0f) << r.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GeneratorRefusal,
    testing::Values(refusal_t{"sine_c0", LIB_WV_SINE, 1000, 0, 0}, refusal_t{"sine_c65536", LIB_WV_SINE, 1000, 65536, 0},
                    refusal_t{"sine_n_below_c", LIB_WV_SINE, 5, 6, 0},
                    refusal_t{"square_c0", LIB_WV_SQUARE, 1000, 0, 50},
                    refusal_t{"square_n_below_c", LIB_WV_SQUARE, 3, 4, 50},
                    refusal_t{"ramp_c65536", LIB_WV_RAMP, 1000, 65536, 50},
                    refusal_t{"ramp_n_below_c", LIB_WV_RAMP, 0, 1, 50},
                    refusal_t{"pulse_p1", LIB_WV_PULSE, 5, 5, 1000}, refusal_t{"pulse_c0", LIB_WV_PULSE, 5, 0, 1000},
                    refusal_t{"sinc_p1", LIB_WV_SINC, 3, 3, 10}, refusal_t{"sinc_c0", LIB_WV_SINC, 100, 0, 10},
                    refusal_t{"stair_s_above_p", LIB_WV_STAIR_UP, 8, 1, 9},
                    refusal_t{"stair_s1", LIB_WV_STAIR_UP, 100, 1, 1},
                    refusal_t{"stair_s_negative", LIB_WV_STAIR_DN, 100, 1, -3},
                    refusal_t{"stair_c0", LIB_WV_STAIR_DN, 100, 0, 4}, refusal_t{"exp_c0", LIB_WV_EXP_RISE, 100, 0, 5},
                    refusal_t{"exp_n_below_c", LIB_WV_EXP_FALL, 2, 3, 5}),
    [](const testing::TestParamInfo<refusal_t> &i) { return std::string(i.param.what); });

TEST(GeneratorProcedure, CopiesAmplitudeAndOffsetAndKeepsFrequency)
{
    cfg_if_bswv_square_t sq;
    sq.set_wv_len(100);
    sq.set_amp(3.5f);
    sq.set_offset(-0.25f);
    sq.get_wv_data()->amp = 1.0f;
    sq.get_wv_data()->offset = 1.0f;
    sq.get_wv_data()->freq = 123.0;
    ASSERT_EQ(sq.create_wv_data(), 0);
    EXPECT_EQ(sq.get_wv_data()->amp, 3.5f);
    EXPECT_EQ(sq.get_wv_data()->offset, -0.25f);
    EXPECT_EQ(sq.get_wv_data()->freq, 123.0);
}

TEST(GeneratorProcedure, SecondCallRewritesTheWholeFile)
{
    cfg_if_bswv_square_t sq;
    sq.set_wv_len(1000);
    ASSERT_EQ(sq.create_wv_data(), 0);
    float duty = 100.0f;
    sq.set_duty(duty);
    sq.set_wv_len(10);
    ASSERT_EQ(sq.create_wv_data(), 0);
    EXPECT_EQ(samples_of(sq), std::vector<short int>(10, 32767));
}

TEST(GeneratorProcedure, WriteFailureKeepsThePreviousSamples)
{
    cfg_if_bswv_square_t sq;
    sq.set_wv_len(10);
    const std::vector<short int> before{5, 6, 7};
    set_samples(sq, before);
    // A directory where the scratch file should go makes every write fail.
    const std::string scratch = lib_wv_scratch_path(sq.get_wv_data()->samples.path);
    ASSERT_EQ(::mkdir(scratch.c_str(), 0700), 0);
    EXPECT_LT(sq.create_wv_data(), 0);
    EXPECT_EQ(samples_of(sq), before);
    ::rmdir(scratch.c_str());
}

TEST(GeneratorProcedure, ShortPeriodRepeatsOverManyWritesWithACutLastPeriod)
{
    cfg_if_bswv_square_t sq;
    sq.set_wv_len(100003);
    sq.set_cycle(20000); // P = 5: thousands of repeats, three samples over
    float duty = 40.0f;
    sq.set_duty(duty);
    ASSERT_EQ(sq.create_wv_data(), 0);
    const auto s = samples_of(sq);
    ASSERT_EQ(s.size(), 100003u);
    for (uint32 k = 0; k < s.size(); ++k)
        ASSERT_EQ(s[k], k % 5 < 2 ? 32767 : -32767) << k;
}

TEST(GeneratorEdges, RampSpansMinus32768To32767)
{
    cfg_if_bswv_ramp_t ra;
    ra.set_wv_len(1000);
    ASSERT_EQ(ra.create_wv_data(), 0);
    const auto s = samples_of(ra);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[250], 32767);
    EXPECT_EQ(s[750], -32768);
    EXPECT_GT(s[749], -32767);
    for (int i = 1; i < 250; ++i)
        EXPECT_GT(s[i], s[i - 1]);
}

TEST(GeneratorEdges, PulseDefaultsCrossZeroMidEdge)
{
    cfg_if_bswv_pulse_t pu;
    ASSERT_EQ(pu.create_wv_data(), 0);
    const auto s = samples_of(pu);
    EXPECT_EQ(s[0], -32767);
    EXPECT_EQ(s[100], 0);
    EXPECT_EQ(s[200], 32767);
    EXPECT_EQ(s[999], 32767);
    EXPECT_EQ(s[1100], 0);
    EXPECT_EQ(s[1199], short(32767 - 199 * 327.67));
    EXPECT_EQ(s[1200], -32767);
    EXPECT_EQ(s[16383], -32767);
}

TEST(GeneratorEdges, SincPeakAndSymmetry)
{
    cfg_if_adwv_sinc_t si;
    ASSERT_EQ(si.create_wv_data(), 0);
    const auto s = samples_of(si);
    EXPECT_EQ(s[8192], 32767);
    for (int d = 1; d < 8192; ++d)
        ASSERT_EQ(s[8192 - d], s[8192 + d]) << d;
}

TEST(GeneratorEdges, PhaseOfMinus180EqualsPlus180ForTheRamp)
{
    cfg_if_bswv_ramp_t a, b;
    a.set_wv_len(1234);
    b.set_wv_len(1234);
    a.set_phase(-180.0f);
    b.set_phase(180.0f);
    ASSERT_EQ(a.create_wv_data(), 0);
    ASSERT_EQ(b.create_wv_data(), 0);
    EXPECT_EQ(samples_of(a), samples_of(b));
}

TEST(GeneratorEdges, PhasesOutsideOneTurnStayInRange)
{
    for (float phi : {-1000.0f, 725.0f, 1e30f, -1e30f}) {
        cfg_if_bswv_sine_t si;
        si.set_wv_len(100);
        si.set_phase(phi);
        EXPECT_EQ(si.create_wv_data(), 0) << phi;
        cfg_if_adwv_exp_t ex(true);
        ex.set_wv_len(100);
        ex.set_phase(phi);
        EXPECT_EQ(ex.create_wv_data(), 0) << phi;
        EXPECT_EQ(samples_of(ex).size(), 100u);
    }
}

// Width, edges and cycle ranges the creation dialog offers for a pulse.
TEST(PulseRanges, FollowWidthAndEdges)
{
    cfg_if_bswv_pulse_t pu;
    range_data_t r = pu.get_cycle_range();
    EXPECT_EQ(r.start, 1.0);
    EXPECT_EQ(r.end, 13.0);
    r = pu.get_rise_range();
    EXPECT_EQ(r.start, 0.0);
    EXPECT_EQ(r.end, 1800.0);
    r = pu.get_width_range();
    EXPECT_EQ(r.start, 200.0);
    EXPECT_EQ(r.end, 16384.0 - 200.0);
    pu.set_wv_len(1500);
    r = pu.get_rise_range();
    EXPECT_EQ(r.end, 800.0);
    float f = 2500.0f;
    pu.set_fall_time(f);
    EXPECT_EQ(pu.get_rise_range().end, 0.0);
    EXPECT_EQ(pu.get_fall_range().end, 800.0);
}

TEST(PulseRanges, CycleRangeOfAnEmptyPulseIsThePlainRange)
{
    cfg_if_bswv_pulse_t pu;
    float zero = 0.0f;
    pu.set_pulse_width(zero);
    pu.set_rise_time(zero);
    pu.set_fall_time(zero);
    const range_data_t r = pu.get_cycle_range();
    EXPECT_EQ(r.start, 1.0);
    EXPECT_EQ(r.end, 100.0);
}

TEST(PulseRanges, CycleRangeSaturatesAt65535)
{
    cfg_if_bswv_pulse_t pu;
    float tiny = 0.001f, zero = 0.0f;
    pu.set_pulse_width(tiny);
    pu.set_rise_time(zero);
    pu.set_fall_time(zero);
    EXPECT_EQ(pu.get_cycle_range().end, 65535.0);
    pu.set_wv_len(0);
    EXPECT_EQ(pu.get_cycle_range().end, 1.0);
}

} // namespace
