#pragma once
// Small helpers shared by the settings object's setter files.
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "lib_types.h"
#include "lib_unit_convert.h"
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

// One of the coupling object's entry points (a member taking the channel and a pointer
// to the value) on a record. The coupling compares with limits in base units, so a
// record in another unit goes there and back; a value the coupling fitted comes back
// in the record's own unit. 0 (coupling does not apply) before the root has its members.
inline int32 couple_record(int32 (cfg_ch_couple_t::*step)(int32, long double *), int32 ch, lib_unit_data_t *r)
{
    cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple == nullptr)
        return 0;
    lib_unit_data_t base = *r;
    if (r->unit != LIB_UNIT_BASE)
        lib_unit_step_scale(*r, base, LIB_UNIT_BASE, LIB_UNIT_LINEAR_STEPS, LIB_UNIT_STEP_COUNT);
    long double value = base.data;
    const int32 c = (couple->*step)(ch, &value);
    if (value != base.data)
    {
        base.data = value;
        if (r->unit == LIB_UNIT_BASE)
            r->data = value;
        else
            lib_unit_step_scale(base, *r, r->unit, LIB_UNIT_LINEAR_STEPS, LIB_UNIT_STEP_COUNT);
    }
    return c;
}
} // namespace cfg_bswv_setter
