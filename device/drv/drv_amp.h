#pragma once
// drv_amp_t: the amplitude and offset driver: output ranges, attenuation, the
// wave-DAC reference and the offset DAC.
class drv_amp_t
{
public:
    drv_amp_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_amp_t() = default;
};
