#pragma once
// cfg_time_base_cali_main_t: the time-base trim, a code from 1 to 32767 written to the
// time-base DAC and kept in the calibration record (18022 when the record has none).
#include "lib_types.h"

class cfg_time_base_cali_main_t
{
public:
    virtual ~cfg_time_base_cali_main_t() = default;

    virtual int32 get_default() const { return 18022; }
    virtual int32 get_min() const { return 1; }
    virtual int32 get_max() const { return 32767; }

    // The record's code (or the default, written back), clamped, set and committed.
    void init();
    // -11 below the minimum, -10 above the maximum, else 1.
    int32 check(int32 code) const;
    // Clamped, stored and written to the DAC; check's result.
    int32 set_value(int32 code);
    void get_value(int32 *out) const { *out = value; }
    // Commits the value to the calibration record; 1.
    int32 save();
    // The committed value again; 1.
    int32 restore();
    void set_value_raw(int32 v) { value = v; }
    int32 get_value_raw() const { return value; }
    void set_saved_raw(int32 v) { saved_value = v; }
    int32 get_saved_raw() const { return saved_value; }

private:
    int32 value = 0;
    int32 saved_value = 0;
};
