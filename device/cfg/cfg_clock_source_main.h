#pragma once
// cfg_clock_source_main_t: the reference-clock source and the clock output. For now it
// writes nothing.
#include "lib_types.h"

class cfg_clock_source_main_t
{
public:
    virtual ~cfg_clock_source_main_t() = default;
    void init() {}
    void reapply() {}
    void save_config(const char *) {}
    void load_config(const char *) {}
};
