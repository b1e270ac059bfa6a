#include "cfg_wv_data_ops.h"

#include "cfg_wv_sample_sink.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_sample_conv.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

namespace {

uint64 sample_count(const lib_wv_data_t<short int> &r)
{
    std::int64_t len = lib_file_length(r.samples.path);
    return len > 0 ? uint64(len) / 2 : 0;
}

// Samples per block of the streaming operations: half the shared transfer buffer each
// for the two sides of a comparison.
constexpr uint64 k_half_block = LIB_TRANSFER_BYTES / 2 / sizeof(short int);
constexpr uint64 k_block = LIB_TRANSFER_BYTES / sizeof(short int);

// Streams the samples [first, first + count) of a record through the transfer buffer.
template <typename F>
bool for_each_block(const lib_wv_data_t<short int> &src, uint64 first, uint64 count, F body)
{
    lib_fd_t in = lib_open_read(src.samples.path);
    if (!in.ok())
        return count == 0;
    short int *buf = reinterpret_cast<short int *>(lib_transfer_buffer());
    for (uint64 done = 0; done < count;) {
        const uint64 len = std::min(k_block, count - done);
        const std::size_t bytes = std::size_t(len) * 2;
        if (lib_pread_all(in.get(), buf, bytes, (first + done) * 2) != bytes)
            return false;
        body(buf, len);
        done += len;
    }
    return true;
}

// Index stepping of the decimation: position i is i * d + floor(i * f), f the fractional
// step in single precision summed in extended precision.
template <typename F>
void step_positions(uint64 n, uint32 m, F take)
{
    const uint64 d = n / m;
    const float f = float(double(n) / double(m) - double(d));
    long double acc = 0.0L;
    uint64 p = 0;
    for (uint32 i = 0; i < m && p < n; ++i) {
        take(i, p);
        acc += f;
        p += d;
        if (acc >= 1.0L) {
            ++p;
            acc -= 1.0L;
        }
    }
}

// Interpolation over the source's samples into out (which receives the whole result).
// The step and its accumulator are single precision, the line values double.
int32 interpolate(const std::vector<short int> &src, uint32 m, std::vector<short int> &out)
{
    const uint64 n = src.size();
    const float s = float(double(m) / double(n));
    const float frac = s - std::floor(s);
    const uint64 base = uint64(std::floor(double(s) - 1.0));
    uint64 total = n;
    float acc = 0.0f;
    for (uint64 k = 0; k < n; ++k) {
        acc += frac;
        if (acc >= 1.0f) {
            acc -= 1.0f;
            total += base + 1;
        } else {
            total += base;
        }
    }
    try {
        out.reserve(total);
    } catch (const std::bad_alloc &) {
        std::vector<short int>().swap(out);
        return -2;
    } catch (const std::length_error &) {
        std::vector<short int>().swap(out);
        return -2;
    }
    acc = 0.0f;
    for (uint64 k = 0; k < n; ++k) {
        uint64 count = base;
        acc += frac;
        if (acc >= 1.0f) {
            acc -= 1.0f;
            count = base + 1;
        }
        const double a = src[k];
        const double b = src[k + 1 < n ? k + 1 : 0];
        out.push_back(src[k]);
        for (uint64 j = 1; j <= count; ++j)
            out.push_back(lib_to_int16_sat(a + double(j) * (b - a) / double(s)));
    }
    return 0;
}

// Reads all samples of a record; false when memory or the file fails.
int32 read_source(const lib_wv_data_t<short int> &source, uint64 n, std::vector<short int> &out)
{
    try {
        out.resize(n);
    } catch (const std::bad_alloc &) {
        return -2;
    }
    uint64 at = 0;
    const bool ok = for_each_block(source, 0, n, [&](const short int *b, uint64 len) {
        std::memcpy(out.data() + at, b, std::size_t(len) * 2);
        at += len;
    });
    return ok ? 0 : -1;
}

// One value of the window [a, b] of the adjacent-window layout: the one at its largest
// jump, equal neighbouring jumps keeping the later value.
float pick_in_window(const std::vector<float> &in, uint64 a, uint64 b)
{
    if (a == b)
        return in[a];
    const uint64 n = in.size();
    uint64 j = a;
    float best = -1.0f;
    for (uint64 k = a; k < b; ++k) {
        const float jump = std::fabs(in[k + 1] - in[k]);
        if (jump > best) {
            best = jump;
            j = k;
        }
    }
    if (j == 0)
        return in[0];
    if (j + 2 < n) {
        const float e = std::fabs(in[j] - in[j - 1]);
        const float f = std::fabs(in[j + 2] - in[j + 1]);
        return e <= f ? in[j + 1] : in[j];
    }
    return in[j + 1];
}

} // namespace

