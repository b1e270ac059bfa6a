#pragma once
// cfg_pattern_t: a channel's data-pattern settings (wave types 12 to 16). For now it
// keeps its channel only.
#include "lib_types.h"

#include <vector>

// Stand-in for the channel's serial pattern until the data patterns land: its samples.
class cfg_uart_pattern_t
{
public:
    void get_samples(std::vector<int16> &out) const { out = samples; }
    std::vector<int16> samples;
};

class cfg_pattern_t
{
public:
    void init(int32 ch) { channel = ch; }
    int32 get_channel() const { return channel; }
    void set_wave_type(int32) {}
    void update() {}
    cfg_uart_pattern_t *get_uart_pattern() { return &uart; }

private:
    int32 channel = 0;
    cfg_uart_pattern_t uart;
};
