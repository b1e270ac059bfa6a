#pragma once
// cfg_sys_option_t: three small device-wide settings, 1, 1 and 2 at creation: a switch
// pushed to the driver on re-apply (first), and two values stored and read back only
// (second, third). The driver's operations for them do nothing on every product.
#include "lib_types.h"

class cfg_sys_option_t
{
public:
    // 1, 1, 2.
    void init();
    void save(const char *) {}
    void load(const char *) {}
    void save_config(const char *path) { save(path); }
    void load_config(const char *path) { load(path); }
    // The switch to the driver.
    void apply();
    // Stored and pushed; 1.
    int32 set_enable(int32 v);
    int32 get_enable() const { return first; }
    // While the switch is not 0: the driver's option on (on not 0) or off.
    void switch_option(int32 on);
    int32 set_value1(int32 v)
    {
        second = v;
        return 1;
    }
    int32 get_value1() const { return second; }
    int32 set_value2(int32 v)
    {
        third = v;
        return 1;
    }
    int32 get_value2() const { return third; }

    int32 first = 1;
    int32 second = 1;
    int32 third = 2;
};

// The same three fields as a plain record.
class cfg_sys_option_data_t
{
public:
    void init()
    {
        enable = 1;
        value1 = 1;
        value2 = 2;
    }
    void set_enable(int32 v) { enable = v; }
    int32 get_enable() const { return enable; }
    void set_value1(int32 v) { value1 = v; }
    int32 get_value1() const { return value1; }
    void set_value2(int32 v) { value2 = v; }
    int32 get_value2() const { return value2; }

private:
    int32 enable = 1;
    int32 value1 = 1;
    int32 value2 = 2;
};
