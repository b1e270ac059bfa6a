#pragma once
// drv_hc4051_t: the analog multiplexer: the select lines of the measurement input.
class drv_hc4051_t
{
public:
    drv_hc4051_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_hc4051_t() = default;
};
