#include "lib_wv_extract.h"

#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_parallel.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <omp.h>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>

namespace {

// Read-ahead per thread: large enough that reads cost little per window, small enough
// that the block is still in the core's cache when its windows are scanned.
constexpr uint32 k_read_ahead = 1u << 16;

using clock_type = std::chrono::steady_clock;

long long elapsed_ms(clock_type::time_point since)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(clock_type::now() - since).count() /
           1000000;
}

void print_ms(const char *what, clock_type::time_point since)
{
    lib_diag_line(what + std::to_string(elapsed_ms(since)));
}

// Threads for `work` display points scanning `samples` samples: a thread per MiB-sized
// share at most, since starting and joining threads costs more than scanning a small
// stretch, and more so on a busy machine.
int thread_count(uint32 work, uint64 samples)
{
    return std::min(lib_team_size(samples, 1u << 20), static_cast<int>(std::max<uint32>(work, 1)));
}

// The samples a display is extracted from: a sample file, or stretches of sample files
// one after another (the content an edit is writing). Reads give the samples in order
// and stop at the first that cannot be read. Shared by the threads of an extraction
// (reads are positional).
class sample_source_t
{
public:
    explicit sample_source_t(const std::string &path)
    {
        // one stretch as long as any file can be
        m_segs.push_back({lib_open_read(path), 0, 0, uint64(1) << 62});
    }
    // With `map`, the stretches are also mapped into memory where the files hold them
    // whole, so that they can be looked at in place (view) without a copy.
    sample_source_t(const std::vector<lib_wv_piece_t> &pieces, bool map)
    {
        uint64 at = 0;
        for (const lib_wv_piece_t &p : pieces) {
            if (p.count == 0)
                continue;
            m_segs.push_back({lib_open_read(p.path), at, p.first, p.count});
            if (map)
                m_segs.back().map();
            at += p.count;
        }
    }

    // Samples first .. first + len - 1 into buf; how many were read.
    std::size_t read(int16 *buf, uint64 first, std::size_t len) const
    {
        std::size_t done = 0;
        for (const segment_t &s : m_segs) {
            const uint64 pos = first + done;
            if (done == len || pos < s.at)
                break;
            if (pos - s.at >= s.count)
                continue;
            const std::size_t n = std::size_t(std::min<uint64>(len - done, s.count - (pos - s.at)));
            std::size_t got = 0;
            if (s.view) {
                std::memcpy(buf + done, s.view + (pos - s.at), n * sizeof(int16));
                got = n;
            } else if (s.fd.ok()) {
                got = lib_pread_all(s.fd.get(), buf + done, n * sizeof(int16), (s.first + pos - s.at) * sizeof(int16)) /
                      sizeof(int16);
            }
            done += got;
            if (got < n)
                break;
        }
        return done;
    }

    // The samples from `first` on in place, `avail` of them one after another; nullptr
    // where they are not mapped.
    const int16 *view(uint64 first, std::size_t &avail) const
    {
        avail = 0;
        for (const segment_t &s : m_segs) {
            if (first < s.at)
                break;
            if (first - s.at >= s.count)
                continue;
            if (!s.view)
                return nullptr;
            avail = std::size_t(std::min<uint64>(s.count - (first - s.at), uint64(1) << 30));
            return s.view + (first - s.at);
        }
        return nullptr;
    }

private:
    struct segment_t
    {
        lib_fd_t fd;
        uint64 at;    // where the stretch starts among the samples
        uint64 first; // and in its file
        uint64 count;
        const int16 *view = nullptr;
        void *map_at = nullptr;
        std::size_t map_len = 0;

        segment_t(lib_fd_t f, uint64 a, uint64 fi, uint64 c) : fd(std::move(f)), at(a), first(fi), count(c) {}
        segment_t(segment_t &&o) noexcept
            : fd(std::move(o.fd)), at(o.at), first(o.first), count(o.count), view(o.view), map_at(o.map_at),
              map_len(o.map_len)
        {
            o.view = nullptr;
            o.map_at = nullptr;
        }
        segment_t &operator=(segment_t &&) = delete;
        ~segment_t()
        {
            if (map_at)
                ::munmap(map_at, map_len);
        }