bool lib_math_is_data_equal(const lib_wv_data_t<short int> &a, const lib_wv_data_t<short int> &b)
{
    const uint64 n = sample_count(a);
    if (n != sample_count(b))
        return false;
    if (n == 0 || a.samples.path == b.samples.path)
        return true;
    lib_fd_t fa = lib_open_read(a.samples.path);
    // One file under two names (a backup shares the document's file until an edit gives
    // the document a file of its own).
    struct stat sa, sb;
    if (fa.ok() && ::fstat(fa.get(), &sa) == 0 && ::stat(b.samples.path.c_str(), &sb) == 0 &&
        sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino)
        return true;
    lib_fd_t fb = lib_open_read(b.samples.path);
    if (!fa.ok() || !fb.ok())
        return false;
    char *ba = lib_transfer_buffer();
    char *bb = ba + LIB_TRANSFER_BYTES / 2;
    for (uint64 done = 0; done < n;) {
        const uint64 len = std::min(k_half_block, n - done);
        const std::size_t bytes = std::size_t(len) * 2;
        if (lib_pread_all(fa.get(), ba, bytes, done * 2) != bytes ||
            lib_pread_all(fb.get(), bb, bytes, done * 2) != bytes)
            return false;
        if (std::memcmp(ba, bb, bytes) != 0)
            return false;
        done += len;
    }
    return true;
}

int32 lib_math_decimate_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target, uint32 m)
{
    const uint64 n = sample_count(source);
    if (m == 0 || m >= n)
        return -1;
    std::vector<short int> src, out;
    if (int32 rc = read_source(source, n, src))
        return rc;
    try {
        out.assign(m, 0);
    } catch (const std::bad_alloc &) {
        return -2;
    }
    step_positions(n, m, [&](uint32 i, uint64 p) { out[i] = src[p]; });
    std::vector<short int>().swap(src);
    cfg_wv_sample_sink_t sink(target, false);
    sink.append(out.data(), m);
    return sink.commit() ? 1 : -1;
}

int32 lib_math_interpolate_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target, uint32 m)
{
    std::vector<short int> out;
    const int32 rc = lib_math_interpolate_vector(source, out, m);
    if (rc != 0)
        return rc;
    cfg_wv_sample_sink_t sink(target, false);
    sink.append(out.data(), out.size());
    return sink.commit() ? 0 : -1;
}

int32 lib_math_interpolate_vector(const lib_wv_data_t<short int> &source, std::vector<short int> &out, uint32 m)
{
    std::vector<short int>().swap(out);
    const uint64 n = sample_count(source);
    if (n == 0 || m <= n)
        return -1;
    std::vector<short int> src;
    if (int32 rc = read_source(source, n, src))
        return rc;
    return interpolate(src, m, out);
}

void lib_str_erase_all(const std::string &needle, std::string &text)
{
    if (needle.empty())
        return;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle))
        text.erase(at, needle.size());
}

std::pair<double, double> lib_math_get_min_max(const lib_wv_data_t<short int> &source)
{
    const uint64 n = sample_count(source);
    if (n == 0)
        return {0.0, 0.0};
    bool seeded = false;
    short int lo = 0, hi = 0;
    for_each_block(source, 0, n, [&](const short int *b, uint64 len) {
        if (!seeded) {
            lo = hi = b[0];
            seeded = true;
        }
        for (uint64 i = 0; i < len; ++i) {
            lo = std::min(lo, b[i]);
            hi = std::max(hi, b[i]);
        }
    });
    return {double(lo), double(hi)};
}

int32 lib_math_copy_data_points(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target, uint32 n)
{
    if (sample_count(source) < n)
        return 0;
    cfg_wv_sample_sink_t sink(target, true);
    for_each_block(source, 0, n, [&](const short int *b, uint64 len) { sink.append(b, len); });
    sink.commit();
    return 1;
}

int32 lib_math_reverse_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target)
{
    const uint64 n = sample_count(source);
    cfg_wv_sample_sink_t sink(target, true);
    std::vector<short int> rev;
    for (uint64 end = n; end > 0 && sink.ok();) {
        const uint64 len = std::min(k_block, end);
        for_each_block(source, end - len, len, [&](const short int *b, uint64 got) {
            rev.assign(b, b + got);
            std::reverse(rev.begin(), rev.end());
            sink.append(rev.data(), got);
        });
        end -= len;
    }
    sink.commit();
    return 1;
}

