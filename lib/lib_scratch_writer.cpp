#include "lib_scratch_writer.h"

#include "lib_diag.h"
#include "lib_file_io.h"

lib_scratch_writer_t::lib_scratch_writer_t(const std::string &store_path)
    : m_store(store_path), m_scratch(store_path), m_ok(m_scratch.ok())
{
}

void lib_scratch_writer_t::append_from(const std::string &src_path, std::uint64_t first_byte, std::uint64_t bytes)
{
    if (!m_ok || bytes == 0)
        return;
    lib_fd_t in = lib_open_read(src_path);
    const std::uint64_t copied = in.ok() ? lib_copy_bytes(in.get(), first_byte, m_scratch.fd(), m_size, bytes) : 0;
    m_size += copied;
    if (copied != bytes)
        m_ok = false;
}

void lib_scratch_writer_t::append(const void *data, std::size_t bytes)
{
    if (!m_ok || bytes == 0)
        return;
    const std::size_t written = lib_pwrite_all(m_scratch.fd(), data, bytes, m_size);
    m_size += written;
    if (written != bytes)
        m_ok = false;
}

bool lib_scratch_writer_t::commit()
{
    if (!m_ok || !m_scratch.commit()) {
        lib_diag_err("Error: cannot rewrite sample file " + m_store + "\n");
        return false;
    }
    return true;
}
