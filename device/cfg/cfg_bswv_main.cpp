// cfg_bswv_main_t: construction, the store rule, the getters, the derived values, the
// limits of the current wave and the channel record.
#include "cfg_bswv_main.h"

#include "cfg_apply.h"
#include "cfg_bswv_arb.h"
#include "cfg_bswv_dc.h"
#include "cfg_bswv_noise.h"
#include "cfg_bswv_prbs.h"
#include "cfg_bswv_pulse.h"
#include "cfg_bswv_ramp.h"
#include "cfg_bswv_sine.h"
#include "cfg_bswv_square.h"
#include "cfg_bswv_wave.h"
#include "cfg_burst.h"
#include "cfg_ch_combine.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "drv_para.h"
#include "gos.h"
#include "lib_quantity.h"
#include "lib_trunc.h"

#include <cmath>
#include <cstring>

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;

constexpr int32 HIGH_Z = 1000000;
constexpr int32 RUN_MODE_BURST = 2;
constexpr int32 RUN_MODE_CONTINUOUS = 3;
constexpr int32 NOTICE_FREQ_CORRECTED = 4;

// The divisors from a peak-to-peak amplitude to rms; the amplitude setters multiply
// by the same numbers, so they are kept as they are rather than 2 sqrt 2 and 2 sqrt 3.
constexpr long double SINE_RMS_DIVISOR = 2.828854314002829L;
constexpr long double RAMP_RMS_DIVISOR = 3.464001L;

lib_unit_data_t base_record(long double value)
{
    lib_unit_data_t r{};
    r.data = value;
    r.unit = LIB_UNIT_BASE;
    r.changed = false;
    return r;
}

// The factor from peak-to-peak to rms of a wave type, or -1 for the types that have
// no rms amplitude. The data-pattern types count 0, like type 7.
long double rms_factor(int32 type)
{
    switch (type)
    {
    case WAVE_SINE:
        return 1.0L / SINE_RMS_DIVISOR;
    case WAVE_SQUARE:
    case WAVE_PULSE:
    case WAVE_PRBS:
        return 0.5L;
    case WAVE_RAMP:
        return 1.0L / RAMP_RMS_DIVISOR;
    case WAVE_NOISE:
    case WAVE_DC:
    case WAVE_ARB:
        return -1.0L;
    default:
        return 0.0L;
    }
}

long double rms_of(int32 type, long double ampl)
{
    switch (type)
    {
    case WAVE_SINE:
        return ampl / SINE_RMS_DIVISOR;
    case WAVE_RAMP:
        return ampl / RAMP_RMS_DIVISOR;
    default:
        return ampl * rms_factor(type);
    }
}

long double positive_zero(long double v)
{
    return v == 0.0L ? 0.0L : v;
}
} // namespace

void cfg_store_unit_data(lib_unit_data_t *dst, const lib_unit_data_t *src)
{
    cfg_bswv_main_t::store(dst, *src);
}

void cfg_bswv_main_t::store(lib_unit_data_t *field, const lib_unit_data_t &v)
{
    if (v.data == field->data)
    {
        field->changed = false;
        return;
    }
    field->data = v.data;
    field->unit = v.unit;
    field->changed = true;
}

cfg_bswv_wave_t *cfg_get_bswv_wave(int32 ch, int32 type)
{
    return cfg_get_bswv_main(ch)->get_wave(type);
}

int32 apply_ampl(int32 ch)
{
    const int32 output = cfg_get_wv_main(ch)->get_output();
    if (output == 1)
        return cfg_apply_ampl_offset(ch);
    return output;
}

cfg_bswv_main_t::cfg_bswv_main_t() = default;
cfg_bswv_main_t::~cfg_bswv_main_t() = default;

namespace
{
template <typename T>
void copy_wave(std::unique_ptr<T> &dst, const std::unique_ptr<T> &src)
{
    if (!src)
        return;
    if (!dst)
        dst = std::make_unique<T>();
    *dst = *src;
}
} // namespace

