#pragma once
#include "lib_file_io.h"
#include "lib_types.h"

#include <cstddef>
#include <string>

// A text file read chunk by chunk, the unconsumed rest of each chunk kept in front of
// the next. One buffer serves the whole file: sized to the file (a small file never
// costs a chunk's worth of memory), made once and reused for every chunk.
class cfg_text_file_t
{
public:
    // False when the file cannot be opened.
    bool open(const std::string &path);
    // Drops the text before pos (pos becomes 0) and appends the next `chunk` bytes;
    // sets file_end when fewer come. The bytes read, -1 when file_end was already set,
    // or -9 (the text emptied) when memory runs out.
    int read(int chunk, bool &file_end, std::size_t &pos);
    const char *data() const { return m_buf.data(); }
    std::size_t size() const { return m_len; }
    // The text as a string, for the searches of the first chunk.
    const std::string &text();
    // Closes the file and gives the buffer back.
    void release();

private:
    lib_fd_t m_fd;
    std::string m_buf;
    std::size_t m_len = 0;
    uint64 m_left = 0; // bytes of the file not read yet, as its length said at the open
};
