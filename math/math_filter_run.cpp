#include "math_filter_run.h"

#include "lib_alloc.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_sample_conv.h"
#include "lib_scratch_writer.h"
#include "lib_wv_file_buffer.h"
#include "math_filter_kernel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

uint32 g_chunk = 1u << 20;

int load_failed()
{
    lib_diag_err("Error: file failed to load\n");
    return -1;
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

struct span_t
{
    float max = -std::numeric_limits<float>::infinity();
    float min = std::numeric_limits<float>::infinity();
    bool finite = true;

    void add(const float *v, uint32 n)
    {
        float hi = max, lo = min;
        bool fin = true;
        for (uint32 i = 0; i < n; ++i) {
            fin = fin && std::isfinite(v[i]);
            hi = v[i] > hi ? v[i] : hi;
            lo = v[i] < lo ? v[i] : lo;
        }
        max = hi;
        min = lo;
        finite = finite && fin;
    }
};

// The window the samples are converted with: the source's, unless an output leaves it.
bool choose_window(span_t span, uint32 count, float *amp, float *offset)
{
    if (count == 0)
        span.max = span.min = 0.0f;
    const float upper = static_cast<float>(static_cast<double>(*offset) + 0.5 * *amp);
    const float lower = static_cast<float>(static_cast<double>(*offset) - 0.5 * *amp);
    if (!(span.max > upper || span.min < lower))
        return true;
    if (count == 0) {
        *amp = *offset = 0.0f;
        return true;
    }
    if (span.max == span.min) {
        // A constant result has no span to scale by: it sits at the offset, code 0.
        *offset = span.max;
        if (*amp == 0.0f)
            *amp = 0.1f;
        return true;
    }
    *amp = static_cast<float>(static_cast<double>(span.max) - span.min);
    *offset = static_cast<float>((static_cast<double>(span.max) + span.min) * 0.5);
    return std::isfinite(*amp) && std::isfinite(*offset);
}

} // namespace

uint32 math_filter_chunk_size() { return g_chunk; }

void math_filter_set_chunk_size(uint32 samples) { g_chunk = std::max<uint32>(1, samples); }

int math_filter_run(const lib_wv_data_t<short int> *src, uint32 count, math_filter_kernel_t &kernel,
                    lib_wv_data_t<short int> *dst)
{
    lib_diag_line("outside resize:" + std::to_string(count));
    const uint32 chunk = std::max<uint32>(1, std::min(count, g_chunk));
    float amp = src->amp, offset = src->offset;
    buffers_t buf(chunk, amp, offset);
    if (!buf.ok()) {
        lib_diag_line("ZqwFilter::filter_cal:out of memory");
        return -1;
    }

    lib_wv_file_buffer_t<float> scratch;
    lib_diag_line("outside resize:" + std::to_string(count));
    span_t span;
    {
        lib_fd_t in = lib_open_read(src->samples.path);
        lib_fd_t out = lib_open_rw(scratch.path);
        if (!in.ok() || !out.ok())
            return load_failed();
        for (std::uint64_t done = 0; done < count;) {
            const uint32 n = static_cast<uint32>(std::min<std::uint64_t>(chunk, count - done));
            const std::size_t bytes = std::size_t(n) * sizeof(short int);
            if (lib_pread_all(in.get(), buf.in.get(), bytes, done * sizeof(short int)) != bytes)
                return load_failed();
            for (uint32 i = 0; i < n; ++i)
                buf.x[i] = buf.volts[buf.in[i] + 32768];
            kernel.run(buf.x.get(), buf.y.get(), n);
            span.add(buf.y.get(), n);
            if (!span.finite) {
                lib_diag_line("ZqwFilter::filter_cal:the filtered values are not finite");
                return -1;
            }
            const std::size_t vbytes = std::size_t(n) * sizeof(float);
            if (lib_pwrite_all(out.get(), buf.y.get(), vbytes, done * sizeof(float)) != vbytes)
                return load_failed();
            done += n;
        }
    }

    if (!choose_window(span, count, &amp, &offset)) {
        lib_diag_line("ZqwFilter::filter_cal:the filtered values are not finite");
        return -1;
    }

    lib_fd_t in = lib_open_read(scratch.path);
    if (!in.ok())
        return load_failed();
    lib_scratch_writer_t writer(dst->samples.path);
    for (std::uint64_t done = 0; done < count && writer.ok();) {
        const uint32 n = static_cast<uint32>(std::min<std::uint64_t>(chunk, count - done));
        const std::size_t vbytes = std::size_t(n) * sizeof(float);
        if (lib_pread_all(in.get(), buf.y.get(), vbytes, done * sizeof(float)) != vbytes)
            return load_failed();
        for (uint32 i = 0; i < n; ++i)
            buf.out[i] = volt_to_sample(buf.y[i], amp, offset);
        writer.append(buf.out.get(), std::size_t(n) * sizeof(short int));
        done += n;
    }
    if (!writer.commit())
        return -1;
    dst->amp = amp;
    dst->offset = offset;
    return 0;
}
