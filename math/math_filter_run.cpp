#include "math_filter_run.h"

#include "lib_alloc.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_sample_conv.h"
#include "lib_scratch_writer.h"
#include "math_filter_kernel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

uint32 g_chunk = 1u << 20;

void load_failed()
{
    lib_diag_err("Error: file failed to load\n");
}

// The four chunk buffers and the volts of every possible sample.
struct buffers_t
{
    explicit buffers_t(uint32 n, float amp, float offset)
        : in(lib_alloc_array<short int>(n)), out(lib_alloc_array<short int>(n)), x(lib_alloc_array<float>(n)),
          y(lib_alloc_array<float>(n)), volts(lib_alloc_array<float>(65536))
    {
        if (!ok())
            return;
        // 65,536 conversions instead of one per sample give the same volts.
        for (int s = -32768; s <= 32767; ++s)
            volts[s + 32768] = sample_to_volt(static_cast<short int>(s), amp, offset);
    }
    bool ok() const { return in && out && x && y && volts; }

    std::unique_ptr<short int[]> in, out;
    std::unique_ptr<float[]> x, y, volts;
};

// The largest and smallest output so far, and whether every output was finite.
struct span_t
{
    float max = -std::numeric_limits<float>::infinity();
    float min = std::numeric_limits<float>::infinity();
    bool finite = true;

    void add(const float *v, uint32 n)
    {
        uint32 i = 0;
        float hi = max, lo = min;
        bool fin = finite;
#if defined(__SSE2__)
        // Four lanes at a time; a NaN leaves the bounds alone (it is the first operand)
        // and is caught by its exponent like an infinity.
        __m128 vhi = _mm_set1_ps(hi), vlo = _mm_set1_ps(lo);
        const __m128i exponent = _mm_set1_epi32(0x7f800000);
        __m128i bad = _mm_setzero_si128();
        for (; i + 4 <= n; i += 4) {
            const __m128 x = _mm_loadu_ps(v + i);
            vhi = _mm_max_ps(x, vhi);
            vlo = _mm_min_ps(x, vlo);
            const __m128i e = _mm_and_si128(_mm_castps_si128(x), exponent);
            bad = _mm_or_si128(bad, _mm_cmpeq_epi32(e, exponent));
        }
        float lanes_hi[4], lanes_lo[4];
        _mm_storeu_ps(lanes_hi, vhi);
        _mm_storeu_ps(lanes_lo, vlo);
        for (int k = 0; k < 4; ++k) {
            hi = std::max(hi, lanes_hi[k]);
            lo = std::min(lo, lanes_lo[k]);
        }
        fin = fin && _mm_movemask_epi8(bad) == 0;
#endif
        for (; i < n; ++i) {
            fin = fin && std::isfinite(v[i]);
            hi = v[i] > hi ? v[i] : hi;
            lo = v[i] < lo ? v[i] : lo;
        }
        max = hi;
        min = lo;
        finite = fin;
    }
};

struct window_t
{
    float amp, offset;

    float upper() const { return static_cast<float>(static_cast<double>(offset) + 0.5 * amp); }
    float lower() const { return static_cast<float>(static_cast<double>(offset) - 0.5 * amp); }
    bool holds(const span_t &span) const { return !(span.max > upper() || span.min < lower()); }
};

// The window the samples are converted with: the source's, unless an output leaves it.
// False when the span gives no finite window.
bool choose_window(span_t span, uint32 count, window_t *w)
{
    if (count == 0)
        span.max = span.min = 0.0f;
    if (w->holds(span))
        return true;
    if (count == 0) {
        w->amp = w->offset = 0.0f;
        return true;
    }
    if (span.max == span.min) {
        // A constant result has no span to scale by: it sits at the offset, code 0.
        w->offset = span.max;
        if (w->amp == 0.0f)
            w->amp = 0.1f;
        return true;
    }
    w->amp = static_cast<float>(static_cast<double>(span.max) - span.min);
    w->offset = static_cast<float>((static_cast<double>(span.max) + span.min) * 0.5);
    return std::isfinite(w->amp) && std::isfinite(w->offset);
}