int32 lib_math_invert_data(const lib_wv_data_t<short int> &source, lib_wv_data_t<short int> &target)
{
    const uint64 n = sample_count(source);
    cfg_wv_sample_sink_t sink(target, true);
    std::vector<short int> neg;
    for_each_block(source, 0, n, [&](const short int *b, uint64 len) {
        neg.resize(len);
        for (uint64 i = 0; i < len; ++i)
            neg[i] = lib_to_int16_sat(-double(b[i]));
        sink.append(neg.data(), len);
    });
    sink.commit();
    return 1;
}

int32 lib_math_decimate_vector_to_file(const std::vector<short int> &in, lib_wv_data_t<short int> &target, uint32 m)
{
    if (in.empty() || m == 0)
        return 1;
    std::vector<short int> out(m, 0);
    step_positions(in.size(), m, [&](uint32 i, uint64 p) { out[i] = in[p]; });
    cfg_wv_sample_sink_t sink(target, false);
    sink.keep_existing();
    sink.append(out.data(), m);
    sink.commit();
    return 1;
}

int32 lib_math_scale_to_samples(const lib_wv_file_buffer_t<float> &source, float a, float b,
                                lib_wv_data_t<short int> &target)
{
    const double k = 32767.0 / std::max(std::fabs(double(a)), std::fabs(double(b)));
    std::int64_t len = lib_file_length(source.get_path());
    const uint64 n = len > 0 ? uint64(len) / 4 : 0;
    cfg_wv_sample_sink_t sink(target, true);
    lib_fd_t in = lib_open_read(source.get_path());
    constexpr uint64 block = LIB_TRANSFER_BYTES / 4;
    float *buf = reinterpret_cast<float *>(lib_transfer_buffer());
    std::vector<short int> out;
    for (uint64 done = 0; in.ok() && done < n && sink.ok();) {
        const uint64 count = std::min(block, n - done);
        if (lib_pread_all(in.get(), buf, std::size_t(count) * 4, done * 4) != count * 4)
            break;
        out.resize(count);
        for (uint64 i = 0; i < count; ++i)
            out[i] = lib_to_int16_sat(double(buf[i]) * k);
        sink.append(out.data(), count);
        done += count;
    }
    sink.commit();
    return 1;
}

int32 lib_math_extract_float_data(const std::string &path, uint32 n, lib_wv_data_t<short int> &target, uint32 m)
{
    const std::int64_t len = lib_file_length(path);
    lib_diag_line(std::to_string(len < 0 ? 0 : len));
    const uint64 count = std::min<uint64>(n, len > 0 ? uint64(len) / 4 : 0);
    std::vector<float> in;
    std::vector<short int> out;
    try {
        in.resize(count);
        out.reserve(std::min<uint64>(m, count));
    } catch (const std::bad_alloc &) {
        return -2;
    }
    lib_fd_t fd = lib_open_read(path);
    if (count && (!fd.ok() || lib_pread_all(fd.get(), in.data(), count * 4, 0) != count * 4))
        return -1;
    if (m >= count) {
        for (float v : in)
            out.push_back(lib_to_int16_sat(v));
    } else if (m > 0) {
        const uint64 d = count / m, rem = count % m, h = rem / 2;
        const uint64 e = h * (d + 1), g = e + d * (m - rem);
        for (uint64 i = 0; i < m; ++i) {
            uint64 a, w;
            if (i < h) {
                a = i * (d + 1);
                w = d + 1;
            } else if (i < h + (m - rem)) {
                a = e + (i - h) * d;
                w = d;
            } else {
                a = g + (i - h - (m - rem)) * (d + 1);
                w = d + 1;
            }
            out.push_back(lib_to_int16_sat(pick_in_window(in, a, a + w - 1)));
        }
    }
    cfg_wv_sample_sink_t sink(target, false);
    sink.keep_existing();
    sink.append(out.data(), out.size());
    return sink.commit() ? 1 : -1;
}

float lib_math_jump_float(const fp32 *first, const fp32 *second) { return std::fabs(*second - *first); }

int32 lib_math_jump_short(const int16 *first, const int16 *second)
{
    const int32 d = int32(*second) - int32(*first);
    return d < 0 ? -d : d;
}
