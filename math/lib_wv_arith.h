#pragma once
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"

// Waveform arithmetic of the math dialog: for every sample i of the range [start, end)
// (indices held as doubles, truncated), combines the volts va of a's sample i with the
// volts vb of b's sample i and writes the rescaled result into b's sample i; b then
// carries the result's amplitude (its span, at least 0.1 V) and offset (its middle).
// a is only read; b's samples outside the range and its frequency stay.
//
// The unscaled results wait in a scratch file of floats beside a's sample file
// ("..._math_temp_data.bin") until the scale of the whole result is known; it exists
// only during the call.
//
// Results: 0 done; -1 when a or b is null, the range holds less than one sample or
// does not lie within both records, a file cannot be read or written, or the result
// is not finite; -2 when the work buffers cannot be allocated. On failure b keeps its
// amplitude and offset, and its samples unless the final write itself failed.
// `points` is carried for the dialog; the range alone decides what is processed.

// va + vb
int32 lib_math_get_data_by_add(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                               range_data_t range);
// va - vb
int32 lib_math_get_data_by_sub(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                               range_data_t range);
// va * vb
int32 lib_math_get_data_by_mul(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                               range_data_t range);
// va / vb with both rounded to float first; a vb of exactly 0 V counts as 1e-7 V.
int32 lib_math_get_data_by_div(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                               range_data_t range);

// The four operations by number, as the math dialog numbers them.
enum lib_math_op_t
{
    LIB_MATH_ADD = 0,
    LIB_MATH_SUB = 1,
    LIB_MATH_MUL = 2,
    LIB_MATH_DIV = 3,
};

// The same combination with b only read: out's samples become the results of the range
// (out sample k holds the result of index start + k) with their amplitude and offset, so
// a caller that keeps its second operand needs no copy of it. out must be neither a nor
// b. A failure (the codes above) leaves out as it was.
int32 lib_math_get_data_by(lib_math_op_t op, const lib_wv_data_t<short int> *a, const lib_wv_data_t<short int> *b,
                           lib_wv_data_t<short int> *out, range_data_t range);
