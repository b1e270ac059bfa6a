// cfg_main_t: the start-up, the members, the whole-device operations and the message
// path; the accessors.
#include "cfg_main.h"

#include "cfg_bswv_prbs.h"
#include "cfg_bswv_wave.h"
#include "cfg_builtin_wave_map.h"
#include "cfg_ch_couple.h"
#include "cfg_clock_source_dravine.h"
#include "cfg_clock_source_main.h"
#include "cfg_config_file.h"
#include "cfg_counter.h"
#include "cfg_drv_info_map.h"
#include "cfg_drv_port.h"
#include "cfg_file_converter.h"
#include "lib_instance_slot.h"
#include "cfg_mod_main.h"
#include "cfg_mode_excl.h"
#include "cfg_msg_if.h"
#include "cfg_reapply.h"
#include "cfg_soft_timer.h"
#include "cfg_sync.h"
#include "cfg_sys_info.h"
#include "cfg_sys_option.h"
#include "cfg_sys_version.h"
#include "cfg_time_base_cali_main.h"
#include "gos.h"

#include <cstdio>

namespace
{
constexpr size_t MSG_QUEUE_LIMIT = 10;
constexpr int32 MSG_COUNTER = 3;
constexpr int32 COUPLE_PHASE = 2;

// Whether cfg_counter_poll has started the running counter.
bool s_counter_started = false;
} // namespace

int32 cfg_main()
{
    gos_printf("cfg_main() \n");
    gos_printf("cfg_init() \n");
    gos_printf("cfg_init_config_data() \n");
    const bool startup_info = cfg_drv_init();
    gos_printf("cfg_init_config_data() 2\n");
    // Only the products with a system-information record answer true; the module does not.
    if (startup_info)
        cfg_sys_version_t::get_instance()->init_config_data();
    return cfg_main_t::get_instance()->init();
}

int32 cfg_counter_poll()
{
    cfg_counter_t *counter = cfg_get_counter();
    if (counter == nullptr || counter->get_enable() != 1)
    {
        s_counter_started = false;
        return 1;
    }
    if (!s_counter_started)
    {
        counter->start();
        s_counter_started = true;
    }
    counter->step();
    cfg_main_t::get_instance()->post_message(MSG_COUNTER, 0, 0);
    return 1;
}

void cfg_reset_config_layer()
{
    // The root first: its members may still reach the others while they go.
    cfg_main_t::reset_instance();
    cfg_msg_if_t::reset_instance();
    cfg_reapply_t::reset_instance();
    cfg_sys_version_t::reset_instance();
    cfg_sys_info_t::reset_instance();
    cfg_file_converter_t::reset_instance();
    cfg_bswv_wave_t::reset_shared_limits();
    cfg_bswv_prbs_t::reset_rate_table();
    cfg_mod_main_t::shared_mod_freq = lib_unit_data_t{0.0L, LIB_UNIT_BASE, false};
    cfg_ch_couple_t::set_sync_done_raw(false);
    soft_timer_reset_list();
    s_counter_started = false;
}

void cfg_idle_task()
{
    gos_sleep(7);
    for (;;)
        gos_usleep(500000);
}

namespace
{
lib_instance_slot_t<cfg_main_t> s_main;
} // namespace

cfg_main_t *cfg_main_t::get_instance()
{
    return s_main.get();
}

void cfg_main_t::reset_instance()
{
    s_main.reset();
}

cfg_main_t::cfg_main_t() = default;
cfg_main_t::~cfg_main_t() = default;

