#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "lib_wv_file_buffer.h"

#include <string>
#include <utility>
#include <vector>

// Whole-file operations on the samples of sample records. Only the sample files change;
// amplitude, offset and frequency of a target stay as they were.

// True when both files hold the same number of samples with equal values everywhere.
// Stops at the first differing block.
bool lib_math_is_data_equal(const lib_wv_data_t<short int> &a, const lib_wv_data_t<short int> &b);

// Replaces target's samples by m samples picked from source with a fractional step (no
// interpolation). 1 on success; -2 when memory runs out; -1 when m is 0 or not below the
// source count, or the target cannot be written. The target is unchanged on failure.
int32 lib_math_decimate_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target, uint32 m);

// Replaces target's samples by about m samples on straight lines between neighbours
// (the last stretch runs back to the first sample). 0 on success; -2 when memory runs
// out; -1 when m is not above the source count, the source is empty or the target
// cannot be written. The target is unchanged on failure.
int32 lib_math_interpolate_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target, uint32 m);

// Erases every occurrence of needle from text, also the ones an erasure creates. An
// empty needle changes nothing.
void lib_str_erase_all(const std::string &needle, std::string &text);

// {min, max} of all samples; {0, 0} for an empty file.
std::pair<double, double> lib_math_get_min_max(const lib_wv_data_t<short int> &source);
// 0 when source holds fewer than n samples; else target becomes its first n, result 1.
int32 lib_math_copy_data_points(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target, uint32 n);
// target becomes source's samples from the last to the first; 1.
int32 lib_math_reverse_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target);
// target becomes the negated samples of source (-32768 saturates to 32767); 1.
int32 lib_math_invert_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target);
// The interpolation into a vector: 0, -2 when memory runs out (out emptied), -1 as above.
int32 lib_math_interpolate_vector(const lib_wv_data_t<short int> &source, std::vector<short int> &out, uint32 m);
// Appends m values of in, picked with the decimation's stepping, to target's file; 1.
int32 lib_math_decimate_vector_to_file(const std::vector<short int> &in, lib_wv_data_t<short int> &target,
                                       uint32 m);
// target becomes every value of source times 32767 / max(|a|, |b|), saturated to int16; 1.
int32 lib_math_scale_to_samples(const lib_wv_file_buffer_t<float> &source, float a, float b,
                                lib_wv_data_t<short int> &target);
// Appends to target one value per window of the adjacent-window layout (largest jump)
// of the first n floats of the file at path; 1, or -2 when memory runs out.
int32 lib_math_extract_float_data(const std::string &path, uint32 n, lib_wv_data_t<short int> &target, uint32 m);

float lib_math_jump_float(const fp32 *first, const fp32 *second);
int32 lib_math_jump_short(const int16 *first, const int16 *second);
