#include "visa_usbtmc_io.h"

#include <algorithm>
#include <cstring>

namespace {

// Alignment bytes a device may add after the payload of a DEV_DEP_MSG_IN transfer.
constexpr std::size_t k_max_padding = 3;

visa_usbtmc_end_t end_of(visa_usb_xfer_t result, bool out)
{
    switch (result) {
    case visa_usb_xfer_t::OK:
        return visa_usbtmc_end_t::DONE;
    case visa_usb_xfer_t::TIMEOUT:
        return out ? visa_usbtmc_end_t::OUT_TIMEOUT : visa_usbtmc_end_t::IN_TIMEOUT;
    case visa_usb_xfer_t::STALL:
        return out ? visa_usbtmc_end_t::OUT_STALL : visa_usbtmc_end_t::IN_STALL;
    case visa_usb_xfer_t::GONE:
        return visa_usbtmc_end_t::GONE;
    case visa_usb_xfer_t::FAILED:
        break;
    }
    return visa_usbtmc_end_t::FAILED;
}

} // namespace

bool visa_usbtmc_reply_header_ok(const std::uint8_t *data, std::size_t size, std::uint8_t tag, std::uint32_t asked,
                                 usbtmc_header_t &header)
{
    usbtmc_header_t h;
    if (!usbtmc_frame_parse_header(data, size, &h))
        return false;
    if (h.msg_id != USBTMC_DEV_DEP_MSG_IN || h.tag != tag || h.tag_inverse != static_cast<std::uint8_t>(~tag) ||
        h.transfer_size > asked)
        return false;
    header = h;
    return true;
}

visa_usbtmc_end_t visa_usbtmc_io_t::write(visa_usbtmc_port_t &port, const std::uint8_t *data, std::uint32_t count,
                                          std::uint32_t &written, std::uint32_t timeout_ms)
{
    written = 0;
    std::uint32_t offset = 0;
    // An empty write still sends one (empty) message, so the device sees its end.
    do {
        const std::size_t chunk = std::min<std::size_t>(count - offset, VISA_USBTMC_MAX_PAYLOAD);
        const bool last = offset + chunk == count;
        const std::size_t size = usbtmc_frame_message_size(chunk);
        if (m_out.size() < size)
            m_out.resize(size);
        m_tag = usbtmc_frame_next_tag(m_tag);
        usbtmc_frame_write_header(m_out.data(), USBTMC_DEV_DEP_MSG_OUT, m_tag, static_cast<std::uint32_t>(chunk),
                                  last ? USBTMC_ATTR_EOM : 0, 0);
        if (chunk)
            std::memcpy(m_out.data() + USBTMC_HEADER_SIZE, data + offset, chunk);
        std::memset(m_out.data() + USBTMC_HEADER_SIZE + chunk, 0, size - USBTMC_HEADER_SIZE - chunk);

        std::size_t taken = 0;
        const visa_usb_xfer_t result = port.bulk_out(m_out.data(), size, taken, timeout_ms);
        if (result != visa_usb_xfer_t::OK || taken != size) {
            if (taken > USBTMC_HEADER_SIZE)
                written += static_cast<std::uint32_t>(std::min(taken - USBTMC_HEADER_SIZE, chunk));
            return result == visa_usb_xfer_t::OK ? visa_usbtmc_end_t::FAILED : end_of(result, true);
        }
        written += static_cast<std::uint32_t>(chunk);
        offset += static_cast<std::uint32_t>(chunk);
    } while (offset < count);
    return visa_usbtmc_end_t::DONE;
}

