#pragma once
// cfg_main_t: the root of the configuration layer. It holds the two channel objects and
// one object per device-wide setting; every configuration class finds its peers
// through the accessors below. It also carries the outbound message path (a callback,
// or a queue of at most ten messages) and the progress callback of long operations.
#include "cfg_wv_main.h"
#include "drv_reg_progress.h"
#include "lib_types.h"

#include <memory>
#include <vector>

class cfg_counter_t;
class cfg_sync_t;
class cfg_clock_source_main_t;
class cfg_mode_excl_t;
class cfg_file_converter_t;
class cfg_reapply_t;
class cfg_config_file_t;
class cfg_drv_info_map_t;
class cfg_sys_option_t;
class cfg_builtin_wave_map_t;
class cfg_ch_couple_t;
class cfg_time_base_cali_main_t;

// One message: word 0 the id, words 1 to 10 its arguments.
struct cfg_msg_t
{
    int32 words[11];
};

typedef int32 (*cfg_msg_callback_t)(int32, int32, int32, int32, int32, int32, int32, int32, int32, int32, int32);
typedef drv_progress_cb_t cfg_progress_callback_t;

// The configuration layer's start-up: driver layer, then the root; the root's result.
int32 cfg_main();
// One step of the periodic counter poll; 1.
int32 cfg_counter_poll();
// Waits for ever; the library never calls it.
void cfg_idle_task();
// Destroys the configuration root and the other process-wide configuration objects and
// puts the layer's shared tables, flags and software timers back as at load; the next
// accessor call builds each afresh. Nothing may hold a configuration pointer across the
// call. Call it before dropping the driver layer it points into. Internal: not
// exported, so only tests reach it.
void cfg_reset_config_layer();

// The accessors. None checks its channel: the caller passes 0 or 1. Before the root's
// init the device-wide ones answer null.
cfg_wv_main_t *cfg_get_wv_main(int32 ch);
cfg_bswv_main_t *cfg_get_bswv_main(int32 ch);
cfg_mod_main_t *cfg_get_mod_main(int32 ch);
cfg_sweep_t *cfg_get_sweep(int32 ch);
cfg_burst_t *cfg_get_burst(int32 ch);
cfg_ch_combine_t *cfg_get_combine(int32 ch);
cfg_pattern_t *cfg_get_pattern(int32 ch);
cfg_counter_t *cfg_get_counter();
cfg_sync_t *cfg_get_sync();
cfg_clock_source_main_t *cfg_get_clock_source();
cfg_mode_excl_t *cfg_get_mode_excl();
cfg_file_converter_t *cfg_get_file_converter();
cfg_reapply_t *cfg_get_reapply();
cfg_config_file_t *cfg_get_config_file();
cfg_drv_info_map_t *cfg_get_drv_map();
cfg_sys_option_t *cfg_get_aux_setting();
cfg_builtin_wave_map_t *cfg_get_builtin_wave_map();
cfg_ch_couple_t *cfg_get_couple();
cfg_time_base_cali_main_t *cfg_get_time_base_cali();

template <typename T>
class lib_instance_slot_t;

class cfg_main_t
{
public:
    static cfg_main_t *get_instance();

private:
    // Only the layer reset drops the instance.
    friend void cfg_reset_config_layer();
    friend class lib_instance_slot_t<cfg_main_t>;
    static void reset_instance();

public:
    // Creates the members (the first call only), initialises both channels and every
    // device-wide setting, re-applies everything and selects the amplitude ranges;
    // the range selection's result, 1.
    int32 init();
    void create_members();
    void init_channels();

    cfg_wv_main_t *get_wv_main(int32 ch) { return &channels[ch]; }

    // 0 or 1 only: any other value changes nothing and gives -13.
    int32 set_current_channel(int32 ch);
    int32 get_current_channel() const { return current_channel; }
    int32 is_first_channel_current() const { return current_channel == 0 ? 1 : 0; }
    void reset_current_channel() { current_channel = 0; }
    int32 get_root_flag() const { return 0; }

    void apply_all();
    void save_config(const char *path);
    void load_config(const char *path);
    // Channel src copied onto dst: 1; -12 for a channel above 1 or while a coupling is
    // on, -13 when dst's arbitrary wave cannot be set (nothing copied in either case).
    int32 copy_channel(int32 dst, int32 src);
    // Both channels get the current channel's phase: 1, or -12 while phase coupling or
    // tracking is on.
    int32 align_phase();
    // Clock source, counter and time base again with the overload reset cleared; 0.
    int32 restore_clock(int32 unused);

    void post_message(int32 id, int32 a, int32 b);
    void post_message_swapped(int32 a, int32 id, int32 b);
    // The callback's result, or the number of queued messages after the append (a
    // queue that passes ten is emptied, and 11 is returned).
    int32 post_message_words(int32 w0, int32 w1, int32 w2, int32 w3, int32 w4, int32 w5, int32 w6, int32 w7,
                             int32 w8, int32 w9, int32 w10);
    // The queued messages, handed over and removed from the queue.
    std::vector<cfg_msg_t> take_messages();

    void set_progress_callback(cfg_progress_callback_t f);
    void report_progress(int32 a, int32 b, int32 c);

    // The members, for the accessors.
    cfg_counter_t *counter() const { return _counter.get(); }
    cfg_sync_t *sync() const { return _sync.get(); }
    cfg_clock_source_main_t *clock_source() const { return _clock_source.get(); }
    cfg_mode_excl_t *mode_excl() const { return _mode_excl.get(); }
    cfg_file_converter_t *file_converter() const { return _file_converter.get(); }
    cfg_reapply_t *reapply() const { return _reapply.get(); }
    cfg_config_file_t *config_file() const { return _config_file.get(); }
    cfg_drv_info_map_t *drv_map() const { return _drv_map.get(); }
    cfg_sys_option_t *aux_setting() const { return _aux_setting.get(); }
    cfg_builtin_wave_map_t *builtin_wave_map() const { return _builtin_wave_map.get(); }
    cfg_ch_couple_t *couple() const { return _couple.get(); }
    cfg_time_base_cali_main_t *time_base_cali() const { return _time_base_cali.get(); }

    cfg_main_t(const cfg_main_t &) = delete;
    cfg_main_t &operator=(const cfg_main_t &) = delete;

private:
    cfg_main_t();
    ~cfg_main_t();

    cfg_wv_main_t channels[2];
    std::unique_ptr<cfg_counter_t> _counter;
    std::unique_ptr<cfg_sync_t> _sync;
    std::unique_ptr<cfg_clock_source_main_t> _clock_source;
    std::unique_ptr<cfg_mode_excl_t> _mode_excl;
    std::unique_ptr<cfg_file_converter_t> _file_converter;
    std::unique_ptr<cfg_reapply_t> _reapply;
    std::unique_ptr<cfg_config_file_t> _config_file;
    std::unique_ptr<cfg_drv_info_map_t> _drv_map;
    std::unique_ptr<cfg_sys_option_t> _aux_setting;
    std::unique_ptr<cfg_builtin_wave_map_t> _builtin_wave_map;
    std::unique_ptr<cfg_ch_couple_t> _couple;
    std::unique_ptr<cfg_time_base_cali_main_t> _time_base_cali;
    int32 current_channel = 0;
    cfg_msg_callback_t msg_callback = nullptr;
    std::vector<cfg_msg_t> msg_queue;
    cfg_progress_callback_t progress_callback = nullptr;
};
