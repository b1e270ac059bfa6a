#pragma once
#include "lib_file_io.h"

#include <string>

// The scratch file in which a whole new content for a sample store is written before it
// takes the store's place ("..._temp.bin" beside the store's file). It is made afresh,
// so a leftover or a link planted at that name is removed, never written through.
class lib_wv_scratch_t
{
public:
    explicit lib_wv_scratch_t(const std::string &store_path);
    // Removes the scratch file unless it was committed.
    ~lib_wv_scratch_t();
    lib_wv_scratch_t(const lib_wv_scratch_t &) = delete;
    lib_wv_scratch_t &operator=(const lib_wv_scratch_t &) = delete;

    bool ok() const { return m_fd.ok(); }
    int fd() const { return m_fd.get(); }
    // Renames the scratch file over the store's file; false when the rename failed.
    bool commit();

private:
    std::string m_store;
    std::string m_path;
    lib_fd_t m_fd;
    bool m_done = false;
};