void cfg_main_t::create_members()
{
    const int32 product = cfg_drv_get_product_id();
    if (product == 2 || product == 3)
    {
        _clock_source = std::make_unique<cfg_clock_source_dravine_t>();
    }
    else
    {
        _clock_source = std::make_unique<cfg_clock_source_main_t>();
        _time_base_cali = std::make_unique<cfg_time_base_cali_main_t>();
    }
    _counter = std::make_unique<cfg_counter_t>();
    _sync = std::make_unique<cfg_sync_t>();
    _mode_excl = std::make_unique<cfg_mode_excl_t>();
    _file_converter = std::make_unique<cfg_file_converter_t>();
    _reapply = std::make_unique<cfg_reapply_t>();
    _config_file = std::make_unique<cfg_config_file_t>();
    _drv_map = std::make_unique<cfg_drv_info_map_t>();
    _aux_setting = std::make_unique<cfg_sys_option_t>();
    _aux_setting->init();
    _builtin_wave_map = std::make_unique<cfg_builtin_wave_map_t>();
    _couple = std::make_unique<cfg_ch_couple_t>();
}

void cfg_main_t::init_channels()
{
    channels[0].init(0);
    channels[1].init(1);
}

int32 cfg_main_t::init()
{
    // A second init re-runs the initialisation over the members it already has.
    if (!_counter)
        create_members();
    current_channel = 0;
    init_channels();
    _counter->init();
    _sync->init();
    _clock_source->init();
    _config_file->init();
    _drv_map->init();
    if (_time_base_cali)
        _time_base_cali->init();
    return _reapply->apply_ranges();
}

int32 cfg_main_t::set_current_channel(int32 ch)
{
    if (ch != 0 && ch != 1)
        return -13;
    current_channel = ch;
    return 1;
}

void cfg_main_t::apply_all()
{
    _clock_source->reapply();
    channels[0].refresh();
    channels[1].refresh();
    _counter->reapply();
    _sync->reapply();
    _aux_setting->apply();
    _couple->apply();
}

void cfg_main_t::save_config(const char *path)
{
    channels[0].save_config(path);
    channels[1].save_config(path);
    if (!_couple)
        return;
    _couple->save_config(path);
    _counter->save_config(path);
    _sync->save_config(path);
    _aux_setting->save_config(path);
    _clock_source->save_config(path);
}

void cfg_main_t::load_config(const char *path)
{
    channels[0].load_config(path);
    channels[1].load_config(path);
    if (!_couple)
        return;
    _couple->load_config(path);
    _counter->load_config(path);
    _sync->load_config(path);
    _aux_setting->load_config(path);
    _clock_source->load_config(path);
}

int32 cfg_main_t::copy_channel(int32 dst, int32 src)
{
    if (static_cast<uint32>(dst) > 1 || static_cast<uint32>(src) > 1)
        return -12;
    if (_couple && _couple->is_any_couple_en() == 1)
        return -12;
    cfg_bswv_main_t *from = channels[src].get_bswv_main();
    cfg_bswv_main_t *to = channels[dst].get_bswv_main();
    const std::string user_wave = from->get_user_arb_wave_name();
    const int32 loaded = user_wave.empty() ? to->set_arb_wave(from->get_arb_wave()) : to->load_user_arb_wave(user_wave);
    if (loaded < 0)
        return -13;
    channels[dst] = channels[src];
    channels[dst].bind_channel(dst);
    channels[dst].refresh();
    channels[src].refresh();
    channels[dst].apply_output();
    channels[src].apply_output();
    return 1;
}

int32 cfg_main_t::align_phase()
{
    if (_couple && (_couple->get_couple_en(COUPLE_PHASE) == 1 || _couple->get_track_en() == 1))
        return -12;
    lib_unit_data_t phase{};
    channels[current_channel].get_bswv_main()->get_phase(&phase);
    channels[0].get_bswv_main()->set_phase(&phase);
    channels[1].get_bswv_main()->set_phase(&phase);
    return 1;
}

int32 cfg_main_t::restore_clock(int32)
{
    if (!_reapply)
        return 0;
    const int32 saved = _reapply->get_overload_reset();
    _reapply->set_overload_reset(0);
    _clock_source->reapply();
    _counter->reapply();
    if (_time_base_cali)
        _time_base_cali->init();
    _reapply->set_overload_reset(saved);
    return 0;
}

void cfg_main_t::post_message(int32 id, int32 a, int32 b)
{
    post_message_words(id, a, b, 0, 0, 0, 0, 0, 0, 0, 0);
}

