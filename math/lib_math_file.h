#pragma once
#include "lib_file_io.h"
#include "lib_types.h"

#include <atomic>
#include <string>

// A whole new content for a file, written at any positions (from several threads at
// once) into a scratch file beside it, and put in the file's place only by commit():
// a failed write, a full disk included, leaves the old content as it was.
class lib_math_replace_file_t
{
public:
    // announce: print "clear file" and the target's path, as emptying a record does.
    lib_math_replace_file_t(const std::string &target, bool announce);
    ~lib_math_replace_file_t();
    lib_math_replace_file_t(const lib_math_replace_file_t &) = delete;
    lib_math_replace_file_t &operator=(const lib_math_replace_file_t &) = delete;

    bool ok() const { return m_ok.load(); }
    bool write(const void *data, std::size_t bytes, uint64 offset);
    // Puts the new content in place; false when any step failed.
    bool commit();

private:
    std::string m_target;
    std::string m_scratch;
    lib_fd_t m_fd;
    std::atomic<bool> m_ok;
    bool m_done = false;
};
