#pragma once
// drv_wave_ram_t: the wave-memory writer: scales samples to the DAC and loads them
// into the channel's wave memory. It holds no state.
class drv_wave_ram_t
{
public:
    drv_wave_ram_t() = default;
};
