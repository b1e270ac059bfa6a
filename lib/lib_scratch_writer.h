#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "lib_wv_scratch.h"

// Writes a new content for a store into its scratch file, piece by piece, and puts it in
// place of the store's file only when every piece was written: a failed edit leaves
// the samples as they were.
class lib_scratch_writer_t
{
public:
    explicit lib_scratch_writer_t(const std::string &store_path);
    lib_scratch_writer_t(const lib_scratch_writer_t &) = delete;
    lib_scratch_writer_t &operator=(const lib_scratch_writer_t &) = delete;

    // Appends `bytes` of the file `src_path` from `first_byte` on; a source that cannot be
    // read, or a piece cut short, is a failure.
    void append_from(const std::string &src_path, std::uint64_t first_byte, std::uint64_t bytes);
    // Appends `bytes` from memory.
    void append(const void *data, std::size_t bytes);
    // False once a piece could not be written.
    bool ok() const { return m_ok; }
    bool commit();

private:
    std::string m_store;
    lib_wv_scratch_t m_scratch;
    bool m_ok;
    std::uint64_t m_size = 0;
};
