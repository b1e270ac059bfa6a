#include "plat_fs.h"

#include <cerrno>
#include <climits>
#include <unistd.h>
#include <vector>

std::string plat_getcwd(bool *readable)
{
    if (readable)
        *readable = false;
    std::vector<char> buf(PATH_MAX > 0 ? PATH_MAX : 4096);
    for (;;) {
        if (::getcwd(buf.data(), buf.size()))
            break;
        if (errno != ERANGE)
            return std::string();
        buf.resize(buf.size() * 2);
    }
    // A folder outside the process's root comes back as "(unreachable)/...": no usable
    // path either.
    if (buf[0] != '/')
        return std::string();
    if (readable)
        *readable = true;
    std::string dir(buf.data());
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir == "/")
        dir.clear(); // callers append "/" themselves
    return dir;
}

int plat_chsize(int fd, std::uint64_t bytes)
{
    if (bytes > static_cast<std::uint64_t>(INT64_MAX))
        return EINVAL;
    if (::ftruncate(fd, static_cast<off_t>(bytes)) != 0)
        return errno ? errno : EIO;
    return 0;
}
