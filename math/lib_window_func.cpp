#include "lib_window_func.h"

#include "lib_alloc.h"
#include "lib_file_io.h"
#include "lib_math_block.h"
#include "lib_math_file.h"

#include <algorithm>
#include <sys/stat.h>

namespace {

using record_t = lib_wv_data_t<short int>;

// The destination is emptied before the source is read, so one file cannot be both.
bool shares_file(const record_t &a, const record_t &b)
{
    if (&a == &b || a.samples.path == b.samples.path)
        return true;
    struct stat sa, sb;
    return ::stat(a.samples.path.c_str(), &sa) == 0 && ::stat(b.samples.path.c_str(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int32 run_window(lib_window_kind_t kind, record_t *source, record_t *destination, float param, float scale,
                 bool in_place)
{
    if (!source || !destination || (!in_place && shares_file(*source, *destination)))
        return -1;
    lib_fd_t in = lib_open_read(source->samples.path);
    const std::int64_t len = in.ok() ? lib_file_length(source->samples.path) : 0;
    const uint64 n = len > 0 ? uint64(len) / 2 : 0;
    const lib_window_shape_t shape(kind, n, param, scale);

    std::unique_ptr<short int[]> buffer = lib_alloc_array<short int>(lib_math_buffer_samples(n));
    if (!buffer)
        return -2;
    lib_math_replace_file_t out(destination->samples.path, kind != lib_window_kind_t::rectangle);
    // Each thread reads, windows and writes its own run of every block.
    const bool ok = lib_math_stream_blocks(n, [&](int, uint64 first, uint64 begin, uint64 end) {
        short int *run = buffer.get() + begin;
        const std::size_t bytes = std::size_t(end - begin) * sizeof(short int);
        const uint64 at = (first + begin) * sizeof(short int);
        // A source that changed under us fails the call: the destination stays as it was.
        if (lib_pread_all(in.get(), run, bytes, at) != bytes)
            return false;
        shape.apply(run, first + begin, end - begin);
        return out.write(run, bytes, at);
    });
    if (!ok || !out.commit())
        return -1;
    destination->amp = source->amp;
    destination->offset = source->offset;
    return 0;
}

} // namespace

int32 lib_window_func::apply(lib_window_kind_t kind, record_t *source, record_t *destination, float param,
                             float scale)
{
    return run_window(kind, source, destination, param, scale, false);
}

int32 lib_window_func::window_rectangle(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::rectangle, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_triangle(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::triangle, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_hanning(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::hanning, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_hamming(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::hamming, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_blackman(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::blackman, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_kaiser(record_t *source, record_t *destination, float beta, float scale)
{
    return run_window(lib_window_kind_t::kaiser, source, destination, beta, scale, false);
}

int32 lib_window_func::window_blackman_harris(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::blackman_harris, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_gauss(record_t *source, record_t *destination, float alpha, float scale)
{
    return run_window(lib_window_kind_t::gauss, source, destination, alpha, scale, false);
}

int32 lib_window_func::window_bartlett(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::bartlett, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_fall_exp(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::fall_exp, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_flattop(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::flattop, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_force(record_t *source, record_t *destination, float scale)
{
    return run_window(lib_window_kind_t::force, source, destination, 0.0f, scale, false);
}

int32 lib_window_func::window_rectangle_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::rectangle, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_triangle_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::triangle, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_hanning_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::hanning, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_hamming_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::hamming, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_blackman_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::blackman, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_kaiser_in_place(record_t *data, float beta, float scale)
{
    return run_window(lib_window_kind_t::kaiser, data, data, beta, scale, true);
}

int32 lib_window_func::window_blackman_harris_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::blackman_harris, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_gauss_in_place(record_t *data, float alpha, float scale)
{
    return run_window(lib_window_kind_t::gauss, data, data, alpha, scale, true);
}

int32 lib_window_func::window_bartlett_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::bartlett, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_fall_exp_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::fall_exp, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_flattop_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::flattop, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_force_in_place(record_t *data, float scale)
{
    return run_window(lib_window_kind_t::force, data, data, 0.0f, scale, true);
}

int32 lib_window_func::window_reserved_a(record_t *, record_t *, float, float, float)
{
    return 0;
}

int32 lib_window_func::window_reserved_b(record_t *, record_t *, float, float, float)
{
    return 0;
}

int32 lib_window_func::window_reserved_c(record_t *, record_t *, float, float, float, float)
{
    return 0;
}

int32 lib_window_func::window_reserved_d(record_t *, record_t *, float, float, float, float)
{
    return 0;
}

float lib_window_func::bessel_i0(float x)
{
    return ::bessel_i0(x);
}
