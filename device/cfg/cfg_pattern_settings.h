#pragma once
// cfg_pattern_settings_t: a setting record of a channel's data patterns; its values are
// stored and returned only.
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>

class cfg_pattern_settings_t
{
public:
    // Channel, settings 0, 0, 8, 0, 0.
    void init(int32 ch);
    int32 get_channel() const { return channel; }
    int32 get_setting_a() const { return setting_a; }
    int32 get_setting_b() const { return setting_b; }
    int32 get_setting_c() const { return setting_c; }
    int32 get_setting_d() const { return setting_d; }
    int32 get_setting_e() const { return setting_e; }
    lib_unit_data_t get_value() const { return value; }
    int32 set_setting_a(const int32 &v) { return store(setting_a, v); }
    int32 set_setting_b(const int32 &v) { return store(setting_b, v); }
    int32 set_setting_c(const int32 &v) { return store(setting_c, v); }
    int32 set_setting_d(const int32 &v) { return store(setting_d, v); }
    int32 set_setting_e(const int32 &v) { return store(setting_e, v); }
    int32 set_value(const lib_unit_data_t &v)
    {
        value = v;
        return 1;
    }

private:
    static int32 store(int32 &field, int32 v)
    {
        field = v;
        return 1;
    }

    int32 channel = 0;
    int32 setting_a = 0;
    int32 setting_b = 0;
    int32 setting_c = 0;
    lib_unit_data_t value{0.0L, 14, false};
    int32 setting_d = 0;
    int32 setting_e = 0;
    std::string label;
};
