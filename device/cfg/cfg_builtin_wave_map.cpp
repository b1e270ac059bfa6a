#include "cfg_builtin_wave_map.h"

#include "drv_interface.h"
#include "gos.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace
{
// The driver's index of the wave named "M" n: the unnamed indices 0, 1, 31..33 and
// 202..216 are skipped.
int32 index_of_number(int n)
{
    if (n <= 28)
        return n + 2;
    if (n <= 196)
        return n + 5;
    return n + 20;
}

// Closes the descriptor when the reader leaves.
class fd_guard_t
{
public:
    explicit fd_guard_t(int fd) : fd(fd) {}
    ~fd_guard_t()
    {
        if (fd >= 0)
            ::close(fd);
    }
    fd_guard_t(const fd_guard_t &) = delete;
    fd_guard_t &operator=(const fd_guard_t &) = delete;
    int get() const { return fd; }

private:
    int fd;
};
} // namespace

cfg_builtin_wave_map_t::cfg_builtin_wave_map_t()
{
    fill();
}

void cfg_builtin_wave_map_t::fill()
{
    for (int n = 0; n <= 200; ++n)
        names.emplace("M" + std::to_string(n), index_of_number(n));
}

int cfg_builtin_wave_map_t::get_index(const std::string &name) const
{
    const auto it = names.find(name);
    if (it == names.end())
        return 0;
    gos_printf("-----iter->second:%d\n", static_cast<int>(it->second));
    gos_printf("-----iter->first:%s\n", it->first.c_str());
    return it->second;
}

int cfg_builtin_wave_map_t::load_wave(const std::string &name, std::vector<int16> &samples) const
{
    const auto it = names.find(name);
    if (it == names.end())
        return 1;
    gos_printf("++++iter->second:%d\n", static_cast<int>(it->second));
    gos_printf("++++iter->first:%s\n", it->first.c_str());
    drv_interface_t::get_instance()->get_builtin_wave_data(it->second, samples, 0.0f);
    return 1;
}

int cfg_builtin_wave_map_t::read_file(const std::string &path, std::vector<int16> &samples) const
{
    fd_guard_t file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return -13;
    const off_t length = ::lseek(file.get(), 0, SEEK_END);
    if (length < 0 || ::lseek(file.get(), 0, SEEK_SET) != 0 || length > max_file_bytes)
        return -13;
    // Read straight into the sample store (one spare value for an odd byte); the
    // caller's vector changes only after the whole file arrived.
    const std::size_t bytes = static_cast<std::size_t>(length);
    std::vector<int16> data((bytes + 1) / 2);
    char *at = reinterpret_cast<char *>(data.data());
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t got = ::read(file.get(), at + done, bytes - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return -13;
        done += static_cast<std::size_t>(got);
    }
    data.resize(bytes / 2);
    samples.swap(data);
    return 1;
}
