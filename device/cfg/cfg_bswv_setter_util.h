#pragma once
// Small helpers shared by the settings object's setter files.
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "lib_types.h"
#include "lib_unit_data.h"

namespace cfg_bswv_setter
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;

constexpr int32 COUPLE_FREQ = 0;
constexpr int32 COUPLE_PHASE = 2;
constexpr int32 HIGH_Z = 1000000;

inline lib_unit_data_t base_record(long double value)
{
    return lib_unit_data_t{value, LIB_UNIT_BASE, false};
}

// A coupling switch; 0 before the root has its members.
inline int32 couple_switch(int32 kind)
{
    const cfg_ch_couple_t *couple = cfg_get_couple();
    return couple ? couple->get_couple_en(kind) : 0;
}
} // namespace cfg_bswv_setter