        // Only a stretch the file holds whole: a mapping past the file's end would fault.
        void map()
        {
            struct stat st;
            const uint64 from = first * sizeof(int16), to = (first + count) * sizeof(int16);
            if (!fd.ok() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || uint64(st.st_size) < to)
                return;
            const uint64 page = uint64(::sysconf(_SC_PAGESIZE));
            const uint64 base = from / page * page;
            void *m = ::mmap(nullptr, std::size_t(to - base), PROT_READ, MAP_SHARED, fd.get(), off_t(base));
            if (m == MAP_FAILED)
                return;
            map_at = m;
            map_len = std::size_t(to - base);
            view = reinterpret_cast<const int16 *>(static_cast<const char *>(m) + (from - base));
        }
    };
    std::vector<segment_t> m_segs;
};

// Reads the windows of the samples. Whatever cannot be read (no file, past its end)
// counts as 0, so a short file shows zeros instead of stale memory. Windows that follow
// each other are served from one read-ahead block of up to `ahead` samples, so a stretch
// is read in a few large reads rather than one small read per window; mapped samples
// are looked at in place.
class window_reader_t
{
public:
    explicit window_reader_t(const std::string &path, uint32 ahead = 0)
        : m_own(new sample_source_t(path)), m_src(*m_own), m_ahead(std::min(ahead, LIB_SCAN_CHUNK_SAMPLES))
    {
    }
    window_reader_t(const sample_source_t &source, uint32 ahead)
        : m_src(source), m_ahead(std::min(ahead, LIB_SCAN_CHUNK_SAMPLES))
    {
    }

    // Samples at or past `end` are not read ahead (another thread's or the range's end).
    void set_read_ahead_end(uint64 end) { m_ahead_end = end; }

    // From now on the samples begin .. end - 1 are also written to `fd`, each at its own
    // place, as the reads pass over them: a copy made in the same pass.
    void copy_to(int fd, uint64 begin, uint64 end)
    {
        m_out = fd;
        m_next = begin;
        m_out_end = end;
    }
    // Copies the samples up to `upto` in pieces of some read-aheads (the mapped samples,
    // which no read passes over).
    void copy_through(uint64 upto)
    {
        if (m_out >= 0 && upto > m_next && upto - m_next >= 4 * uint64(k_read_ahead))
            copy_gap(std::min(upto, m_out_end));
    }
    // Copies what the reads did not pass over; false when a sample could not be copied.
    bool finish_copy()
    {
        copy_gap(m_out_end);
        return m_out_ok;
    }

    // Index of the first largest jump |v[j + 1] - v[j]| among samples first .. first + cnt - 1,
    // as an offset into the window (0 when all jumps are 0). cnt >= 2.
    uint32 first_largest_jump(uint64 first, uint32 cnt)
    {
        if (cnt <= LIB_SCAN_CHUNK_SAMPLES)
            return first_largest_jump_in(window(first, cnt), cnt);
        // wider than the scan buffer: in pieces that share one sample, so the jump
        // between two pieces is seen
        int32 best = -1;
        uint32 best_j = 0;
        uint32 done = 0;
        while (done < cnt) {
            uint32 base = done == 0 ? 0 : done - 1;
            uint32 len = std::min<uint32>(LIB_SCAN_CHUNK_SAMPLES, cnt - base);
            load(first + base, len);
            const int16 *v = m_buf.data();
            int32 m = largest_jump(v, len);
            if (m > best) {
                best = m;
                best_j = base + first_largest_jump_in(v, len);
            }
            done = base + len;
        }
        return best_j;
    }

    // Sample at a file index, from the loaded block when it holds it.
    int16 value(uint64 index)
    {
        if (index >= m_first && index - m_first < m_len)
            return m_buf[index - m_first];
        int16 v = 0;
        if (m_src.read(&v, index, 1) != 1)
            v = 0;
        return v;
    }

