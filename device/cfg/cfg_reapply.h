#pragma once
// cfg_reapply_t: the output stage of both channels at the end of start-up (each
// channel's amplitude range chosen from its amplitude and offset, or from the DC level
// for a DC wave) and the value last handed to the driver's overload reset. The root
// keeps one instance; get_instance gives a second one that the free functions use.
#include "lib_types.h"

class cfg_reapply_t
{
public:
    static cfg_reapply_t *get_instance();

private:
    // Only the layer reset drops the instance.
    friend void cfg_reset_config_layer();
    static void reset_instance();

public:
    // Both channels' range words written, then the overload reset cleared: the
    // reset's result (1).
    int32 apply_ranges();
    // The driver's overload reset with v (it writes only for 0 and 1); v kept; 1.
    int32 set_overload_reset(int32 v);
    int32 get_overload_reset() const { return overload_reset; }
    // Whether the driver reports an overload status equal to v; false when it reports
    // none.
    bool is_overload_status(int32 v);
    void set_overload_reset_raw(int32 v) { overload_reset = v; }
    int32 get_overload_reset_raw() const { return overload_reset; }

private:
    int32 overload_reset = 0;
};

int32 cfg_set_overload_reset(int32 v);
int32 cfg_get_overload_reset();
uint8 cfg_check_overload_status(int32 v);