// Runs the kernel from rest over the source, chunk by chunk, handing each chunk of
// outputs to `sink`; false as soon as the source cannot be read or the sink refuses.
template <typename Sink>
bool filter_pass(const std::string &path, uint32 count, uint32 chunk, math_filter_kernel_t &kernel,
                 buffers_t &buf, Sink sink)
{
    lib_fd_t in = lib_open_read(path);
    if (!in.ok()) {
        load_failed();
        return false;
    }
    kernel.reset();
    for (std::uint64_t done = 0; done < count;) {
        const uint32 n = static_cast<uint32>(std::min<std::uint64_t>(chunk, count - done));
        const std::size_t bytes = std::size_t(n) * sizeof(short int);
        if (lib_pread_all(in.get(), buf.in.get(), bytes, done * sizeof(short int)) != bytes) {
            load_failed();
            return false;
        }
        for (uint32 i = 0; i < n; ++i)
            buf.x[i] = buf.volts[buf.in[i] + 32768];
        kernel.run(buf.x.get(), buf.y.get(), n);
        if (!sink(buf.y.get(), n))
            return false;
        done += n;
    }
    return true;
}

} // namespace

uint32 math_filter_chunk_size() { return g_chunk; }

void math_filter_set_chunk_size(uint32 samples) { g_chunk = std::max<uint32>(1, samples); }

int math_filter_run(const lib_wv_data_t<short int> *src, uint32 count, math_filter_kernel_t &kernel,
                    lib_wv_data_t<short int> *dst)
{
    lib_diag_line("outside resize:" + std::to_string(count));
    const uint32 chunk = std::max<uint32>(1, std::min(count, g_chunk));
    const window_t source{src->amp, src->offset};
    buffers_t buf(chunk, source.amp, source.offset);
    if (!buf.ok()) {
        lib_diag_line("ZqwFilter::filter_cal:out of memory");
        return -1;
    }
    auto convert = [&](lib_scratch_writer_t &writer, const window_t &w, const float *y, uint32 n) {
        volts_to_samples(y, buf.out.get(), n, w.amp, w.offset);
        writer.append(buf.out.get(), std::size_t(n) * sizeof(short int));
        return writer.ok();
    };

    // The window needs the span of all outputs before the first can become a sample.
    // The first pass converts with the source's window while the outputs stay inside
    // it; only when one leaves it does a second, identical pass convert with their span.
    // Computing the outputs twice costs less than a scratch file of them.
    span_t span;
    auto writer = std::make_unique<lib_scratch_writer_t>(dst->samples.path);
    lib_diag_line("outside resize:" + std::to_string(count));
    const bool passed = filter_pass(src->samples.path, count, chunk, kernel, buf, [&](const float *y, uint32 n) {
        span.add(y, n);
        if (!span.finite)
            return false;
        if (writer && !source.holds(span))
            writer.reset();
        return !writer || convert(*writer, source, y, n);
    });
    if (!span.finite)
        lib_diag_line("ZqwFilter::filter_cal:the filtered values are not finite");
    if (!passed)
        return -1;
    window_t w = source;
    if (!choose_window(span, count, &w)) {
        lib_diag_line("ZqwFilter::filter_cal:the filtered values are not finite");
        return -1;
    }
    if (!writer) {
        writer = std::make_unique<lib_scratch_writer_t>(dst->samples.path);
        if (!filter_pass(src->samples.path, count, chunk, kernel, buf,
                         [&](const float *y, uint32 n) { return convert(*writer, w, y, n); }))
            return -1;
    }
    if (!writer->commit())
        return -1;
    dst->amp = w.amp;
    dst->offset = w.offset;
    return 0;
}
