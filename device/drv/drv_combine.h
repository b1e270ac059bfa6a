#pragma once
// drv_combine_t: two-channel combining: the combining bits and the mixing weight.
// It holds no state.
class drv_combine_t
{
public:
    drv_combine_t() = default;
};
