#pragma once
// drv_pulse_t: the pulse driver: width and edge times to the pulse generator's words.
class drv_pulse_t
{
public:
    drv_pulse_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_pulse_t() = default;
};
