#include "cfg_safe_save.h"

#include <climits>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string dir_of(const std::string &path)
{
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return std::string();
    return path.substr(0, slash + 1);
}

// The file a path finally names, following symbolic links (dangling ones too, so a
// save through a link to a file not yet there creates that file).
std::string resolve_links(const std::string &path)
{
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string link(PATH_MAX, '\0');
        ssize_t n = ::readlink(current.c_str(), &link[0], link.size());
        if (n <= 0)
            return current;
        link.resize(static_cast<std::size_t>(n));
        current = link[0] == '/' ? link : dir_of(current) + link;
    }
    return current;
}

} // namespace

cfg_safe_save_t::~cfg_safe_save_t()
{
    if (!temp.empty()) {
        file.reset();
        ::unlink(temp.c_str());
    }
}

int cfg_safe_save_t::open(const std::string &destination)
{
    if (destination.empty())
        return -13;
    target = resolve_links(destination);
    // Still a link after resolving: a loop of links (or one too deep). Renaming over it
    // would replace the link itself with a regular file.
    struct stat link;
    if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        return -13;
    struct stat old;
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return -13;

    file = lib_create_save_temp(target, temp);
    if (!file.ok()) {
        temp.clear();
        return -13;
    }
    if (exists) {
        // The replacement keeps what the user set on the old file.
        // Best effort: only a privileged process may hand a file to another owner.
        int chown_rc = ::fchown(file.get(), old.st_uid, old.st_gid);
        (void)chown_rc;
        ::fchmod(file.get(), old.st_mode & 07777);
    }
    return 0;
}

bool cfg_safe_save_t::write(const void *data, std::size_t bytes)
{
    if (failed || !file.ok())
        return false;
    if (lib_pwrite_all(file.get(), data, bytes, written) != bytes) {
        failed = true;
        return false;
    }
    written += bytes;
    return true;
}

bool cfg_safe_save_t::copy_from(int in_fd, std::uint64_t bytes)
{
    if (failed || !file.ok())
        return false;
    if (lib_copy_bytes(in_fd, 0, file.get(), written, bytes) != bytes) {
        failed = true;
        return false;
    }
    written += bytes;
    return true;
}

int cfg_safe_save_t::commit()
{
    if (failed || !file.ok())
        return -13;
    // On disk before it takes the old file's name: a crash right after the rename must not
    // leave an empty file where the user's good one was.
    if (::fdatasync(file.get()) != 0) {
        failed = true;
        return -13;
    }
    if (::close(file.release()) != 0) {
        failed = true;
        return -13;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        failed = true;
        return -13;
    }
    temp.clear();
    return 0;
}
