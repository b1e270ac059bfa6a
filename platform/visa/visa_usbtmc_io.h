#pragma once
#include "usbtmc_frame.h"
#include "visa_usbtmc_port.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Payload bytes per DEV_DEP_MSG_OUT message: large enough that a download of tens of
// megabytes is a few dozen transfers, small enough for one reused buffer.
constexpr std::size_t VISA_USBTMC_MAX_PAYLOAD = 1u << 20;

// How a write or read ended, with what the link must do about it.
enum class visa_usbtmc_end_t
{
    DONE,        // the message went out, or the reply ended with EOM
    FULL,        // the capacity filled before the reply's EOM
    OUT_TIMEOUT, // a bulk OUT transfer timed out: abort it (tag in last_tag)
    IN_TIMEOUT,  // the bulk IN transfer timed out: abort it (tag in last_tag)
    OUT_STALL,   // the bulk OUT endpoint halted
    IN_STALL,    // the bulk IN endpoint halted
    GONE,        // the device left the bus
    BAD_REPLY,   // a reply broke the protocol (ids, lengths): clear the device
    FAILED,      // another transfer failure
};

// The USB-TMC message layer of one interface: frames writes into DEV_DEP_MSG_OUT
// messages, asks for replies with REQUEST_DEV_DEP_MSG_IN and reassembles the
// DEV_DEP_MSG_IN transfers, checking every header. It owns the transfer tag and two
// buffers reused by every call; it knows nothing of libusb or of recovery.
class visa_usbtmc_io_t
{
public:
    // Sends `count` bytes as messages of at most VISA_USBTMC_MAX_PAYLOAD payload bytes,
    // each one bulk transfer, EOM on the last. `written` counts the payload bytes the
    // device took, a partly taken message included.
    visa_usbtmc_end_t write(visa_usbtmc_port_t &port, const std::uint8_t *data, std::uint32_t count,
                            std::uint32_t &written, std::uint32_t timeout_ms);

    // Reads the reply into at most `capacity` bytes, one request per transfer, each asking
    // for the capacity left. `got` counts the payload bytes placed in `buf`; nothing is
    // written past `capacity`.
    visa_usbtmc_end_t read(visa_usbtmc_port_t &port, std::uint8_t *buf, std::uint32_t capacity, std::uint32_t &got,
                           std::uint32_t timeout_ms);

    // The tag of the last transfer sent (0 before the first).
    std::uint8_t last_tag() const { return m_tag; }

private:
    visa_usbtmc_end_t receive(visa_usbtmc_port_t &port, std::uint8_t *dest, std::uint32_t asked,
                              std::uint32_t &payload, bool &eom, std::uint32_t timeout_ms);

    std::uint8_t m_tag = 0;
    std::vector<std::uint8_t> m_out;
    std::vector<std::uint8_t> m_in;
};

// True when `data` starts with a DEV_DEP_MSG_IN header answering the request `tag` with
// at most `asked` payload bytes; the header goes to `header`.
bool visa_usbtmc_reply_header_ok(const std::uint8_t *data, std::size_t size, std::uint8_t tag, std::uint32_t asked,
                                 usbtmc_header_t &header);
