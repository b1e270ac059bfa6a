#include "cfg_text_file.h"

#include "lib_diag.h"
#include "lib_parallel.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The buffer kept between files, and whether a reader holds it.
struct kept_buffer_t
{
    std::unique_ptr<char[]> buf;
    std::size_t cap = 0;
    bool taken = false;
};

kept_buffer_t &kept()
{
    static kept_buffer_t k;
    return k;
}

} // namespace

cfg_text_file_t::cfg_text_file_t()
{
    kept_buffer_t &k = kept();
    if (!k.taken) {
        k.taken = true;
        m_kept = true;
        m_buf = std::move(k.buf);
        m_cap = k.cap;
    }
}

cfg_text_file_t::~cfg_text_file_t() { release(); }

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

bool cfg_text_file_t::reserve(std::size_t bytes)
{
    if (bytes <= m_cap)
        return true;
    std::unique_ptr<char[]> grown(new (std::nothrow) char[bytes]);
    if (!grown)
        return false;
    if (m_len)
        std::memcpy(grown.get(), m_buf.get(), m_len);
    m_buf = std::move(grown);
    m_cap = bytes;
    return true;
}

int cfg_text_file_t::read(int chunk, bool &file_end, std::size_t &pos)
{
    if (file_end)
        return -1;
    if (pos != 0) {
        const std::size_t drop = std::min(pos, m_len);
        std::memmove(m_buf.get(), m_buf.get() + drop, m_len - drop);
        m_len -= drop;
        pos = 0;
    }
    const std::size_t want = std::size_t(chunk);
    // Room for what the file still holds (one byte more tells its end), and for the rest
    // of a line in front of the next chunk when more are to come; a file that grew since
    // makes the buffer grow to a whole chunk.
    const bool more = m_left + 1 > want;
    if (!reserve(m_len + std::size_t(std::min<uint64>(want, m_left + 1)) + (more ? 65536 : 0))) {
        release();
        lib_diag_line("cfg_bin_main_t::read_outside_file:std::bad_alloc");
        return -9;
    }
    std::size_t got = 0;
    while (got < want) {
        if (m_len + got == m_cap && !reserve(m_len + want)) {
            release();
            lib_diag_line("cfg_bin_main_t::read_outside_file:std::bad_alloc");
            return -9;
        }
        const ssize_t r = ::read(m_fd.get(), m_buf.get() + m_len + got, m_cap - m_len - got);
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
}

std::string cfg_text_file_t::head(const char *const *keys, std::size_t key_count) const
{
    const std::string_view text(m_buf.get(), m_len);
    // The end of the line at each position of interest, looked for side by side: each
    // key's first place may lie anywhere in the text.
    std::vector<std::size_t> ends(key_count + 1, 0);
    bool whole = false;
    // No more threads than the other teams have: a larger team starts threads that the
    // next, smaller one ends again.
#pragma omp parallel for num_threads(lib_team_size(key_count + 1, 1)) reduction(|| : whole)
    for (int k = 0; k <= int(key_count); ++k) {
        const std::size_t at = k == int(key_count) ? 0 : text.find(keys[k]);
        if (at == std::string_view::npos || text.empty())
            continue;
        const std::size_t lf = text.find('\n', at);
        if (lf == std::string_view::npos)
            whole = true;
        else
            ends[std::size_t(k)] = lf + 1;
    }
    const std::size_t need = whole ? m_len : *std::max_element(ends.begin(), ends.end());
    return std::string(m_buf.get(), need);
}

void cfg_text_file_t::release()
{
    m_fd.reset();
    if (m_kept) {
        kept_buffer_t &k = kept();
        k.buf = std::move(m_buf);
        k.cap = m_cap;
        k.taken = false;
        m_kept = false;
    }
    m_buf.reset();
    m_cap = 0;
    m_len = 0;
}
