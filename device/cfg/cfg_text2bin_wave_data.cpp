#include "cfg_text2bin_wave_data.h"

#include "lib_trunc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <memory>

namespace
{
// The longest line text seen, plus its terminator.
constexpr std::size_t line_capacity = 100;

// Reads a text file line by line as a stream's getline into a 100-character buffer
// does: a line of 99 characters or fewer is delivered whole and its line feed dropped;
// a longer one is delivered with its first 99 characters and ends the reading. After
// the end of the file, or that failure, every read gives an empty line (and costs
// nothing, so callers can stop at done()).
class line_reader_t
{
public:
    explicit line_reader_t(const std::string &path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC))
    {
        failed = fd < 0;
    }
    ~line_reader_t()
    {
        if (fd >= 0)
            ::close(fd);
    }
    line_reader_t(const line_reader_t &) = delete;
    line_reader_t &operator=(const line_reader_t &) = delete;

    bool is_open() const { return fd >= 0; }
    // Every further line is empty.
    bool done() const { return failed; }

    // The next line, in place in the read buffer when it lies there whole, else copied
    // into scratch (line_capacity bytes); *len is its length up to the first NUL.
    const char *next_view(char *scratch, std::size_t *len)
    {
        if (!failed && !at_end && pos < end) {
            const std::size_t window = std::min(end - pos, line_capacity);
            const char *start = buffer + pos;
            const void *feed = std::memchr(start, '\n', window);
            if (feed) {
                const std::size_t k = static_cast<std::size_t>(static_cast<const char *>(feed) - start);
                pos += k + 1;
                const void *nul = std::memchr(start, '\0', k);
                *len = nul ? static_cast<std::size_t>(static_cast<const char *>(nul) - start) : k;
                return start;
            }
        }
        *len = next(scratch);
        return scratch;
    }

    // The next line into out (NUL-terminated); its length up to the first NUL.
    std::size_t next(char *out)
    {
        out[0] = '\0';
        if (failed)
            return 0;
        if (at_end) {
            failed = true;
            return 0;
        }
        std::size_t n = 0;
        for (;;) {
            if (pos == end && !refill()) {
                // The end of the file: a line with text is delivered, the next read fails.
                if (n == 0)
                    failed = true;
                at_end = true;
                return finish(out, n);
            }
            const std::size_t room = line_capacity - 1 - n;
            const std::size_t chunk = std::min(end - pos, room);
            const char *start = buffer + pos;
            const void *feed = std::memchr(start, '\n', chunk);
            if (feed) {
                const std::size_t k = static_cast<std::size_t>(static_cast<const char *>(feed) - start);
                std::memcpy(out + n, start, k);
                pos += k + 1;
                return finish(out, n + k);
            }
            std::memcpy(out + n, start, chunk);
            n += chunk;
            pos += chunk;
            if (n == line_capacity - 1) {
                // Full buffer: a line feed next ends the line normally, anything else
                // puts the reader into the failed state.
                if (pos == end && !refill()) {
                    at_end = true;
                    return finish(out, n);
                }
                if (buffer[pos] == '\n')
                    ++pos;
                else
                    failed = true;
                return finish(out, n);
            }
        }
    }

    // Skips count lines.
    void skip(u32 count)
    {
        char line[line_capacity];
        for (u32 i = 0; i < count && !failed; ++i)
            next(line);
    }

private:
    static std::size_t finish(char *out, std::size_t n)
    {
        out[n] = '\0';
        const void *nul = std::memchr(out, '\0', n);
        return nul ? static_cast<std::size_t>(static_cast<const char *>(nul) - out) : n;
    }

    bool refill()
    {
        if (fd < 0)
            return false;
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            pos = 0;
            end = got > 0 ? static_cast<std::size_t>(got) : 0;
            return got > 0;
        }
    }

    int fd;
    bool failed = false;
    bool at_end = false;
    std::size_t pos = 0;
    std::size_t end = 0;
    char buffer[65536];
};

