#include "lib_wv_arith.h"

#include "cfg_wv_gen.h"
#include "lib_alloc.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_math_block.h"
#include "lib_math_file.h"
#include "lib_number_text.h"
#include "lib_sample_conv.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using record_t = lib_wv_data_t<short int>;

enum class arith_op_t
{
    add,
    sub,
    mul,
    div,
};

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
    bool finite = ext.finite;
    for (uint64 i = 0; i < count; ++i) {
        const float r = combine<OP>(ca[i], cb[i], s.aa, s.ao, s.ba, s.bo);
        out[i] = r;
        lo = std::min(lo, r);
        hi = std::max(hi, r);
        finite = finite && std::isfinite(r);
    }
    ext.lo = lo;
    ext.hi = hi;
    ext.finite = finite;
}

void to_codes(const float *in, short int *out, uint64 count, float amplitude, float offset)
{
    for (uint64 i = 0; i < count; ++i)
        out[i] = lib_to_int16_sat((double(in[i]) - offset) / amplitude * 32767.0 * 2.0);
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

// The results go into b itself (dst == b) or, as a whole new content of the range's
// length, into dst.
template <arith_op_t OP>
int32 run(const record_t *a, const record_t *b, record_t *dst, range_data_t range)
{
    const std::string tag = std::string("ui_wvmath_form_t::_get_data_by_") + op_name(OP) + ":";
    if (!a || !b || !dst)
        return -1;
    const bool in_place = dst == b;
    if (!in_place && (dst == a || dst->samples.path == a->samples.path || dst->samples.path == b->samples.path)) {
        lib_diag_line(tag + "the result cannot be one of the operands");
        return -1;
    }
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
    lib_fd_t io_b = in_place ? lib_open_rw(b->samples.path) : lib_open_read(b->samples.path);
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

    // First pass: the results as floats into the scratch file, and their extremes.
    // Each thread works its own run of every chunk; the extremes of the runs are
    // combined afterwards (exactly: min and max do not depend on the order).
    std::vector<extremes_t> runs(std::size_t(lib_math_threads(count)));
    bool ok = lib_math_stream_blocks(count, [&](int t, uint64 done, uint64 begin, uint64 end) {
        const std::size_t k = std::size_t(end - begin);
        const uint64 at = (first + done + begin) * sizeof(short int);
        if (lib_pread_all(in_a.get(), codes_a.get() + begin, k * sizeof(short int), at) != k * sizeof(short int) ||
            lib_pread_all(io_b.get(), codes_b.get() + begin, k * sizeof(short int), at) != k * sizeof(short int))
            return false;
        first_pass<OP>(codes_a.get() + begin, codes_b.get() + begin, values.get() + begin, k, scales, runs[t]);
        return lib_pwrite_all(out.get(), values.get() + begin, k * sizeof(float), (done + begin) * sizeof(float)) ==
               k * sizeof(float);
    });
    out.reset();
    codes_b.reset();
    if (!ok) {
        lib_diag_line(tag + "file error");
        return -1;
    }
    extremes_t ext;
    for (const extremes_t &r : runs) {
        ext.lo = std::min(ext.lo, r.lo);
        ext.hi = std::max(ext.hi, r.hi);
        ext.finite = ext.finite && r.finite;
    }

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

    // Second pass: the floats read back, scaled to codes and written into b, or into a
    // new content of out that takes its place only when whole.
    std::unique_ptr<lib_math_replace_file_t> replace;
    if (!in_place)
        replace.reset(new lib_math_replace_file_t(dst->samples.path, false));
    lib_fd_t in = lib_open_read(scratch.path());
    ok = in.ok() && lib_math_stream_blocks(count, [&](int, uint64 done, uint64 begin, uint64 end) {
        const std::size_t k = std::size_t(end - begin);
        if (lib_pread_all(in.get(), values.get() + begin, k * sizeof(float), (done + begin) * sizeof(float)) !=
            k * sizeof(float))
            return false;
        to_codes(values.get() + begin, codes_a.get() + begin, k, amplitude, offset);
        const std::size_t bytes = k * sizeof(short int);
        if (replace)
            return replace->write(codes_a.get() + begin, bytes, (done + begin) * sizeof(short int));
        return lib_pwrite_all(io_b.get(), codes_a.get() + begin, bytes, (first + done + begin) * sizeof(short int)) ==
               bytes;
    });
    if (!ok || (replace && !replace->commit())) {
        lib_diag_line(tag + "file error");
        return -1;
    }
    dst->amp = amplitude;
    dst->offset = offset;
    return 0;
}

} // namespace

int32 lib_math_get_data_by_add(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::add>(a, b, b, range);
}

int32 lib_math_get_data_by_sub(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::sub>(a, b, b, range);
}

int32 lib_math_get_data_by_mul(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::mul>(a, b, b, range);
}

int32 lib_math_get_data_by_div(const record_t *a, uint32, record_t *b, range_data_t range)
{
    return run<arith_op_t::div>(a, b, b, range);
}

int32 lib_math_get_data_by(lib_math_op_t op, const record_t *a, const record_t *b, record_t *out,
                           range_data_t range)
{
    if (out == b) // the in-place form is another call
        return -1;
    switch (op) {
    case LIB_MATH_ADD:
        return run<arith_op_t::add>(a, b, out, range);
    case LIB_MATH_SUB:
        return run<arith_op_t::sub>(a, b, out, range);
    case LIB_MATH_MUL:
        return run<arith_op_t::mul>(a, b, out, range);
    case LIB_MATH_DIV:
        return run<arith_op_t::div>(a, b, out, range);
    }
    return -1;
}