cfg_bswv_main_t &cfg_bswv_main_t::operator=(const cfg_bswv_main_t &other)
{
    if (this == &other)
        return *this;
    user_flag = other.user_flag;
    ch = other.ch;
    param_check = other.param_check;
    wave_type = other.wave_type;
    freq = other.freq;
    ampl = other.ampl;
    offset = other.offset;
    dc_level = other.dc_level;
    phase = other.phase;
    duty = other.duty;
    symmetry = other.symmetry;
    prbs_length = other.prbs_length;
    prbs_edge = other.prbs_edge;
    prbs_link = other.prbs_link;
    pulse_hold = other.pulse_hold;
    pulse_width = other.pulse_width;
    rise_edge = other.rise_edge;
    fall_edge = other.fall_edge;
    pulse_duty = other.pulse_duty;
    load = other.load;
    sample_rate_mode = other.sample_rate_mode;
    arb_rate_switch = other.arb_rate_switch;
    sample_rate = other.sample_rate;
    noise_stdev = other.noise_stdev;
    noise_bandwidth = other.noise_bandwidth;
    noise_bandwidth_switch = other.noise_bandwidth_switch;
    harmonic_switch = other.harmonic_switch;
    harmonic_order = other.harmonic_order;
    harmonic_type = other.harmonic_type;
    harmonic_scale = other.harmonic_scale;
    harmonic_samples = other.harmonic_samples;
    harmonics = other.harmonics;
    harmonic_wave_index = other.harmonic_wave_index;
    alt_product_flag = other.alt_product_flag;
    copy_wave(base_wave, other.base_wave);
    copy_wave(sine, other.sine);
    copy_wave(square, other.square);
    copy_wave(ramp, other.ramp);
    copy_wave(pulse, other.pulse);
    copy_wave(noise, other.noise);
    copy_wave(dc, other.dc);
    copy_wave(arb, other.arb);
    copy_wave(prbs, other.prbs);
    return *this;
}

void cfg_bswv_main_t::create_waves()
{
    base_wave = std::make_unique<cfg_bswv_wave_t>();
    sine = std::make_unique<cfg_bswv_sine_t>();
    ramp = std::make_unique<cfg_bswv_ramp_t>();
    dc = std::make_unique<cfg_bswv_dc_t>();
    prbs = std::make_unique<cfg_bswv_prbs_t>();
    const int32 product = cfg_drv_get_product_id();
    alt_product_flag = product == 2 ? 1 : 0;
    // Created on every product: the second platform would otherwise hand out objects
    // that do not exist.
    square = std::make_unique<cfg_bswv_square_t>();
    pulse = std::make_unique<cfg_bswv_pulse_t>();
    noise = std::make_unique<cfg_bswv_noise_t>();
    arb = std::make_unique<cfg_bswv_arb_t>();
}

void cfg_bswv_main_t::init_waves(int32 channel)
{
    create_waves();
    ch = channel;
    sine->init(channel);
    square->init(channel);
    ramp->init(channel);
    pulse->init(channel);
    noise->init(channel);
    dc->init(channel);
    arb->init(channel);
    prbs->init(channel);
}

void cfg_bswv_main_t::init_harmonic_wave_index()
{
    for (int32 order = 2; order <= 10; ++order)
        harmonic_wave_index.emplace(order, 206 + order);
}

