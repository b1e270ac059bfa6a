#pragma once
// cfg_mod_ask_t: amplitude-shift keying with the square wave at its key rate. The
// modulating frequency and depth are kept like any type's but never sent; the key
// rate takes the frequency's place.
#include "cfg_mod.h"

class cfg_mod_ask_t : public cfg_mod_t
{
public:
    cfg_mod_ask_t();

    void save_config(const char *path) override;
    void load_config(const char *path) override;
    void apply(int32 type, bool flag) override;
    long double get_min_deviation() override;
    long double get_max_deviation() override;

    // Clamped to [get_min_rate, get_max_freq_limit] and stored; the caller's record
    // keeps its value. 1, -10 or -11.
    int32 set_rate(const lib_unit_data_t &rate);
    lib_unit_data_t get_rate() const { return key_rate; }
    void store_rate(const lib_unit_data_t &rate) { key_rate = rate; }
    void reset_rate();
    long double get_max_rate() { return get_max_freq_limit(); }

private:
    lib_unit_data_t key_rate{};
};
