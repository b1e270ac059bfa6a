#pragma once
// cfg_sync_t: the sync output: on or off, and the channel whose signal it follows. It
// may run only while that channel plays neither noise nor DC, runs continuously or
// modulated, at no more than 10 MHz; refusals post message 2. The hardware follows the
// setting only while the followed channel's output is on.
#include "lib_types.h"

class cfg_sync_t
{
public:
    // Off, following channel 0.
    void init();
    // 1 when the sync output may run on the source channel, else 0 (with message 2 for
    // noise or DC, (1, 0), and for a frequency above 10 MHz, (0, 10000000)).
    int32 check();
    // On needs check: else -12 and nothing changes. 1.
    int32 set_enable(int32 on);
    // While on, a channel that fails check is refused with -13, and so is a channel
    // other than 0 and 1 at any time; 1.
    int32 set_source_ch(int32 ch);
    void apply();
    void reapply();
    // After a change on a channel: switched off when check now fails.
    void recheck(int32 ch);
    // Noise or DC selected on the source channel switches the sync output off.
    void on_wave_type(int32 ch, int32 type);
    int32 get_enable() const { return enable; }
    int32 get_switch() const { return enable; }
    int32 get_source_ch() const { return source_ch; }
    void set_enable_raw(int32 v) { enable = v; }
    void set_source_ch_raw(int32 v) { source_ch = v; }
    void reset_enable() { enable = 0; }
    void reset_source_ch() { source_ch = 0; }
    int32 is_allowed(int32 on) { return on == 0 ? 1 : check(); }
    long double get_freq_limit() const { return 1e7L; }
    void set_output(int32 ch, int32 on);
    void save_config(const char *) {}
    void load_config(const char *) {}

private:
    int32 enable = 0;
    int32 source_ch = 0;
};
