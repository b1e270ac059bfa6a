#pragma once
// cfg_pattern_t: a channel's data-pattern settings (wave types 12 to 16). For now it
// keeps its channel only.
#include "lib_types.h"

class cfg_pattern_t
{
public:
    void init(int32 ch) { channel = ch; }
    int32 get_channel() const { return channel; }
    void set_wave_type(int32) {}
    void update() {}

private:
    int32 channel = 0;
};