void cfg_main_t::post_message_swapped(int32 a, int32 id, int32 b)
{
    post_message(id, a, b);
}

int32 cfg_main_t::post_message_words(int32 w0, int32 w1, int32 w2, int32 w3, int32 w4, int32 w5, int32 w6,
                                     int32 w7, int32 w8, int32 w9, int32 w10)
{
    if (msg_callback != nullptr)
        return msg_callback(w0, w1, w2, w3, w4, w5, w6, w7, w8, w9, w10);
    msg_queue.push_back(cfg_msg_t{{w0, w1, w2, w3, w4, w5, w6, w7, w8, w9, w10}});
    const int32 count = static_cast<int32>(msg_queue.size());
    if (msg_queue.size() > MSG_QUEUE_LIMIT)
        msg_queue.clear();
    return count;
}

std::vector<cfg_msg_t> cfg_main_t::take_messages()
{
    std::vector<cfg_msg_t> taken;
    taken.swap(msg_queue);
    return taken;
}

void cfg_main_t::set_progress_callback(cfg_progress_callback_t f)
{
    if (f == nullptr)
    {
        gos_printf("set_progress_callback:func = null\n");
        return;
    }
    progress_callback = f;
    cfg_drv_set_progress_callback(f);
}

void cfg_main_t::report_progress(int32 a, int32 b, int32 c)
{
    if (progress_callback != nullptr)
        progress_callback(a, b, c);
}

cfg_wv_main_t *cfg_get_wv_main(int32 ch)
{
    return cfg_main_t::get_instance()->get_wv_main(ch);
}

cfg_bswv_main_t *cfg_get_bswv_main(int32 ch)
{
    return cfg_get_wv_main(ch)->get_bswv_main();
}

cfg_mod_main_t *cfg_get_mod_main(int32 ch)
{
    return cfg_get_wv_main(ch)->get_mod_main();
}

cfg_sweep_t *cfg_get_sweep(int32 ch)
{
    return cfg_get_wv_main(ch)->get_sweep();
}

cfg_burst_t *cfg_get_burst(int32 ch)
{
    return cfg_get_wv_main(ch)->get_burst();
}

cfg_ch_combine_t *cfg_get_combine(int32 ch)
{
    return cfg_get_wv_main(ch)->get_combine();
}

cfg_pattern_t *cfg_get_pattern(int32 ch)
{
    return cfg_get_wv_main(ch)->get_pattern();
}

cfg_counter_t *cfg_get_counter()
{
    return cfg_main_t::get_instance()->counter();
}

cfg_sync_t *cfg_get_sync()
{
    return cfg_main_t::get_instance()->sync();
}

cfg_clock_source_main_t *cfg_get_clock_source()
{
    return cfg_main_t::get_instance()->clock_source();
}

cfg_mode_excl_t *cfg_get_mode_excl()
{
    return cfg_main_t::get_instance()->mode_excl();
}

cfg_file_converter_t *cfg_get_file_converter()
{
    return cfg_main_t::get_instance()->file_converter();
}

cfg_reapply_t *cfg_get_reapply()
{
    return cfg_main_t::get_instance()->reapply();
}

cfg_config_file_t *cfg_get_config_file()
{
    return cfg_main_t::get_instance()->config_file();
}

cfg_drv_info_map_t *cfg_get_drv_map()
{
    return cfg_main_t::get_instance()->drv_map();
}

cfg_sys_option_t *cfg_get_aux_setting()
{
    return cfg_main_t::get_instance()->aux_setting();
}

cfg_builtin_wave_map_t *cfg_get_builtin_wave_map()
{
    return cfg_main_t::get_instance()->builtin_wave_map();
}

cfg_ch_couple_t *cfg_get_couple()
{
    return cfg_main_t::get_instance()->couple();
}

cfg_time_base_cali_main_t *cfg_get_time_base_cali()
{
    return cfg_main_t::get_instance()->time_base_cali();
}
