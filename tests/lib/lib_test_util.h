#pragma once
#include "lib_wv_data.h"

#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

inline bool file_exists(const std::string &p)
{
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

inline long long file_size(const std::string &p)
{
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 ? (long long)st.st_size : -1;
}

inline void write_file(const std::string &p, const std::string &bytes)
{
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), (std::streamsize)bytes.size());
}

inline std::vector<short> ramp_samples(int n, int start = 0)
{
    std::vector<short> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = (short)(start + i);
    return v;
}

inline void fill_record(lib_wv_data_t<short> &rec, const std::vector<short> &v)
{
    rec.samples.truncate(0);
    write_file(rec.samples.path, std::string((const char *)v.data(), v.size() * sizeof(short)));
}

inline std::vector<short> contents(const lib_wv_data_t<short> &rec)
{
    std::vector<short> v;
    rec.read_all(v);
    return v;
}
