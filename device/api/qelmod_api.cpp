// The exported C API. Value exports pack their argument into a command record for the
// set handler; four exports go straight to the driver layer. Every export catches what
// the layers below might throw, so nothing crosses the C boundary.
#include "qelmod.h"

#include "awg_ch_port.h"
#include "awg_cmd.h"
#include "awg_state.h"
#include "cfg_main.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_wave_manage.h"
#include "gos.h"
#include "lib_unit_data.h"
#include "usbtmc_driver.h"

#include <cmath>
#include <string>
#include <vector>

namespace
{
// Set by awg_cfg_init: before it the configuration layer does not exist, and the
// setters do nothing.
bool initialised = false;

template <typename F>
int guarded(int fallback, F body)
{
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

// A value export: dropped before start-up and for values that are no finite number.
int send_value(long double value, int32 (*builder)(lib_unit_data_t))
{
    if (!initialised || !std::isfinite(value))
        return 1;
    return guarded(1, [&] {
        builder(lib_unit_data_t{value, LIB_UNIT_API_BASE, false});
        return 1;
    });
}

template <typename F>
int send_setting(F body)
{
    if (!initialised)
        return 1;
    return guarded(1, [&] {
        body();
        return 1;
    });
}
} // namespace

void awg_reset_api_layer()
{
    awg_state_t::reset_instance();
    initialised = false;
}

extern "C" {

int awg_cfg_init(void)
{
    return guarded(0, [] {
        gos_printf("awg_cfg_init()\n");
        const int result = cfg_main();
        initialised = true;
        return result;
    });
}

int awg_cfg_uninit(void)
{
    return guarded(1, [] {
        drv_interface_t::get_instance()->uninit();
        return 1;
    });
}

int vextral_device_detected(void)
{
    return guarded(0, [] { return usbtmc_device_detected(); });
}

void vextral_setinit(unsigned char ignored)
{
    guarded(0, [&] {
        usbtmc_setinit(ignored);
        return 0;
    });
}

int awg_set_ch_switch(int on, bool)
{
    // Any non-zero switch is on.
    return send_setting([&] { awg_cmd_ch_switch(on != 0 ? 1 : 0, true); });
}

int awg_set_wave_type(int type, bool)
{
    return send_setting([&] { awg_cmd_wave_type(type, true); });
}

int awg_set_arb_wave_type(int index, bool apply)
{
    return send_setting([&] { awg_cmd_arb_wave_type(index, apply); });
}

int awg_set_user_arb_wave(const char *unused, const char *wave_path, const char *folder)
{
    return send_setting([&] {
        awg_cmd_user_arb_wave(unused ? unused : "", wave_path ? wave_path : "", folder ? folder : "");
    });
}

int awg_set_freqency(long double hertz)
{
    return send_value(hertz, awg_cmd_freq);
}

int awg_set_period(long double seconds)
{
    return send_value(seconds, awg_cmd_period);
}

int awg_set_wave_ampl(long double volts)
{
    return send_value(volts, awg_cmd_wave_ampl);
}

int awg_set_high_level(long double volts)
{
    return send_value(volts, awg_cmd_high_level);
}

int awg_set_low_level(long double volts)
{
    return send_value(volts, awg_cmd_low_level);
}

int awg_set_offset(long double volts)
{
    return send_value(volts, awg_cmd_offset);
}

int awg_set_width(long double seconds)
{
    return send_value(seconds, awg_cmd_width);
}

int awg_set_stdev(long double volts)
{
    return send_value(volts, awg_cmd_stdev);
}

int awg_set_mean(long double volts)
{
    return send_value(volts, awg_cmd_mean);
}

int awg_set_duty(int percent)
{
    return send_setting([&] { awg_cmd_duty(static_cast<long double>(percent)); });
}

int awg_set_symmetry(int percent)
{
    return send_setting([&] { awg_cmd_symmetry(static_cast<long double>(percent)); });
}

int awg_set_load(int load)
{
    return send_setting([&] { awg_cmd_load(load); });
}

int vextral_setARBmode(void)
{
    if (!initialised)
        return 0;
    return guarded(0, [] { return static_cast<int>(lib_ch_set_wave_type(0, 6)); });
}

void vextral_loadData_toFpga(const uint16_t *data, int count)
{
    if (!initialised)
        return;
    guarded(0, [&] {
        // No data counts as no samples.
        std::vector<int16> samples;
        if (count > 0 && data != nullptr) {
            samples.reserve(static_cast<std::size_t>(count));
            for (int i = 0; i < count; ++i)
                samples.push_back(static_cast<int16>(data[i]));
        }
        const std::vector<int16> copy(samples);
        drv_instance_manage_t::get_instance()->get_wave_manage()->load_wave_data(0, copy);
        return 0;
    });
}

} // extern "C"
