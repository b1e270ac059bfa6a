#pragma once
// drv_wave_data_t: the built-in wave store: the table of built-in waves and each
// channel's arbitrary wave.
class drv_wave_data_t
{
public:
    drv_wave_data_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_wave_data_t() = default;
};
