#include "cfg_bin_main.h"

#include "cfg_file_text.h"
#include "cfg_float_spill.h"
#include "cfg_outside_file.h"
#include "cfg_text_collect.h"
#include "cfg_text_file.h"
#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_parallel.h"

#include <QMessageLogger>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <omp.h>

namespace {

// Text is read 20,971,520 bytes at a time plus room for a line crossing the cut.
constexpr int k_chunk_bytes = 20971720;
// The most values one waveform file may hold.
constexpr uint64 k_max_file_values = 20971520;

const char *const k_collect_signature =
    "int32 cfg_bin_main_t::convert_outfile2bin(const string&, size_t, size_t&, std::vector<float>&, fp32&, fp32&)";

QMessageLogger collect_log(int line)
{
    return QMessageLogger(CFG_OUTSIDE_FILE_SOURCE, line, k_collect_signature);
}

bool write_samples(int fd, const std::vector<short int> &samples, uint64 &at_byte)
{
    size_t bytes = samples.size() * sizeof(short int);
    if (lib_pwrite_all(fd, samples.data(), bytes, at_byte) != bytes)
        return false;
    at_byte += bytes;
    return true;
}

// The value of a parameter line: from one character past the key to the character
// before the line feed, which a CR LF line leaves as its CR.
bool parameter_value(const std::string &text, const char *key, float &value)
{
    size_t at = text.find(key);
    if (at == std::string::npos)
        return false;
    size_t key_end = at + std::char_traits<char>::length(key);
    size_t start = key_end + 1;
    size_t lf = text.find('\n', key_end);
    size_t end = lf == std::string::npos ? text.size() : (lf == 0 ? 0 : lf - 1);
    if (start >= end || start >= text.size())
        return false;
    // A key followed by text that is no number keeps its default.
    return cfg_parse_float(text.data() + start, text.data() + end, value);
}

} // namespace

cfg_bin_main_t::cfg_bin_main_t()
    : file_end(false), high(1.0f), low(-1.0f), points(16384), freq(1000.0f), amp(2.0f), offset(0.0f), phase(0.0f)
{
}

cfg_bin_main_t::~cfg_bin_main_t()
{
    lib_diag_line("");
    lib_diag_line("++++cfg_bin_main_t::~cfg_bin_main_t()");
}

uint32 *cfg_bin_main_t::get_points() { return &points; }
void cfg_bin_main_t::set_points(const uint32 &value) { points = value; }
float *cfg_bin_main_t::get_freq() { return &freq; }
void cfg_bin_main_t::set_freq(const float &value) { freq = value; }
float *cfg_bin_main_t::get_amp() { return &amp; }
void cfg_bin_main_t::set_amp(const float &value) { amp = value; }
float *cfg_bin_main_t::get_offset() { return &offset; }
void cfg_bin_main_t::set_offset(const float &value) { offset = value; }
float *cfg_bin_main_t::get_phase() { return &phase; }
void cfg_bin_main_t::set_phase(const float &value) { phase = value; }
float *cfg_bin_main_t::get_high() { return &high; }
float *cfg_bin_main_t::get_low() { return &low; }

int cfg_bin_main_t::read_outside_file(std::istream &in, int size, std::string &text, size_t &pos)
{
    if (file_end)
        return -1;
    try {
        if (pos != 0) {
            text.erase(0, std::min(pos, text.size()));
            pos = 0;
        }
        size_t old = text.size();
        text.resize(old + static_cast<size_t>(size));
        in.read(&text[old], size);
        std::streamsize got = in.gcount();
        if (got < size)
            file_end = true;
        text.resize(old + static_cast<size_t>(got));
        return static_cast<int>(got);
    } catch (const std::bad_alloc &e) {
        text.clear();
        text.shrink_to_fit();
        lib_diag_line(std::string("cfg_bin_main_t::read_outside_file:") + e.what());
        return -9;
    } catch (const std::length_error &e) {
        text.clear();
        text.shrink_to_fit();
        lib_diag_line(std::string("cfg_bin_main_t::read_outside_file:") + e.what());
        return -9;
    }
}

int cfg_bin_main_t::next_point_by(const std::string &text, size_t column, size_t &pos, float &value, char separator)
{
    cfg_line_stop_t stop = cfg_line_stop_t::none;
    const long long end = cfg_next_text_value(text.data(), text.size(), column, separator, file_end, pos, value, stop);
    if (stop == cfg_line_stop_t::parse_error)
        lib_diag_line("+++cfg_csv_main_t::get_next_point():stof error!!");
    if (stop != cfg_line_stop_t::none)
        data_stopped = true;
    return end < 0 ? -1 : static_cast<int>(end);
}

