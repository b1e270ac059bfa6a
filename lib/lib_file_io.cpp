#include "lib_file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

lib_fd_t &lib_fd_t::operator=(lib_fd_t &&o) noexcept
{
    if (this != &o) {
        reset(o.m_fd);
        o.m_fd = -1;
    }
    return *this;
}

void lib_fd_t::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

int lib_fd_t::release()
{
    int fd = m_fd;
    m_fd = -1;
    return fd;
}

lib_fd_t lib_open_read(const std::string &path)
{
    return lib_fd_t(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
}

lib_fd_t lib_open_rw(const std::string &path)
{
    return lib_fd_t(::open(path.c_str(), O_RDWR | O_CLOEXEC));
}

lib_fd_t lib_open_trunc(const std::string &path)
{
    return lib_fd_t(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}

bool lib_file_exists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::int64_t lib_file_length(const std::string &path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<std::int64_t>(st.st_size);
}

std::size_t lib_pread_all(int fd, void *buf, std::size_t bytes, std::uint64_t offset)
{
    std::size_t done = 0;
    char *p = static_cast<char *>(buf);
    while (done < bytes) {
        ssize_t r = ::pread(fd, p + done, bytes - done, static_cast<off_t>(offset + done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    return done;
}

std::size_t lib_pwrite_all(int fd, const void *buf, std::size_t bytes, std::uint64_t offset)
{
    std::size_t done = 0;
    const char *p = static_cast<const char *>(buf);
    while (done < bytes) {
        ssize_t r = ::pwrite(fd, p + done, bytes - done, static_cast<off_t>(offset + done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += static_cast<std::size_t>(r);
    }
    return done;
}

char *lib_transfer_buffer()
{
    thread_local std::unique_ptr<char[]> buf(new char[LIB_TRANSFER_BYTES]);
    return buf.get();
}

std::uint64_t lib_copy_bytes(int in_fd, std::uint64_t in_off, int out_fd, std::uint64_t out_off,
                             std::uint64_t bytes)
{
    std::uint64_t done = 0;
    bool kernel = true;
    while (done < bytes) {
        std::uint64_t want = bytes - done;
        if (kernel) {
            loff_t ioff = static_cast<loff_t>(in_off + done);
            loff_t ooff = static_cast<loff_t>(out_off + done);
            std::size_t step = want > (1u << 30) ? (1u << 30) : static_cast<std::size_t>(want);
            ssize_t r = ::copy_file_range(in_fd, &ioff, out_fd, &ooff, step, 0);
            if (r > 0) {
                done += static_cast<std::uint64_t>(r);
                continue;
            }
            if (r == 0)
                break; // end of the source
            if (errno == EINTR)
                continue;
            kernel = false; // not supported here: fall back to plain reads and writes
            continue;
        }
        char *buf = lib_transfer_buffer();
        std::size_t step = want > LIB_TRANSFER_BYTES ? LIB_TRANSFER_BYTES : static_cast<std::size_t>(want);
        std::size_t got = lib_pread_all(in_fd, buf, step, in_off + done);
        if (got == 0)
            break;
        std::size_t put = lib_pwrite_all(out_fd, buf, got, out_off + done);
        done += put;
        if (put < got)
            break;
    }
    return done;
}
