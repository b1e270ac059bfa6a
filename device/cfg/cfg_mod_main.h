#pragma once
// cfg_mod_main_t: a channel's modulation manager. For now it keeps only its initial
// state (modulation off, type AM) and acts on nothing.
#include "lib_types.h"

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

private:
    int32 channel = 0;
    int32 state = 0;
    int32 type = 0;
};