void cfg_bswv_main_t::init_defaults()
{
    user_flag = 1;
    wave_type = WAVE_SINE;
    freq = base_record(1000.0L);
    ampl = base_record(4.0L);
    offset = base_record(0.0L);
    dc_level = base_record(0.0L);
    phase = base_record(0.0L);
    duty = base_record(50.0L);
    symmetry = base_record(50.0L);
    prbs_length = base_record(3.0L);
    prbs_edge = base_record(1e-08L);
    prbs_link = 0;
    pulse_width = base_record(0.0002L);
    rise_edge = base_record(2e-09L);
    fall_edge = base_record(2e-09L);
    pulse_duty = base_record(20.0L);
    load = HIGH_Z;
    sample_rate_mode = 0;
    arb_rate_switch = 0;
    sample_rate = base_record(16384000.0L);
    // The module's deviation of 4 V is asked of channel 0 for both channels.
    noise_stdev = base_record(cfg_noise_ampl_to_stdev(0, ampl.data));
    noise_bandwidth = base_record(cfg_drv_get_default_level());
    noise_bandwidth_switch = 0;
    harmonic_switch = 0;
    harmonic_order = 2;
    harmonic_type = 0;
    for (int32 order = 2; order <= 10; ++order)
        harmonics.emplace(order, cfg_harmonic_t{0.0L, -80.0L, 0.0L});
}

void cfg_bswv_main_t::init(int32 channel)
{
    init_waves(channel);
    init_harmonic_wave_index();
    update_harmonic_wave_data();
    init_defaults();
}

void cfg_bswv_main_t::bind_channel(int32 channel)
{
    if (!base_wave)
    {
        init_waves(channel);
        return;
    }
    ch = channel;
    // The base init only stores the channel once the shared limits are filled.
    for (cfg_bswv_wave_t *wave : {static_cast<cfg_bswv_wave_t *>(base_wave.get()),
                                  static_cast<cfg_bswv_wave_t *>(sine.get()), static_cast<cfg_bswv_wave_t *>(square.get()),
                                  static_cast<cfg_bswv_wave_t *>(ramp.get()), static_cast<cfg_bswv_wave_t *>(pulse.get()),
                                  static_cast<cfg_bswv_wave_t *>(noise.get()), static_cast<cfg_bswv_wave_t *>(dc.get()),
                                  static_cast<cfg_bswv_wave_t *>(arb.get()), static_cast<cfg_bswv_wave_t *>(prbs.get())})
        wave->cfg_bswv_wave_t::init(channel);
}

void cfg_bswv_main_t::save_config(const char *)
{
}

void cfg_bswv_main_t::reapply_polarity()
{
    cfg_get_wv_main(ch)->apply_polarity();
}

cfg_bswv_wave_t *cfg_bswv_main_t::get_wave(int32 type)
{
    switch (type)
    {
    case WAVE_SINE:
        return sine.get();
    case WAVE_SQUARE:
        return square.get();
    case WAVE_RAMP:
        return ramp.get();
    case WAVE_PULSE:
        return pulse.get();
    case WAVE_NOISE:
        return noise.get();
    case WAVE_DC:
        return dc.get();
    case WAVE_ARB:
        return arb.get();
    case WAVE_PRBS:
        return prbs.get();
    default:
        return base_wave.get();
    }
}

cfg_bswv_wave_t *cfg_bswv_main_t::get_current_wave()
{
    return get_wave(wave_type);
}

int32 cfg_bswv_main_t::get_load(int32 *ohms) const
{
    *ohms = load;
    return 1;
}

int32 cfg_bswv_main_t::get_prbs_link(int32 *out) const
{
    *out = prbs_link;
    return 1;
}

int32 cfg_bswv_main_t::get_noise_bandwidth_switch(int32 *out) const
{
    *out = noise_bandwidth_switch;
    return 1;
}

int32 cfg_bswv_main_t::get_harmonic_switch(int32 *out) const
{
    *out = harmonic_switch;
    return 1;
}

#define CFG_BSWV_RECORD_GETTER(name, field)                                                                            \
    int32 cfg_bswv_main_t::name(lib_unit_data_t *out) const                                                           \
    {                                                                                                                  \
        *out = field;                                                                                                  \
        return 1;                                                                                                      \
    }
