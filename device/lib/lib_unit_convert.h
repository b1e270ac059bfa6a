#pragma once
// Moving a value record between prefix codes.
//
// Step conversions work on the difference of two codes and serve the configuration
// layer, which keeps every setting in code 14 (LIB_UNIT_BASE). A difference of six or
// more steps is refused: two lines go to standard output, the destination keeps its
// contents, and the wrappers still return 1.
//
// The prefix-table functions serve the exported API, which numbers its prefixes 0 to
// 13 with 8 as the base unit.
#include "lib_types.h"
#include "lib_unit_data.h"

// Factors per code difference: entry k for a difference of k steps (entry 0 unused).
constexpr int32 LIB_UNIT_STEP_COUNT = 6;
extern const long double LIB_UNIT_LINEAR_STEPS[LIB_UNIT_STEP_COUNT];
// A step of a squared unit is a factor of 1e6.
extern const long double LIB_UNIT_SQUARED_STEPS[LIB_UNIT_STEP_COUNT];

// Scales source into destination (which may be the same record) with the table's
// factor for |source.unit - target|. Returns 0, or -13 with the two refusal lines
// when the difference is not below size. destination.changed is never touched.
int32 lib_unit_do_convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target,
                          const long double *table, int32 size);
// The step conversion without its refusal lines: true when it converted.
bool lib_unit_step_scale(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target,
                         const long double *table, int32 size);

int32 lib_unit_convert(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target);
int32 lib_unit_convert_squared(const lib_unit_data_t &source, lib_unit_data_t &destination, int32 target);
// value from code from to code to, in place; a refused conversion leaves it.
int32 lib_unit_convert_value(int32 from, long double &value, int32 to);
// The record in code 14; a refused conversion returns a copy of the argument.
lib_unit_data_t lib_unit_to_default(const lib_unit_data_t &record);

// Converts to code 14, then to the prefix of the largest threshold (1e-12 .. 1e12)
// strictly below |data|: 1000 stays in code 14, 2500 becomes 2.5 in code 15, 0 and
// anything up to 1e-12 go to code 10, anything above 1e12 to code 18.
int32 lib_unit_auto_prefix(lib_unit_data_t &record);

// API prefix factors: index i is 10^(3 (i - 8)).
extern const long double LIB_UNIT_API_FACTORS[LIB_UNIT_API_COUNT];
// data x F[from] / F[to], the ratio taken as an exact power of 1000; an index outside
// 0..13 returns data unchanged.
long double lib_unit_prefix_rebase(long double data, int32 from, int32 to);
// The record's data in the target index (lib_unit_prefix_rebase).
long double lib_unit_prefix_convert(lib_unit_data_t record, int32 target);
// F[index]; 1.0 outside 0..13.
long double lib_unit_prefix_factor(int32 index);
// Decimal exponent of an API index from 4 (pico) to 13 (peta); 0 for every other.
int32 lib_unit_prefix_exponent(uint8 index);
// value x 10^exponent(index), the power in long double.
long double lib_unit_prefix_to_base(long double value, uint8 index);
// The base-unit value scaled into API index 1 (zepto) to 11 (giga), chosen by
// magnitude with inclusive lower bounds; the sign is kept. NaN ends in index 1.
lib_unit_data_t lib_unit_auto_range(long double value);
// Moves the record one API step at a time until 1 <= |data| < 1000 or the index
// reaches 0 or 13; changed is copied. An index outside 0..13 comes back unchanged.
lib_unit_data_t lib_unit_step_range(lib_unit_data_t record);
