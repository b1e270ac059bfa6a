#pragma once
// USB-TMC bulk message framing (USB Test and Measurement Class, with its USB488
// subclass): the 12-byte header that leads every Bulk-OUT and Bulk-IN transfer,
// transfer tags and the alignment of a message to 4 bytes.
//
// Only the wire format lives here. What a client does with it (which tag comes next
// after a reconnect, how much it asks for, whether it compares reply tags) is the
// client's business.
#include <cstddef>
#include <cstdint>

// Size of the header in front of every bulk message.
constexpr std::size_t USBTMC_HEADER_SIZE = 12;

// MsgID values. The host's request for a reply and the device's reply share the
// value 2; the direction of the transfer tells them apart.
constexpr std::uint8_t USBTMC_DEV_DEP_MSG_OUT = 1;
constexpr std::uint8_t USBTMC_REQUEST_DEV_DEP_MSG_IN = 2;
constexpr std::uint8_t USBTMC_DEV_DEP_MSG_IN = 2;

// bmTransferAttributes bits: EOM marks the last transfer of a message (OUT and IN
// reply); TermCharEnabled asks the device to stop at the TermChar (IN request).
constexpr std::uint8_t USBTMC_ATTR_EOM = 0x01;
constexpr std::uint8_t USBTMC_ATTR_TERM_CHAR_ENABLED = 0x02;

// Interface triple of a USB-TMC interface; protocol 1 is the USB488 subclass.
constexpr std::uint8_t USBTMC_INTERFACE_CLASS = 0xFE;
constexpr std::uint8_t USBTMC_INTERFACE_SUBCLASS = 0x03;
constexpr std::uint8_t USBTMC_PROTOCOL_USB488 = 1;

// Class-specific control request that returns the 24-byte capability block.
constexpr std::uint8_t USBTMC_REQ_GET_CAPABILITIES = 7;
constexpr std::size_t USBTMC_CAPABILITIES_SIZE = 24;

// One header as it travels, little-endian on the wire.
struct usbtmc_header_t
{
    std::uint8_t msg_id = 0;
    std::uint8_t tag = 0;
    std::uint8_t tag_inverse = 0;
    std::uint8_t reserved = 0;
    std::uint32_t transfer_size = 0;
    std::uint8_t attributes = 0;
    std::uint8_t term_char = 0;
    std::uint8_t reserved2[2] = {0, 0};
};

// The tag that follows last: 1, 2, ..., 255, then 1 again. 0 is never a valid tag.
std::uint8_t usbtmc_frame_next_tag(std::uint8_t last);

// Writes MsgID, bTag, bTagInverse (bTag XOR 0xFF) and the reserved zero into bytes
// 0-3 of a header.
void usbtmc_frame_write_prefix(std::uint8_t *header, std::uint8_t msg_id, std::uint8_t tag);

// Writes a whole 12-byte header: the prefix, TransferSize little-endian in bytes 4-7,
// the attributes in byte 8, term_char in byte 9 and zeros in bytes 10-11.
void usbtmc_frame_write_header(std::uint8_t *header, std::uint8_t msg_id, std::uint8_t tag,
                               std::uint32_t transfer_size, std::uint8_t attributes, std::uint8_t term_char);

// Zero bytes that follow a payload of that size so the message ends on a multiple of 4.
std::size_t usbtmc_frame_padding(std::size_t payload_size);

// Header, payload and padding: the size of the message that carries the payload.
std::size_t usbtmc_frame_message_size(std::size_t payload_size);

// Reads the header at the front of a received transfer into *header (which may be
// null when only the size check is wanted). False, with *header left as it was, when
// fewer than 12 bytes are there.
bool usbtmc_frame_parse_header(const std::uint8_t *data, std::size_t size, usbtmc_header_t *header);

// Little-endian 32-bit fields of the header.
void usbtmc_frame_put_u32le(std::uint8_t *out, std::uint32_t value);
std::uint32_t usbtmc_frame_get_u32le(const std::uint8_t *in);
