#include "lib_wv_arith.h"

#include "cfg_wv_gen.h"
#include "lib_alloc.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_math_block.h"
#include "lib_number_text.h"
#include "lib_sample_conv.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace {

using record_t = lib_wv_data_t<short int>;

enum class arith_op_t
{
    add,
    sub,
    mul,
    div,
};

// Below this many samples a chunk is worked on the calling thread alone.
constexpr uint64 k_parallel_min = 1u << 16;

const char *op_name(arith_op_t op)
{
    switch (op) {
    case arith_op_t::add:
        return "add";
    case arith_op_t::sub:
        return "sub";
    case arith_op_t::mul:
        return "mul";
    case arith_op_t::div:
        break;
    }
    return "div";
}

// The volts of a code in a record of amplitude a and offset o, in double.
inline double code_volts(short int code, double a, double o)
{
    return o + double(code) * a * 0.5 / 32767.0;
}

template <arith_op_t OP>
inline float combine(short int code_a, short int code_b, double aa, double ao, double ba, double bo)
{
    const double va = code_volts(code_a, aa, ao);
    const double vb = code_volts(code_b, ba, bo);
    if constexpr (OP == arith_op_t::add)
        return static_cast<float>(va + vb);
    else if constexpr (OP == arith_op_t::sub)
        return static_cast<float>(va - vb);
    else if constexpr (OP == arith_op_t::mul)
        return static_cast<float>(va * vb);
    else {
        const float fa = static_cast<float>(va);
        float fb = static_cast<float>(vb);
        if (fb == 0.0f)
            fb = 1e-7f;
        return static_cast<float>(double(fa) / double(fb));
    }
}

// Running extremes of the results and whether every one of them was finite.
struct extremes_t
{
    float lo = FLT_MAX;
    float hi = -FLT_MAX;
    bool finite = true;
};

struct scales_t
{
    double aa, ao, ba, bo;
};

template <arith_op_t OP>
void first_pass(const short int *ca, const short int *cb, float *out, uint64 count, const scales_t &s,
                extremes_t &ext)
{
    float lo = ext.lo, hi = ext.hi;
    int bad = 0;
    const int threads = count < k_parallel_min ? 1 : lib_math_threads();
    const int64 n = int64(count);
#pragma omp parallel for num_threads(threads) schedule(static) reduction(min : lo) reduction(max : hi) \
    reduction(| : bad)
    for (int64 i = 0; i < n; ++i) {
        const float r = combine<OP>(ca[i], cb[i], s.aa, s.ao, s.ba, s.bo);
        out[i] = r;
        lo = std::min(lo, r);
        hi = std::max(hi, r);
        bad |= std::isfinite(r) ? 0 : 1;
    }
    ext.lo = lo;
    ext.hi = hi;
    ext.finite = ext.finite && bad == 0;
}

void to_codes(const float *in, short int *out, uint64 count, float amplitude, float offset)
{
    const int threads = count < k_parallel_min ? 1 : lib_math_threads();
    cfg_gen_parallel(count, threads, [&](uint64 lo, uint64 hi) {
        for (uint64 i = lo; i < hi; ++i)
            out[i] = lib_to_int16_sat((double(in[i]) - offset) / amplitude * 32767.0 * 2.0);
    });
}

