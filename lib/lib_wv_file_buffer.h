#pragma once
#include "lib_types.h"

#include <string>

// A vector of T kept in a temporary file in the working directory, so a waveform of
// tens of millions of samples costs no memory. Nothing is cached: each operation opens
// the file, works, and closes it again.
template <typename T>
class lib_wv_file_buffer_t
{
public:
    lib_wv_file_buffer_t();
    // A copy names the same file as its source (the owners say who keeps it).
    lib_wv_file_buffer_t(const lib_wv_file_buffer_t &other);
    lib_wv_file_buffer_t &operator=(const lib_wv_file_buffer_t &other);
    ~lib_wv_file_buffer_t();

    void init();
    static void sweep_stale_files(const std::string &dir);

    uint32 size() const;
    void at(const uint32 &index, T *result) const;
    T &operator[](uint32 index);
    void set(const uint32 &index, T value);
    uint32 read(uint32 start, T *buffer, uint32 count) const;
    void write(uint32 start, const T *data, uint32 count);
    void resize(const uint32 &count, T fill);
    void truncate(const uint32 &count);

    const std::string &get_path() const { return path; }

    bool naming_pending;
    uint32 cache_index;
    T cache_value;
    std::string path;
};

// True for the file names sample stores and their companions use, numbered or not.
bool lib_is_wave_buffer_name(const std::string &name);
// Removes the files of those names in `dir` (given with its trailing "/") that belong to
// this user and whose name no live store of any process holds; a companion stays
// while its store's name is live.
void lib_remove_wave_buffer_files(const std::string &dir);

// Paths of the scratch files that belong to a sample file.
std::string lib_wv_companion_path(const std::string &store_path); // "..._math_temp_data.bin"
std::string lib_wv_scratch_path(const std::string &store_path);   // "..._temp.bin"

extern template class lib_wv_file_buffer_t<short int>;
extern template class lib_wv_file_buffer_t<float>;