    int32 jump(uint64 a, uint64 b) { return std::abs(int32(value(b)) - int32(value(a))); }

private:
    static int32 largest_jump(const int16 *v, uint32 len)
    {
        // |a - b| of two int16 always fits a uint16 (max - min, 0 .. 65535), which keeps
        // twice as many lanes per vector as 32-bit arithmetic would
        uint16 m = 0;
#pragma omp simd reduction(max : m)
        for (uint32 j = 0; j < len - 1; ++j) {
            const int16 a = v[j], b = v[j + 1];
            const uint16 d = static_cast<uint16>(uint16(a > b ? a : b) - uint16(a > b ? b : a));
            m = d > m ? d : m;
        }
        return m;
    }

    static uint32 first_largest_jump_in(const int16 *v, uint32 len)
    {
        const int32 m = largest_jump(v, len);
        uint32 j = 0;
        while (std::abs(int32(v[j + 1]) - int32(v[j])) != m)
            ++j;
        return j;
    }

    // Samples first .. first + len - 1, from the read-ahead block or a new one.
    const int16 *window(uint64 first, uint32 len)
    {
        std::size_t avail = 0;
        if (const int16 *in = m_src.view(first, avail))
            if (avail >= len)
                return in;
        if (first < m_first || first + len > m_first + m_len) {
            uint64 want = len;
            if (m_ahead_end > first)
                want = std::max<uint64>(len, std::min<uint64>(m_ahead, m_ahead_end - first));
            load(first, static_cast<uint32>(want));
        }
        return m_buf.data() + (first - m_first);
    }

    void load(uint64 first, uint32 len)
    {
        if (m_buf.size() < len) {
            try {
                m_buf.resize(len);
            } catch (const std::bad_alloc &) {
                // inside a parallel loop nothing can be handed back to the caller
                lib_fatal_message("display extraction: out of memory");
            }
        }
        const std::size_t got = m_src.read(m_buf.data(), first, len);
        if (m_out >= 0)
            pass_on(first, got);
        if (got < len)
            std::memset(m_buf.data() + got, 0, (len - got) * sizeof(int16));
        m_first = first;
        m_len = len;
    }

    // Writes the part of the samples just read that is still to be copied.
    void pass_on(uint64 first, std::size_t got)
    {
        copy_gap(std::min(first, m_out_end));
        const uint64 a = std::max(first, m_next), b = std::min(first + got, m_out_end);
        if (!m_out_ok || a >= b)
            return;
        const std::size_t bytes = std::size_t(b - a) * sizeof(int16);
        if (lib_pwrite_all(m_out, m_buf.data() + (a - first), bytes, a * sizeof(int16)) != bytes)
            m_out_ok = false;
        m_next = b;
    }

    // Copies the samples from m_next up to `upto` that no read passed over.
    void copy_gap(uint64 upto)
    {
        while (m_out_ok && m_next < upto) {
            std::size_t n = std::size_t(std::min<uint64>(upto - m_next, 4 * uint64(k_read_ahead)));
            std::size_t avail = 0;
            if (const int16 *in = m_src.view(m_next, avail)) {
                n = std::min(n, avail);
                const std::size_t bytes = n * sizeof(int16);
                if (lib_pwrite_all(m_out, in, bytes, m_next * sizeof(int16)) != bytes)
                    m_out_ok = false;
                m_next += n;
                continue;
            }
            n = std::min<std::size_t>(n, k_read_ahead);
            try {
                m_gap.resize(n);
            } catch (const std::bad_alloc &) {
                m_out_ok = false;
                return;
            }
            const std::size_t bytes = n * sizeof(int16);
            if (m_src.read(m_gap.data(), m_next, n) != n ||
                lib_pwrite_all(m_out, m_gap.data(), bytes, m_next * sizeof(int16)) != bytes)
                m_out_ok = false;
            m_next += n;
        }
    }

