// Stand-ins of operations owned by classes not built yet; see cfg_standin_i31.h.
#include "cfg_standin_i31.h"

#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "lib_quantity.h"


void cfg_pending_check_harmonics(cfg_bswv_main_t *) {}
void cfg_pending_update_harmonic_ampls(cfg_bswv_main_t *) {}

int32 cfg_pending_set_harmonic_switch(cfg_bswv_main_t *s, int32 on)
{
    s->store_harmonic_switch_raw(on);
    return 1;
}

int32 cfg_pending_set_harmonic_order(cfg_bswv_main_t *s, int32 order)
{
    s->store_harmonic_order_raw(order);
    return 1;
}

int32 cfg_pending_get_harmonic_order(cfg_bswv_main_t *s)
{
    return s->get_harmonic_order_raw();
}

int32 cfg_pending_set_harmonic_type(cfg_bswv_main_t *s, int32 type)
{
    s->store_harmonic_type_raw(type);
    return 1;
}

int32 cfg_pending_get_harmonic_type(cfg_bswv_main_t *s)
{
    return s->get_harmonic_type_raw();
}

namespace
{
int32 harmonic_field(cfg_bswv_main_t *s, lib_unit_data_t *out, long double cfg_harmonic_t::*field)
{
    const auto &harmonics = s->get_harmonics();
    const auto it = harmonics.find(s->get_harmonic_order_raw());
    *out = lib_unit_data_t{it == harmonics.end() ? 0.0L : it->second.*field, LIB_UNIT_BASE, false};
    return 1;
}
} // namespace

int32 cfg_pending_set_harmonic_ampl(cfg_bswv_main_t *, lib_unit_data_t)
{
    return 1;
}

int32 cfg_pending_get_harmonic_ampl(cfg_bswv_main_t *s, lib_unit_data_t *out)
{
    return harmonic_field(s, out, &cfg_harmonic_t::ampl);
}

int32 cfg_pending_set_harmonic_level(cfg_bswv_main_t *, lib_unit_data_t)
{
    return 1;
}

int32 cfg_pending_get_harmonic_level(cfg_bswv_main_t *s, lib_unit_data_t *out)
{
    return harmonic_field(s, out, &cfg_harmonic_t::level);
}

int32 cfg_pending_set_harmonic_phase(cfg_bswv_main_t *, lib_unit_data_t)
{
    return 1;
}

int32 cfg_pending_get_harmonic_phase(cfg_bswv_main_t *s, lib_unit_data_t *out)
{
    return harmonic_field(s, out, &cfg_harmonic_t::phase);
}

int32 cfg_pending_get_harmonic_ampls(cfg_bswv_main_t *s, std::map<int32, long double> *out)
{
    out->clear();
    for (const auto &h : s->get_harmonics())
        (*out)[h.first] = h.second.ampl;
    return 1;
}

int32 cfg_pending_load_arb_wave_file(cfg_bswv_main_t *, const std::string &)
{
    return 1;
}

std::string cfg_pending_get_current_arb_wave_name(cfg_bswv_main_t *s)
{
    return s->get_wave_type() == 6 ? s->get_arb_wave_name() : std::string();
}

int32 cfg_pending_get_wave_data(cfg_bswv_main_t *, std::vector<int16> *out)
{
    out->clear();
    return 0;
}

int32 cfg_pending_set_noise_bandwidth_switch(cfg_bswv_main_t *s, int32 on)
{
    s->store_noise_bandwidth_switch_raw(cfg_drv_has_noise_bandwidth() ? on : 0);
    return 1;
}

long double cfg_pending_drv_get_output_impedance()
{
    return 50.0L;
}
