#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Owns one open file descriptor and closes it.
class lib_fd_t
{
public:
    lib_fd_t() = default;
    explicit lib_fd_t(int fd) : m_fd(fd) {}
    ~lib_fd_t() { reset(); }
    lib_fd_t(const lib_fd_t &) = delete;
    lib_fd_t &operator=(const lib_fd_t &) = delete;
    lib_fd_t(lib_fd_t &&o) noexcept : m_fd(o.m_fd) { o.m_fd = -1; }
    lib_fd_t &operator=(lib_fd_t &&o) noexcept;

    int get() const { return m_fd; }
    bool ok() const { return m_fd >= 0; }
    void reset(int fd = -1);
    int release();

private:
    int m_fd = -1;
};

lib_fd_t lib_open_read(const std::string &path);
// The program's own files (sample stores and their scratch files) are never written
// through a symbolic link: a link planted at their name makes the open fail instead.
// Nor is a file with more than one name (an undo snapshot shares its file with the
// document it was taken from) ever written in place: opening such a file for writing
// first gives this name a file of its own, a copy (lib_open_rw) or an empty one
// (lib_open_trunc).
lib_fd_t lib_open_rw(const std::string &path);       // existing own file, read and write
lib_fd_t lib_open_trunc(const std::string &path);    // own file, made anew, write only
// Gives `path` its own copy of a file it shares with other names; true when the file is
// now this name's alone (or was already). On failure the name keeps the shared file.
bool lib_unshare_file(const std::string &path);
// Puts the own file `from` in place of the own file `to` (which may be missing). Not by
// renaming over `to`: some file systems write a file renamed over another to disk at
// once, which a scratch file of the program does not need; `to` is set aside first and
// put back should the rename fail. False then.
bool lib_replace_own_file(const std::string &from, const std::string &to);
// True when `path` names a regular file that has other names too.
bool lib_file_is_shared(const std::string &path);
// True when both paths name the same file.
bool lib_same_file(const std::string &a, const std::string &b);
// Creates a new file, read and write, that did not exist before (no link followed).
// `error` receives errno on failure.
lib_fd_t lib_create_new(const std::string &path, int *error = nullptr);
// Creates a new file at `path` whatever stands there: an old file or a link of that
// name is removed first, never followed.
lib_fd_t lib_create_fresh(const std::string &path);
bool lib_file_exists(const std::string &path);
// Length of a file in bytes; -1 when it cannot be read.
std::int64_t lib_file_length(const std::string &path);

// Removes the regular file at `path` when it belongs to this user (never a link, a
// folder or another user's file); true when it was removed.
bool lib_remove_own_file(const std::string &path);
// An advisory lock that tells a file being written apart from a leftover: the writer
// holds it for as long as it writes.
bool lib_lock_file(int fd);
// Removes the regular file at `path` when it belongs to this user and no process holds
// its lock; true when it was removed.
bool lib_remove_if_unheld(const std::string &path);

// Save temporaries: "<destination>.ondrix.tmp" followed by six letters or digits, in
// the destination's folder. Creating one first removes the stale ones of the same
// destination (left by a save that was killed; no live process holds them), then
// makes a new one exclusively and locks it. `temp_path` receives its name.
lib_fd_t lib_create_save_temp(const std::string &destination, std::string &temp_path);
// True when `name` (a bare file name) is a save temporary of `destination_name`.
bool lib_is_save_temp_of(const std::string &name, const std::string &destination_name);

// Whole reads and writes at a byte offset, retried until done. They return the number
// of bytes moved (less than asked only at the end of a file or on an error).
std::size_t lib_pread_all(int fd, void *buf, std::size_t bytes, std::uint64_t offset);
std::size_t lib_pwrite_all(int fd, const void *buf, std::size_t bytes, std::uint64_t offset);

// Copies `bytes` from one file to another inside the kernel where it can, else through
// the shared transfer buffer. Returns the bytes copied.
std::uint64_t lib_copy_bytes(int in_fd, std::uint64_t in_off, int out_fd, std::uint64_t out_off,
                             std::uint64_t bytes);

// One bounded buffer reused by every bulk transfer on this thread, so an edit of a huge
// waveform neither allocates per call nor holds more than a few MiB.
constexpr std::size_t LIB_TRANSFER_BYTES = 4u << 20;
char *lib_transfer_buffer();
