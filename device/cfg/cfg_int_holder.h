#pragma once
// Holders of one enumerated setting each (trigger sources, trigger outputs, the
// modulation source). The two trigger-output holders keep their own value when a whole
// channel is assigned from the other one: each channel keeps its trigger outputs.
#include "lib_types.h"

class cfg_int_holder_t
{
public:
    void set(int32 v) { value = v; }
    int32 get() const { return value; }

private:
    int32 value = 0;
};

// Sweep trigger output: 0 off, 1 on.
class cfg_sweep_trig_out_t
{
public:
    cfg_sweep_trig_out_t() = default;
    cfg_sweep_trig_out_t(const cfg_sweep_trig_out_t &) = default;
    cfg_sweep_trig_out_t &operator=(const cfg_sweep_trig_out_t &) { return *this; }
    void set(int32 v) { value = v; }
    int32 get() const { return value; }

private:
    int32 value = 0;
};

// Burst trigger output: 2 off, any other value on.
class cfg_burst_trig_out_t
{
public:
    cfg_burst_trig_out_t() = default;
    cfg_burst_trig_out_t(const cfg_burst_trig_out_t &) = default;
    cfg_burst_trig_out_t &operator=(const cfg_burst_trig_out_t &) { return *this; }
    void set(int32 v) { value = v; }
    int32 get() const { return value; }

private:
    int32 value = 0;
};
