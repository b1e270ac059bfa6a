#pragma once
#include "lib_types.h"
#include "lib_window_shape.h"
#include "lib_wv_data.h"

// Multiplies a waveform's samples by one of twelve window functions. The source's
// sample file is streamed block by block into the destination's, which takes the
// source's amplitude and offset (its frequency stays); the destination's samples are
// replaced only once the whole result is written.
//
// Every operation returns 0 when done; -1, touching nothing, when the destination
// cannot be written or is the source itself (same record or same sample file); -2,
// touching nothing, when the work buffer cannot be allocated. A source that cannot be
// read counts as empty: the destination is left with no samples.
class lib_window_func
{
public:
    lib_window_func() = default;

    int32 window_rectangle(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    // scale: the peak factor of the triangle, read by this window alone.
    int32 window_triangle(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    int32 window_hanning(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    int32 window_hamming(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    int32 window_blackman(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    int32 window_kaiser(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float beta,
                        float scale);
    int32 window_blackman_harris(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination,
                                 float scale);
    int32 window_gauss(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float alpha,
                       float scale);
    int32 window_bartlett(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    int32 window_fall_exp(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    int32 window_flattop(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);
    int32 window_force(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float scale);

    // The same windows over a record's own samples, with the same results.
    int32 window_rectangle_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_triangle_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_hanning_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_hamming_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_blackman_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_kaiser_in_place(lib_wv_data_t<short int> *data, float beta, float scale);
    int32 window_blackman_harris_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_gauss_in_place(lib_wv_data_t<short int> *data, float alpha, float scale);
    int32 window_bartlett_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_fall_exp_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_flattop_in_place(lib_wv_data_t<short int> *data, float scale);
    int32 window_force_in_place(lib_wv_data_t<short int> *data, float scale);

    // Placeholders of the interface: they do nothing and return 0.
    int32 window_reserved_a(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float p1,
                            float p2, float scale);
    int32 window_reserved_b(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float p1,
                            float p2, float scale);
    int32 window_reserved_c(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float p1,
                            float p2, float p3, float scale);
    int32 window_reserved_d(lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination, float p1,
                            float p2, float p3, float scale);

    float bessel_i0(float x);

    // Any window by its dialog index, with the shape parameter where the window has one.
    int32 apply(lib_window_kind_t kind, lib_wv_data_t<short int> *source, lib_wv_data_t<short int> *destination,
                float param, float scale);
};
