#pragma once
// cfg_sys_option_t: three small device-wide settings, 1, 1 and 2 at creation. For now
// applying them writes nothing.
#include "lib_types.h"

class cfg_sys_option_t
{
public:
    void init() {}
    void apply() {}
    void save_config(const char *) {}
    void load_config(const char *) {}
    int32 first = 1;
    int32 second = 1;
    int32 third = 2;
};
