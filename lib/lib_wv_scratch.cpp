#include "lib_wv_scratch.h"

#include "lib_wv_file_buffer.h"

#include <cstdio>

lib_wv_scratch_t::lib_wv_scratch_t(const std::string &store_path)
    : m_store(store_path), m_path(lib_wv_scratch_path(store_path)), m_fd(lib_create_fresh(m_path))
{
}

lib_wv_scratch_t::~lib_wv_scratch_t()
{
    if (!m_done && m_fd.ok()) {
        m_fd.reset();
        std::remove(m_path.c_str());
    }
}

bool lib_wv_scratch_t::commit()
{
    if (!m_fd.ok() || !lib_replace_own_file(m_path, m_store))
        return false;
    m_done = true;
    m_fd.reset();
    return true;
}