// Field k of a line (fields as split_fields cuts them): false when the line has fewer.
bool line_field(const char *line, std::size_t len, u32 k, const char **start, std::size_t *size)
{
    std::size_t from = 0;
    for (u32 i = 0; i < k; ++i) {
        const void *comma = std::memchr(line + from, ',', len - from);
        if (!comma)
            return false;
        from = static_cast<std::size_t>(static_cast<const char *>(comma) - line) + 1;
    }
    const void *comma = std::memchr(line + from, ',', len - from);
    const std::size_t to = comma ? static_cast<std::size_t>(static_cast<const char *>(comma) - line) : len;
    // The text after the last comma is a field only when it is not empty.
    if (!comma && to == from && (k > 0 || len == 0))
        return false;
    *start = line + from;
    *size = to - from;
    return true;
}

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The plain decimal number at [first, last) (digits, an optional point and an optional
// exponent) when its value is exact in one rounding: at most 19 significant digits, a
// mantissa up to 2^53 and a power of ten up to 22 (both exact doubles, so one
// multiplication or division rounds correctly, as strtod does). False otherwise.
bool quick_decimal(const char *first, const char *last, double *out)
{
    static const double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char *p = first;
    uint64 mantissa = 0;
    int digits = 0;
    int scale = 0;
    bool any = false;
    while (p < last && *p == '0') {
        ++p;
        any = true;
    }
    for (; p < last && *p >= '0' && *p <= '9'; ++p, any = true) {
        if (++digits > 19)
            return false;
        mantissa = mantissa * 10 + static_cast<uint64>(*p - '0');
    }
    if (p < last && *p == '.') {
        ++p;
        for (; p < last && *p >= '0' && *p <= '9'; ++p, any = true) {
            if (mantissa == 0 && *p == '0') {
                --scale;
                continue;
            }
            if (++digits > 19)
                return false;
            mantissa = mantissa * 10 + static_cast<uint64>(*p - '0');
            --scale;
        }
    }
    if (!any)
        return false;
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        bool negative = false;
        if (q < last && (*q == '+' || *q == '-')) {
            negative = *q == '-';
            ++q;
        }
        // An exponent without digits is not part of the number.
        if (q < last && *q >= '0' && *q <= '9') {
            int exponent = 0;
            for (; q < last && *q >= '0' && *q <= '9'; ++q) {
                if (exponent > 1000)
                    return false;
                exponent = exponent * 10 + (*q - '0');
            }
            scale += negative ? -exponent : exponent;
        }
    }
    if (mantissa > (uint64(1) << 53))
        return false;
    if (mantissa == 0) {
        *out = 0.0;
        return true;
    }
    if (scale < -22 || scale > 22)
        return false;
    const double m = static_cast<double>(mantissa);
    *out = scale < 0 ? m / powers[-scale] : m * powers[scale];
    return true;
}

// atof of text[0, size): leading white space skipped, the longest number prefix taken,
// 0.0 for text that holds none.
double text_to_double(const char *text, std::size_t size)
{
    std::size_t i = 0;
    while (i < size && is_space(text[i]))
        ++i;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const char *first = text + i;
    const char *last = text + size;
    bool hex = last - first >= 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X');
    double quick = 0.0;
    if (!hex && quick_decimal(first, last, &quick))
        return negative ? -quick : quick;
    if (!hex && first < last && *first != '+' && *first != '-') {
        double value = 0.0;
        const std::from_chars_result r = std::from_chars(first, last, value, std::chars_format::general);
        if (r.ec == std::errc())
            return negative ? -value : value;
        if (r.ec == std::errc::invalid_argument)
            return 0.0;
    }
    // Hexadecimal numbers and values beyond the double range take the C runtime's road.
    char copy[line_capacity];
    const std::size_t n = std::min(size, line_capacity - 1);
    std::memcpy(copy, text, n);
    copy[n] = '\0';
    return std::strtod(copy, nullptr);
}

// A value as the export gives it, narrowed to float. Values that are no finite number
// (NaN, the infinities, numbers beyond the float range) count as 0.0: one of them would
// otherwise make every sample of the wave invalid.
float text_to_value(const char *text, std::size_t size)
{
    const float x = static_cast<float>(text_to_double(text, size));
    return std::isfinite(x) ? x : 0.0f;
}

// Field k of the line, blanks trimmed, as a string; false when the line has fewer fields.
bool trimmed_field(const char *line, std::size_t len, u32 k, std::string *key)
{
    const char *start = nullptr;
    std::size_t size = 0;
    if (!line_field(line, len, k, &start, &size))
        return false;
    std::string field(start, size);
    *key = trim_blanks(field);
    return true;
}

bool contains(const std::string &text, const char *word)
{
    return text.find(word) != std::string::npos;
}

u32 header_lines(text_wave_format_t form)
{
    switch (form) {
    case TEXT_FMT_DATA:
        return 13;
    case TEXT_FMT_AMPLITUDE:
        return 1;
    case TEXT_FMT_DUVARN_AMPL:
        return 3;
    case TEXT_FMT_DUVARN:
        return 5;
    default:
        return 0;
    }
}

