#include "cfg_if_wv.h"
#include "plat_fs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class plain_wave_t : public cfg_if_wv_t
{
public:
    int create_wv_data() override { return 0; }
};

bool exists(const std::string &p)
{
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

void put_samples(cfg_if_wv_t &w, const std::vector<short> &v)
{
    w.get_wv_data()->samples.write(0, v.data(), (uint32)v.size());
}

} // namespace

TEST(WaveObject, ConstructionValues)
{
    plain_wave_t w;
    EXPECT_EQ(*w.get_amp(), 2.0f);
    EXPECT_EQ(*w.get_offset(), 0.0f);
    EXPECT_EQ(*w.get_high_level(), 1.0f);
    EXPECT_EQ(*w.get_low_level(), -1.0f);
    EXPECT_EQ(*w.get_freq(), 1000.0);
    EXPECT_EQ(*w.get_period(), 0.001f);
    EXPECT_EQ(*w.get_cycle(), 1u);
    EXPECT_EQ(*w.get_phase(), 0.0f);
    EXPECT_EQ(*w.get_wv_len(), 16384u);
    EXPECT_EQ(*w.get_srate(), 16384000.0f);
    EXPECT_EQ(w.get_wv_type(), LIB_WV_NONE);
    EXPECT_EQ(w.get_instr_type(), INSTR_ZQW6000X);
    EXPECT_EQ(w.get_ch(), LIB_CH1);
    EXPECT_EQ(w.get_wv_mode(), 0);
    EXPECT_EQ(w.get_wv_data()->samples.size(), 0u);
    EXPECT_TRUE(exists(w.get_wv_data()->samples.path));
}

TEST(WaveObject, LevelsAndAmplitudeConvertBothWays)
{
    plain_wave_t w;
    w.set_high_low_level(3.0f, -1.0f);
    EXPECT_EQ(*w.get_amp(), 4.0f);
    EXPECT_EQ(*w.get_offset(), 1.0f);
    EXPECT_EQ(w.get_wv_data()->amp, 4.0f);
    EXPECT_EQ(*w.get_high_level(), 1.0f); // levels are not written
    w.set_high_low_level(1.0f, 1.0f);
    EXPECT_EQ(*w.get_amp(), 0.002f); // the model's minimum
    EXPECT_EQ(*w.get_offset(), 1.0f);

    plain_wave_t v;
    v.set_amp_offset(4.0f, 1.0f);
    EXPECT_EQ(*v.get_high_level(), 3.0f);
    EXPECT_EQ(*v.get_low_level(), -1.0f);
    EXPECT_EQ(*v.get_amp(), 2.0f);
}

TEST(WaveObject, ResetParamsLeavesTheSampleRecord)
{
    plain_wave_t w;
    w.set_amp(5.0f);
    EXPECT_EQ(w.get_wv_data()->amp, 5.0f);
    w.set_instr_type(INSTR_ZQW1000);
    w.reset_params();
    EXPECT_EQ(*w.get_amp(), 2.0f);
    EXPECT_EQ(w.get_wv_data()->amp, 5.0f);
    EXPECT_EQ(w.get_instr_type(), INSTR_ZQW1000);
    w.reset_all();
    EXPECT_EQ(w.get_instr_type(), INSTR_ZQW6000X);
}

TEST(WaveObject, TypeModeAndSeries)
{
    plain_wave_t w;
    w.set_wv_type(LIB_WV_RAMP);
    w.set_wv_type(static_cast<lib_wv_type_t>(14));
    EXPECT_EQ(w.get_wv_type(), LIB_WV_RAMP);
    w.set_wv_type(LIB_WV_NONE);
    EXPECT_EQ(w.get_wv_type(), LIB_WV_NONE);

    w.set_wv_mode(1);
    w.set_instr_type(INSTR_NONE);
    w.reset_wv_mode();
    EXPECT_EQ(w.get_wv_mode(), 1);
    w.set_instr_type(INSTR_OVT2000X_PLUS);
    w.reset_wv_mode();
    EXPECT_EQ(w.get_wv_mode(), 0);

    for (int t = 0; t <= 11; ++t) {
        w.set_instr_type(static_cast<instr_zqw_t>(t));
        EXPECT_EQ(w.is_srate_series(), t < 5) << t;
    }
}

TEST(WaveObject, FrequencyAndSampleRate)
{
    plain_wave_t w;
    testing::internal::CaptureStdout();
    w.set_freq_by_srate(16384000.0f);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "_freq=1000.0000000000000000\n");
    EXPECT_EQ(*w.get_freq(), 1000.0);
    w.set_srate_by_freq(2000.0f);
    EXPECT_EQ(*w.get_srate(), 2000.0f * 16384);
    EXPECT_EQ(*w.get_freq(), 1000.0);
}

TEST(WaveObject, TemplatePaths)
{
    plain_wave_t w;
    std::string dir = plat_getcwd() + "/";
    EXPECT_EQ(w.get_wv_template_path(LIB_WV_RAMP), dir + "ramp.bin");
    EXPECT_EQ(w.get_wv_template_path(LIB_WV_SINE), dir + "sine.bin");
    EXPECT_EQ(w.get_wv_template_path(LIB_WV_EXP_FALL), dir + "exp_fall.bin");
    EXPECT_EQ(w.get_wv_template_path(LIB_WV_NONE), dir);
}

TEST(WaveObject, MaxMinOfTheSamples)
{
    plain_wave_t w;
    short hi = 99, lo = 99;
    EXPECT_EQ(w.get_wv_max_min(hi, lo), 0);
    EXPECT_EQ(hi, 99);
    put_samples(w, {5, -3, 7});
    EXPECT_EQ(w.get_wv_max_min(hi, lo), 1);
    EXPECT_EQ(hi, 7);
    EXPECT_EQ(lo, -3);
}

TEST(WaveObject, ReleaseAndDestructionRemoveTheSampleFile)
{
    auto w = std::make_unique<plain_wave_t>();
    std::string p = w->get_wv_data()->samples.path;
    put_samples(*w, {1, 2, 3});
    w->release_wv_data(false);
    EXPECT_EQ(w->get_wv_data()->samples.size(), 3u);
    w->set_clear_on_release(1);
    w->release_wv_data(false);
    EXPECT_EQ(w->get_wv_data()->samples.size(), 0u);
    EXPECT_TRUE(exists(p));
    w->release_wv_data(true);
    EXPECT_FALSE(exists(p));
    w.reset();

    auto v = std::make_unique<plain_wave_t>();
    std::string q = v->get_wv_data()->samples.path;
    v.reset();
    EXPECT_FALSE(exists(q));
}

TEST(WaveObject, SetWaveDataCopiesSamplesAndLevels)
{
    plain_wave_t w;
    lib_wv_data_t<short> src;
    std::vector<short> v = {4, 5, 6};
    src.samples.write(0, v.data(), 3);
    src.amp = 8.0f;
    w.update_wv_data(src);
    std::vector<short> got;
    w.get_wv_data()->read_all(got);
    EXPECT_EQ(got, v);
    EXPECT_EQ(w.get_wv_data()->amp, 8.0f);
}
