#include "lib_wv_data.h"

#include "lib_diag.h"
#include "lib_file_io.h"
#include "lib_wv_scratch.h"

#include <algorithm>

namespace {

// Writes a new content for a store into its scratch file, piece by piece, and puts it in
// place of the store's file only when every piece was written: a failed edit leaves
// the samples as they were.
class scratch_writer_t
{
public:
    explicit scratch_writer_t(const std::string &store_path) : m_store(store_path), m_scratch(store_path) {}

    // Appends `bytes` of the file `src_path` from `first_byte` on; false once any piece
    // fell short (a full disk, or a source that cannot be read).
    bool append_from(const std::string &src_path, std::uint64_t first_byte, std::uint64_t bytes)
    {
        if (!m_scratch.ok())
            m_ok = false;
        if (!m_ok || bytes == 0)
            return m_ok;
        lib_fd_t in = lib_open_read(src_path);
        const std::uint64_t copied = in.ok() ? lib_copy_bytes(in.get(), first_byte, m_scratch.fd(), m_size, bytes) : 0;
        m_size += copied;
        m_ok = copied == bytes;
        return m_ok;
    }

    bool commit()
    {
        if (!m_scratch.ok() || !m_ok || !m_scratch.commit()) {
            lib_diag_err("Error: cannot rewrite sample file " + m_store + "\n");
            return false;
        }
        return true;
    }

private:
    std::string m_store;
    lib_wv_scratch_t m_scratch;
    bool m_ok = true;
    std::uint64_t m_size = 0;
};

} // namespace

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
        scratch_writer_t w(samples.path);
        w.append_from(other.samples.path, 0, bytes);
        if (!w.commit())
            return false;
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
void lib_wv_data_t<T>::erase_points(std::vector<uint32> &indices)
{
    if (indices.empty())
        return;
    std::sort(indices.begin(), indices.end());
    const uint32 c = samples.size();
    // Duplicates and indices past the end name nothing to remove.
    std::vector<uint32> keep_out;
    keep_out.reserve(indices.size());
    for (uint32 x : indices)
        if (x < c && (keep_out.empty() || keep_out.back() != x))
            keep_out.push_back(x);
    if (keep_out.empty())
        return;
    scratch_writer_t w(samples.path);
    std::uint64_t p = 0;
    for (uint32 x : keep_out) {
        w.append_from(samples.path, p * sizeof(T), (std::uint64_t(x) - p) * sizeof(T));
        p = std::uint64_t(x) + 1;
    }
    if (p < c)
        w.append_from(samples.path, p * sizeof(T), (std::uint64_t(c) - p) * sizeof(T));
    w.commit();
}

template <typename T>
void lib_wv_data_t<T>::erase_range(uint32 first, uint32 last)
{
    const uint32 c = samples.size();
    last = std::min(last, c);
    if (first > last)
        return;
    scratch_writer_t w(samples.path);
    w.append_from(samples.path, 0, std::uint64_t(first) * sizeof(T));
    w.append_from(samples.path, std::uint64_t(last) * sizeof(T), std::uint64_t(c - last) * sizeof(T));
    w.commit();
}

template <typename T>
void lib_wv_data_t<T>::replace_range(uint32 first, uint32 last, const lib_wv_data_t &source)
{
    const uint32 c = samples.size();
    if (c < first) {
        lib_diag_line("insert start error, start index is " + std::to_string(first));
        return;
    }
    last = std::min(last, c);
    if (first > last)
        return;
    const uint32 s = source.samples.size();
    scratch_writer_t w(samples.path);
    w.append_from(samples.path, 0, std::uint64_t(first) * sizeof(T));
    w.append_from(source.samples.path, 0, std::uint64_t(s) * sizeof(T));
    w.append_from(samples.path, std::uint64_t(last) * sizeof(T), std::uint64_t(c - last) * sizeof(T));
    w.commit();
}

template <typename T>
void lib_wv_data_t<T>::resize(uint32 count, T fill)
{
    lib_diag_line("outside resize:" + std::to_string(count));
    samples.resize(count, fill);
}

template class lib_wv_data_t<short int>;