    std::unique_ptr<sample_source_t> m_own;
    const sample_source_t &m_src;
    uint32 m_ahead;
    uint64 m_ahead_end = 0;
    std::vector<int16> m_buf;
    uint64 m_first = 0;
    uint32 m_len = 0;
    // the copy made in the same pass
    int m_out = -1;
    uint64 m_next = 0;
    uint64 m_out_end = 0;
    bool m_out_ok = true;
    std::vector<int16> m_gap;
};

struct window_t
{
    uint32 first;
    uint32 last;
};

// Centred layout: width w, window i centred on i * r, pushed inside start .. start + N - 1.
void centred_windows(std::vector<window_t> &table, double r, uint32 w, uint32 N, uint32 start)
{
    const uint32 M = static_cast<uint32>(table.size());
    const uint64 end = uint64(start) + N; // one past the last sample
    // a table entry costs a few nanoseconds: count one "sample" per entry
#pragma omp parallel for schedule(static) num_threads(thread_count(M, M))
    for (uint32 i = 0; i < M; ++i) {
        double c = std::round(r * i - w * 0.5);
        uint64 first = uint64(start) + (c > 0 ? static_cast<uint64>(c) : 0);
        uint64 last = first + w - 1;
        if (last >= end) {
            last = end - 1;
            first = end - w;
        }
        table[i] = {static_cast<uint32>(first), static_cast<uint32>(last)};
    }
}

// The kept sample of a centred window: the largest jump, with E < F moving to the right.
int16 pick_centred(window_reader_t &rd, const window_t &win)
{
    const uint32 cnt = win.last - win.first + 1;
    if (cnt == 1)
        return rd.value(win.first);
    const uint64 f = win.first;
    uint32 n = rd.first_largest_jump(f, cnt);
    uint32 offset;
    if (n == 0)
        offset = cnt == 2 ? 1 : 0;
    else if (n == cnt - 2)
        offset = n + 1;
    else
        offset = rd.jump(f + n - 1, f + n) < rd.jump(f + n + 1, f + n + 2) ? n + 1 : n;
    return rd.value(f + offset);
}

// Kept index of window [a, b] of the in-memory layout, j its first largest jump
// (total values n); ties E = F keep the later value.
template <typename Jump>
uint64 pick_adjacent_index(uint64 a, uint64 b, uint64 n, uint64 j, Jump jump)
{
    if (a == b)
        return a;
    if (j == 0)
        return 0;
    if (j + 2 < n)
        return jump(j - 1, j) <= jump(j + 1, j + 2) ? j + 1 : j;
    return j + 1;
}

// Window bounds of the in-memory layout: h windows of d + 1, M - rem of d, rem - h of d + 1.
struct adjacent_layout_t
{
    adjacent_layout_t(uint64 n, uint32 m) : d(n / m), rem(n % m), h(rem / 2), e(h * (d + 1)),
                                             g(e + d * (m - rem)), M(m)
    {
    }
    void window(uint32 i, uint64 &a, uint64 &b) const
    {
        if (i < h) {
            a = uint64(i) * (d + 1);
            b = a + d;
        } else if (i < h + (M - rem)) {
            a = e + uint64(i - h) * d;
            b = a + d - 1;
        } else {
            a = g + uint64(i - h - (M - rem)) * (d + 1);
            b = a + d;
        }
    }
    uint64 d, rem, h, e, g;
    uint32 M;
};

