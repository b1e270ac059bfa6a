// cfg_mode_excl_t: the conflict search, claim and release, and the run-mode rule.
#include "cfg_mode_excl.h"

#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_sync.h"
#include "cfg_wv_main.h"

namespace
{
constexpr int32 RUN_MOD = 0;
constexpr int32 RUN_SWEEP = 1;
constexpr int32 RUN_BURST = 2;
constexpr int32 RUN_CONTINUOUS = 3;
constexpr int32 EXTERNAL = 1;
constexpr int32 BURST_TRIG_OUT_OFF = 2;

bool sync_on_from(int32 ch)
{
    cfg_sync_t *sync = cfg_get_sync();
    return sync->get_enable() != 0 && sync->get_source_ch() == ch;
}

// The owners' setters refuse while their own mode is off (a burst switched off by its
// wave, a modulation switched off by its carrier, a gated burst's trigger output), yet
// the stored setting would still hold the shared resource: then it is stored off
// directly. The driver already has that feature off in each of these states.
void burst_trig_src_off(cfg_burst_t *burst)
{
    if (burst->set_trig_src(0) < 0)
        burst->set_trig_src_raw(0);
}

void burst_trig_out_off(cfg_burst_t *burst)
{
    if (burst->set_trig_out(BURST_TRIG_OUT_OFF) < 0)
        burst->store_trig_out(BURST_TRIG_OUT_OFF);
}

void mod_source_off(cfg_mod_main_t *mod)
{
    if (mod->set_source(0) < 0)
        mod->get_current_mod()->store_source(0);
}
} // namespace

int32 cfg_mode_excl_t::find_conflict(int32 ch, int32 k, int32 feature)
{
    int32 r = CFG_EXCL_NONE;
    if (cfg_get_sync()->get_enable() != 0 && feature != CFG_EXCL_SYNC)
        r = CFG_EXCL_SYNC;
    // External triggers tolerate each other; a trigger output only itself.
    const bool trigger = feature == CFG_EXCL_SWEEP_TRIG_SRC || feature == CFG_EXCL_BURST_TRIG_SRC;
    switch (cfg_get_wv_main(k)->get_run_mode())
    {
    case RUN_SWEEP:
    {
        cfg_sweep_t *sweep = cfg_get_sweep(k);
        if (sweep->get_trig_src() == EXTERNAL && !trigger)
            r = CFG_EXCL_SWEEP_TRIG_SRC;
        if (sweep->get_trig_out() == 1 && !(feature == CFG_EXCL_SWEEP_TRIG_OUT && k == ch))
            r = CFG_EXCL_SWEEP_TRIG_OUT;
        break;
    }
    case RUN_BURST:
    {
        cfg_burst_t *burst = cfg_get_burst(k);
        if (burst->get_trig_src() == EXTERNAL && !trigger)
            r = CFG_EXCL_BURST_TRIG_SRC;
        if (burst->get_trig_out() != BURST_TRIG_OUT_OFF && !(feature == CFG_EXCL_BURST_TRIG_OUT && k == ch))
            r = CFG_EXCL_BURST_TRIG_OUT;
        break;
    }
    case RUN_MOD:
        if (cfg_get_mod_main(k)->get_source() == EXTERNAL && feature != CFG_EXCL_MOD_SOURCE)
            r = CFG_EXCL_MOD_SOURCE;
        break;
    default:
        break;
    }
    return r;
}

void cfg_mode_excl_t::release(int32 k, int32 feature)
{
    switch (feature)
    {
    case CFG_EXCL_MOD_SOURCE:
        mod_source_off(cfg_get_mod_main(k));
        break;
    case CFG_EXCL_SYNC:
        cfg_get_sync()->set_enable(0);
        break;
    case CFG_EXCL_SWEEP_TRIG_SRC:
        cfg_get_sweep(k)->set_trig_src(0);
        break;
    case CFG_EXCL_SWEEP_TRIG_OUT:
        cfg_get_sweep(k)->set_trig_out(0);
        break;
    case CFG_EXCL_BURST_TRIG_SRC:
        burst_trig_src_off(cfg_get_burst(k));
        break;
    case CFG_EXCL_BURST_TRIG_OUT:
        // Stored only: no driver update.
        cfg_get_burst(k)->store_trig_out(BURST_TRIG_OUT_OFF);
        break;
    default:
        break;
    }
}

