#pragma once
// Display extraction: reduces N samples to M display points, keeping of each window the
// one real sample at its largest jump, so edges and single-sample spikes stay visible
// where plain sub-sampling would drop them.
#include "lib_types.h"
#include "lib_wv_data.h"

#include <vector>

// Samples a scan holds in memory at once per thread; a wider window is scanned in
// pieces of this size.
constexpr uint32 LIB_SCAN_CHUNK_SAMPLES = 10485760;

// Centred windows of width ceil(N / M) over samples start .. start + N - 1 of the sample
// file (N is the caller's count; unread samples count as 0). Writes out[0 .. M - 1].
int16 *lib_math_extract_data_algorithm(lib_wv_data_t<short int> *data, uint32 N, int16 *out,
                                       uint32 M, uint32 start);
// The entry the plot loaders use.
int16 *lib_math_extract_data(lib_wv_data_t<short int> *data, uint32 N, int16 *out, uint32 M,
                             uint32 start);

// Over the whole file (N measured from its length). M >= N copies every sample. Returns
// 1, or -2 with out unchanged when out cannot be allocated.
int32 lib_math_extract_data_algorithm(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                      uint32 M);
bool lib_math_extract_data_to_vector(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                     uint32 M);
// Writes the samples the pieces make up, one after another, to the file open as out_fd
// (each at its own place) and extracts at the same time the display points
// lib_math_extract_data_to_vector gives for a file holding them: one pass over the
// samples. 1; 0 when a sample could not be read or written; -1 (nothing written) when
// the samples are no more than M, with nothing to reduce; -2 when memory runs out. out
// changes only with 1.
int32 lib_math_copy_and_extract(const std::vector<lib_wv_piece_t> &pieces, int out_fd, std::vector<short int> &out,
                                 uint32 M);

// In-memory layout: adjacent windows of N div M and N div M + 1 values, the longer ones at
// both ends. Appends M values to out; 1, or -2 with out unchanged when memory runs out.
int32 lib_math_decimate_vector(const std::vector<float> &in, std::vector<float> &out, uint32 M);
bool lib_math_extract_vector_data(const std::vector<float> &in, std::vector<float> &out, uint32 M);

// The in-memory layout over the sample file, with the samples at range_start and range_end
// forced into the windows that hold them. Returns 1, or -2 with out unchanged.
int32 lib_math_extract_range_algorithm(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                       double range_start, double range_end, uint32 M);
bool lib_math_extract_range_data(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                 double range_start, double range_end, uint32 M);
