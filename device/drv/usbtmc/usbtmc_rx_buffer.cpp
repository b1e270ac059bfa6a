#include "usbtmc_rx_buffer.h"

#include <algorithm>
#include <cstring>

uint8 *usbtmc_rx_buffer_t::prepare()
{
    if (_data.empty())
        _data.assign(SIZE, 0);
    else if (_reach)
        std::memset(_data.data(), 0, _reach);
    _reach = 0;
    return _data.data();
}

void usbtmc_rx_buffer_t::reached(std::size_t count)
{
    _reach = std::max(_reach, std::min(count, SIZE));
}
