#include "usbtmc_frame.h"

std::uint8_t usbtmc_frame_next_tag(std::uint8_t last)
{
    std::uint8_t next = static_cast<std::uint8_t>(last + 1);
    return next == 0 ? 1 : next;
}

void usbtmc_frame_write_prefix(std::uint8_t *header, std::uint8_t msg_id, std::uint8_t tag)
{
    header[0] = msg_id;
    header[1] = tag;
    header[2] = static_cast<std::uint8_t>(tag ^ 0xFF);
    header[3] = 0;
}

void usbtmc_frame_write_header(std::uint8_t *header, std::uint8_t msg_id, std::uint8_t tag,
                               std::uint32_t transfer_size, std::uint8_t attributes, std::uint8_t term_char)
{
    usbtmc_frame_write_prefix(header, msg_id, tag);
    usbtmc_frame_put_u32le(header + 4, transfer_size);
    header[8] = attributes;
    header[9] = term_char;
    header[10] = 0;
    header[11] = 0;
}

std::size_t usbtmc_frame_padding(std::size_t payload_size)
{
    return (4 - payload_size % 4) % 4;
}

std::size_t usbtmc_frame_message_size(std::size_t payload_size)
{
    return USBTMC_HEADER_SIZE + payload_size + usbtmc_frame_padding(payload_size);
}

bool usbtmc_frame_parse_header(const std::uint8_t *data, std::size_t size, usbtmc_header_t *header)
{
    if (!data || size < USBTMC_HEADER_SIZE)
        return false;
    if (!header)
        return true;
    header->msg_id = data[0];
    header->tag = data[1];
    header->tag_inverse = data[2];
    header->reserved = data[3];
    header->transfer_size = usbtmc_frame_get_u32le(data + 4);
    header->attributes = data[8];
    header->term_char = data[9];
    header->reserved2[0] = data[10];
    header->reserved2[1] = data[11];
    return true;
}

void usbtmc_frame_put_u32le(std::uint8_t *out, std::uint32_t value)
{
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
    out[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t usbtmc_frame_get_u32le(const std::uint8_t *in)
{
    return static_cast<std::uint32_t>(in[0]) | static_cast<std::uint32_t>(in[1]) << 8 |
           static_cast<std::uint32_t>(in[2]) << 16 | static_cast<std::uint32_t>(in[3]) << 24;
}
