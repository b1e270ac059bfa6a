#pragma once
// cfg_mod_main_t: a channel's modulation manager. For now it keeps only its initial
// state (modulation off, type AM) and acts on nothing.
#include "lib_types.h"
#include "lib_unit_data.h"

class cfg_mod_main_t
{
public:
    void bind_channel(int32 ch) { channel = ch; }
    void init(int32 ch)
    {
        bind_channel(ch);
        state = 0;
        type = 1;
    }
    void save_config(const char *) {}
    void load_config(const char *) {}
    int32 get_channel() const { return channel; }
    int32 get_state() const { return state; }
    int32 set_state(int32) { return 1; }
    // 1 AM, 2 FM, 3 PM, 4 ASK, 5 FSK, 6 PSK, 7 DSB-AM, 8 PWM.
    int32 get_type() const { return type; }
    void set_type_only(int32 t) { type = t; }
    void on_carrier_changed(bool) {}
    // The deviation record of the current type (for PWM the width deviation in s).
    lib_unit_data_t get_current_deviation() const { return deviation; }
    void store_state(int32 s) { state = s; }
    void store_current_deviation(lib_unit_data_t d) { deviation = d; }
    // Stand-ins until modulation lands: the current object's source (1 external),
    // stored; the setter tells the mode exclusion first (cfg_mode_excl_standin_i32.cpp).
    int32 get_source() const { return source; }
    int32 set_source(int32 s);

private:
    int32 channel = 0;
    int32 state = 0;
    int32 type = 0;
    lib_unit_data_t deviation{};
    int32 source = 0;
};