// Writes the samples to name through a temporary file in the same folder, so that a
// failed write leaves no half-written file and keeps an older one; true on success.
bool write_samples(const std::string &name, const int16 *samples, std::size_t count)
{
    std::string temp = name + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    const char *at = reinterpret_cast<const char *>(samples);
    std::size_t left = count * sizeof(int16);
    bool ok = true;
    while (left > 0) {
        const ssize_t put = ::write(fd, at, left);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            ok = false;
            break;
        }
        at += put;
        left -= static_cast<std::size_t>(put);
    }
    ok = ::fchmod(fd, 0644) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(temp.c_str(), name.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}
} // namespace

std::string trim_blanks(std::string &s)
{
    const std::size_t last = s.find_last_not_of(' ');
    s.erase(last == std::string::npos ? 0 : last + 1);
    s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
    return s;
}

void split_fields(std::vector<std::string> &fields, std::string line)
{
    fields.clear();
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = line.find(',', from);
        if (comma == std::string::npos)
            break;
        fields.push_back(line.substr(from, comma - from));
        from = comma + 1;
    }
    if (from < line.size())
        fields.push_back(line.substr(from));
}

int32 cfg_text2bin_wave_data_t::convert(const std::string &path, const std::string &dir, std::string &out_name) const
{
    if (path.empty())
        return 0;
    cfg_text2bin_wave_data_t reader;
    const text_wave_format_t form = reader.detect_format(path);
    if (form == TEXT_FMT_NONE)
        return 0;
    // Every value of the first buffer_points lines counts for the peak; only the first
    // wave_points are kept, as only they are written.
    std::vector<float> head(wave_points, 0.0f);
    reader.read_values_kept(path, head.data(), buffer_points, wave_points, form);
    std::vector<int16> samples;
    reader.scale_to_samples(samples, head);
    const std::string name = dir + out_file_suffix;
    if (write_samples(name, samples.data(), wave_points))
        out_name = name;
    return 0;
}

int32 cfg_text2bin_wave_data_t::read_file(std::string path, float *buf, u32 max_count)
{
    const text_wave_format_t form = detect_format(path);
    if (form == TEXT_FMT_NONE)
        return 1;
    read_values(path, buf, max_count, form);
    return 0;
}

text_wave_format_t cfg_text2bin_wave_data_t::detect_format(std::string path)
{
    line_reader_t in(path);
    if (!in.is_open())
        return TEXT_FMT_NONE;
    char line[line_capacity];
    std::string key;
    std::size_t len = in.next(line);
    if (len > 0)
        trimmed_field(line, len, 0, &key);
    text_wave_format_t form = TEXT_FMT_NONE;
    if (contains(key, "data")) {
        double slots[4] = {0.0, 0.0, 0.0, 0.0};
        int used = 0;
        for (int i = 2; i <= 5; ++i) {
            len = in.next(line);
            // A line without field 1 takes no slot.
            if (len > 0 && trimmed_field(line, len, 1, &key) && used < 4)
                slots[used++] = text_to_double(key.data(), key.size());
        }
        set_header_values(slots[0], slots[1], slots[2]);
        form = TEXT_FMT_DATA;
    } else if (contains(key, "Amplitude")) {
        form = TEXT_FMT_AMPLITUDE;
    } else if (contains(key, "DUVARN")) {
        in.skip(1);
        len = in.next(line);
        if (len > 0)
            trimmed_field(line, len, 0, &key);
        form = contains(key, "Ampl") ? TEXT_FMT_DUVARN_AMPL : TEXT_FMT_DUVARN;
    }
    if (contains(key, "Record"))
        form = TEXT_FMT_RECORD;
    return form;
}

int32 cfg_text2bin_wave_data_t::read_values(std::string path, float *buf, u32 max_count, text_wave_format_t form)
{
    return read_values_kept(path, buf, max_count, max_count, form);
}

int32 cfg_text2bin_wave_data_t::read_values_kept(const std::string &path, float *buf, u32 max_count, u32 kept,
                                                 text_wave_format_t form)
{
    line_reader_t in(path);
    if (!in.is_open())
        return 0;
    in.skip(header_lines(form));
    u32 field = 0;
    bool whole_line = false;
    switch (form) {
    case TEXT_FMT_DATA:
    case TEXT_FMT_DUVARN:
        field = 1;
        break;
    case TEXT_FMT_RECORD:
        field = 4;
        break;
    default:
        whole_line = true;
        break;
    }
    char line[line_capacity];
    // Lines after the end of the file are empty and give nothing.
    for (u32 i = 0; i < max_count && !in.done(); ++i) {
        std::size_t len = 0;
        const char *at = in.next_view(line, &len);
        if (len == 0)
            continue;
        const char *text = at;
        std::size_t size = len;
        // A line with fewer fields than the one taken gives no value.
        if (!whole_line && !line_field(at, len, field, &text, &size))
            continue;
        const float x = text_to_value(text, size);
        if (point_count < kept)
            buf[point_count] = x;
        ++point_count;
        if (x > max_value)
            max_value = x;
        else if (x < min_value)
            min_value = x;
    }
    return 0;
}