visa_usbtmc_end_t visa_usbtmc_io_t::read(visa_usbtmc_port_t &port, std::uint8_t *buf, std::uint32_t capacity,
                                         std::uint32_t &got, std::uint32_t timeout_ms)
{
    got = 0;
    if (capacity == 0)
        return visa_usbtmc_end_t::FULL;
    for (;;) {
        const std::uint32_t asked = capacity - got;
        std::uint8_t request[USBTMC_HEADER_SIZE];
        m_tag = usbtmc_frame_next_tag(m_tag);
        usbtmc_frame_write_header(request, USBTMC_REQUEST_DEV_DEP_MSG_IN, m_tag, asked, 0, 0);
        std::size_t taken = 0;
        const visa_usb_xfer_t sent = port.bulk_out(request, sizeof request, taken, timeout_ms);
        if (sent != visa_usb_xfer_t::OK)
            return end_of(sent, true);
        if (taken != sizeof request)
            return visa_usbtmc_end_t::FAILED;

        std::uint32_t payload = 0;
        bool eom = false;
        const visa_usbtmc_end_t end = receive(port, buf + got, asked, payload, eom, timeout_ms);
        got += payload;
        if (end != visa_usbtmc_end_t::DONE)
            return end;
        if (eom)
            return visa_usbtmc_end_t::DONE;
        // An empty transfer without EOM would have us ask again for ever.
        if (payload == 0)
            return visa_usbtmc_end_t::BAD_REPLY;
        if (got == capacity)
            return visa_usbtmc_end_t::FULL;
    }
}

// One DEV_DEP_MSG_IN transfer: its header, then its payload straight into `dest`.
visa_usbtmc_end_t visa_usbtmc_io_t::receive(visa_usbtmc_port_t &port, std::uint8_t *dest, std::uint32_t asked,
                                            std::uint32_t &payload, bool &eom, std::uint32_t timeout_ms)
{
    const std::size_t packet = std::max<std::size_t>(port.in_packet_size(), 1);
    auto whole_packets = [packet](std::size_t n) { return (n + packet - 1) / packet * packet; };
    const std::size_t buffer_size = whole_packets(USBTMC_HEADER_SIZE + VISA_USBTMC_MAX_PAYLOAD + k_max_padding);
    if (m_in.size() < buffer_size)
        m_in.resize(buffer_size);

    bool have_header = false;
    std::uint32_t announced = 0;
    std::size_t received = 0;
    std::size_t extra = 0;
    for (;;) {
        // Ask for what the transfer can still hold, in whole packets.
        const std::size_t expected = have_header ? USBTMC_HEADER_SIZE + announced + k_max_padding - received
                                                 : USBTMC_HEADER_SIZE + std::min<std::size_t>(asked, VISA_USBTMC_MAX_PAYLOAD) +
                                                       k_max_padding;
        const std::size_t length = std::min(whole_packets(expected), m_in.size());
        std::size_t actual = 0;
        const visa_usb_xfer_t result = port.bulk_in(m_in.data(), length, actual, timeout_ms);
        if (result == visa_usb_xfer_t::GONE)
            return visa_usbtmc_end_t::GONE;
        std::size_t from = 0;
        if (!have_header) {
            if (result != visa_usb_xfer_t::OK && actual < USBTMC_HEADER_SIZE)
                return end_of(result, false);
            usbtmc_header_t header;
            if (!visa_usbtmc_reply_header_ok(m_in.data(), actual, m_tag, asked, header))
                return visa_usbtmc_end_t::BAD_REPLY;
            have_header = true;
            announced = header.transfer_size;
            eom = (header.attributes & USBTMC_ATTR_EOM) != 0;
            from = USBTMC_HEADER_SIZE;
        }
        const std::size_t available = actual - from;
        const std::size_t take = std::min<std::size_t>(available, announced - payload);
        if (take)
            std::memcpy(dest + payload, m_in.data() + from, take);
        payload += static_cast<std::uint32_t>(take);
        extra += available - take;
        received += actual;
        if (result != visa_usb_xfer_t::OK)
            return end_of(result, false);
        if (extra > k_max_padding)
            return visa_usbtmc_end_t::BAD_REPLY; // more bytes than the header announced
        if (payload == announced)
            return visa_usbtmc_end_t::DONE;
        if (actual < length)
            return visa_usbtmc_end_t::BAD_REPLY; // the transfer ended short of its announced size
    }
}
