#pragma once
// cfg_clock_source_main_t: the reference-clock source (0 internal, 1 external) and the
// clock-output flag. The output is on only while the internal reference is in use; a
// successful switch to the external reference turns it off for good (only
// set_out_enable turns it on again). A refused switch falls back to the internal
// reference.
#include "lib_types.h"

// The completion callback of a clock switch: a negative status posts message 1 (0, 0);
// otherwise both channels' waves are selected again (sample-rate waves reloaded), then
// the coupling's update and phase sync; that result.
int32 cfg_clock_switch_done(int32 status);

class cfg_clock_source_main_t
{
public:
    cfg_clock_source_main_t() = default;
    virtual ~cfg_clock_source_main_t() = default;

    virtual void apply();
    // Store, apply, push; 1.
    virtual int32 set_source(int32 src);
    virtual int32 set_out_enable(int32 on);
    virtual void push_source();
    virtual int32 query_flag() { return 0; }

    // The defaults to the driver.
    void init();
    void reapply();
    // 1 while a reference clock is present; else message 1 (0, 0), back to the
    // internal source, 0.
    int32 check_external();
    int32 is_product_supported() const;

    void set_spare_value(int32 v) { spare_value = v; }
    int32 get_spare_value() const { return spare_value; }
    int32 get_source() const { return source; }
    int32 get_out_enable() const { return out_enable; }
    int32 get_source_raw() const { return source; }
    int32 get_out_enable_raw() const { return out_enable; }
    void set_source_raw(int32 v) { source = v; }
    void set_out_enable_raw(int32 v) { out_enable = v; }
    void save_config(const char *) {}
    void load_config(const char *) {}

protected:
    int32 source = 0;
    int32 out_enable = 1;
    int32 spare_value = 0;
};
