#pragma once
// The receive buffer of one USB-TMC client: room for the largest reply (1 MiB of
// payload and its header), allocated at the first read and reused. Before each
// transfer it is cleared only as far as earlier transfers wrote, which reads the same
// as a fresh zero-filled buffer without paying for one.
#include "lib_types.h"
#include "usbtmc_frame.h"

#include <cstddef>
#include <vector>

class usbtmc_rx_buffer_t
{
public:
    // Largest payload of one reply, and the buffer that holds it with its header.
    static constexpr std::size_t MAX_PAYLOAD = 1048576;
    static constexpr std::size_t SIZE = MAX_PAYLOAD + USBTMC_HEADER_SIZE;

    // The buffer, all zero, ready for the next transfer.
    uint8 *prepare();
    // Tells how many bytes the last transfer put into the buffer.
    void reached(std::size_t count);

private:
    std::vector<uint8> _data;
    std::size_t _reach = 0;
};