CFG_BSWV_RECORD_GETTER(get_duty, duty)
CFG_BSWV_RECORD_GETTER(get_symmetry, symmetry)
CFG_BSWV_RECORD_GETTER(get_prbs_length, prbs_length)
CFG_BSWV_RECORD_GETTER(get_prbs_edge, prbs_edge)
CFG_BSWV_RECORD_GETTER(get_pulse_width, pulse_width)
CFG_BSWV_RECORD_GETTER(get_rise_edge, rise_edge)
CFG_BSWV_RECORD_GETTER(get_fall_edge, fall_edge)
CFG_BSWV_RECORD_GETTER(get_pulse_duty, pulse_duty)
CFG_BSWV_RECORD_GETTER(get_noise_stdev, noise_stdev)
CFG_BSWV_RECORD_GETTER(get_noise_bandwidth, noise_bandwidth)
CFG_BSWV_RECORD_GETTER(get_sample_rate, sample_rate)
#undef CFG_BSWV_RECORD_GETTER

int32 cfg_bswv_main_t::get_offset(lib_unit_data_t *out) const
{
    *out = wave_type == WAVE_DC ? dc_level : offset;
    return 1;
}

long double cfg_bswv_main_t::normalised_phase()
{
    phase.data = positive_zero(phase.data);
    return phase.data;
}

int32 cfg_bswv_main_t::get_phase(lib_unit_data_t *out)
{
    normalised_phase();
    *out = wave_type == WAVE_PRBS ? base_record(0.0L) : phase;
    return 1;
}

int32 cfg_bswv_main_t::is_arb_sample_rate_mode() const
{
    return wave_type == WAVE_ARB && sample_rate_mode == 1 ? 1 : 0;
}

int32 cfg_bswv_main_t::is_prbs_linked() const
{
    return wave_type == WAVE_PRBS && prbs_link == 1 ? 1 : 0;
}

int32 cfg_bswv_main_t::has_freq_setting() const
{
    return wave_type == WAVE_NOISE || wave_type == WAVE_DC ? 0 : 1;
}

int32 cfg_bswv_main_t::has_period_setting() const
{
    return wave_type == WAVE_NOISE || wave_type == WAVE_DC || wave_type == WAVE_ARB ? 0 : 1;
}

int32 cfg_bswv_main_t::get_freq(lib_unit_data_t *out)
{
    // A channel without samples (its wave file missing) has no frequency to derive
    // from the sample rate: the stored one stands.
    if (!is_arb_sample_rate_mode() || cfg_drv_get_ch_wave_len(ch) == 0)
    {
        *out = freq;
        return 1;
    }
    lib_unit_data_t result{};
    result.data = cfg_drv_sample_rate_to_freq(ch, sample_rate.data);
    result.unit = LIB_UNIT_BASE;
    result.changed = sample_rate.changed;
    const long double min = get_current_wave()->get_min_freq(0);
    if (min > result.data)
    {
        result.data = min;
        store_freq(result);
        // The notice carries the corrected record word by word after its code.
        int32 words[8] = {};
        static_assert(sizeof(lib_unit_data_t) <= sizeof(words), "the record fits the notice");
        std::memcpy(words, &result, sizeof(lib_unit_data_t));
        cfg_main_t::get_instance()->post_message_words(NOTICE_FREQ_CORRECTED, words[0], words[1], words[2],
                                                       words[3], words[4], words[5], words[6], words[7], 0, 0);
    }
    *out = result;
    return 1;
}

int32 cfg_bswv_main_t::get_period(lib_unit_data_t *out)
{
    lib_unit_data_t hz{};
    get_freq(&hz);
    *out = base_record(1.0L / hz.data);
    return 1;
}

int32 cfg_bswv_main_t::get_ampl(lib_unit_data_t *out) const
{
    if (wave_type == WAVE_NOISE)
    {
        *out = base_record(cfg_drv_get_noise_ampl_factor(noise_bandwidth_switch, noise_bandwidth.data, ampl.data));
        return 1;
    }
    *out = ampl;
    return 1;
}

