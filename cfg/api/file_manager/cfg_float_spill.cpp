#include "cfg_float_spill.h"

cfg_float_spill_t::cfg_float_spill_t() : m_fd(lib_open_rw(m_store.get_path())), m_ok(m_fd.ok()) {}

bool cfg_float_spill_t::append(const float *values, std::size_t n)
{
    if (!m_ok)
        return false;
    const std::size_t bytes = n * sizeof(float);
    if (lib_pwrite_all(m_fd.get(), values, bytes, m_count * sizeof(float)) != bytes)
        m_ok = false;
    else
        m_count += n;
    return m_ok;
}

bool cfg_float_spill_t::write_at(uint64 first, const float *values, std::size_t n)
{
    const std::size_t bytes = n * sizeof(float);
    if (m_ok && lib_pwrite_all(m_fd.get(), values, bytes, first * sizeof(float)) != bytes)
        m_ok = false;
    return m_ok;
}

bool cfg_float_spill_t::read(uint64 first, float *out, std::size_t n) const
{
    const std::size_t bytes = n * sizeof(float);
    return m_ok && lib_pread_all(m_fd.get(), out, bytes, first * sizeof(float)) == bytes;
}
