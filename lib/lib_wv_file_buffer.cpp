#include "lib_wv_file_buffer.h"

#include "lib_diag.h"
#include "lib_file_io.h"
#include "plat_fs.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <map>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

const char *const k_stem = ".wave_data_buffer";
constexpr uint32 k_fill_chunk = 20971520;

// One flag for the whole process, whatever the element type: a second sweep would
// delete the files of live stores.
bool g_sweep_pending = true;

// Live sample-file names: the number of stores naming each, and the descriptor through
// which this process holds the file's lock (other processes' sweeps leave it alone). A
// name stays taken until the last store naming it is gone, because destructors delete
// by path.
struct live_name_t
{
    int stores = 0;
    lib_fd_t lock;
};

std::mutex g_names_mutex;
std::map<std::string, live_name_t> &live_names()
{
    static std::map<std::string, live_name_t> names;
    return names;
}

void retain_name(const std::string &p)
{
    if (p.empty())
        return;
    std::lock_guard<std::mutex> lock(g_names_mutex);
    ++live_names()[p].stores;
}

// Returns true when no store names the file any more; its lock is then given up.
bool release_name(const std::string &p)
{
    if (p.empty())
        return false;
    std::lock_guard<std::mutex> lock(g_names_mutex);
    auto &names = live_names();
    auto it = names.find(p);
    if (it == names.end())
        return true;
    if (--it->second.stores > 0)
        return false;
    names.erase(it);
    return true;
}

// Picks the first name that is neither live nor on disk, creates its file (never
// through a link) and locks it. A file that cannot be created still reserves the name.
std::string claim_name(const std::string &dir)
{
    std::lock_guard<std::mutex> lock(g_names_mutex);
    auto &names = live_names();
    std::string candidate = dir + k_stem + ".bin";
    for (unsigned long n = 1;; ++n) {
        if (!names.count(candidate)) {
            int error = 0;
            lib_fd_t fd = lib_create_new(candidate, &error);
            if (fd.ok() || error != EEXIST) {
                live_name_t &entry = names[candidate];
                entry.stores = 1;
                if (fd.ok()) {
                    lib_lock_file(fd.get());
                    entry.lock = std::move(fd);
                } else {
                    lib_diag_err("Error: cannot create sample file " + candidate + "\n");
                }
                return candidate;
            }
        }
        candidate = dir + k_stem + "_" + std::to_string(n) + ".bin";
    }
}

void file_failed()
{
    lib_diag_err("Error: file failed to load");
}

} // namespace

bool lib_is_wave_buffer_name(const std::string &name)
{
    // ".wave_data_buffer" ["_" number] ["_math_temp_data"] ".bin"; numbers are written
    // without leading zeros, so "_01" is someone else's file.
    const std::string stem = k_stem;
    if (name.compare(0, stem.size(), stem) != 0)
        return false;
    std::size_t p = stem.size();
    if (p + 1 < name.size() && name[p] == '_' && name[p + 1] >= '1' && name[p + 1] <= '9') {
        ++p;
        while (p < name.size() && std::isdigit((unsigned char)name[p]))
            ++p;
    }
    const std::string math = "_math_temp_data";
    if (name.compare(p, math.size(), math) == 0)
        p += math.size();
    return name.compare(p, std::string::npos, ".bin") == 0;
}

void lib_remove_wave_buffer_files(const std::string &dir)
{
    DIR *d = ::opendir(dir.c_str());
    if (!d)
        return;
    std::vector<std::string> doomed;
    while (struct dirent *e = ::readdir(d)) {
        if (lib_is_wave_buffer_name(e->d_name))
            doomed.push_back(dir + e->d_name);
    }
    ::closedir(d);
    const std::string math = "_math_temp_data.bin";
    for (const std::string &p : doomed) {
        // A companion goes with its store: not while a live process holds the store.
        const bool companion = p.size() > math.size() && p.compare(p.size() - math.size(), math.size(), math) == 0;
        if (companion && lib_file_is_held(p.substr(0, p.size() - math.size()) + ".bin"))
            continue;
        lib_remove_if_unheld(p);
    }
}

