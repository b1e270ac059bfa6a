#pragma once
// drv_square_t: the square driver: a square as a DDS table or from the pulse
// generator, by the channel's run mode. It holds no state.
class drv_square_t
{
public:
    drv_square_t() = default;
};
