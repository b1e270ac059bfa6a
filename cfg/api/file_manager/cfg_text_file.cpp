#include "cfg_text_file.h"

#include "lib_diag.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

bool cfg_text_file_t::open(const std::string &path)
{
    m_fd = lib_open_read(path);
    if (!m_fd.ok())
        return false;
    struct stat st;
    m_left = ::fstat(m_fd.get(), &st) == 0 && S_ISREG(st.st_mode) ? uint64(st.st_size) : 0;
    m_len = 0;
    return true;
}

int cfg_text_file_t::read(int chunk, bool &file_end, std::size_t &pos)
{
    if (file_end)
        return -1;
    try {
        if (pos != 0) {
            const std::size_t drop = std::min(pos, m_len);
            std::memmove(&m_buf[0], m_buf.data() + drop, m_len - drop);
            m_len -= drop;
            pos = 0;
        }
        const std::size_t want = std::size_t(chunk);
        // Room for what the file still holds (one byte more tells its end); a file that
        // grew since makes the buffer grow to a whole chunk.
        const std::size_t room = m_len + std::size_t(std::min<uint64>(want, m_left + 1));
        if (m_buf.size() < room)
            m_buf.resize(room);
        std::size_t got = 0;
        while (got < want) {
            if (m_len + got == m_buf.size())
                m_buf.resize(m_len + want);
            const ssize_t r = ::read(m_fd.get(), &m_buf[m_len + got], m_buf.size() - m_len - got);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                break;
            got += std::size_t(r);
        }
        if (got < want)
            file_end = true;
        m_len += got;
        m_left -= std::min<uint64>(m_left, got);
        return static_cast<int>(got);
    } catch (const std::bad_alloc &e) {
        release();
        lib_diag_line(std::string("cfg_bin_main_t::read_outside_file:") + e.what());
        return -9;
    } catch (const std::length_error &e) {
        release();
        lib_diag_line(std::string("cfg_bin_main_t::read_outside_file:") + e.what());
        return -9;
    }
}

const std::string &cfg_text_file_t::text()
{
    m_buf.resize(m_len);
    return m_buf;
}

void cfg_text_file_t::release()
{
    m_fd.reset();
    std::string().swap(m_buf);
    m_len = 0;
}
