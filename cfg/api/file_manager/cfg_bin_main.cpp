#include "cfg_bin_main.h"

#include "cfg_file_text.h"
#include "cfg_outside_file.h"
#include "lib_diag.h"
#include "lib_file_io.h"

#include <QMessageLogger>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <new>

namespace {

// Text is read 20,971,520 bytes at a time plus room for a line crossing the cut.
constexpr int k_chunk_bytes = 20971720;
// The most values one waveform file may hold.
constexpr uint64 k_max_file_values = 20971520;
// Samples converted and written per step of the .dat reader.
constexpr size_t k_convert_block = 1048576;

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
    const char *base = text.data();
    const size_t size = text.size();
    const size_t p0 = pos;
    if (pos >= size)
        return -1;
    const char *lf = static_cast<const char *>(std::memchr(base + pos, '\n', size - pos));
    if (!lf)
        return -1;
    // The line after the line feed at pos; a text that starts a chunk begins with the
    // line feed of the last line consumed.
    if (pos != 0 || base[0] == '\n')
        pos = pos + 1;
    size_t at = pos;
    size_t x_field = pos; // start of the field before the value: the key word's x column
    for (size_t k = 0; k < column; ++k) {
        const char *sep = static_cast<const char *>(std::memchr(base + at, separator, size - at));
        if (!sep) {
            if (file_end)
                data_stopped = true;
            return -1;
        }
        x_field = at;
        at = static_cast<size_t>(sep - base) + 1;
    }
    const char *value_end = at < size ? static_cast<const char *>(std::memchr(base + at, '\n', size - at)) : nullptr;
    size_t end;
    if (value_end) {
        end = static_cast<size_t>(value_end - base);
    } else {
        if (!file_end) {
            pos = p0; // the line is not complete yet
            return -1;
        }
        end = size;
    }
    if (end == at) {
        pos = p0;
        data_stopped = true;
        return -1;
    }
    // Each field is a whole number or nothing: "1;0,0200" (a semicolon file with decimal
    // commas) is a malformed row, not the value 200.
    float v;
    const bool x_ok = column == 0 || cfg_is_number_field(base + x_field, base + at - 1, separator);
    if (!x_ok || !cfg_parse_float_field(base + at, base + end, separator, v)) {
        lib_diag_line("+++cfg_csv_main_t::get_next_point():stof error!!");
        data_stopped = true;
        return -1;
    }
    value = v;
    pos = end;
    return static_cast<int>(end);
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

int cfg_bin_main_t::read_csv_file(const std::string &path, lib_wv_data_t<short int> &record)
{
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in)
        return -13;
    std::string text;
    int column = 0;
    size_t pos = 0;
    bool all_parameters = false;
    int got = begin_pass(in, text, column, pos, &all_parameters);
    if (got < 0)
        return got;

    std::vector<float> values;
    if (all_parameters) {
        high = offset + amp * 0.5f;
        low = offset - amp * 0.5f;
    } else {
        // Without the parameter lines the levels come from the values: a first pass.
        float max = -3.4028235e38f;
        float min = 3.4028235e38f;
        int32 rc = collect_rest(in, k_chunk_bytes, text, static_cast<size_t>(column), pos, values, max, min, true);
        if (rc < 0)
            return rc;
        high = max;
        low = min;

        in.clear();
        in.seekg(0);
        got = begin_pass(in, text, column, pos, nullptr);
        if (got < 0)
            return got;
    }

    points = 0;
    pass_total = 0;
    lib_fd_t out = lib_open_trunc(record.samples.get_path());
    if (!out.ok())
        return -13;
    std::vector<short int> samples;
    uint64 at_byte = 0;
    for (;;) {
        values.clear();
        float max = 0.0f;
        float min = 0.0f;
        int32 rc = convert_outfile2bin(text, static_cast<size_t>(column), pos, values, max, min);
        if (rc < 0)
            return rc;
        convert_float2short(values, high, low, samples);
        if (!write_samples(out.get(), samples, at_byte))
            return -13;
        points += static_cast<uint32>(samples.size());
        if (!more_to_collect(text, pos))
            break;
        // A read of 0 bytes still ends in one more collection: it marks the end of the
        // file, which completes a last line without a line feed.
        got = read_outside_file(in, k_chunk_bytes, text, pos);
        if (got == -9)
            return -9;
        if (got < 0)
            break;
    }
    record.amp = high - low;
    record.offset = (high + low) * 0.5f;
    return 1;
}

int cfg_bin_main_t::read_dat_file(const std::string &path, lib_wv_data_t<short int> &record)
{
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in)
        return -13;
    std::string text;
    int column = 0;
    size_t pos = 0;
    int got = begin_pass(in, text, column, pos, nullptr);
    if (got < 0)
        return got;

    // Levels start at 0 V, so the range always contains 0 V.
    float max = 0.0f;
    float min = 0.0f;
    std::vector<float> values;
    int32 rc = collect_rest(in, k_chunk_bytes, text, static_cast<size_t>(column), pos, values, max, min, false);
    if (rc < 0)
        return rc;
    in.close();
    std::string().swap(text);

    high = max;
    low = min;
    points = static_cast<uint32>(values.size());
    if (values.size() > k_max_file_values)
        return -10;
    if (values.size() < 2)
        return -11;

    lib_fd_t out = lib_open_trunc(record.samples.get_path());
    if (!out.ok())
        return -13;
    std::vector<short int> samples(std::min(values.size(), k_convert_block));
    uint64 at_byte = 0;
    for (size_t first = 0; first < values.size(); first += k_convert_block) {
        size_t n = std::min(k_convert_block, values.size() - first);
        cfg_convert_float2short_block(values.data() + first, n, high, low, samples.data());
        size_t bytes = n * sizeof(short int);
        if (lib_pwrite_all(out.get(), samples.data(), bytes, at_byte) != bytes)
            return -13;
        at_byte += bytes;
    }
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
