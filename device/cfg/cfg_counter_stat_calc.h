#pragma once
// cfg_counter_stat_calc_t: running statistics of one measured quantity (minimum,
// maximum, mean, population standard deviation, range, count) kept from running sums,
// so an update is constant time and allocates nothing. Samples may carry different
// unit codes: minimum and maximum compare in the new sample's unit, the sum keeps its
// own unit, the sum of squares takes the latest sample's unit.
#include "cfg_counter_stat.h"
#include "lib_types.h"
#include "lib_unit_data.h"

class cfg_counter_stat_calc_t
{
public:
    cfg_counter_stat_calc_t() { reset(); }

    // Every record {data, unit, flag}, count 0, the next sample seeds min and max.
    void init(long double data, int32 unit, bool flag);
    // init (0, 14, false); 0.
    int32 reset();
    // One sample; 1.
    int32 add_sample(lib_unit_data_t sample);

    // The head as a snapshot.
    cfg_counter_stat_t snapshot() const;

    // The steps of add_sample, in the order it runs them.
    void add_to_sum(const lib_unit_data_t &s);
    void add_to_sum_sq(const lib_unit_data_t &s);
    void update_min(const lib_unit_data_t &s);
    void update_max(const lib_unit_data_t &s);
    void update_mean();
    void update_stdev();
    void update_range();

    const lib_unit_data_t &get_min() const { return min; }
    const lib_unit_data_t &get_max() const { return max; }
    const lib_unit_data_t &get_mean() const { return mean; }
    const lib_unit_data_t &get_stdev() const { return stdev; }
    const lib_unit_data_t &get_range() const { return range; }
    const lib_unit_data_t &get_sum() const { return sum; }
    const lib_unit_data_t &get_sum_sq() const { return sum_sq; }
    void set_min(const lib_unit_data_t &v) { min = v; }
    void set_max(const lib_unit_data_t &v) { max = v; }
    void set_mean(const lib_unit_data_t &v) { mean = v; }
    void set_stdev(const lib_unit_data_t &v) { stdev = v; }
    void set_range(const lib_unit_data_t &v) { range = v; }
    void set_sum(const lib_unit_data_t &v) { sum = v; }
    void set_sum_sq(const lib_unit_data_t &v) { sum_sq = v; }
    int64 get_count() const { return count; }
    void clear_count() { count = 0; }
    void add_count() { ++count; }
    bool is_first() const { return first; }
    void set_first() { first = true; }
    void clear_first() { first = false; }

private:
    lib_unit_data_t min;
    lib_unit_data_t max;
    lib_unit_data_t mean;
    lib_unit_data_t stdev;
    lib_unit_data_t range;
    int64 count = 0;
    lib_unit_data_t sum;
    lib_unit_data_t sum_sq;
    bool first = true;
};
