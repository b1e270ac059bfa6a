// cfg_sync_t: the sync output.
#include "cfg_sync.h"

#include "cfg_bswv_main.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_mode_excl.h"
#include "cfg_wv_main.h"

namespace
{
constexpr int32 MSG_SYNC = 2;
constexpr long double FREQ_LIMIT = 1e7L;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
constexpr int32 RUN_MODE_MOD = 0;
constexpr int32 RUN_MODE_CONTINUOUS = 3;
} // namespace

void cfg_sync_t::init()
{
    enable = 0;
    source_ch = 0;
}

int32 cfg_sync_t::check()
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(source_ch);
    const int32 type = bswv->get_wave_type();
    if (type == WAVE_NOISE || type == WAVE_DC)
    {
        cfg_main_t::get_instance()->post_message(MSG_SYNC, 1, 0);
        return 0;
    }
    const int32 mode = cfg_get_wv_main(source_ch)->get_run_mode();
    if (mode != RUN_MODE_MOD && mode != RUN_MODE_CONTINUOUS)
        return 0;
    lib_unit_data_t f{};
    bswv->get_freq(&f);
    if (f.data > FREQ_LIMIT)
    {
        cfg_main_t::get_instance()->post_message(MSG_SYNC, 0, 10000000);
        return 0;
    }
    return 1;
}

int32 cfg_sync_t::set_enable(int32 on)
{
    if (on != 0 && check() == 0)
        return -12;
    enable = on;
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_sync(source_ch, on);
    apply();
    return 1;
}

int32 cfg_sync_t::set_source_ch(int32 ch)
{
    // The channel indexes the root's channel array: anything but 0 and 1 is refused.
    if (ch != 0 && ch != 1)
        return -13;
    const int32 previous = source_ch;
    source_ch = ch;
    if (enable == 0)
    {
        apply();
        return 1;
    }
    if (check() == 0)
    {
        source_ch = previous;
        return -13;
    }
    apply();
    return 1;
}

void cfg_sync_t::apply()
{
    const int32 ch = source_ch;
    cfg_drv_set_sync_output(ch, cfg_get_wv_main(ch)->get_output() == 1 ? enable : 0);
}

void cfg_sync_t::reapply()
{
    set_enable(enable);
    set_source_ch(source_ch);
}

void cfg_sync_t::recheck(int32)
{
    if (enable == 0)
        return;
    if (check() == 0)
        enable = 0;
    apply();
}

void cfg_sync_t::on_wave_type(int32 ch, int32 type)
{
    if (enable != 0 && ch == source_ch && (type == WAVE_NOISE || type == WAVE_DC))
    {
        enable = 0;
        apply();
    }
}

void cfg_sync_t::set_output(int32 ch, int32 on) { cfg_drv_set_sync_output(ch, on); }
