#pragma once
#include "cfg_if_wv.h"
#include "lib_wv_data.h"

#include <vector>

// Small helpers of the cfg tests.
inline std::vector<short int> samples_of(const lib_wv_data_t<short int> &rec)
{
    std::vector<short int> v;
    rec.read_all(v);
    return v;
}

inline std::vector<short int> samples_of(cfg_if_wv_t &wv) { return samples_of(*wv.get_wv_data()); }

inline void set_samples(lib_wv_data_t<short int> &rec, const std::vector<short int> &v)
{
    rec.samples.truncate(0);
    if (!v.empty())
        rec.samples.write(0, v.data(), uint32(v.size()));
}

inline void set_samples(cfg_if_wv_t &wv, const std::vector<short int> &v) { set_samples(*wv.get_wv_data(), v); }
