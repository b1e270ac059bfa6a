#include "lib_math_file.h"

#include "lib_diag.h"
#include "lib_wv_file_buffer.h"

#include <cstdio>
#include <unistd.h>

lib_math_replace_file_t::lib_math_replace_file_t(const std::string &target, bool announce)
    : m_target(target), m_scratch(lib_wv_scratch_path(target)), m_ok(false)
{
    if (announce)
        lib_diag_line("clear file" + target);
    m_fd = lib_create_fresh(m_scratch);
    m_ok = m_fd.ok();
}

lib_math_replace_file_t::~lib_math_replace_file_t()
{
    m_fd.reset();
    if (!m_done)
        std::remove(m_scratch.c_str());
}

bool lib_math_replace_file_t::write(const void *data, std::size_t bytes, uint64 offset)
{
    if (!m_ok.load())
        return false;
    if (lib_pwrite_all(m_fd.get(), data, bytes, offset) != bytes) {
        m_ok = false;
        return false;
    }
    return true;
}

bool lib_math_replace_file_t::commit()
{
    if (m_fd.ok() && ::close(m_fd.release()) != 0)
        m_ok = false;
    if (!m_ok.load() || std::rename(m_scratch.c_str(), m_target.c_str()) != 0) {
        lib_diag_err("Error: cannot write sample file " + m_target + "\n");
        return false;
    }
    m_done = true;
    return true;
}
