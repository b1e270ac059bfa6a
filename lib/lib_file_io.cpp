#include "lib_file_io.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

bool lib_file_is_shared(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink > 1;
}

bool lib_same_file(const std::string &a, const std::string &b)
{
    struct stat sa, sb;
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool lib_unshare_file(const std::string &path)
{
    if (!lib_file_is_shared(path))
        return true;
    const std::string own = path + ".own";
    bool ok = false;
    {
        lib_fd_t in = lib_open_read(path);
        lib_fd_t out = lib_create_fresh(own);
        const std::int64_t len = lib_file_length(path);
        ok = in.ok() && out.ok() && len >= 0 &&
             lib_copy_bytes(in.get(), 0, out.get(), 0, std::uint64_t(len)) == std::uint64_t(len);
    }
    if (ok && ::rename(own.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(own.c_str());
    return false;
}

lib_fd_t lib_open_rw(const std::string &path)
{
    if (!lib_unshare_file(path))
        return lib_fd_t();
    return lib_fd_t(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
}

lib_fd_t lib_open_trunc(const std::string &path)
{
    // A new file rather than the old one emptied: emptying a shared file would empty it
    // for its other names too, and some file systems write a file emptied and written
    // again to disk at once.
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::unlink(path.c_str());
    return lib_fd_t(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
}

bool lib_replace_own_file(const std::string &from, const std::string &to)
{
    const std::string aside = to + ".old";
    ::unlink(aside.c_str());
    const bool had = ::rename(to.c_str(), aside.c_str()) == 0;
    if (::rename(from.c_str(), to.c_str()) != 0) {
        if (had)
            ::rename(aside.c_str(), to.c_str());
        return false;
    }
    if (had)
        ::unlink(aside.c_str());
    return true;
}

lib_fd_t lib_create_new(const std::string &path, int *error)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && error)
        *error = errno;
    return lib_fd_t(fd);
}

lib_fd_t lib_create_fresh(const std::string &path)
{
    // Someone could put a new entry there between the removal and the creation: try
    // again a few times rather than ever open what is there.
    for (int attempt = 0; attempt < 3; ++attempt) {
        int error = 0;
        lib_fd_t fd = lib_create_new(path, &error);
        if (fd.ok() || error != EEXIST)
            return fd;
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            break;
    }
    return lib_fd_t();
}

bool lib_remove_own_file(const std::string &path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return ::unlink(path.c_str()) == 0;
}

bool lib_lock_file(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

bool lib_remove_if_unheld(const std::string &path)
{
    lib_fd_t fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st;
    if (!fd.ok() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if (!lib_lock_file(fd.get()))
        return false;
    // The name must still lead to the file whose lock was taken.
    struct stat now;
    if (::lstat(path.c_str(), &now) != 0 || now.st_dev != st.st_dev || now.st_ino != st.st_ino)
        return false;
    return ::unlink(path.c_str()) == 0;
}

namespace {

const char *const k_save_temp_mark = ".ondrix.tmp";
constexpr std::size_t k_save_temp_letters = 6;

bool is_name_char(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

bool lib_is_save_temp_of(const std::string &name, const std::string &destination_name)
{
    const std::string prefix = destination_name + k_save_temp_mark;
    if (name.size() != prefix.size() + k_save_temp_letters || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (!is_name_char(name[i]))
            return false;
    return true;
}

lib_fd_t lib_create_save_temp(const std::string &destination, std::string &temp_path)
{
    const std::size_t slash = destination.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : destination.substr(0, slash + 1);
    const std::string name = destination.substr(dir.size());
    if (DIR *d = ::opendir(dir.empty() ? "." : dir.c_str())) {
        std::vector<std::string> stale;
        while (struct dirent *e = ::readdir(d))
            if (lib_is_save_temp_of(e->d_name, name))
                stale.push_back(dir + e->d_name);
        ::closedir(d);
        for (const std::string &p : stale)
            lib_remove_if_unheld(p);
    }

    static const char k_chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device seed;
    std::mt19937 gen(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = destination + k_save_temp_mark;
        for (std::size_t i = 0; i < k_save_temp_letters; ++i)
            candidate += k_chars[gen() % (sizeof k_chars - 1)];
        int error = 0;
        lib_fd_t fd = lib_create_new(candidate, &error);
        if (fd.ok()) {
            lib_lock_file(fd.get());
            temp_path = candidate;
            return fd;
        }
        if (error != EEXIST)
            break;
    }
    return lib_fd_t();
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