void cfg_mode_excl_t::claim(int32 ch, int32 feature)
{
    bool posted = false;
    for (int32 k = 0; k <= 1; ++k)
    {
        const int32 r = find_conflict(ch, k, feature);
        if (r == CFG_EXCL_NONE)
            continue;
        // The sync output names its own channel.
        const int32 notice_ch = r == CFG_EXCL_SYNC ? cfg_get_sync()->get_source_ch() : k;
        release(k, r);
        if (!posted)
        {
            cfg_main_t::get_instance()->post_message(r, notice_ch, 0);
            posted = true;
        }
    }
}

int32 cfg_mode_excl_t::on_mod_source(int32 ch, int32 source)
{
    if (source == EXTERNAL)
        claim(ch, CFG_EXCL_MOD_SOURCE);
    return 1;
}

int32 cfg_mode_excl_t::on_sync(int32 ch, int32 on)
{
    if (on == 1)
        claim(ch, CFG_EXCL_SYNC);
    return 1;
}

int32 cfg_mode_excl_t::on_sweep_trigger_source(int32 ch, int32 source)
{
    if (source == EXTERNAL)
        claim(ch, CFG_EXCL_SWEEP_TRIG_SRC);
    return 1;
}

int32 cfg_mode_excl_t::on_sweep_trig_out(int32 ch, int32 on)
{
    if (on == 1)
        claim(ch, CFG_EXCL_SWEEP_TRIG_OUT);
    return 1;
}

int32 cfg_mode_excl_t::on_burst_trigger_source(int32 ch, int32 source)
{
    if (source == EXTERNAL)
        claim(ch, CFG_EXCL_BURST_TRIG_SRC);
    return 1;
}

int32 cfg_mode_excl_t::on_burst_trig_out(int32 ch, int32 value)
{
    if (value != BURST_TRIG_OUT_OFF)
        claim(ch, CFG_EXCL_BURST_TRIG_OUT);
    return 1;
}

int32 cfg_mode_excl_t::on_run_mode(int32 ch)
{
    const bool tracking = cfg_get_couple()->is_tracking();
    const int32 m = cfg_get_wv_main(ch)->get_run_mode();
    const int32 o = cfg_ch_couple_t::get_other_ch(ch);
    cfg_sweep_t *sweep = cfg_get_sweep(ch);
    cfg_burst_t *burst = cfg_get_burst(ch);
    bool uses = false;
    switch (m)
    {
    case RUN_SWEEP:
        uses = (sweep->get_trig_src() == EXTERNAL && !tracking) || sweep->get_trig_out() == 1;
        break;
    case RUN_BURST:
        uses = (burst->get_trig_src() == EXTERNAL && !tracking) || burst->get_trig_out() != BURST_TRIG_OUT_OFF;
        break;
    case RUN_MOD:
        uses = sync_on_from(ch) || (!tracking && cfg_get_mod_main(ch)->get_source() == EXTERNAL);
        break;
    case RUN_CONTINUOUS:
        uses = sync_on_from(ch);
        break;
    default:
        break;
    }
    if (!uses)
        return 1;
    const bool own_trigger = (m == RUN_SWEEP && sweep->get_trig_src() == EXTERNAL) ||
                             (m == RUN_BURST && burst->get_trig_src() == EXTERNAL);
    switch (cfg_get_wv_main(o)->get_run_mode())
    {
    case RUN_SWEEP:
    {
        cfg_sweep_t *other = cfg_get_sweep(o);
        if (other->get_trig_src() == EXTERNAL && !tracking && !own_trigger)
            other->set_trig_src(0);
        if (other->get_trig_out() == 1)
            other->set_trig_out(0);
        break;
    }
    case RUN_BURST:
    {
        cfg_burst_t *other = cfg_get_burst(o);
        if (other->get_trig_src() == EXTERNAL && !tracking && !own_trigger)
            burst_trig_src_off(other);
        if (other->get_trig_out() != BURST_TRIG_OUT_OFF)
            burst_trig_out_off(other);
        break;
    }
    case RUN_MOD:
    {
        if (sync_on_from(o))
            cfg_get_sync()->set_enable(0);
        const bool both_external = m == RUN_MOD && cfg_get_mod_main(ch)->get_source() == EXTERNAL;
        if (cfg_get_mod_main(o)->get_source() == EXTERNAL && !tracking && !both_external)
            mod_source_off(cfg_get_mod_main(o));
        break;
    }
    case RUN_CONTINUOUS:
        if (sync_on_from(o))
            cfg_get_sync()->set_enable(0);
        break;
    default:
        break;
    }
    return 1;
}
