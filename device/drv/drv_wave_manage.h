#pragma once
// drv_wave_manage_t: the wave manager: one apply sequence per wave type (frequencies,
// amplitude and offset, phase, the type's own values and its samples).
class drv_wave_manage_t
{
public:
    drv_wave_manage_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_wave_manage_t() = default;
};
