#include "lib_wv_data.h"

#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_scratch_writer.h"
#include "lib_wv_scratch.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

template <typename T>
void lib_wv_data_t<T>::read_all(std::vector<T> &out) const
{
    std::vector<T>().swap(out);
    uint32 n = samples.size();
    out.resize(n);
    if (n)
        samples.read(0, out.data(), n);
}

template <typename T>
bool lib_wv_data_t<T>::assign(const lib_wv_data_t &other)
{
    if (this == &other)
        return true;
    if (samples.path != other.samples.path) {
        // Into a scratch copy first: a copy cut short (a full disk) must neither leave a
        // mix of two waveforms nor pass for a complete one.
        const std::int64_t len = lib_file_length(other.samples.path);
        const std::uint64_t bytes = len > 0 ? std::uint64_t(len) / sizeof(T) * sizeof(T) : 0;
        lib_scratch_writer_t w(samples.path);
        w.append_from(other.samples.path, 0, bytes);
        if (!w.commit())
            return false;
    }
    amp = other.amp;
    offset = other.offset;
    return true;
}

template <typename T>
bool lib_wv_data_t<T>::share(const lib_wv_data_t &other)
{
    if (this == &other)
        return true;
    if (samples.path != other.samples.path) {
        const std::int64_t len = lib_file_length(other.samples.path);
        const std::string scratch = lib_wv_scratch_path(samples.path);
        // Whole elements only, as a copy would take them.
        bool linked = len >= 0 && std::uint64_t(len) % sizeof(T) == 0;
        if (linked) {
            ::unlink(scratch.c_str());
            linked = ::link(other.samples.path.c_str(), scratch.c_str()) == 0;
        }
        if (linked && !lib_replace_own_file(scratch, samples.path)) {
            ::unlink(scratch.c_str());
            linked = false;
        }
        if (!linked)
            return assign(other);
    }
    amp = other.amp;
    offset = other.offset;
    return true;
}

template <typename T>
void lib_wv_data_t<T>::clear()
{
    lib_diag_line("clear file" + samples.path);
    lib_fd_t fd = lib_open_trunc(samples.path);
    if (!fd.ok())
        lib_diag_err("Error: file failed to load");
}

template <typename T>
bool lib_wv_data_t<T>::erase_points(std::vector<uint32> &indices)
{
    if (indices.empty())
        return true;
    std::sort(indices.begin(), indices.end());
    const uint32 c = samples.size();
    // Duplicates and indices past the end name nothing to remove.
    std::vector<uint32> keep_out;
    keep_out.reserve(indices.size());
    for (uint32 x : indices)
        if (x < c && (keep_out.empty() || keep_out.back() != x))
            keep_out.push_back(x);
    if (keep_out.empty())
        return true;
    lib_scratch_writer_t w(samples.path);
    std::uint64_t p = 0;
    for (uint32 x : keep_out) {
        w.append_from(samples.path, p * sizeof(T), (std::uint64_t(x) - p) * sizeof(T));
        p = std::uint64_t(x) + 1;
    }
    if (p < c)
        w.append_from(samples.path, p * sizeof(T), (std::uint64_t(c) - p) * sizeof(T));
    return w.commit();
}

template <typename T>
std::vector<lib_wv_piece_t> lib_wv_data_t<T>::erase_pieces(uint32 first, uint32 last) const
{
    const uint32 c = samples.size();
    last = std::min(last, c);
    if (first > last)
        return {};
    return {{samples.path, 0, first}, {samples.path, last, uint64(c - last)}};
}

template <typename T>
std::vector<lib_wv_piece_t> lib_wv_data_t<T>::replace_pieces(uint32 first, uint32 last,
                                                              const lib_wv_data_t &source) const
{
    const uint32 c = samples.size();
    if (c < first) {
        lib_diag_line("insert start error, start index is " + std::to_string(first));
        return {};
    }
    last = std::min(last, c);
    if (first > last)
        return {};
    return {{samples.path, 0, first},
            {source.samples.path, 0, source.samples.size()},
            {samples.path, last, uint64(c - last)}};
}

template <typename T>
bool lib_wv_data_t<T>::rewrite(const std::vector<lib_wv_piece_t> &pieces)
{
    lib_scratch_writer_t w(samples.path);
    for (const lib_wv_piece_t &p : pieces)
        w.append_from(p.path, p.first * sizeof(T), p.count * sizeof(T));
    return w.commit();
}

template <typename T>
bool lib_wv_data_t<T>::rewrite_with(const std::function<bool(int fd)> &write)
{
    lib_wv_scratch_t scratch(samples.path);
    if (!scratch.ok() || !write(scratch.fd()) || !scratch.commit()) {
        lib_diag_err("Error: cannot rewrite sample file " + samples.path + "\n");
        return false;
    }
    return true;
}

template <typename T>
bool lib_wv_data_t<T>::erase_range(uint32 first, uint32 last)
{
    const std::vector<lib_wv_piece_t> pieces = erase_pieces(first, last);
    return pieces.empty() || rewrite(pieces);
}

template <typename T>
bool lib_wv_data_t<T>::replace_range(uint32 first, uint32 last, const lib_wv_data_t &source)
{
    const std::vector<lib_wv_piece_t> pieces = replace_pieces(first, last, source);
    return pieces.empty() || rewrite(pieces);
}

template <typename T>
void lib_wv_data_t<T>::resize(uint32 count, T fill)
{
    lib_diag_line("outside resize:" + std::to_string(count));
    samples.resize(count, fill);
}

template class lib_wv_data_t<short int>;
