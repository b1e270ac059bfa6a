#pragma once
// cfg_builtin_wave_map_t: the short names "M0".."M200" of the driver layer's built-in
// arbitrary waves, each mapped to the wave index the driver stores it under. The root
// fills one at start-up; the lookups, the loader and the raw file reader are offered to
// callers.
#include "lib_types.h"

#include <map>
#include <string>
#include <vector>

class cfg_builtin_wave_map_t
{
public:
    // The largest file read_file takes: 2^25 bytes plus one.
    static constexpr long long max_file_bytes = 33554433LL;

    cfg_builtin_wave_map_t();

    // Inserts the 201 names in ascending number; a name already present is kept.
    void fill();
    // The wave index of the name (exact bytes), or 0 when there is none. A hit prints
    // the index and the name.
    int get_index(const std::string &name) const;
    // Asks the driver for the named wave's samples; 1 also when the name is unknown.
    int load_wave(const std::string &name, std::vector<int16> &samples) const;
    // The file's bytes as consecutive little-endian 16-bit values (an odd last byte is
    // dropped): 1, or -13 when the file does not open, is longer than max_file_bytes
    // or cannot be read; samples is left as it was on failure.
    int read_file(const std::string &path, std::vector<int16> &samples) const;

    std::size_t size() const { return names.size(); }

private:
    std::map<std::string, int32> names;
};