// Extraction over the whole sample file into out (M < N): centred layout, start 0.
// With out_fd >= 0, the samples are also copied to that file, each thread writing the
// samples from its first window up to the next thread's; false when the copy failed.
bool extract_centred(const sample_source_t &source, uint32 N, int16 *out, uint32 M, uint32 start,
                     double r, uint32 w, bool timing, clock_type::time_point t0, int out_fd = -1)
{
    std::vector<window_t> table(M);
    centred_windows(table, r, w, N, start);
    if (timing)
        print_ms("part 1 time", t0);
    clock_type::time_point t1 = clock_type::now();
    int threads = thread_count(M, uint64(M) * w);
    bool copied = true;
#pragma omp parallel num_threads(threads)
    {
        // one contiguous block of display points per thread, the first M mod T taking one more
        const uint32 T = static_cast<uint32>(omp_get_num_threads());
        const uint32 t = static_cast<uint32>(omp_get_thread_num());
        const uint32 q = M / T, rem = M % T;
        const uint32 i0 = t * q + std::min(t, rem);
        const uint32 i1 = i0 + q + (t < rem ? 1 : 0);
        window_reader_t rd(source, k_read_ahead);
        if (i1 > i0)
            rd.set_read_ahead_end(uint64(table[i1 - 1].last) + 1);
        if (out_fd >= 0) {
            // teams are never larger than M, so each thread has a window
            const uint64 begin = t == 0 ? uint64(start) : table[i0].first;
            const uint64 end = t + 1 == T ? uint64(start) + N : table[i1].first;
            rd.copy_to(out_fd, begin, std::max(begin, end));
        }
        for (uint32 i = i0; i < i1; ++i) {
            out[i] = pick_centred(rd, table[i]);
            rd.copy_through(uint64(table[i].last) + 1);
        }
        if (out_fd >= 0 && !rd.finish_copy()) {
#pragma omp atomic write
            copied = false;
        }
    }
    print_ms("part 2 time", t1);
    return copied;
}

void print_total(clock_type::time_point t0)
{
    print_ms("*************************lib_math_extract_data_algorithm cost time ", t0);
}

} // namespace

int16 *lib_math_extract_data_algorithm(lib_wv_data_t<short int> *data, uint32 N, int16 *out,
                                       uint32 M, uint32 start)
{
    clock_type::time_point t0 = clock_type::now();
    if (!out || M == 0)
        return out;
    // a range past the largest index a sample file can have is cut there
    if (uint64(start) + N > 0x100000000ull)
        N = static_cast<uint32>(0x100000000ull - start);
    if (!data || N == 0) {
        std::fill(out, out + M, int16(0));
        return out;
    }
    const float r = static_cast<float>(double(N) / double(M));
    const uint32 w = std::max<uint32>(1, static_cast<uint32>(std::ceil(r)));
    try {
        extract_centred(sample_source_t(data->samples.get_path()), N, out, M, start, r, std::min(w, N), false, t0);
    } catch (const std::bad_alloc &) {
        // the window table of 8 bytes per point: nothing sensible is left to show
        lib_fatal_message("display extraction: out of memory");
    }
    print_total(t0);
    return out;
}

int16 *lib_math_extract_data(lib_wv_data_t<short int> *data, uint32 N, int16 *out, uint32 M,
                             uint32 start)
{
    return lib_math_extract_data_algorithm(data, N, out, M, start);
}

int32 lib_math_extract_data_algorithm(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                      uint32 M)
{
    clock_type::time_point t0 = clock_type::now();
    const uint32 N = data ? data->samples.size() : 0;
    std::vector<short int> result;
    try {
        if (M >= N) {
            result.resize(N);
            if (N)
                data->samples.read(0, result.data(), N); // unread samples stay 0
        } else {
            result.resize(M);
            if (M) {
                const double r = double(N) / double(M);
                const uint32 w = std::max<uint32>(1, static_cast<uint32>(std::ceil(r)));
                extract_centred(sample_source_t(data->samples.get_path()), N, result.data(), M, 0, r, w, true, t0);
                print_total(t0);
            }
        }
    } catch (const std::bad_alloc &) {
        return -2;
    }
    out.swap(result);
    return 1;
}

int32 lib_math_copy_and_extract(const std::vector<lib_wv_piece_t> &pieces, int out_fd, std::vector<short int> &out,
                                 uint32 M)
{
    clock_type::time_point t0 = clock_type::now();
    uint64 total = 0;
    for (const lib_wv_piece_t &p : pieces)
        total += p.count;
    if (M == 0 || total <= M || total > 0xFFFFFFFFull)
        return -1;
    const uint32 N = static_cast<uint32>(total);
    std::vector<short int> result;
    bool copied = false;
    try {
        result.resize(M);
        const double r = double(N) / double(M);
        const uint32 w = std::max<uint32>(1, static_cast<uint32>(std::ceil(r)));
        // looked at in place: the copy is written from the pages the scan has just read
        copied = extract_centred(sample_source_t(pieces, true), N, result.data(), M, 0, r, w, true, t0, out_fd);
        print_total(t0);
    } catch (const std::bad_alloc &) {
        return -2;
    }
    if (!copied)
        return 0;
    out.swap(result);
    return 1;
}

