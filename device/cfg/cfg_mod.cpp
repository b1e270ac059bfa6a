#include "cfg_mod.h"

#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_wave_data.h"
#include "lib_arith.h"

const char cfg_mod_t::DEFAULT_WAVE[] = "0_sine_ram.bin";
const char cfg_mod_t::DEFAULT_USER_WAVE[] = "2_stairup_ram.bin";
const char cfg_mod_t::KEY_WAVE[] = "50_square_ram.bin";

namespace
{
constexpr int32 DEFAULT_USER_WAVE_ID = 2;
constexpr long double DEFAULT_MOD_FREQ = 100.0L;
constexpr long double DEFAULT_DEVIATION = 100.0L;

// The built-in modulating waves by shape, in the order they are entered.
const std::pair<int32, const char *> SHAPES[] = {
    {0, "0_sine_ram.bin"},   {1, "50_square_ram.bin"}, {9, "39_triang_ram.bin"},
    {10, "8_upramp_ram.bin"}, {11, "9_dnramp_ram.bin"}, {4, "1_noise_ram.bin"},
};
} // namespace

int32 cfg_mod_t::clamp(long double &value, long double min, long double max)
{
    return lib_clamp_status(value, min, max);
}

lib_unit_data_t cfg_mod_t::base_record(long double value)
{
    lib_unit_data_t rec{};
    rec.data = value;
    rec.unit = LIB_UNIT_BASE;
    rec.changed = false;
    return rec;
}

void cfg_mod_t::init(int32 ch, int32 type)
{
    type_id = type;
    channel = ch;
    for (const auto &entry : SHAPES)
        shape_list[entry.first] = entry.second;
    shape = 0;
    wave_name = DEFAULT_WAVE;
    user_wave_id = DEFAULT_USER_WAVE_ID;
    set_user_wave_name(DEFAULT_USER_WAVE);
    reset_deviation();
    source = SOURCE_INTERNAL;
    reset_mod_freq();
    min_mod_freq = MIN_MOD_FREQ;
    max_mod_freq = MAX_MOD_FREQ;
}

void cfg_mod_t::save_config(const char *)
{
}

void cfg_mod_t::load_config(const char *)
{
}

void cfg_mod_t::reset_mod_freq()
{
    mod_freq.data = DEFAULT_MOD_FREQ;
    mod_freq.unit = LIB_UNIT_BASE;
}

void cfg_mod_t::reset_deviation()
{
    deviation.data = DEFAULT_DEVIATION;
    deviation.unit = LIB_UNIT_BASE;
}

void cfg_mod_t::recheck()
{
    lib_unit_data_t freq = mod_freq;
    set_mod_freq(freq);
    set_deviation(get_deviation());
}

int32 cfg_mod_t::set_deviation(lib_unit_data_t rec)
{
    const int32 result = clamp(rec.data, get_min_deviation(), get_max_deviation());
    deviation = rec;
    return result;
}

lib_unit_data_t cfg_mod_t::get_deviation()
{
    return deviation;
}

int32 cfg_mod_t::set_mod_freq(lib_unit_data_t &rec)
{
    const int32 result = clamp(rec.data, get_min_mod_freq(), get_max_mod_freq());
    mod_freq = rec;
    return result;
}

long double cfg_mod_t::get_min_rate()
{
    return get_min_freq_limit();
}

long double cfg_mod_t::get_min_mod_freq()
{
    return get_min_freq_limit();
}

long double cfg_mod_t::get_max_mod_freq()
{
    lib_unit_data_t carrier{};
    cfg_get_bswv_main(channel)->get_freq(&carrier);
    const long double max = get_max_freq_limit();
    if (carrier.data > max)
        return max;
    const long double min = get_min_mod_freq();
    return carrier.data > min ? carrier.data : min;
}

long double cfg_mod_t::get_min_freq_limit()
{
    return min_mod_freq;
}

long double cfg_mod_t::get_max_freq_limit()
{
    return max_mod_freq;
}

long double cfg_mod_t::get_min_deviation()
{
    return 0.0L;
}

long double cfg_mod_t::get_max_deviation()
{
    return 0.0L;
}

bool cfg_mod_t::is_active() const
{
    cfg_wv_main_t *wv = cfg_get_wv_main(channel);
    return wv->is_output_or_combine_on() == 1 && wv->get_run_mode() == cfg_wv_main_t::RUN_MODE_MOD;
}

void cfg_mod_t::apply_carrier(bool flag)
{
    cfg_get_bswv_main(channel)->apply_current_wave(flag);
}

void cfg_mod_t::apply(int32 type, bool flag)
{
    if (!is_active())
        return;
    const int32 src = source;
    const long double hz = mod_freq.data;
    const std::string name = wave_name;
    const long double dev = get_deviation().data;
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv->set_mod_source(channel, type, src);
    drv->set_mod_type(channel, type);
    drv->set_mod_freq(channel, type, hz);
    drv->set_mod_deviation(channel, type, dev);
    drv->set_mod_wave(channel, name);
    // PM shares the phase path with PSK, whose polarity would invert it.
    if (type == MOD_PM)
        drv->set_psk_polarity(channel, 0);
    apply_carrier(flag);
}

void cfg_mod_t::push(int32 type)
{
    if (!is_active())
        return;
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv->set_mod_freq(channel, type, mod_freq.data);
    drv->set_mod_deviation(channel, type, get_deviation().data);
}

int32 cfg_mod_t::set_source(int32 s)
{
    source = s;
    apply(type_id, true);
    return 1;
}

int32 cfg_mod_t::set_shape(int32 s)
{
    if (s == SHAPE_USER)
    {
        wave_name = user_wave_name;
    }
    else
    {
        const auto it = shape_list.find(s);
        wave_name = it == shape_list.end() ? std::string() : it->second;
    }
    shape = s;
    drv_interface_t::get_instance()->set_mod_wave(channel, wave_name);
    apply_carrier(false);
    return 1;
}

void cfg_mod_t::set_user_wave_name(const std::string &name)
{
    user_wave_name = name;
    int32 id = 0;
    if (drv_instance_manage_t::get_instance()->get_wave_data()->find_wave(name, &id))
        user_wave_id = id;
}

int32 cfg_mod_t::set_user_wave_path(const std::string &path)
{
    if (path.find(".bin") == std::string::npos)
        return 0;
    const std::string::size_type slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    shape = SHAPE_USER;
    set_user_wave_name(name);
    wave_name = name;
    return 1;
}

int32 cfg_mod_t::get_wave_samples(std::vector<int16> &out)
{
    drv_interface_t::get_instance()->get_wave_data_by_name(wave_name, out);
    return 1;
}

std::string cfg_mod_t::get_type_name(int32 type)
{
    static const char *const names[] = {"", "AM", "FM", "PM", "ASK", "FSK", "PSK", "DSB_AM", "PWM"};
    if (type < 0 || type > MOD_PWM)
        return std::string();
    return names[type];
}
