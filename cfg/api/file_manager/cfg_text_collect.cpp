#include "cfg_text_collect.h"

#include "cfg_file_text.h"
#include "lib_parallel.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

// Text worth one more thread: a thread reads some hundreds of megabytes a second.
constexpr std::size_t k_grain_bytes = 1u << 20;
constexpr int k_stretches_per_thread = 4;

// The first c in [from, end), or nullptr. Fields and lines are short: the first bytes
// are looked at in place, the library call only goes on from there.
inline const char *find(const char *from, const char *end, char c)
{
    const char *near = end - from > 32 ? from + 32 : end;
    for (; from < near; ++from)
        if (*from == c)
            return from;
    return from < end ? static_cast<const char *>(std::memchr(from, c, std::size_t(end - from))) : nullptr;
}

// Value buffers of earlier collections, kept with their memory. The readers run on one
// thread; only the collection below hands buffers to other threads.
std::vector<std::vector<float>> &spare_buffers()
{
    static std::vector<std::vector<float>> spare;
    return spare;
}

// A kept buffer for `want` values: the smallest that holds them, else the largest (which
// then grows). Taking whichever came last would often give a stretch a buffer a little
// too small, and its growth would free and fault in memory on every read.
std::vector<float> take_spare(std::size_t want)
{
    std::vector<std::vector<float>> &spare = spare_buffers();
    if (spare.empty())
        return {};
    std::size_t pick = 0;
    for (std::size_t k = 1; k < spare.size(); ++k) {
        const std::size_t c = spare[k].capacity(), best = spare[pick].capacity();
        if (best >= want ? c >= want && c < best : c > best)
            pick = k;
    }
    std::vector<float> v = std::move(spare[pick]);
    spare[pick] = std::move(spare.back());
    spare.pop_back();
    v.clear();
    return v;
}

// Values a stretch of `bytes` bytes is given room for, rounded up so that stretches of
// files of about the same size fit each other's kept buffers.
std::size_t room_for(std::size_t bytes)
{
    constexpr std::size_t k_step = 1u << 14;
    return (bytes / 8 + k_step - 1) / k_step * k_step;
}

struct stretch_t
{
    std::size_t begin = 0; // where the stretch's first step starts
    std::size_t limit = 0; // steps start before this position
    bool last = false;     // the last stretch runs until a step gives no value
    std::vector<float> values;
    std::size_t end = 0;
    bool ended = false; // a step gave no value
    cfg_line_stop_t stop = cfg_line_stop_t::none;
};

void read_stretch(const char *text, std::size_t size, std::size_t column, char separator, bool file_end,
                  stretch_t &s)
{
    std::size_t pos = s.begin;
    float v = 0.0f;
    s.values.clear();
    s.ended = false;
    s.stop = cfg_line_stop_t::none;
    while (s.last || pos < s.limit) {
        if (cfg_next_text_value(text, size, column, separator, file_end, pos, v, s.stop) < 0) {
            s.ended = true;
            break;
        }
        s.values.push_back(v);
    }
    s.end = pos;
}

} // namespace

cfg_text_values_t::~cfg_text_values_t()
{
    std::vector<std::vector<float>> &spare = spare_buffers();
    for (std::vector<float> &piece : pieces)
        if (piece.capacity() > 0)
            spare.push_back(std::move(piece));
}

long long cfg_next_text_value(const char *text, std::size_t size, std::size_t column, char separator, bool file_end,
                              std::size_t &pos, float &value, cfg_line_stop_t &stop)
{
    stop = cfg_line_stop_t::none;
    const char *end = text + size;
    const std::size_t p0 = pos;
    // A line feed at pos (the one ending the line before) is the usual answer.
    if (pos >= size || (text[pos] != '\n' && !find(text + pos, end, '\n')))
        return -1;
    // The line after the line feed at pos; a text that starts a chunk begins with the
    // line feed of the last line consumed.
    if (pos != 0 || text[0] == '\n')
        pos = pos + 1;
    std::size_t at = pos;
    std::size_t x_field = pos; // start of the field before the value: the key word's x column
    for (std::size_t k = 0; k < column; ++k) {
        const char *sep = find(text + at, end, separator);
        if (!sep) {
            if (file_end)
                stop = cfg_line_stop_t::stopped;
            return -1;
        }
        x_field = at;
        at = std::size_t(sep - text) + 1;
    }
    const char *value_end = find(text + at, end, '\n');
    std::size_t stop_at;
    if (value_end) {
        stop_at = std::size_t(value_end - text);
    } else {
        if (!file_end) {
            pos = p0; // the line is not complete yet
            return -1;
        }
        stop_at = size;
    }
    if (stop_at == at) {
        pos = p0;
        stop = cfg_line_stop_t::stopped;
        return -1;
    }
    // Each field is a whole number or nothing: "1;0,0200" (a semicolon file with decimal
    // commas) is a malformed row, not the value 200.
    float v;
    const bool x_ok = column == 0 || cfg_is_number_field(text + x_field, text + at - 1, separator);
    if (!x_ok || !cfg_parse_float_field(text + at, text + stop_at, separator, v)) {
        stop = cfg_line_stop_t::parse_error;
        return -1;
    }
    value = v;
    pos = stop_at;
    return static_cast<long long>(stop_at);
}

void cfg_collect_text_values(const char *text, std::size_t size, std::size_t column, char separator, bool file_end,
                             std::size_t &pos, cfg_text_values_t &out)
{
    // Stretches start at line feeds near equal cuts of the text, a few per thread, so
    // that threads which get a processor take over the stretches of those which do not.
    const std::size_t start = std::min(pos, size);
    const int team = lib_team_size(size - start, k_grain_bytes);
    const int cuts = team > 1 ? team * k_stretches_per_thread : 1;
    std::vector<stretch_t> parts(1);
    parts[0].begin = pos;
    for (int k = 1; k < cuts; ++k) {
        const std::size_t cut = start + (size - start) / std::size_t(cuts) * std::size_t(k);
        const char *lf = find(text + cut, text + size, '\n');
        if (!lf)
            break;
        const std::size_t at = std::size_t(lf - text);
        if (at <= parts.back().begin)
            continue;
        parts.back().limit = at;
        parts.emplace_back();
        parts.back().begin = at;
    }
    parts.back().last = true;
    for (stretch_t &s : parts) {
        const std::size_t room = room_for(s.last ? size - std::min(s.begin, size) : s.limit - s.begin);
        s.values = take_spare(room);
        s.values.reserve(room);
    }

    bool no_memory = false;
#pragma omp parallel for schedule(dynamic, 1) num_threads(std::min(team, int(parts.size())))
    for (int k = 0; k < int(parts.size()); ++k) {
        try {
            read_stretch(text, size, column, separator, file_end, parts[std::size_t(k)]);
        } catch (const std::bad_alloc &) {
#pragma omp atomic write
            no_memory = true;
        }
    }
    if (no_memory)
        throw std::bad_alloc();

    // In order, as one reader would have gone: a stretch is kept when the one before it
    // ended just where it begins.
    std::size_t at = pos;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        stretch_t &s = parts[k];
        if (at != s.begin) {
            s.begin = at;
            read_stretch(text, size, column, separator, file_end, s);
        }
        out.count += s.values.size();
        out.pieces.push_back(std::move(s.values));
        at = s.end;
        if (s.ended) {
            out.stop = s.stop;
            break;
        }
    }
    for (stretch_t &s : parts)
        if (s.values.capacity() > 0)
            spare_buffers().push_back(std::move(s.values));
    pos = at;
}