bool lib_math_extract_data_to_vector(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                     uint32 M)
{
    if (!data)
        return false;
    if (M < data->samples.size())
        return lib_math_extract_data_algorithm(data, out, M) == 1;
    data->read_all(out);
    return true;
}

int32 lib_math_decimate_vector(const std::vector<float> &in, std::vector<float> &out, uint32 M)
{
    if (M == 0)
        return 1;
    const uint64 N = in.size();
    try {
        out.reserve(out.size() + std::min<uint64>(M, N));
    } catch (const std::bad_alloc &) {
        return -2;
    } catch (const std::length_error &) {
        return -2;
    }
    if (M >= N) {
        // too few values to reduce: every one is shown
        out.insert(out.end(), in.begin(), in.end());
        return 1;
    }
    auto jump = [&in](uint64 a, uint64 b) { return std::fabs(in[b] - in[a]); };
    adjacent_layout_t lay(N, M);
    for (uint32 i = 0; i < M; ++i) {
        uint64 a, b;
        lay.window(i, a, b);
        uint64 j = a;
        float best = jump(a, a + 1 <= b ? a + 1 : a);
        for (uint64 k = a + 1; k < b; ++k) {
            float d = jump(k, k + 1);
            if (d > best) {
                best = d;
                j = k;
            }
        }
        out.push_back(in[pick_adjacent_index(a, b, N, j, jump)]);
    }
    return 1;
}

bool lib_math_extract_vector_data(const std::vector<float> &in, std::vector<float> &out, uint32 M)
{
    if (M < in.size())
        return lib_math_decimate_vector(in, out, M) == 1;
    out = in;
    return true;
}

int32 lib_math_extract_range_algorithm(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                       double range_start, double range_end, uint32 M)
{
    const uint32 N = data ? data->samples.size() : 0;
    std::vector<short int> result;
    try {
        if (N > 0 && M > 0) {
            auto to_index = [N](double pos) -> uint64 {
                if (!(pos > 0))
                    return 0;
                return pos >= double(N - 1) ? N - 1 : static_cast<uint64>(pos);
            };
            const uint64 rs = to_index(range_start);
            const uint64 re = to_index(range_end);
            const uint32 m = std::min<uint32>(M, N);
            result.reserve(m + 2);
            window_reader_t rd(data->samples.get_path());
            auto jump = [&rd](uint64 a, uint64 b) { return rd.jump(a, b); };
            adjacent_layout_t lay(N, m);
            for (uint32 i = 0; i < m; ++i) {
                uint64 a, b;
                lay.window(i, a, b);
                const bool has_s = rs >= a && rs <= b;
                const bool has_e = re >= a && re <= b;
                if (has_s)
                    result.push_back(rd.value(rs));
                if (has_e)
                    result.push_back(rd.value(re));
                if (has_s || has_e)
                    continue;
                uint64 j = a < b ? a + rd.first_largest_jump(a, static_cast<uint32>(b - a + 1)) : a;
                result.push_back(rd.value(pick_adjacent_index(a, b, N, j, jump)));
            }
        }
    } catch (const std::bad_alloc &) {
        return -2;
    }
    out.swap(result);
    return 1;
}

bool lib_math_extract_range_data(lib_wv_data_t<short int> *data, std::vector<short int> &out,
                                 double range_start, double range_end, uint32 M)
{
    if (!data)
        return false;
    if (M < data->samples.size())
        return lib_math_extract_range_algorithm(data, out, range_start, range_end, M) == 1;
    data->read_all(out);
    return true;
}
