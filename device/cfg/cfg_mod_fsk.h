#pragma once
// cfg_mod_fsk_t: frequency-shift keying between the carrier and the hop frequency, with
// the square wave at its key rate. The hop frequency is set within the carrier wave's
// limits at its amplitude, and re-clamped to the plain limits each time it is read.
#include "cfg_mod.h"

class cfg_mod_fsk_t : public cfg_mod_t
{
public:
    static constexpr long double DEFAULT_HOP_FREQ = 1000000.0L;

    cfg_mod_fsk_t();

    void save_config(const char *path) override;
    void load_config(const char *path) override;
    // Key rate and hop frequency clamped again; the modulating frequency and the depth
    // are left as they are.
    void recheck() override;
    void apply(int32 type, bool flag) override;
    long double get_min_deviation() override;
    long double get_max_deviation() override;

    // Clamped in place to [get_min_rate, get_max_freq_limit], then stored.
    int32 set_rate(lib_unit_data_t &rate);
    lib_unit_data_t get_rate() const { return key_rate; }
    void store_rate(const lib_unit_data_t &rate) { key_rate = rate; }
    void reset_rate();
    long double get_max_rate() { return get_max_freq_limit(); }

    // Clamped in place to the carrier's minimum and its maximum at the amplitude.
    int32 set_hop_freq(lib_unit_data_t &hop);
    // The stored value clamped to the carrier's plain limits, written back, returned.
    lib_unit_data_t get_hop_freq();
    void store_hop_freq(const lib_unit_data_t &hop) { hop_freq = hop; }
    void reset_hop_freq();

private:
    lib_unit_data_t key_rate{};
    lib_unit_data_t hop_freq{};
};