int32 cfg_bswv_main_t::get_signed_offset(lib_unit_data_t *out) const
{
    get_offset(out);
    if (cfg_get_wv_main(ch)->get_polarity() == 0)
        out->data = -out->data;
    return 1;
}

long double cfg_bswv_main_t::get_offset_value() const
{
    cfg_ch_combine_t *combine = cfg_get_combine(ch);
    if (combine->get_enable() == 1)
        return combine->sum_offset();
    lib_unit_data_t signed_offset{};
    get_signed_offset(&signed_offset);
    return signed_offset.data;
}

int32 cfg_bswv_main_t::get_high_level(lib_unit_data_t *out) const
{
    lib_unit_data_t o{};
    lib_unit_data_t a{};
    get_offset(&o);
    get_ampl(&a);
    *out = base_record(o.data + a.data * 0.5L);
    return 1;
}

int32 cfg_bswv_main_t::get_low_level(lib_unit_data_t *out) const
{
    lib_unit_data_t o{};
    lib_unit_data_t a{};
    get_offset(&o);
    get_ampl(&a);
    *out = base_record(o.data - a.data * 0.5L);
    return 1;
}

long double cfg_bswv_main_t::get_output_ampl() const
{
    if (wave_type == WAVE_SINE && harmonic_switch == 1)
        return get_harmonic_output_ampl();
    cfg_ch_combine_t *combine = cfg_get_combine(ch);
    if (combine->get_enable() == 1)
        return combine->sum_ampl();
    if (wave_type == WAVE_DC)
        return 0.0L;
    lib_unit_data_t a{};
    get_ampl(&a);
    return a.data;
}

long double cfg_bswv_main_t::get_harmonic_output_ampl() const
{
    lib_unit_data_t a{};
    get_ampl(&a);
    const long double s = harmonic_switch == 1 ? harmonic_scale : 1.0L;
    if (cfg_get_combine(ch)->get_enable() != 1)
        return a.data / s;
    const int32 other_ch = lib_other_ch(ch);
    const cfg_bswv_main_t *other = cfg_get_bswv_main(other_ch);
    if (other->get_wave_type() == WAVE_DC)
        return a.data / s;
    lib_unit_data_t b{};
    other->get_ampl(&b);
    const long double t = cfg_get_combine(other_ch)->get_enable() == 1 ? other->harmonic_scale : 1.0L;
    return a.data / s + b.data / t;
}

long double cfg_bswv_main_t::get_open_circuit_ampl() const
{
    const long double a = get_output_ampl();
    if (load == 50)
        return 2 * a;
    if (load == HIGH_Z)
        return a;
    return cfg_drv_convert_ampl_for_load(load, a);
}

long double cfg_bswv_main_t::get_open_circuit_offset() const
{
    return cfg_drv_convert_ampl_for_load(load, get_offset_value());
}

int32 cfg_bswv_main_t::get_ampl_vrms(lib_unit_data_t *out) const
{
    if (rms_factor(wave_type) < 0)
        return -12;
    lib_unit_data_t a{};
    get_ampl(&a);
    *out = base_record(rms_of(wave_type, a.data));
    return 1;
}

int32 cfg_bswv_main_t::get_ampl_dbm(lib_unit_data_t *out) const
{
    if (rms_factor(wave_type) < 0 || load == HIGH_Z)
        return -12;
    lib_unit_data_t a{};
    get_ampl(&a);
    const long double v = rms_of(wave_type, a.data);
    // A wave without an rms amplitude has no power to give in dBm.
    if (!(v > 0))
        return -12;
    *out = base_record(10 * gos_log10l(v * v * 1000 / load));
    return 1;
}

int32 cfg_bswv_main_t::get_pulse_delay(lib_unit_data_t *out)
{
    const long double p = normalised_phase();
    const long double f = freq.data;
    const long double delay = f == 0 ? 0.0L : positive_zero(p / (f * -360));
    *out = base_record(delay);
    return 1;
}