bool cfg_bin_main_t::more_to_collect(const std::string &text, size_t pos) const
{
    return !data_stopped && text.size() - std::min(pos, text.size()) <= static_cast<size_t>(k_chunk_bytes);
}

int32 cfg_bin_main_t::convert_outfile2bin(const std::string &text, size_t column, size_t &pos,
                                          std::vector<float> &values, float &max, float &min)
{
    float v = 0.0f;
    float mx = max;
    float mn = min;
    while (get_next_point(text, column, pos, v) != -1) {
        if (pass_total >= k_max_file_values) {
            collect_log(__LINE__).debug("file E_TOO_BIG !");
            max = mx;
            min = mn;
            return -10;
        }
        try {
            values.push_back(v);
        } catch (const std::bad_alloc &) {
            collect_log(__LINE__).debug("wave_data_buffer.push_back():exception");
            values.clear();
            values.shrink_to_fit();
            return -9;
        }
        ++pass_total;
        mx = std::max(mx, v);
        mn = std::min(mn, v);
    }
    max = mx;
    min = mn;
    if (pass_total < 2) {
        collect_log(__LINE__).debug("file E_TOO_SMALL !");
        return -11;
    }
    return 1;
}

bool cfg_bin_main_t::parse_header_params(const std::string &text)
{
    bool all = true;
    float v = 0.0f;
    if (parameter_value(text, "frequency", v)) {
        freq = v;
    } else {
        freq = 1000.0f;
        all = false;
    }
    if (parameter_value(text, "amp", v)) {
        amp = v;
    } else {
        amp = 2.0f;
        all = false;
    }
    if (parameter_value(text, "offset", v)) {
        offset = v;
    } else {
        offset = 0.0f;
        all = false;
    }
    if (parameter_value(text, "phase", v)) {
        phase = v;
    } else {
        phase = 0.0f;
        all = false;
    }
    return all;
}

int32 cfg_bin_main_t::collect_rest(std::istream &in, int chunk, std::string &text, size_t column, size_t &pos,
                                   std::vector<float> &values, float &max, float &min, bool per_chunk)
{
    pass_total = 0;
    for (;;) {
        if (per_chunk)
            values.clear();
        int32 rc = convert_outfile2bin(text, column, pos, values, max, min);
        if (rc < 0)
            return rc;
        if (!more_to_collect(text, pos))
            return 1;
        int got = read_outside_file(in, chunk, text, pos);
        if (got == -9)
            return -9;
        if (got < 0)
            return 1;
    }
}

int cfg_bin_main_t::begin_pass(std::istream &in, std::string &text, int &column, size_t &pos, bool *all_parameters)
{
    file_end = false;
    data_stopped = false;
    text.clear();
    column = 0;
    pos = 0;
    int got = read_outside_file(in, k_chunk_bytes, text, pos);
    if (got < 0)
        return got;
    if (all_parameters)
        *all_parameters = parse_header_params(text);
    if (get_first_xpos_ypos(text, column, pos) == -1)
        return -13;
    return got;
}

namespace {

// Values scaled per step of the readers' final conversion.
constexpr size_t k_scale_block = 1u << 20;

// Sample buffers kept from one read to the next: fresh memory costs a page fault per
// page. The readers run on one thread.
std::vector<short int> &kept_samples()
{
    static std::vector<short int> samples;
    return samples;
}



// The first strictly larger (smaller) value wins, as a running maximum (minimum) over
// the values in order gives it: the same value, zero sign included.
void take_extremes(const std::vector<float> &values, float &max, float &min)
{
    float mx = max, mn = min;
    for (float v : values) {
        mx = std::max(mx, v);
        mn = std::min(mn, v);
    }
    max = mx;
    min = mn;
}

} // namespace

int cfg_bin_main_t::begin_text(cfg_text_file_t &src, int &column, size_t &pos, bool *all_parameters)
{
    file_end = false;
    data_stopped = false;
    column = 0;
    pos = 0;
    const int got = src.read(k_chunk_bytes, file_end, pos);
    if (got < 0)
        return got;
    // The parameter and key-word searches see the start of the text that holds every
    // line they read: what they find there is what they would find in the whole chunk.
    static const char *const k_keys[] = {"frequency", "amp", "offset", "phase",
                                         "Second,Volt", "xpos,value", "Time,Ampl", "Second,Value"};
    const std::string head = src.head(k_keys, sizeof k_keys / sizeof k_keys[0]);
    if (all_parameters)
        *all_parameters = parse_header_params(head);
    if (get_first_xpos_ypos(head, column, pos) == -1)
        return -13;
    return got;
}

