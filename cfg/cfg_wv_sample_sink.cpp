#include "cfg_wv_sample_sink.h"

#include "lib_diag.h"
#include "lib_file_io.h"

#include <algorithm>
#include <cerrno>
#include <sys/uio.h>

cfg_wv_sample_sink_t::cfg_wv_sample_sink_t(const lib_wv_data_t<short int> &target, bool announce)
    : m_store(target.samples.path), m_scratch(target.samples.path), m_ok(m_scratch.ok()), m_bytes(0)
{
    if (announce)
        lib_diag_line("clear file" + m_store);
}

cfg_wv_sample_sink_t::~cfg_wv_sample_sink_t() = default;

bool cfg_wv_sample_sink_t::keep_existing()
{
    if (!m_ok)
        return false;
    std::int64_t len = lib_file_length(m_store);
    if (len <= 0)
        return true;
    uint64 bytes = uint64(len) / 2 * 2;
    lib_fd_t in = lib_open_read(m_store);
    if (!in.ok() || lib_copy_bytes(in.get(), 0, m_scratch.fd(), 0, bytes) != bytes) {
        m_ok = false;
        return false;
    }
    m_bytes = bytes;
    return true;
}

bool cfg_wv_sample_sink_t::append(const short int *samples, uint64 count)
{
    if (!m_ok)
        return false;
    const std::size_t bytes = std::size_t(count) * sizeof(short int);
    if (lib_pwrite_all(m_scratch.fd(), samples, bytes, m_bytes) != bytes) {
        m_ok = false;
        return false;
    }
    m_bytes += bytes;
    return true;
}

bool cfg_wv_sample_sink_t::write_at(uint64 at, const short int *samples, uint64 count)
{
    if (!m_ok)
        return false;
    const std::size_t bytes = std::size_t(count) * sizeof(short int);
    if (lib_pwrite_all(m_scratch.fd(), samples, bytes, at * sizeof(short int)) != bytes) {
        m_ok = false;
        return false;
    }
    return true;
}

bool cfg_wv_sample_sink_t::append_repeated(const short int *pattern, uint64 period, uint64 count, uint64 start)
{
    if (!m_ok || period == 0)
        return m_ok && count == 0;
    constexpr int k_iov = 1024;
    struct iovec iov[k_iov];
    for (uint64 pos = 0; pos < count;) {
        int used = 0;
        for (uint64 at = pos; at < count && used < k_iov; ++used) {
            const uint64 in_period = (at + start) % period;
            const uint64 take = std::min(period - in_period, count - at);
            iov[used].iov_base = const_cast<short int *>(pattern + in_period);
            iov[used].iov_len = std::size_t(take) * sizeof(short int);
            at += take;
        }
        const ssize_t r = ::pwritev(m_scratch.fd(), iov, used, off_t(m_bytes));
        if (r < 0 && errno == EINTR)
            continue;
        // A short or odd write means the disk is full or failing: give up cleanly.
        if (r <= 0 || (r & 1) != 0) {
            m_ok = false;
            return false;
        }
        m_bytes += uint64(r);
        pos += uint64(r) / sizeof(short int);
    }
    return true;
}

bool cfg_wv_sample_sink_t::commit()
{
    if (!m_ok || !m_scratch.commit()) {
        lib_diag_err("Error: cannot write sample file " + m_store + "\n");
        return false;
    }
    return true;
}
