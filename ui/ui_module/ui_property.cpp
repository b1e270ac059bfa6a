#include "ui_property.h"

#include <cstdio>

ui_property_t::ui_property_t() : ui_property_t(LIB_WV_NONE) {}

ui_property_t::ui_property_t(lib_wv_type_t type)
    : wave_type(type), high_level(0.0f), low_level(0.0f), select_kind(2), paste_mode(1),
      mouse_func(UI_MOUSE_NORMAL), saved(false), window_num(0)
{
}

bool ui_property_t::has_data() const
{
    return data.samples.size() != 0;
}

bool ui_property_t::is_wave_type_valid(lib_wv_type_t type)
{
    return static_cast<uint32>(type) <= LIB_WV_DIGITAL;
}

int32 ui_property_t::set_high_level(float level)
{
    high_level = level;
    return 0;
}

int32 ui_property_t::set_low_level(float level)
{
    low_level = level;
    return 0;
}

void ui_property_t::remove_data_file()
{
    const std::string &path = data.samples.get_path();
    if (!path.empty())
        std::remove(path.c_str());
}

int32 ui_property_t::set_data(const lib_wv_data_t<short int> &other)
{
    data = other;
    return 1;
}

void ui_property_t::reset_state()
{
    mouse_func = UI_MOUSE_NORMAL;
    select_kind = 2;
    high_level = 0.0f;
    low_level = 0.0f;
}

void ui_property_t::clear_data()
{
    data.clear();
}