void lib_wv_hold_file(const std::string &store_path, lib_fd_t lock)
{
    std::lock_guard<std::mutex> guard(g_names_mutex);
    auto &names = live_names();
    auto it = names.find(store_path);
    if (it != names.end())
        it->second.lock = std::move(lock);
}

std::string lib_wv_companion_path(const std::string &store_path)
{
    return store_path.substr(0, store_path.rfind('.')) + "_math_temp_data.bin";
}

std::string lib_wv_scratch_path(const std::string &store_path)
{
    return store_path.substr(0, store_path.rfind('.')) + "_temp.bin";
}

template <typename T>
lib_wv_file_buffer_t<T>::lib_wv_file_buffer_t() : naming_pending(true), cache_index(0), cache_value(0)
{
    init();
}

template <typename T>
lib_wv_file_buffer_t<T>::lib_wv_file_buffer_t(const lib_wv_file_buffer_t &other)
    : naming_pending(other.naming_pending), cache_index(other.cache_index),
      cache_value(other.cache_value), path(other.path)
{
    retain_name(path);
}

template <typename T>
lib_wv_file_buffer_t<T> &lib_wv_file_buffer_t<T>::operator=(const lib_wv_file_buffer_t &other)
{
    if (this == &other)
        return *this;
    if (path != other.path) {
        retain_name(other.path);
        // A file that no store names any more could only leak until the next run.
        if (release_name(path))
            std::remove(path.c_str());
    }
    naming_pending = other.naming_pending;
    cache_index = other.cache_index;
    cache_value = other.cache_value;
    path = other.path;
    return *this;
}

template <typename T>
lib_wv_file_buffer_t<T>::~lib_wv_file_buffer_t()
{
    if (!path.empty())
        std::remove(path.c_str());
    release_name(path);
}

template <typename T>
void lib_wv_file_buffer_t<T>::init()
{
    bool readable = false;
    const std::string cwd = plat_getcwd(&readable);
    if (!readable) {
        // Never fall back to "/" or another folder: the store stays without a file, and
        // its owner reports that it has none.
        lib_diag_err("Error: the working folder cannot be read; no sample file is made\n");
        return;
    }
    const std::string dir = cwd + "/";
    sweep_stale_files(dir);
    if (naming_pending && path.empty()) {
        path = claim_name(dir);
        naming_pending = false;
    }
    lib_diag_line("data path = " + path);
}

template <typename T>
void lib_wv_file_buffer_t<T>::sweep_stale_files(const std::string &dir)
{
    {
        std::lock_guard<std::mutex> lock(g_names_mutex);
        if (!g_sweep_pending)
            return;
        g_sweep_pending = false;
    }
    lib_remove_wave_buffer_files(dir);
}

template <typename T>
uint32 lib_wv_file_buffer_t<T>::size() const
{
    std::int64_t len = lib_file_length(path);
    if (len <= 0)
        return 0;
    std::uint64_t n = static_cast<std::uint64_t>(len) / sizeof(T);
    return n > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<uint32>(n);
}

template <typename T>
void lib_wv_file_buffer_t<T>::at(const uint32 &index, T *result) const
{
    uint32 n = size();
    lib_fd_t fd = lib_open_rw(path);
    if (!fd.ok()) {
        file_failed();
        *result = 0;
        return;
    }
    if (n == 0) {
        *result = 0;
        return;
    }
    uint32 pos = index < n ? index : n - 1;
    T v = 0;
    if (lib_pread_all(fd.get(), &v, sizeof(T), std::uint64_t(pos) * sizeof(T)) != sizeof(T))
        v = 0;
    *result = v;
}

template <typename T>
T &lib_wv_file_buffer_t<T>::operator[](uint32 index)
{
    at(index, &cache_value);
    cache_index = index;
    return cache_value;
}