void cfg_bswv_main_t::get_square_edges(long double *rise, long double *fall)
{
    cfg_bswv_wave_t *current = get_current_wave();
    cfg_bswv_wave_t *pulse_wave = cfg_get_bswv_wave(ch, WAVE_PULSE);
    *rise = current->get_rise_edge(pulse_wave);
    *fall = current->get_fall_edge(pulse_wave);
}

int32 cfg_bswv_main_t::get_wave_len() const
{
    return cfg_drv_get_ch_wave_len(ch);
}

long double cfg_bswv_main_t::get_arb_rate_word() const
{
    if (arb_rate_switch != 0)
        return 4194303.0L * sample_rate.data / 300000000.0L;
    return 4194303.0L;
}

int32 cfg_bswv_main_t::is_output_active() const
{
    return cfg_get_wv_main(ch)->is_output_or_combine_on();
}

long double cfg_bswv_main_t::get_max_freq()
{
    cfg_bswv_wave_t *current = get_current_wave();
    if (is_arb_sample_rate_mode())
        return cfg_drv_sample_rate_to_freq(ch, current->get_max_sample_rate());
    return current->get_max_freq(ch);
}

long double cfg_bswv_main_t::get_min_freq()
{
    cfg_bswv_wave_t *current = get_current_wave();
    const long double min = current->get_min_freq(ch);
    if (!is_arb_sample_rate_mode())
        return min;
    const long double by_rate = cfg_drv_sample_rate_to_freq(ch, current->get_min_sample_rate(ch));
    return by_rate > min ? by_rate : min;
}

int64 cfg_bswv_main_t::get_max_freq_int()
{
    return lib_trunc_i64(get_current_wave()->get_max_freq(0));
}

long double cfg_bswv_main_t::get_min_ampl()
{
    return get_current_wave()->get_min_ampl(load);
}

long double cfg_bswv_main_t::get_max_ampl()
{
    return get_current_wave()->get_max_ampl(get_offset_value(), freq.data, load);
}

long double cfg_bswv_main_t::get_max_offset()
{
    return get_current_wave()->get_max_offset(get_output_ampl(), freq.data, load);
}

long double cfg_bswv_main_t::get_min_offset()
{
    return get_current_wave()->get_min_offset(get_output_ampl(), freq.data, load);
}

long double cfg_bswv_main_t::get_max_freq_for_ampl()
{
    cfg_bswv_wave_t *current = get_current_wave();
    if (is_arb_sample_rate_mode())
        return cfg_drv_sample_rate_to_freq(ch, current->get_max_sample_rate());
    return current->get_max_freq_by_ampl(get_open_circuit_ampl());
}

std::string &cfg_bswv_main_t::get_arb_wave_name()
{
    return get_current_wave()->get_arb_wave_name();
}

void cfg_bswv_main_t::delete_arb_wave_files(const std::string &path)
{
    get_current_wave()->delete_arb_wave_files(path);
}

int32 cfg_bswv_main_t::get_arb_flag()
{
    return arb->query_arb_flag();
}

long double cfg_bswv_main_t::sample_rate_to_freq(long double rate) const
{
    return cfg_drv_sample_rate_to_freq(ch, rate);
}

long double cfg_bswv_main_t::freq_to_sample_rate(long double hz) const
{
    return cfg_drv_freq_to_sample_rate(ch, hz);
}

int32 cfg_bswv_main_t::get_arb_rate_cap() const
{
    return cfg_drv_is_arb_ext_freq_supported();
}

int32 cfg_bswv_main_t::get_noise_bw_cap() const
{
    return cfg_drv_is_noise_ext_supported();
}

int32 cfg_bswv_main_t::get_extra_cap() const
{
    return cfg_drv_is_aux_supported();
}

int32 cfg_bswv_main_t::get_square_combine_cap() const
{
    return cfg_drv_is_square_combine_supported();
}

