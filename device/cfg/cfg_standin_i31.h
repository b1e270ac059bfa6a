#pragma once
// Operations that the setters and the message interface call but whose owners are not
// built yet. The apply functions carry their final names and signatures (they move to
// cfg_apply.h); every cfg_pending_ function stands for one member operation of another
// class, named after it, and becomes a one-line forward once that member exists.
#include "cfg_apply.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <map>
#include <string>
#include <vector>

class cfg_bswv_main_t;

// cfg_bswv_main_t's harmonics, arbitrary files, wave data and noise-bandwidth switch.
void cfg_pending_check_harmonics(cfg_bswv_main_t *s);
void cfg_pending_update_harmonic_ampls(cfg_bswv_main_t *s);
int32 cfg_pending_set_harmonic_switch(cfg_bswv_main_t *s, int32 on);
int32 cfg_pending_set_harmonic_order(cfg_bswv_main_t *s, int32 order);
int32 cfg_pending_get_harmonic_order(cfg_bswv_main_t *s);
int32 cfg_pending_set_harmonic_type(cfg_bswv_main_t *s, int32 type);
int32 cfg_pending_get_harmonic_type(cfg_bswv_main_t *s);
int32 cfg_pending_set_harmonic_ampl(cfg_bswv_main_t *s, lib_unit_data_t value);
int32 cfg_pending_get_harmonic_ampl(cfg_bswv_main_t *s, lib_unit_data_t *out);
int32 cfg_pending_set_harmonic_level(cfg_bswv_main_t *s, lib_unit_data_t value);
int32 cfg_pending_get_harmonic_level(cfg_bswv_main_t *s, lib_unit_data_t *out);
int32 cfg_pending_set_harmonic_phase(cfg_bswv_main_t *s, lib_unit_data_t value);
int32 cfg_pending_get_harmonic_phase(cfg_bswv_main_t *s, lib_unit_data_t *out);
int32 cfg_pending_get_harmonic_ampls(cfg_bswv_main_t *s, std::map<int32, long double> *out);
int32 cfg_pending_load_arb_wave_file(cfg_bswv_main_t *s, const std::string &path);
std::string cfg_pending_get_current_arb_wave_name(cfg_bswv_main_t *s);
int32 cfg_pending_get_wave_data(cfg_bswv_main_t *s, std::vector<int16> *out);
int32 cfg_pending_set_noise_bandwidth_switch(cfg_bswv_main_t *s, int32 on);

// drv_interface_t::get_output_impedance through the driver port (50 ohms).
long double cfg_pending_drv_get_output_impedance();