template <typename F>
int32 cfg_bin_main_t::collect_chunks(cfg_text_file_t &src, size_t column, size_t &pos, F take)
{
    const char separator = field_separator();
    pass_total = 0;
    for (;;) {
        cfg_text_values_t values;
        try {
            cfg_collect_text_values(src.data(), src.size(), column, separator, file_end, pos, values);
        } catch (const std::bad_alloc &) {
            collect_log(__LINE__).debug("wave_data_buffer.push_back():exception");
            return -9;
        }
        if (pass_total + values.count > k_max_file_values) {
            collect_log(__LINE__).debug("file E_TOO_BIG !");
            return -10;
        }
        pass_total += values.count;
        if (values.stop == cfg_line_stop_t::parse_error)
            lib_diag_line("+++cfg_csv_main_t::get_next_point():stof error!!");
        if (values.stop != cfg_line_stop_t::none)
            data_stopped = true;
        if (pass_total < 2) {
            collect_log(__LINE__).debug("file E_TOO_SMALL !");
            return -11;
        }
        const int32 rc = take(values);
        if (rc < 0)
            return rc;
        if (data_stopped || src.size() - std::min(pos, src.size()) > static_cast<size_t>(k_chunk_bytes))
            return 1;
        // A read of 0 bytes still ends in one more collection: it marks the end of the
        // file, which completes a last line without a line feed.
        const int got = src.read(k_chunk_bytes, file_end, pos);
        if (got == -9)
            return -9;
        if (got < 0)
            return 1;
    }
}

int cfg_bin_main_t::read_scaled_as_read(cfg_text_file_t &src, size_t column, size_t &pos,
                                        lib_wv_data_t<short int> &record)
{
    points = 0;
    lib_fd_t out = lib_open_trunc(record.samples.get_path());
    if (!out.ok())
        return -13;
    std::vector<short int> &samples = kept_samples();
    uint64 at_byte = 0;
    const int32 rc = collect_chunks(src, column, pos, [&](cfg_text_values_t &values) -> int32 {
        try {
            samples.resize(size_t(values.count));
        } catch (const std::bad_alloc &) {
            return -9;
        }
        std::vector<size_t> first(values.pieces.size(), 0);
        for (size_t k = 1; k < first.size(); ++k)
            first[k] = first[k - 1] + values.pieces[k - 1].size();
#pragma omp parallel for schedule(dynamic, 1) num_threads(lib_team_size(values.count, 1u << 16))
        for (int k = 0; k < int(values.pieces.size()); ++k) {
            const std::vector<float> &piece = values.pieces[size_t(k)];
            cfg_convert_float2short_block(piece.data(), piece.size(), high, low, samples.data() + first[size_t(k)]);
        }
        if (!write_samples(out.get(), samples, at_byte))
            return -13;
        points += static_cast<uint32>(samples.size());
        return 1;
    });
    if (rc < 0)
        return rc;
    record.amp = high - low;
    record.offset = (high + low) * 0.5f;
    return 1;
}

int cfg_bin_main_t::read_values_and_levels(cfg_text_file_t &src, size_t column, size_t &pos, cfg_float_spill_t &spill,
                                           float &max, float &min)
{
    if (!spill.ok())
        return -13;
    const int32 rc = collect_chunks(src, column, pos, [&](cfg_text_values_t &values) -> int32 {
        // Each piece's extremes and its place in the scratch file side by side; the
        // extremes are then taken in order, as a running maximum would.
        const std::size_t pieces = values.pieces.size();
        std::vector<uint64> at(pieces + 1, spill.count());
        for (std::size_t k = 0; k < pieces; ++k)
            at[k + 1] = at[k] + values.pieces[k].size();
        std::vector<float> piece_max(pieces, -INFINITY), piece_min(pieces, INFINITY);
#pragma omp parallel for schedule(dynamic, 1) num_threads(lib_team_size(values.count, 1u << 18))
        for (int k = 0; k < int(pieces); ++k) {
            const std::vector<float> &piece = values.pieces[std::size_t(k)];
            take_extremes(piece, piece_max[std::size_t(k)], piece_min[std::size_t(k)]);
            spill.write_at(at[std::size_t(k)], piece.data(), piece.size());
        }
        for (std::size_t k = 0; k < pieces; ++k) {
            max = std::max(max, piece_max[k]);
            min = std::min(min, piece_min[k]);
        }
        spill.grow(at[pieces]);
        return spill.ok() ? 1 : -13;
    });
    src.release();
    return rc;
}

