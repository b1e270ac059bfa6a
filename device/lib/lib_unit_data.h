#pragma once
// lib_unit_data_t: every physical quantity of the device library, a long double in the
// unit its prefix code names. Plain record: no constructor, copied by value.
#include "lib_types.h"

struct lib_unit_data_t
{
    long double data;
    // Prefix code of data: one step per factor of 1000 (see lib_unit_convert.h).
    int32 unit;
    // Set by the settings stores: 1 when the last store changed the value.
    bool changed;
};

// Prefix code of the base unit in the configuration numbering (10 pico .. 19 peta).
constexpr int32 LIB_UNIT_BASE = 14;
// Index of the base unit in the exported API's numbering (0 yocto .. 13 peta); an API
// index is the configuration code minus 6.
constexpr int32 LIB_UNIT_API_BASE = 8;
constexpr int32 LIB_UNIT_API_COUNT = 14;
