#pragma once
#include "lib_types.h"
#include "lib_wv_file_buffer.h"

#include <functional>
#include <string>
#include <vector>

// `count` samples of the sample file `path` from sample `first` on: a stretch of the
// content an edit writes anew.
struct lib_wv_piece_t
{
    std::string path;
    uint64 first;
    uint64 count;
};

// A waveform's samples (file-backed) with the amplitude and offset that give them
// volts, and a frequency. Used as lib_wv_data_t<short int>.
template <typename T>
class lib_wv_data_t
{
public:
    lib_wv_data_t() : amp(2.0f), offset(0.0f), freq(1000.0) {}

    void read_all(std::vector<T> &out) const;
    // Copies the other record's samples, amplitude and offset; the frequency stays.
    // False when the copy could not be made whole: this record is then unchanged.
    bool assign(const lib_wv_data_t &other);
    // The same without copying: this record's file becomes another name of the other's
    // file (a copy where the file system has no such names). Every write in place gives
    // a name a file of its own first (lib_open_rw), so the two never change together.
    bool share(const lib_wv_data_t &other);
    void clear();
    // The edits below rewrite the file; false when the new file could not be written
    // whole (a full disk), the samples then unchanged.
    bool erase_points(std::vector<uint32> &indices);
    bool erase_range(uint32 first, uint32 last);
    bool replace_range(uint32 first, uint32 last, const lib_wv_data_t &source);
    // The stretches, in order, of the content the two edits above write (empty when the
    // edit changes nothing).
    std::vector<lib_wv_piece_t> erase_pieces(uint32 first, uint32 last) const;
    std::vector<lib_wv_piece_t> replace_pieces(uint32 first, uint32 last, const lib_wv_data_t &source) const;
    // Writes the pieces as the new samples; false when the new file could not be
    // written whole, the samples then unchanged.
    bool rewrite(const std::vector<lib_wv_piece_t> &pieces);
    // The same with the new file written by `write` (given its descriptor; true when
    // every sample was written).
    bool rewrite_with(const std::function<bool(int fd)> &write);
    void resize(uint32 count, T fill);

    float amp;
    float offset;
    double freq;
    lib_wv_file_buffer_t<T> samples;
};

extern template class lib_wv_data_t<short int>;
