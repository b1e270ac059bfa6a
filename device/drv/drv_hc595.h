#pragma once
// drv_hc595_t: the relay shift register: the relay word of the output stage.
class drv_hc595_t
{
public:
    drv_hc595_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_hc595_t() = default;
};
