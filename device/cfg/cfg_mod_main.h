#pragma once
// cfg_mod_main_t: a channel's modulation manager. It owns one object of each modulation
// type, remembers whether modulation is on and which type is current, keeps the type
// fitting the channel's carrier (a pulse carrier forces PWM and remembers the type it
// replaced; noise, PRBS and a sample-rate arbitrary wave switch modulation off), and
// routes each setting to its object. While modulation is off every setting but the PSK
// phase and polarity is refused with -12 and nothing is stored.
#include "cfg_mod.h"
#include "cfg_mod_am.h"
#include "cfg_mod_ask.h"
#include "cfg_mod_dsb_am.h"
#include "cfg_mod_fm.h"
#include "cfg_mod_fsk.h"
#include "cfg_mod_pm.h"
#include "cfg_mod_psk.h"
#include "cfg_mod_pwm.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <string>
#include <vector>

class cfg_mod_main_t
{
public:
    void bind_channel(int32 ch);
    void init(int32 ch);
    void save_config(const char *path);
    void load_config(const char *) {}
    int32 get_channel() const { return channel; }

    // --- State and type ---
    // On: the state stored and the type fitted to the carrier (which may switch it
    // straight off again). Off: the driver's modulation off. 1.
    int32 set_state(int32 on);
    int32 get_state() const { return state; }
    bool is_off() const { return state != 1; }
    // The type made current, re-checked against the limits of the moment and applied:
    // 1, or -12 while off or for a type the carrier refuses.
    int32 set_type(int32 type, bool flag);
    int32 set_type_default_flag(int32 type) { return set_type(type, false); }
    // 1 AM, 2 FM, 3 PM, 4 ASK, 5 FSK, 6 PSK, 7 DSB-AM, 8 PWM.
    int32 get_type() const { return type; }
    void set_type_only(int32 t) { type = t; }
    int32 get_saved_type() const { return saved_type; }
    void reset_type()
    {
        type = cfg_mod_t::MOD_AM;
        saved_type = cfg_mod_t::MOD_AM;
    }
    void follow_carrier(bool flag);
    // follow_carrier while modulation is on.
    void on_carrier_changed(bool flag);
    bool is_type_allowed(int32 t);
    // -12 for a noise carrier, and for a pulse carrier unless PWM is current; 1.
    int32 check_carrier();
    // The two halves of the pulse rule, without applying.
    void force_pwm();
    void restore_type();
    // Whether a type shapes its modulation with a wave (ASK, FSK and PSK key with the
    // square wave).
    static bool uses_mod_wave(int32 t);

    cfg_mod_t *get_current_mod() { return get_mod(type); }
    // The object of a type id; AM for 0 and every id outside 1 to 8.
    cfg_mod_t *get_mod(int32 t);
    cfg_mod_ask_t *get_ask() { return &ask; }
    cfg_mod_fsk_t *get_fsk() { return &fsk; }
    cfg_mod_psk_t *get_psk() { return &psk; }
    cfg_mod_pwm_t *get_pwm() { return &pwm; }

    // Re-check only stores clamped values; nothing is sent.
    void recheck_current();
    void recheck_if_on();

    // --- Settings: 1, -10, -11 from the object, or -12 refused ---
    int32 set_source(int32 source);
    int32 set_shape(int32 shape);
    // The record comes back clamped; then both channels' frequencies when needed.
    int32 set_mod_freq(lib_unit_data_t &rec);
    // Then both channels' deviations, always (also when refused).
    int32 set_deviation(lib_unit_data_t &rec);
    // A percentage of the carrier period as the current object's deviation.
    int32 set_pwm_deviation_percent(lib_unit_data_t &rec);
    // The rate and hop setters address their own type's object whatever is current.
    int32 set_ask_rate(lib_unit_data_t &rec);
    int32 set_fsk_rate(lib_unit_data_t &rec);
    int32 set_psk_rate(lib_unit_data_t &rec);
    int32 set_fsk_hop_freq(lib_unit_data_t &rec);
    // Their plain forms: refused while off, else stored; no update.
    int32 store_ask_rate(lib_unit_data_t &rec);
    int32 store_fsk_rate(lib_unit_data_t &rec);
    int32 store_psk_rate(lib_unit_data_t &rec);
    int32 store_fsk_hop_freq(lib_unit_data_t &rec);
    // The PWM object directly: no refusal, no update.
    int32 store_pwm_deviation(const lib_unit_data_t &rec);
    int32 store_pwm_deviation_percent(const lib_unit_data_t &rec);
    // Never refused; the phase is applied at once, the polarity sent at once; 1.
    int32 set_psk_phase(const lib_unit_data_t &rec);
    int32 set_psk_polarity(int32 polarity);
    // A ".bin" name becomes the user wave (1); any other name gives 0 and changes
    // nothing.
    int32 set_user_wave(const std::string &name);
    int32 set_user_wave_by_index(int32 index);

    // --- Read-out ---
    int32 get_source() { return get_current_mod()->get_source(); }
    // The modulating frequency of the current type (the key rate for ASK, FSK, PSK) in
    // one record shared by every manager: copy it before the next call.
    const lib_unit_data_t *get_mod_freq();
    lib_unit_data_t get_deviation() { return get_current_mod()->get_deviation(); }
    lib_unit_data_t get_pwm_deviation_percent();
    lib_unit_data_t get_ask_rate() const { return ask.get_rate(); }
    lib_unit_data_t get_fsk_rate() const { return fsk.get_rate(); }
    lib_unit_data_t get_psk_rate() const { return psk.get_rate(); }
    lib_unit_data_t get_fsk_hop_freq() { return fsk.get_hop_freq(); }
    int32 get_psk_phase(lib_unit_data_t *out) const;
    int32 get_psk_polarity() const { return psk.get_polarity(); }
    std::string get_user_wave_name() { return get_current_mod()->get_user_wave_name(); }
    int32 get_user_wave_id() { return get_current_mod()->get_user_wave_id(); }
    int32 get_shape() { return get_current_mod()->get_shape(); }
    // -12 when the current type uses no modulating wave, else the current wave's
    // samples and 1.
    int32 get_wave_samples(std::vector<int16> &out);
    // Tracking with this channel as source, or this channel's output on.
    bool needs_dual_update();

    // Raw stores for the basic-wave settings' tests: no check, nothing sent.
    void store_state(int32 s) { state = s; }
    void store_current_deviation(lib_unit_data_t d) { get_current_mod()->store_deviation(d); }

private:
    void update_freq_both_if_needed();
    // p percent of the carrier period, in seconds.
    lib_unit_data_t percent_to_width(const lib_unit_data_t &rec);

    int32 channel = 0;
    cfg_mod_am_t am;
    cfg_mod_fm_t fm;
    cfg_mod_pm_t pm;
    cfg_mod_fsk_t fsk;
    cfg_mod_ask_t ask;
    cfg_mod_psk_t psk;
    cfg_mod_dsb_am_t dsb_am;
    cfg_mod_pwm_t pwm;
    int32 state = 0;
    int32 type = cfg_mod_t::MOD_AM;
    int32 saved_type = cfg_mod_t::MOD_AM;

    static lib_unit_data_t shared_mod_freq;
    friend void cfg_reset_config_layer();
};
