#pragma once
// drv_clock_source_t: the clock source: reference clock selection and status.
class drv_clock_source_t
{
public:
    drv_clock_source_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_clock_source_t() = default;
};