namespace {

// Scales the spilled values with high and low into the record's file: 1, -9 or -13.
// Two threads, each block read, scaled and written by one of them, so that one scales
// while the other waits for the file.
int write_spilled(const cfg_float_spill_t &spill, float high, float low, const lib_wv_data_t<short int> &record)
{
    lib_fd_t out = lib_open_trunc(record.samples.get_path());
    if (!out.ok())
        return -13;
    const uint64 n = spill.count();
    const size_t block = size_t(std::min<uint64>(n, k_scale_block));
    const int team = std::min(2, lib_team_size(n, k_scale_block));
    static std::vector<float> values[2];
    static std::vector<short int> samples[2];
    try {
        for (int t = 0; t < team; ++t) {
            values[t].resize(std::max<size_t>(block, 1));
            samples[t].resize(std::max<size_t>(block, 1));
        }
    } catch (const std::bad_alloc &) {
        return -9;
    }
    const int64 blocks = int64(block ? (n + block - 1) / block : 0);
    std::atomic<bool> ok{true};
#pragma omp parallel for schedule(dynamic, 1) num_threads(team)
    for (int64 b = 0; b < blocks; ++b) {
        const int t = omp_get_thread_num();
        const uint64 first = uint64(b) * block;
        const size_t len = size_t(std::min<uint64>(block, n - first));
        const size_t bytes = len * sizeof(short int);
        if (!ok || !spill.read(first, values[t].data(), len)) {
            ok = false;
            continue;
        }
        cfg_convert_float2short_block(values[t].data(), len, high, low, samples[t].data());
        if (lib_pwrite_all(out.get(), samples[t].data(), bytes, first * sizeof(short int)) != bytes)
            ok = false;
    }
    return ok ? 1 : -13;
}

} // namespace

int cfg_bin_main_t::read_csv_file(const std::string &path, lib_wv_data_t<short int> &record)
{
    cfg_text_file_t src;
    if (!src.open(path))
        return -13;
    int column = 0;
    size_t pos = 0;
    bool all_parameters = false;
    const int got = begin_text(src, column, pos, &all_parameters);
    if (got < 0)
        return got;
    if (all_parameters) {
        high = offset + amp * 0.5f;
        low = offset - amp * 0.5f;
        return read_scaled_as_read(src, static_cast<size_t>(column), pos, record);
    }
    // Without the parameter lines the levels come from the values: they are read once,
    // kept aside and scaled when all are known.
    cfg_float_spill_t spill;
    float max = -3.4028235e38f;
    float min = 3.4028235e38f;
    const int32 rc = read_values_and_levels(src, static_cast<size_t>(column), pos, spill, max, min);
    if (rc < 0)
        return rc;
    high = max;
    low = min;
    points = 0;
    const int written = write_spilled(spill, high, low, record);
    if (written < 0)
        return written;
    points = static_cast<uint32>(spill.count());
    record.amp = high - low;
    record.offset = (high + low) * 0.5f;
    return 1;
}

int cfg_bin_main_t::read_dat_file(const std::string &path, lib_wv_data_t<short int> &record)
{
    cfg_text_file_t src;
    if (!src.open(path))
        return -13;
    int column = 0;
    size_t pos = 0;
    const int got = begin_text(src, column, pos, nullptr);
    if (got < 0)
        return got;

    // Levels start at 0 V, so the range always contains 0 V.
    float max = 0.0f;
    float min = 0.0f;
    cfg_float_spill_t spill;
    const int32 rc = read_values_and_levels(src, static_cast<size_t>(column), pos, spill, max, min);
    if (rc < 0)
        return rc;

    high = max;
    low = min;
    points = static_cast<uint32>(spill.count());
    if (spill.count() > k_max_file_values)
        return -10;
    if (spill.count() < 2)
        return -11;
    const int written = write_spilled(spill, high, low, record);
    if (written < 0)
        return written;
    freq = 1000.0f;
    phase = 0.0f;
    amp = high - low;
    offset = low + amp * 0.5f;
    record.amp = amp;
    record.offset = offset;
    return 1;
}

int cfg_bin_main_t::read_bin_file(const std::string &path, lib_wv_data_t<short int> &record)
{
    lib_fd_t in = lib_open_read(path);
    std::int64_t length = lib_file_length(path);
    if (!in.ok() || length < 0)
        return -13;
    const uint64 n = static_cast<uint64>(length) / sizeof(short int);
    // The sample store counts in 32 bits.
    if (n > 0xFFFFFFFFull)
        return -10;
    record.resize(0, 0);
    lib_fd_t out = lib_open_rw(record.samples.get_path());
    if (!out.ok())
        return -13;
    if (lib_copy_bytes(in.get(), 0, out.get(), 0, n * sizeof(short int)) != n * sizeof(short int))
        return -13;
    points = static_cast<uint32>(n);
    high = 3.0f;
    low = -3.0f;
    freq = 1000.0f;
    amp = 6.0f;
    offset = -3.0f;
    phase = 0.0f;
    record.amp = 6.0f;
    record.offset = -3.0f;
    return 1;
}
