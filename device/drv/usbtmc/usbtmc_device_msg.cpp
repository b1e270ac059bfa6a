// The USB-TMC message layer of usbtmc_device_t: headers, tags and GET_CAPABILITIES.
#include "usbtmc_device.h"

#include "gos.h"

namespace {

// bmRequestType of a class request to an interface, device to host.
constexpr uint8 USB_REQUEST_TYPE_CLASS_INTERFACE_IN = 0xA1;

bool usbtmc_bit(uint8 byte, int bit)
{
    return (byte >> bit) & 1;
}

} // namespace

void usbtmc_device_t::set_header_tag(uint8 *header, uint8 msg_id)
{
    _last_tag = usbtmc_frame_next_tag(_last_tag);
    usbtmc_frame_write_prefix(header, msg_id, _last_tag);
}

void usbtmc_device_t::build_msg_out(const uint8 *payload, std::size_t size, uint8 attributes,
                                    std::vector<uint8> *message)
{
    uint8 header[USBTMC_HEADER_SIZE];
    set_header_tag(header, USBTMC_DEV_DEP_MSG_OUT);
    usbtmc_frame_write_header(header, USBTMC_DEV_DEP_MSG_OUT, header[1], static_cast<uint32>(size), attributes, 0);
    message->clear();
    message->reserve(usbtmc_frame_message_size(size));
    message->insert(message->end(), header, header + USBTMC_HEADER_SIZE);
    if (size)
        message->insert(message->end(), payload, payload + size);
    message->insert(message->end(), usbtmc_frame_padding(size), 0);
}

void usbtmc_device_t::build_msg_in_request(uint32 transfer_size, int32 term_char, uint8 *header)
{
    set_header_tag(header, USBTMC_REQUEST_DEV_DEP_MSG_IN);
    bool with_term_char = term_char != -1;
    usbtmc_frame_write_header(header, USBTMC_REQUEST_DEV_DEP_MSG_IN, header[1], transfer_size,
                              with_term_char ? USBTMC_ATTR_TERM_CHAR_ENABLED : 0,
                              with_term_char ? static_cast<uint8>(term_char) : 0);
}

std::size_t usbtmc_device_t::parse_msg_in(const uint8 *received, std::size_t size, usbtmc_header_t *header) const
{
    if (!usbtmc_frame_parse_header(received, size, header))
        return 0;
    return size - USBTMC_HEADER_SIZE;
}

void usbtmc_device_t::get_capabilities()
{
    uint8 block[USBTMC_CAPABILITIES_SIZE] = {};
    if (control_transfer(USB_REQUEST_TYPE_CLASS_INTERFACE_IN, USBTMC_REQ_GET_CAPABILITIES, 0,
                         static_cast<uint16>(_interface_number), block, sizeof block) < 0) {
        gos_printf("Get Capabilities failed.\n");
        return;
    }
    _capabilities.indicator_pulse = usbtmc_bit(block[4], 2);
    _capabilities.talk_only = usbtmc_bit(block[4], 1);
    _capabilities.listen_only = usbtmc_bit(block[4], 0);
    _capabilities.term_char = usbtmc_bit(block[5], 0);
    if (_usb488 != 1)
        return;
    _capabilities.usb488_2 = usbtmc_bit(block[14], 2);
    _capabilities.remote_local = usbtmc_bit(block[14], 1);
    _capabilities.trigger = usbtmc_bit(block[14], 0);
    _capabilities.scpi = usbtmc_bit(block[15], 3);
    _capabilities.sr1 = usbtmc_bit(block[15], 2);
    _capabilities.rl1 = usbtmc_bit(block[15], 1);
    _capabilities.dt1 = usbtmc_bit(block[15], 0);
}