template <typename T>
void lib_wv_file_buffer_t<T>::set(const uint32 &index, T value)
{
    cache_index = index;
    lib_fd_t fd = lib_open_rw(path);
    if (!fd.ok()) {
        file_failed();
        return;
    }
    lib_pwrite_all(fd.get(), &value, sizeof(T), std::uint64_t(index) * sizeof(T));
}

template <typename T>
uint32 lib_wv_file_buffer_t<T>::read(uint32 start, T *buffer, uint32 count) const
{
    uint32 n = size();
    lib_fd_t fd = lib_open_read(path);
    if (!fd.ok()) {
        file_failed();
        return 0;
    }
    if (n == 0 || count == 0)
        return 0;
    uint32 pos = start;
    uint32 k = count;
    if (start < n) {
        if (std::uint64_t(start) + count > n)
            k = n - start;
    } else {
        pos = n - 1;
        k = 1;
    }
    std::size_t got = lib_pread_all(fd.get(), buffer, std::size_t(k) * sizeof(T), std::uint64_t(pos) * sizeof(T));
    return static_cast<uint32>(got / sizeof(T));
}

template <typename T>
void lib_wv_file_buffer_t<T>::write(uint32 start, const T *data, uint32 count)
{
    uint32 n = size();
    lib_fd_t fd = lib_open_rw(path);
    if (!fd.ok()) {
        file_failed();
        return;
    }
    uint32 pos = start < n ? start : n;
    lib_pwrite_all(fd.get(), data, std::size_t(count) * sizeof(T), std::uint64_t(pos) * sizeof(T));
}

template <typename T>
void lib_wv_file_buffer_t<T>::resize(const uint32 &count, T fill)
{
    uint32 c = size();
    lib_diag_line("inside resize:" + std::to_string(count));
    lib_fd_t fd = lib_open_rw(path);
    if (!fd.ok()) {
        file_failed();
        return;
    }
    if (count < c) {
        fd.reset();
        truncate(count);
        return;
    }
    if (count == c)
        return;
    std::uint64_t at_byte = std::uint64_t(c) * sizeof(T);
    std::uint64_t end_byte = std::uint64_t(count) * sizeof(T);
    T zero = 0;
    if (std::memcmp(&fill, &zero, sizeof(T)) == 0) {
        // Zero fill: extend the file; the new bytes read as zeros without being written.
        if (plat_chsize(fd.get(), end_byte) != 0)
            lib_diag_err("Error: cannot grow sample file " + path + "\n");
        return;
    }
    const uint32 chunk_elems = static_cast<uint32>(
        std::min<std::size_t>(k_fill_chunk, LIB_TRANSFER_BYTES / sizeof(T)));
    T *buf = reinterpret_cast<T *>(lib_transfer_buffer());
    for (uint32 i = 0; i < chunk_elems; ++i)
        buf[i] = fill;
    while (at_byte < end_byte) {
        std::size_t step = static_cast<std::size_t>(
            std::min<std::uint64_t>(end_byte - at_byte, std::uint64_t(chunk_elems) * sizeof(T)));
        if (lib_pwrite_all(fd.get(), buf, step, at_byte) != step) {
            lib_diag_err("Error: cannot grow sample file " + path + "\n");
            return;
        }
        at_byte += step;
    }
}

template <typename T>
void lib_wv_file_buffer_t<T>::truncate(const uint32 &count)
{
    uint32 c = size();
    if (count >= c)
        return;
    lib_fd_t fd = lib_open_rw(path);
    if (!fd.ok()) {
        lib_diag_line("truncate file open error" + path);
        lib_diag_line("win truncate failed");
        return;
    }
    int rc = plat_chsize(fd.get(), std::uint64_t(count) * sizeof(T));
    lib_diag_line(rc == 0 ? "win truncate successful" : "win truncate failed");
}

template class lib_wv_file_buffer_t<short int>;
template class lib_wv_file_buffer_t<float>;
