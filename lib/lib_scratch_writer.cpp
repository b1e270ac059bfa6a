#include "lib_scratch_writer.h"

#include "lib_diag.h"
#include "lib_wv_file_buffer.h"

#include <cstdio>

lib_scratch_writer_t::lib_scratch_writer_t(const std::string &store_path)
    : m_store(store_path), m_scratch(lib_wv_scratch_path(store_path)), m_out(lib_open_trunc(m_scratch)),
      m_ok(m_out.ok())
{
}

lib_scratch_writer_t::~lib_scratch_writer_t()
{
    m_out.reset();
    if (!m_done)
        std::remove(m_scratch.c_str());
}

void lib_scratch_writer_t::append_from(const std::string &src_path, std::uint64_t first_byte, std::uint64_t bytes)
{
    if (!m_ok || bytes == 0)
        return;
    lib_fd_t in = lib_open_read(src_path);
    if (!in.ok())
        return; // an unreadable source contributes nothing
    std::uint64_t copied = lib_copy_bytes(in.get(), first_byte, m_out.get(), m_size, bytes);
    m_size += copied;
    if (copied != bytes)
        m_ok = false;
}

void lib_scratch_writer_t::append(const void *data, std::size_t bytes)
{
    if (!m_ok || bytes == 0)
        return;
    std::size_t written = lib_pwrite_all(m_out.get(), data, bytes, m_size);
    m_size += written;
    if (written != bytes)
        m_ok = false;
}

bool lib_scratch_writer_t::commit()
{
    m_out.reset();
    if (!m_ok || std::rename(m_scratch.c_str(), m_store.c_str()) != 0) {
        lib_diag_err("Error: cannot rewrite sample file " + m_store + "\n");
        return false;
    }
    m_done = true;
    return true;
}
