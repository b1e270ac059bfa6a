#pragma once
#include "lib_types.h"

// Wave type of a waveform object.
enum lib_wv_type_t : uint32 {
    LIB_WV_SINE = 0,
    LIB_WV_SQUARE = 1,
    LIB_WV_PULSE = 2,
    LIB_WV_RAMP = 3,
    LIB_WV_NOISE = 4,
    LIB_WV_DC = 5,
    LIB_WV_SINC = 6,
    LIB_WV_STAIR_UP = 7,
    LIB_WV_STAIR_DN = 8,
    LIB_WV_EXP_RISE = 9,
    LIB_WV_EXP_FALL = 10,
    LIB_WV_MULTI_PULSE = 11,
    LIB_WV_DIGITAL = 12,
    LIB_WV_NONE = 13,
};

// Waveform-generator model class: the index into the limit table.
enum instr_zqw_t : int {
    INSTR_ZQW8000A = 0,
    INSTR_ZQW7000A = 1,
    INSTR_ZQW6000X = 2,
    INSTR_ZQW6000X_E = 3,
    INSTR_ZQW2000X = 4,
    INSTR_ZQW1000X = 5,
    INSTR_ZQW5000 = 6,
    INSTR_ZQW1000 = 7,
    INSTR_ZQW800 = 8,
    INSTR_MZK1021 = 9,
    INSTR_OVT2000X_PLUS = 10,
    INSTR_NONE = 11,
};

// Output channel, 0 for the first.
enum lib_ch_t : int {
    LIB_CH1 = 0,
    LIB_CH2 = 1,
    LIB_CH3 = 2,
    LIB_CH4 = 3,
};

// Start and end sample position; the first is not above the second.
struct range_data_t
{
    double start;
    double end;
};
