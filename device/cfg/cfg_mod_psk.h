#pragma once
// cfg_mod_psk_t: phase-shift keying between the carrier's phase and the PSK phase, with
// the square wave at its key rate; the polarity bit chooses which key level shifts.
#include "cfg_mod.h"

class cfg_mod_psk_t : public cfg_mod_t
{
public:
    static constexpr long double DEFAULT_PHASE = 180.0L;

    cfg_mod_psk_t();

    void save_config(const char *path) override;
    void load_config(const char *path) override;
    void apply(int32 type, bool flag) override;

    // Clamped to [get_min_rate, get_max_freq_limit] and stored; the caller's record
    // keeps its value.
    int32 set_rate(const lib_unit_data_t &rate);
    lib_unit_data_t get_rate() const { return key_rate; }
    void store_rate(const lib_unit_data_t &rate) { key_rate = rate; }
    void reset_rate();
    long double get_max_rate() { return get_max_freq_limit(); }

    // Any value is stored; 1.
    int32 set_phase(const lib_unit_data_t &value);
    lib_unit_data_t get_phase() const { return phase; }
    void reset_phase();

    // Stored and sent at once, whether or not the modulation is active; 1.
    int32 set_polarity(int32 value);
    int32 store_polarity(int32 value)
    {
        polarity = value;
        return 1;
    }
    int32 get_polarity() const { return polarity; }
    void reset_polarity() { polarity = 1; }

private:
    lib_unit_data_t phase{};
    int32 polarity = 1;
    lib_unit_data_t key_rate{};
};
