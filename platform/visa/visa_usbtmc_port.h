#pragma once
#include <cstddef>
#include <cstdint>

// How one bulk transfer ended.
enum class visa_usb_xfer_t
{
    OK,
    TIMEOUT, // the time-out passed; what moved before it is counted
    STALL,   // the endpoint halted
    GONE,    // the device left the bus
    FAILED,  // any other failure (overflow, I/O error)
};

// The two bulk endpoints of one USB-TMC interface, as the message layer sees them:
// libusb on a claimed interface, or a stand-in for the message layer's own checks.
class visa_usbtmc_port_t
{
public:
    virtual ~visa_usbtmc_port_t() = default;

    // One bulk OUT transfer of `size` bytes; `taken` is the count the device accepted.
    virtual visa_usb_xfer_t bulk_out(const std::uint8_t *data, std::size_t size, std::size_t &taken,
                                     std::uint32_t timeout_ms) = 0;
    // One bulk IN transfer into at most `size` bytes; `got` is the count received. It
    // ends early when the device ends its transfer with a short packet.
    virtual visa_usb_xfer_t bulk_in(std::uint8_t *data, std::size_t size, std::size_t &got,
                                    std::uint32_t timeout_ms) = 0;
    // wMaxPacketSize of the bulk IN endpoint: every IN transfer asks for a multiple of it,
    // so a packet never overflows the buffer.
    virtual std::size_t in_packet_size() const = 0;
};