// The scratch file of one call, removed whatever way the call ends.
class scratch_file_t
{
public:
    explicit scratch_file_t(std::string path) : m_path(std::move(path)) {}
    ~scratch_file_t() { std::remove(m_path.c_str()); }
    scratch_file_t(const scratch_file_t &) = delete;
    scratch_file_t &operator=(const scratch_file_t &) = delete;
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

uint64 sample_count(const std::string &path)
{
    const std::int64_t len = lib_file_length(path);
    return len > 0 ? uint64(len) / sizeof(short int) : 0;
}

template <arith_op_t OP>
int32 run(const record_t *a, record_t *b, range_data_t range)
{
    const std::string tag = std::string("ui_wvmath_form_t::_get_data_by_") + op_name(OP) + ":";
    if (!a || !b)
        return -1;
    if (!(range.end - range.start >= 1.0)) {
        lib_diag_line(tag + "the size of the two data are different");
        return -1;
    }
    const uint64 first = uint64(cfg_gen_trunc_i64(range.start, 0, INT64_MAX));
    const uint64 count = uint64(cfg_gen_trunc_i64(range.end - range.start, 0, INT64_MAX));
    if (!(range.start >= 0.0) || first + count < first || first + count > sample_count(a->samples.path) ||
        first + count > sample_count(b->samples.path)) {
        lib_diag_line(tag + "the range is out of the data");
        return -1;
    }
    const scales_t scales{a->amp, a->offset, b->amp, b->offset};

    const std::string scratch_path = lib_wv_companion_path(a->samples.path);
    std::remove(scratch_path.c_str()); // a leftover of an earlier run
    lib_fd_t in_a = lib_open_read(a->samples.path);
    lib_fd_t io_b = lib_open_rw(b->samples.path);
    scratch_file_t scratch(scratch_path);
    lib_fd_t out = lib_open_trunc(scratch.path());
    if (!in_a.ok() || !io_b.ok() || !out.ok()) {
        lib_diag_line(tag + "file error");
        return -1;
    }

    const uint64 chunk = lib_math_buffer_samples(count);
    std::unique_ptr<short int[]> codes_a = lib_alloc_array<short int>(chunk);
    std::unique_ptr<short int[]> codes_b = lib_alloc_array<short int>(chunk);
    std::unique_ptr<float[]> values = lib_alloc_array<float>(chunk);
    if (!codes_a || !codes_b || !values)
        return -2;

    extremes_t ext;
    for (uint64 done = 0; done < count;) {
        const uint64 k = std::min(count - done, chunk);
        const std::size_t code_bytes = std::size_t(k) * sizeof(short int);
        const uint64 at = (first + done) * sizeof(short int);
        if (lib_pread_all(in_a.get(), codes_a.get(), code_bytes, at) != code_bytes ||
            lib_pread_all(io_b.get(), codes_b.get(), code_bytes, at) != code_bytes) {
            lib_diag_line(tag + "file error");
            return -1;
        }
        first_pass<OP>(codes_a.get(), codes_b.get(), values.get(), k, scales, ext);
        const std::size_t value_bytes = std::size_t(k) * sizeof(float);
        if (lib_pwrite_all(out.get(), values.get(), value_bytes, done * sizeof(float)) != value_bytes) {
            lib_diag_line(tag + "file error");
            return -1;
        }
        done += k;
    }
    out.reset();
    codes_b.reset();

    float amplitude = static_cast<float>(double(ext.hi) - double(ext.lo));
    const float offset = static_cast<float>((double(ext.hi) + double(ext.lo)) * 0.5);
    if (!ext.finite || !std::isfinite(amplitude) || !std::isfinite(offset)) {
        lib_diag_line(tag + "the result is not finite");
        return -1;
    }
    if (amplitude < 0.1)
        amplitude = 0.1f;
    if (OP == arith_op_t::sub) {
        lib_diag_line("new_amp is " + number_to_string(amplitude));
        lib_diag_line("new_offest is " + number_to_string(offset));
    }

    lib_fd_t in = lib_open_read(scratch.path());
    for (uint64 done = 0; done < count;) {
        const uint64 k = std::min(count - done, chunk);
        const std::size_t value_bytes = std::size_t(k) * sizeof(float);
        const std::size_t code_bytes = std::size_t(k) * sizeof(short int);
        if (!in.ok() || lib_pread_all(in.get(), values.get(), value_bytes, done * sizeof(float)) != value_bytes) {
            lib_diag_line(tag + "file error");
            return -1;
        }
        to_codes(values.get(), codes_a.get(), k, amplitude, offset);
        if (lib_pwrite_all(io_b.get(), codes_a.get(), code_bytes, (first + done) * sizeof(short int)) !=
            code_bytes) {
            lib_diag_line(tag + "file error");
            return -1;
        }
        done += k;
    }
    b->amp = amplitude;
    b->offset = offset;
    return 0;
}

} // namespace

int32 lib_math_get_data_by_add(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::add>(a, b, range);
}

int32 lib_math_get_data_by_sub(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::sub>(a, b, range);
}

int32 lib_math_get_data_by_mul(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::mul>(a, b, range);
}

int32 lib_math_get_data_by_div(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::div>(a, b, range);
}
