#pragma once
#include "lib_file_io.h"

#include <cstddef>
#include <string>

// Writes a file so that a failed save never harms the file it replaces: the data goes
// to a save temporary ("<destination>.ondrix.tmpXXXXXX") in the same folder and is
// renamed over the destination only when complete. A destination that exists but may
// not be written, or a loop of links, is refused up front; a symbolic link is
// followed, so the link stays and its target is replaced.
class cfg_safe_save_t
{
public:
    cfg_safe_save_t() = default;
    ~cfg_safe_save_t();
    cfg_safe_save_t(const cfg_safe_save_t &) = delete;
    cfg_safe_save_t &operator=(const cfg_safe_save_t &) = delete;

    // 0, or -13 when the destination cannot be written.
    int open(const std::string &destination);
    // Appends bytes; false (and every later call fails) when the write fell short.
    bool write(const void *data, std::size_t bytes);
    // Copies `bytes` from an open file; false when not all of them arrived.
    bool copy_from(int in_fd, std::uint64_t bytes);
    // Puts the finished file in place: 0, or -13.
    int commit();

    const std::string &target_path() const { return target; }

private:
    std::string target;
    std::string temp;
    lib_fd_t file;
    std::uint64_t written = 0;
    bool failed = false;
};
