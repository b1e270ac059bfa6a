// cfg_pattern_t: a channel's data-pattern settings.
#include "cfg_pattern.h"

#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"

namespace
{
constexpr int32 WAVE_UART = 12;
const char DEFAULT_TEXT[] = "ABC";
} // namespace

void cfg_pattern_t::init(int32 ch)
{
    channel = ch;
    uart.init(ch);
    text = DEFAULT_TEXT;
    text_length = static_cast<int32>(text.size());
}

int32 cfg_pattern_t::set_text(const std::string &t)
{
    text = t;
    text_length = static_cast<int32>(text.size());
    update();
    return 1;
}

int32 cfg_pattern_t::apply_pattern()
{
    if (cfg_drv_is_data_pattern_supported())
        uart.apply();
    return 1;
}

int32 cfg_pattern_t::update()
{
    cfg_drv_is_data_pattern_supported();
    return apply_pattern();
}

int32 cfg_pattern_t::is_supported() const { return cfg_drv_is_data_pattern_supported() ? 1 : 0; }

int32 cfg_pattern_t::set_amplitude(lib_unit_data_t value)
{
    if (wave_type != WAVE_UART)
        return 0;
    return uart.set_amplitude(value);
}

lib_unit_data_t cfg_pattern_t::get_amplitude() const
{
    if (wave_type == WAVE_UART)
        return uart.get_amplitude();
    return lib_unit_data_t{4.0L, 14, false};
}

void cfg_pattern_t::reset(int32 arg)
{
    wave_type = cfg_get_wv_main(channel)->get_basic_wave_type();
    set_text(DEFAULT_TEXT);
    uart.reset(arg);
}
