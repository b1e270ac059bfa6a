#include "lib_equation_compile.h"

#include "cfg_wv_data_ops.h"
#include "cfg_wv_gen.h"
#include "lib_alloc.h"
#include "lib_expr_calc.h"
#include "lib_expr_program.h"
#include "lib_file_io.h"
#include "lib_math_block.h"
#include "lib_math_file.h"
#include "lib_sample_conv.h"
#include "plat_fs.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <memory>
#include <omp.h>
#include <vector>

namespace {

using record_t = lib_wv_data_t<short int>;

std::atomic<bool> g_fast_path{true};

// Below this many values a stretch is evaluated on the calling thread alone.
constexpr uint64 k_parallel_min = 1024;

// How one thread's share of a stretch of values ended.
struct share_t
{
    uint64 failed_at = UINT64_MAX; // index of the first value that failed, if any
    int32 status = LIB_EXPR_OK;
    float lo = 0.0f;
    float hi = 0.0f;
    bool any = false;
};

// One compile: the evaluator with its parameters, the scratch file and the state that
// carries from line to line.
class compile_run_t
{
public:
    compile_run_t(int32 samples, lib_equation_span_t *span) : m_samples(samples), m_span(span) {}

    bool open_scratch()
    {
        const std::string cwd = plat_getcwd();
        if (cwd.empty())
            return false;
        m_scratch_path = cwd + "/temp_data.bin";
        if (lib_file_exists(m_scratch_path))
            std::remove(m_scratch_path.c_str());
        m_scratch = lib_open_trunc(m_scratch_path);
        return m_scratch.ok();
    }

    // One line with its blanks removed; LIB_EXPR_NOT_THIS never comes back.
    int32 line(const std::string &text)
    {
        if (m_samples < 1)
            return LIB_EXPR_OUT_OF_RANGE;
        int32 status = m_calc.parse_equation(text);
        if (status != LIB_EXPR_NOT_THIS)
            return status;
        double first = 0.0, last = 0.0;
        status = m_calc.parse_range_exact(text, m_samples, &first, &last);
        if (status > LIB_EXPR_ERROR) {
            m_span->x_range_start = std::trunc(first);
            m_span->x_range_end = std::trunc(last);
            m_range_seen = true;
            return status;
        }
        if (status != LIB_EXPR_NOT_THIS)
            return status;
        if (!m_range_seen) {
            m_span->x_range_start = 0.0;
            m_span->x_range_end = double(m_samples) - 1.0;
        }
        return expression(m_calc.replace_params(m_calc.replace_pi(text)));
    }

    int32 convert(record_t *result);

private:
    int32 expression(const std::string &text);
    share_t evaluate_share(const lib_expr_program_t &program, const std::string &text, uint64 first, double length,
                           uint64 from, uint64 to) const;