int32 cfg_text2bin_wave_data_t::scale_to_samples(std::vector<int16> &out, const std::vector<float> &in) const
{
    const float high = std::fabs(static_cast<float>(max_value));
    const float low = std::fabs(static_cast<float>(min_value));
    const double peak = std::max(high, low);
    out.clear();
    out.reserve(in.size());
    if (peak == 0.0) {
        out.resize(in.size(), 0);
        return 1;
    }
    const double factor = 32767.0 / peak;
    for (float x : in)
        out.push_back(lib_trunc_i16(static_cast<double>(x) * factor));
    return 1;
}

void cfg_text2bin_wave_data_t::set_header_values(double a, double b, double c)
{
    header_values[0] = a;
    header_values[1] = b;
    header_values[2] = c;
}

void cfg_text2bin_wave_data_t::get_header_values(double *a, double *b, double *c) const
{
    *a = header_values[0];
    *b = header_values[1];
    *c = header_values[2];
}

int32 cfg_text2bin_wave_data_t::read_sample_text(const std::string &path, int16 *out)
{
    line_reader_t in(path);
    char line[line_capacity];
    u32 count = 0;
    for (u32 i = 0; i < wave_points && !in.done(); ++i) {
        const std::size_t len = in.next(line);
        if (len == 0)
            continue;
        const float x = static_cast<float>(text_to_double(line, len));
        out[count++] = static_cast<int16>(static_cast<u16>(lib_trunc_i32(x) & 0xffff));
    }
    int slot = 0;
    for (int i = 0; i < 4 && !in.done(); ++i) {
        const std::size_t len = in.next(line);
        if (len == 0)
            continue;
        std::string text(line, len);
        text = trim_blanks(text);
        if (slot < 3)
            header_values[slot++] = text_to_double(text.data(), text.size());
    }
    return 0;
}

int16 cfg_text2bin_wave_data_t::to_dac_codes(u16 *out, float *buf) const
{
    const float *values = resample(buf, point_count, buf) == 1 ? buf + wave_points + 1 : buf;
    const double peak = std::max(std::fabs(max_value), std::fabs(min_value));
    for (u32 i = 0; i < wave_points; ++i) {
        const double r = values[i] / peak;
        if (r > 1.0) {
            out[i] = 0x1fff;
        } else if (r < -1.0) {
            out[i] = 0x2000;
        } else {
            const int16 c = static_cast<int16>(lib_trunc_i16(r * 32767.0) >> 2);
            out[i] = c < 0 ? static_cast<u16>(c & 0x3fff) : static_cast<u16>(c);
        }
    }
    return 0;
}

int32 cfg_text2bin_wave_data_t::resample(float *buf, u32 n, float *dst)
{
    if (n > wave_points) {
        decimate(buf, n, dst);
        return 0;
    }
    if (n == wave_points)
        return 0;
    interpolate(buf, buf + wave_points + 1, n);
    return 1;
}

void cfg_text2bin_wave_data_t::decimate(const float *src, u32 n, float *dst)
{
    const u32 step = std::max<u32>(1, n / wave_points);
    for (u32 i = 0; i < wave_points; ++i)
        dst[i] = src[static_cast<std::size_t>(i) * step];
}

void cfg_text2bin_wave_data_t::interpolate_segment(const float *src, u32 k, float ratio, float *dst)
{
    const u32 from = lib_trunc_u32(static_cast<float>(k - 1) * ratio);
    const u32 to = std::min<u32>(lib_trunc_u32(static_cast<float>(k) * ratio), wave_points);
    const float rise = src[k] - src[k - 1];
    for (u32 at = from, j = 0; at < to; ++at, ++j)
        dst[at] = src[k - 1] + static_cast<float>(j) * rise / ratio;
}

void cfg_text2bin_wave_data_t::interpolate(const float *src, float *dst, u32 n)
{
    if (n <= 1) {
        for (u32 i = 0; i < wave_points; ++i)
            dst[i] = src[0];
        return;
    }
    const float ratio = static_cast<float>(wave_points) / static_cast<float>(n);
    for (u32 k = 1; k < n; ++k)
        interpolate_segment(src, k, ratio, dst);
    for (u32 i = lib_trunc_u32(static_cast<float>(n - 1) * ratio); i < wave_points; ++i)
        dst[i] = src[n - 1];
}
