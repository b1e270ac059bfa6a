#pragma once
// Scale steps of a display grid in the 1-2-5 sequence, the search of a step for a value
// and the mapping between a value and a pixel offset from its step. A division is
// 60 pixels on screen type 2 and 50 on every other (lib_screen_geometry_t). Records
// use the API prefix numbering; results carry index 8, the base unit.
//
// An index outside its table answers 1.0 (or leaves the outputs as they were), and a
// zero step or zero value per division is never divided by.
#include "lib_types.h"
#include "lib_unit_data.h"

constexpr int32 LIB_SCALE_COARSE_COUNT = 12;
constexpr int32 LIB_SCALE_125_COUNT = 16;
constexpr int32 LIB_SCALE_FINE_COUNT = 17;
constexpr int32 LIB_SCALE_WEIGHT_COUNT = 14;
constexpr int32 LIB_TIME_BASE_COUNT = 39;

// The value data x pixels / d, unit and flag of the value per division.
lib_unit_data_t lib_scale_value_of_pixels(int32 pixels, lib_unit_data_t per_division);
// d x value / value per division (prefixes taken into account), rounded to the
// nearest pixel, halves away from zero; 0 for a zero value per division.
int32 lib_scale_pixels_of_value(lib_unit_data_t value, lib_unit_data_t per_division);

// 0.1, 0.2, 0.5 ... 10000.
float lib_scale_step_125(int32 i);
float lib_scale_step_125_or_one(int32 i);
int32 lib_scale_fine_step_count(void);
// 0.0005, 0.001, 0.002 ... 100.
long double lib_scale_fine_step(int32 i);
u8 lib_scale_step_weight(int32 i);

// Mode 1 does nothing. Otherwise clamps *value to 0.1 .. 20 (written back) and gives
// the coarse step at or above it with the pixel offset below that step.
void lib_scale_coarse_position(int32 mode, int32 *index, long double *value, int32 *pixels);
// The value of a coarse step and pixel offset; mode 1 only sets out's unit to 8.
void lib_scale_coarse_value(int32 mode, int32 index, int32 pixels, lib_unit_data_t *out);
// Moves *value to index 8, clamps it to 0.0005 .. 10 and gives the fine step at or
// above it, the rounded pixel offset below that step and whether the value lies
// nearer the step below.
void lib_scale_fine_position(int32 *index, lib_unit_data_t *value, int32 *pixels, bool *nearer_lower);
// The fine step rounded to float; in mode 1 plus the pixel offset.
void lib_scale_fine_value(int32 mode, int32 index, int32 pixels, lib_unit_data_t *out);

// C[i] / C[j] of the coarse steps; NaN in mode 1.
float lib_scale_step_ratio(int32 mode, int32 i, int32 j);
// Clamps *offset to +-(K / step + 0.5), K 10000 for ranges 11 to 13, 100 for 0 to 7,
// 0 below 0, else 1000. Returns 1, -10 when clamped to the maximum, -11 to the minimum.
int32 lib_scale_clamp_offset(int32 range, float step, int32 *offset);

// The 39 time-base steps, 2e-10 s to 1000 s.
const long double *lib_time_base_steps(void);
// The first step above x - 1e-12, or 39.
int32 lib_time_base_index(double x);
// The same over the first 13 fine steps, or 13.
int32 lib_scale_fine_index(double x);