    int32 m_samples;
    lib_equation_span_t *m_span;
    lib_expr_calc_t m_calc;
    std::string m_scratch_path;
    lib_fd_t m_scratch;
    uint64 m_written = 0; // values in the scratch file
    bool m_first_value = true;
    bool m_range_seen = false;
    std::unique_ptr<float[]> m_values;
    uint64 m_capacity = 0;
};

float x_at(uint64 index, double length)
{
    return static_cast<float>(double(index) / length);
}

// Values [from, to) of the stretch starting at sample index first, into m_values from
// position from; stops at the first that fails. The compiled program takes blocks of
// x; what it leaves open goes to the textual evaluator one x at a time.
share_t compile_run_t::evaluate_share(const lib_expr_program_t &program, const std::string &text, uint64 first,
                                      double length, uint64 from, uint64 to) const
{
    constexpr std::size_t block = lib_expr_program_t::block;
    share_t share;
    lib_expr_calc_t calc = m_calc;
    float x[block], v[block];
    bool ok[block];
    for (uint64 at = from; at < to; at += block) {
        const std::size_t n = std::size_t(std::min<uint64>(block, to - at));
        for (std::size_t i = 0; i < n; ++i)
            x[i] = x_at(first + at + i, length);
        program.run_block(x, v, ok, n);
        for (std::size_t i = 0; i < n; ++i) {
            int32 status = LIB_EXPR_OK;
            if (!ok[i]) {
                v[i] = 0.0f;
                status = calc.evaluate(text, x[i], &v[i]);
            }
            // An infinite or undefined value has no sample: it fails its line.
            if (status == LIB_EXPR_OK && !std::isfinite(v[i]))
                status = LIB_EXPR_DOMAIN;
            if (status != LIB_EXPR_OK) {
                share.failed_at = at + i;
                share.status = status;
                return share;
            }
            m_values[at + i] = v[i];
            if (!share.any) {
                share.lo = share.hi = v[i];
                share.any = true;
            }
            share.lo = std::min(share.lo, v[i]);
            share.hi = std::max(share.hi, v[i]);
        }
    }
    return share;
}

int32 compile_run_t::expression(const std::string &text)
{
    const uint64 start = uint64(m_span->x_range_start);
    const uint64 end = uint64(m_span->x_range_end);
    const double length = double(end - start + 1);
    if (!m_values) {
        // Every range lies within the samples, so no stretch needs more than this.
        m_capacity = lib_math_buffer_samples(uint64(m_samples));
        m_values = lib_alloc_array<float>(m_capacity);
        if (!m_values)
            return LIB_EXPR_SYSTEM;
    }
    lib_expr_program_t program;
    if (g_fast_path.load())
        program.compile(text);

    for (uint64 first = start; first <= end;) {
        const uint64 k = std::min(m_capacity, end - first + 1);
        const int threads = lib_math_threads(k, k_parallel_min);
        std::vector<share_t> shares(threads);
#pragma omp parallel num_threads(threads)
        {
            uint64 from = 0, to = 0;
            cfg_gen_block(k, omp_get_thread_num(), omp_get_num_threads(), from, to);
            shares[omp_get_thread_num()] = evaluate_share(program, text, first, length, from, to);
        }
        // Shares are contiguous and in order: the values before the first failure are
        // those of every share up to and including the failing one.
        for (const share_t &s : shares) {
            if (s.any) {
                if (m_first_value) {
                    m_span->value_min = m_span->value_max = s.lo;
                    m_first_value = false;
                }
                m_span->value_min = std::min(m_span->value_min, double(s.lo));
                m_span->value_max = std::max(m_span->value_max, double(s.hi));
            }
            if (s.failed_at != UINT64_MAX) {
                if (m_first_value)
                    m_span->value_min = m_span->value_max = 0.0;
                m_calc.set_var(x_at(first + s.failed_at, length));
                return s.status;
            }
        }
        const std::size_t bytes = std::size_t(k) * sizeof(float);
        if (lib_pwrite_all(m_scratch.get(), m_values.get(), bytes, m_written * sizeof(float)) != bytes)
            return LIB_EXPR_SYSTEM;
        m_written += k;
        first += k;
    }
    m_calc.set_var(x_at(end, length));
    return LIB_EXPR_OK;
}

int32 compile_run_t::convert(record_t *result)
{
    const float half = static_cast<float>((m_span->value_max - m_span->value_min) * 0.5);
    const float mid = static_cast<float>((m_span->value_max + m_span->value_min) * 0.5);
    m_scratch.reset();
    lib_fd_t in = lib_open_read(m_scratch_path);
    const std::int64_t len = lib_file_length(m_scratch_path);
    if (!in.ok() || len < 0 || !result)
        return LIB_EXPR_SYSTEM;
    const uint64 count = uint64(len) / sizeof(float);

    lib_math_replace_file_t out(result->samples.path, true);
    const uint64 block = lib_math_buffer_samples(count);
    std::unique_ptr<float[]> values = lib_alloc_array<float>(block);
    std::unique_ptr<short int[]> codes = lib_alloc_array<short int>(block);
    if (!values || !codes)
        return LIB_EXPR_SYSTEM;
    const bool ok = lib_math_stream_blocks(count, [&](int, uint64 first, uint64 begin, uint64 end) {
        const std::size_t k = std::size_t(end - begin);
        if (lib_pread_all(in.get(), values.get() + begin, k * sizeof(float), (first + begin) * sizeof(float)) !=
            k * sizeof(float))
            return false;
        // A constant result has no span to scale: every code is 0, the offset its value.
        for (uint64 i = begin; i < end; ++i)
            codes[i] = half == 0.0f ? 0 : lib_to_int16_sat((double(values[i]) - mid) / half * 32767.0);
        return out.write(codes.get() + begin, k * sizeof(short int), (first + begin) * sizeof(short int));
    });
    if (!ok || !out.commit())
        return LIB_EXPR_SYSTEM;
    result->amp = half;
    result->offset = mid;
    in.reset();
    std::remove(m_scratch_path.c_str());
    return LIB_EXPR_OK;
}

} // namespace

int32 lib_equation_compile(const QStringList &lines, int32 samples, record_t *result, int32 *line,
                           lib_equation_span_t *span)
{
    compile_run_t run(samples, span);
    if (!run.open_scratch())
        return LIB_EXPR_SYSTEM;
    int32 status = LIB_EXPR_NO_EQUATION;
    for (int l = 0; l < lines.size(); ++l) {
        *line = l + 1;
        const QString &q = lines[l];
        if (q.isEmpty() || q.at(0) == QLatin1Char('#'))
            continue;
        std::string text = q.toUtf8().toStdString();
        lib_str_erase_all(" ", text);
        status = run.line(text);
        if (status <= LIB_EXPR_ERROR)
            return status;
    }
    const int32 converted = run.convert(result);
    return converted == LIB_EXPR_OK ? status : converted;
}

void lib_equation_set_fast_path(bool enabled)
{
    g_fast_path.store(enabled);
}
