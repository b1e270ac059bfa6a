#pragma once
#include "lib_file_io.h"
#include "lib_types.h"
#include "lib_wv_file_buffer.h"

#include <atomic>
#include <cstddef>

// Values read from a text file, kept in a scratch file of floats until the levels they
// are scaled by are known: the text is read once, and memory holds only a block.
class cfg_float_spill_t
{
public:
    cfg_float_spill_t();
    bool ok() const { return m_ok; }
    // Appends n values; false once a write failed.
    bool append(const float *values, std::size_t n);
    // Writes n values at index first, from any thread; grow() then names the new count.
    bool write_at(uint64 first, const float *values, std::size_t n);
    void grow(uint64 count) { m_count = count; }
    uint64 count() const { return m_count; }
    // Reads n values from index first into out; false when fewer came.
    bool read(uint64 first, float *out, std::size_t n) const;

private:
    lib_wv_file_buffer_t<float> m_store;
    lib_fd_t m_fd;
    std::atomic<bool> m_ok;
    uint64 m_count = 0;
};
