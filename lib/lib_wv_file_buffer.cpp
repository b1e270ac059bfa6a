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
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char *const k_stem = ".wave_data_buffer";
constexpr uint32 k_fill_chunk = 20971520;

// One flag for the whole process, whatever the element type: a second sweep would
// delete the files of live stores.
bool g_sweep_pending = true;

// Which names are live, across processes: one lock file per folder, in which a live
// store holds a lock on the byte whose offset is its name's number (0 for the
// unnumbered name). One descriptor per folder serves every store of the process,
// however many undo snapshots there are, and the mark does not depend on the sample
// file's inode, which whole-file edits replace.
const char *const k_lock_name = ".ondrix_sample_files.lock";

std::mutex g_names_mutex;

// This process's live names: the number of stores naming each (a name stays taken
// until the last of them is gone, because destructors delete by path) and its mark.
struct live_name_t
{
    int stores = 0;
    int lock_fd = -1;
    unsigned long number = 0;
};

std::map<std::string, live_name_t> &live_names()
{
    static std::map<std::string, live_name_t> names;
    return names;
}

// The lock file of a folder, opened once; -1 when it cannot be had.
int lock_file_of(const std::string &dir)
{
    static std::map<std::string, lib_fd_t> files;
    auto it = files.find(dir);
    if (it != files.end() && it->second.ok())
        return it->second.get();
    const std::string path = dir + k_lock_name;
    // Read access is enough for read locks, should another user's file stand there.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    files[dir] = lib_fd_t(fd);
    return fd;
}

struct flock byte_lock(short type, unsigned long number)
{
    struct flock l;
    std::memset(&l, 0, sizeof l);
    l.l_type = type;
    l.l_whence = SEEK_SET;
    l.l_start = static_cast<off_t>(number);
    l.l_len = 1;
    return l;
}

// Marks a number live; false when another process (or another store here) has it.
bool mark_number(int fd, unsigned long number)
{
    const bool writable = (::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDWR;
    struct flock l = byte_lock(writable ? F_WRLCK : F_RDLCK, number);
    return ::fcntl(fd, F_OFD_SETLK, &l) == 0;
}

void unmark_number(int fd, unsigned long number)
{
    struct flock l = byte_lock(F_UNLCK, number);
    ::fcntl(fd, F_OFD_SETLK, &l);
}

// True when another open description of the lock file (another process) marks the number.
bool marked_elsewhere(int fd, unsigned long number)
{
    struct flock l = byte_lock(F_WRLCK, number);
    return ::fcntl(fd, F_OFD_GETLK, &l) != 0 || l.l_type != F_UNLCK;
}

void retain_name(const std::string &p)
{
    if (p.empty())
        return;
    std::lock_guard<std::mutex> lock(g_names_mutex);
    ++live_names()[p].stores;
}

// Returns true when no store names the file any more; its mark is then given up.
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
    if (it->second.lock_fd >= 0)
        unmark_number(it->second.lock_fd, it->second.number);
    names.erase(it);
    return true;
}

std::string name_numbered(const std::string &dir, unsigned long n)
{
    return n == 0 ? dir + k_stem + ".bin" : dir + k_stem + "_" + std::to_string(n) + ".bin";
}

// Picks the first name that is neither live (here or in another process) nor on disk,
// marks it and creates its file (never through a link). A file that cannot be created
// still reserves the name.
std::string claim_name(const std::string &dir)
{
    std::lock_guard<std::mutex> lock(g_names_mutex);
    auto &names = live_names();
    const int lock_fd = lock_file_of(dir);
    for (unsigned long n = 0;; ++n) {
        const std::string candidate = name_numbered(dir, n);
        if (names.count(candidate))
            continue;
        // Marked before it is made: a sweep elsewhere never sees it unmarked.
        if (lock_fd >= 0 && !mark_number(lock_fd, n))
            continue;
        int error = 0;
        lib_fd_t fd = lib_create_new(candidate, &error);
        if (!fd.ok() && error == EEXIST) {
            if (lock_fd >= 0)
                unmark_number(lock_fd, n);
            continue;
        }
        if (!fd.ok())
            lib_diag_err("Error: cannot create sample file " + candidate + "\n");
        live_name_t &entry = names[candidate];
        entry.stores = 1;
        entry.lock_fd = lock_fd;
        entry.number = n;
        return candidate;
    }
}

// The number of a sample-file or companion name (0 for the unnumbered one); false for
// any other name.
bool parse_buffer_name(const std::string &name, unsigned long &number)
{
    // ".wave_data_buffer" ["_" number] ["_math_temp_data"] ".bin"; numbers are written
    // without leading zeros, so "_01" is someone else's file.
    const std::string stem = k_stem;
    if (name.compare(0, stem.size(), stem) != 0)
        return false;
    std::size_t p = stem.size();
    number = 0;
    if (p + 1 < name.size() && name[p] == '_' && name[p + 1] >= '1' && name[p + 1] <= '9') {
        ++p;
        const std::size_t first = p;
        while (p < name.size() && std::isdigit((unsigned char)name[p]))
            ++p;
        if (p - first > 18)
            return false; // no number of ours is that long
        number = std::stoul(name.substr(first, p - first));
    }
    const std::string math = "_math_temp_data";
    if (name.compare(p, math.size(), math) == 0)
        p += math.size();
    return name.compare(p, std::string::npos, ".bin") == 0;
}

void file_failed()
{
    lib_diag_err("Error: file failed to load");
}

} // namespace

bool lib_is_wave_buffer_name(const std::string &name)
{
    unsigned long number = 0;
    return parse_buffer_name(name, number);
}

void lib_remove_wave_buffer_files(const std::string &dir)
{
    std::lock_guard<std::mutex> lock(g_names_mutex);
    const int lock_fd = lock_file_of(dir);
    if (lock_fd < 0)
        return; // live files cannot be told from leftovers: leave everything
    DIR *d = ::opendir(dir.c_str());
    if (!d)
        return;
    std::vector<std::pair<std::string, unsigned long>> found;
    while (struct dirent *e = ::readdir(d)) {
        unsigned long number = 0;
        if (parse_buffer_name(e->d_name, number))
            found.emplace_back(dir + e->d_name, number);
    }
    ::closedir(d);
    const auto &names = live_names();
    for (const auto &f : found) {
        // A companion goes with its store: both stay while the name is live anywhere.
        if (names.count(name_numbered(dir, f.second)) || marked_elsewhere(lock_fd, f.second))
            continue;
        lib_remove_own_file(f.first);
    }
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
    lib_fd_t fd = lib_open_read(path);
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
