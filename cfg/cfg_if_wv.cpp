#include "cfg_if_wv.h"

#include "cfg_instr_limit.h"
#include "lib_diag.h"
#include "plat_fs.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

void print_freq(double f)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "_freq=%.16f\n", f);
    lib_diag_out(buf);
}

constexpr uint32 k_scan_block = 10485760;

} // namespace

cfg_if_wv_t::cfg_if_wv_t()
    : clear_on_release(0), amp(2.0f), offset(0.0f), high_level(1.0f), low_level(-1.0f), freq(1000.0),
      period(0.001f), cycle(1), phase(0.0f), wv_len(16384), srate(16384000.0f), instr_type(INSTR_ZQW6000X),
      wv_mode(0), ch(LIB_CH1), wv_type(LIB_WV_NONE)
{
}

cfg_if_wv_t::~cfg_if_wv_t()
{
    // Not virtual dispatch here: a subclass is already gone.
    if (clear_on_release)
        wv_data.clear();
}

void cfg_if_wv_t::release_wv_data(bool remove_file)
{
    if (remove_file) {
        std::remove(wv_data.samples.path.c_str());
        return;
    }
    if (clear_on_release)
        wv_data.clear();
}

int cfg_if_wv_t::set_amp(const float &value)
{
    amp = value;
    wv_data.amp = value;
    return 0;
}

float *cfg_if_wv_t::get_amp() { return &amp; }

int cfg_if_wv_t::set_offset(const float &value)
{
    offset = value;
    wv_data.offset = value;
    return 0;
}

float *cfg_if_wv_t::get_offset() { return &offset; }

int cfg_if_wv_t::set_high_level(const float &value)
{
    high_level = value;
    return 0;
}

float *cfg_if_wv_t::get_high_level() { return &high_level; }

int cfg_if_wv_t::set_low_level(const float &value)
{
    low_level = value;
    return 0;
}

float *cfg_if_wv_t::get_low_level() { return &low_level; }

int cfg_if_wv_t::set_high_low_level(const float &high, const float &low)
{
    float a = std::max(*instr_get_min_amp(instr_type), high - low);
    float o = (high + low) * 0.5f;
    set_amp(a);
    return set_offset(o);
}

int cfg_if_wv_t::set_amp_offset(const float &amplitude, const float &off)
{
    float high = (amplitude + 2 * off) * 0.5f;
    float low = (2 * off - amplitude) * 0.5f;
    set_high_level(high);
    return set_low_level(low);
}

int cfg_if_wv_t::set_freq(const double &value)
{
    freq = value;
    print_freq(freq);
    return 0;
}

double *cfg_if_wv_t::get_freq() { return &freq; }

int cfg_if_wv_t::set_period(const float &value)
{
    period = value;
    return 0;
}

float *cfg_if_wv_t::get_period() { return &period; }

int cfg_if_wv_t::set_cycle(const uint32 &value)
{
    cycle = value;
    return 0;
}

uint32 *cfg_if_wv_t::get_cycle() { return &cycle; }

int cfg_if_wv_t::set_phase(const float &value)
{
    phase = value;
    return 0;
}

float *cfg_if_wv_t::get_phase() { return &phase; }

int cfg_if_wv_t::set_wv_len(const uint32 &value)
{
    wv_len = value;
    return 0;
}

uint32 *cfg_if_wv_t::get_wv_len() { return &wv_len; }

int cfg_if_wv_t::set_srate(const float &value)
{
    srate = value;
    return 0;
}

float *cfg_if_wv_t::get_srate() { return &srate; }

int cfg_if_wv_t::set_freq_by_srate(const float &sample_rate)
{
    freq = static_cast<double>(sample_rate) / static_cast<double>(wv_len);
    print_freq(freq);
    return 0;
}

int cfg_if_wv_t::set_srate_by_freq(const float &frequency)
{
    srate = static_cast<float>(wv_len) * frequency;
    return 0;
}

range_data_t cfg_if_wv_t::get_cycle_range() { return range_data_t{1.0, 100.0}; }

float cfg_if_wv_t::get_limit_amp() { return amp; }

float cfg_if_wv_t::get_limit_freq() { return static_cast<float>(freq); }

int cfg_if_wv_t::set_wv_data(const lib_wv_data_t<short int> &data)
{
    return wv_data.assign(data) ? 0 : 3;
}

void cfg_if_wv_t::set_wv_type(lib_wv_type_t type)
{
    if (static_cast<uint32>(type) > 13u)
        return;
    wv_type = type;
}

void cfg_if_wv_t::reset_wv_mode()
{
    if (static_cast<unsigned int>(instr_type) <= 10u)
        wv_mode = 0;
}

bool cfg_if_wv_t::is_srate_series() const { return static_cast<int>(instr_type) < 5; }

void cfg_if_wv_t::reset_params()
{
    amp = 2.0f;
    offset = 0.0f;
    high_level = 1.0f;
    low_level = -1.0f;
    freq = 1000.0;
    period = 0.001f;
    cycle = 1;
    phase = 0.0f;
    wv_len = 16384;
    srate = 16384000.0f;
}

void cfg_if_wv_t::reset_all()
{
    reset_params();
    instr_type = INSTR_ZQW6000X;
    wv_mode = 0;
    ch = LIB_CH1;
    wv_type = LIB_WV_NONE;
}

std::string cfg_if_wv_t::get_wv_template_path(lib_wv_type_t type) const
{
    static const char *const names[] = {"sine.bin",    "square.bin",   "pulse.bin",    "ramp.bin",
                                        "noise.bin",   "dc.bin",       "sinc.bin",     "stair_up.bin",
                                        "stair_dn.bin", "exp_rise.bin", "exp_fall.bin"};
    std::string path = plat_getcwd() + "/";
    uint32 t = static_cast<uint32>(type);
    if (t < sizeof names / sizeof names[0])
        path += names[t];
    return path;
}

int cfg_if_wv_t::get_wv_max_min(short int &maximum, short int &minimum)
{
    const uint32 n = wv_data.samples.size();
    if (n == 0)
        return 0;
    short int first = wv_data.samples[0];
    maximum = first;
    minimum = first;
    std::vector<short int> block(std::min(n, k_scan_block));
    for (uint32 start = 0; start < n;) {
        uint32 got = wv_data.samples.read(start, block.data(), std::min(k_scan_block, n - start));
        if (got == 0)
            break;
        for (uint32 i = 0; i < got; ++i) {
            short int s = block[i];
            if (s >= maximum)
                maximum = s;
            if (s <= minimum)
                minimum = s;
        }
        start += got;
    }
    return 1;
}

void cfg_if_wv_t::resize_wv_data(uint32 count)
{
    lib_diag_line("outside resize:" + std::to_string(count));
    wv_data.samples.resize(count, 0);
}

void cfg_if_wv_t::copy_params_from(cfg_if_wv_t &src)
{
    set_amp(*src.get_amp());
    set_offset(*src.get_offset());
    set_high_level(*src.get_high_level());
    set_low_level(*src.get_low_level());
    set_freq(*src.get_freq());
    set_period(*src.get_period());
    set_cycle(*src.get_cycle());
    set_phase(*src.get_phase());
    set_wv_len(*src.get_wv_len());
    set_srate(*src.get_srate());
    update_wv_data(*src.get_wv_data());
    set_instr_type(src.get_instr_type());
    set_wv_mode(src.get_wv_mode());
    set_ch(src.get_ch());
}