int32 cfg_bswv_main_t::set_user_flag(int32 flag)
{
    user_flag = flag;
    return 1;
}

void cfg_bswv_main_t::set_arb_rate_switch(int32 on)
{
    arb_rate_switch = on;
    if (is_arb_sample_rate_mode())
        cfg_apply_arb_sample_rate(ch);
}

void cfg_bswv_main_t::store_signed_offset_raw(lib_unit_data_t v)
{
    if (cfg_get_wv_main(ch)->get_polarity() == 0)
        v.data = -v.data;
    store(wave_type == WAVE_DC ? &dc_level : &offset, v);
}

int32 cfg_bswv_main_t::build_ch_para(drv_ch_para_t *para)
{
    const long double ph = normalised_phase();
    cfg_wv_main_t *channel = cfg_get_wv_main(ch);
    lib_unit_data_t a{};
    get_ampl(&a);
    lib_unit_data_t o{};
    get_offset(&o);
    lib_unit_data_t delay{};
    get_pulse_delay(&delay);

    *para = drv_ch_para_t{};
    para->ch = ch;
    para->continuous = channel->get_run_mode() == RUN_MODE_CONTINUOUS ? 1 : 0;
    para->wave_type = wave_type;
    para->freq = freq.data;
    para->ampl = a.data;
    para->offset = wave_type == WAVE_DC ? dc_level.data : offset.data;
    para->phase = ph;
    para->phase_delay = delay.data;
    para->duty = wave_type == WAVE_SQUARE ? duty.data : wave_type == WAVE_PULSE ? pulse_duty.data : 0.0L;
    para->pulse_width = pulse_width.data;
    para->symmetry = symmetry.data;
    para->rise_edge = rise_edge.data;
    para->fall_edge = fall_edge.data;
    para->ampl_2 = a.data;
    para->sample_rate = sample_rate.data;
    para->sample_rate_mode = sample_rate_mode;
    para->harmonic_switch = harmonic_switch;
    para->harmonic_type = harmonic_type;
    para->harmonic_order = harmonic_order;
    const auto level = harmonics.find(harmonic_order);
    para->harmonic_level = level == harmonics.end() ? 0.0L : level->second.level;
    para->phase_2 = ph;
    para->harmonic_samples = &harmonic_samples;
    para->noise_bandwidth_switch = noise_bandwidth_switch;
    para->ampl_3 = a.data;
    para->offset_out = o.data;
    para->noise_bandwidth = noise_bandwidth.data;
    para->combine_para.ch = ch;
    para->combine_para.load = load;
    // The channel's own switch: the driver writes it as this channel's combining bit.
    para->combine_para.combine = cfg_get_combine(ch)->get_enable();
    para->combine_para.polarity = channel->get_polarity();
    const int32 other_ch = lib_other_ch(ch);
    para->other_ch = other_ch;
    para->other_ch_2 = other_ch;
    cfg_burst_t *burst = cfg_get_burst(ch);
    if (channel->get_run_mode() == RUN_MODE_BURST && burst->get_switch() == 1)
    {
        para->other_freq = freq.data;
        const long double period = cfg_get_burst(other_ch)->get_period().data;
        para->burst_rate = period == 0 ? 0.0L : 1.0L / period;
    }
    else
    {
        lib_unit_data_t other_freq{};
        cfg_get_bswv_main(other_ch)->get_freq(&other_freq);
        para->other_freq = other_freq.data;
        para->burst_rate = 0.0L;
    }
    return 1;
}

int32 cfg_bswv_main_t::apply_ch_para(int32 channel)
{
    drv_ch_para_t para{};
    cfg_get_bswv_main(channel)->build_ch_para(&para);
    cfg_drv_apply_channel_para(&para);
    return 1;
}

int32 cfg_bswv_main_t::apply_ch_para_both()
{
    apply_ch_para(ch);
    apply_ch_para(lib_other_ch(ch));
    return 1;
}
