#pragma once
#include "lib_file_io.h"
#include "lib_types.h"

#include <cstddef>
#include <memory>
#include <string>

// A text file read chunk by chunk, the unconsumed rest of each chunk kept in front of
// the next. One buffer serves the whole file: sized to the file (a small file never
// costs a chunk's worth of memory), never filled with zeros, and reused for every
// chunk. It is kept for the next file too: fresh memory costs a page fault per page,
// which the process pays once instead of at every open.
class cfg_text_file_t
{
public:
    cfg_text_file_t();
    ~cfg_text_file_t();
    cfg_text_file_t(const cfg_text_file_t &) = delete;
    cfg_text_file_t &operator=(const cfg_text_file_t &) = delete;

    // False when the file cannot be opened.
    bool open(const std::string &path);
    // Drops the text before pos (pos becomes 0) and appends the next `chunk` bytes;
    // sets file_end when fewer come. The bytes read, -1 when file_end was already set,
    // or -9 (the text emptied) when memory runs out.
    int read(int chunk, bool &file_end, std::size_t &pos);
    const char *data() const { return m_buf.get(); }
    std::size_t size() const { return m_len; }
    // The start of the text up to the end of every line that the searches of the first
    // chunk look at (the first line, and the first line holding each of `keys`): they
    // find there what they would find in the whole text. The whole text when one of
    // those lines has no end in it.
    std::string head(const char *const *keys, std::size_t key_count) const;
    // Closes the file and gives the buffer back (for the next file).
    void release();

private:
    bool reserve(std::size_t bytes);

    lib_fd_t m_fd;
    bool m_kept = false; // the buffer is the one kept between files
    std::unique_ptr<char[]> m_buf;
    std::size_t m_cap = 0;
    std::size_t m_len = 0;
    uint64 m_left = 0; // bytes of the file not read yet, as its length said at the open
};
