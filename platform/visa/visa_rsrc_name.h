#pragma once
#include <cstdint>
#include <string>

// A VISA instrument resource name taken apart. Two kinds are understood:
//   USB[board]::vendor::product::serial[::interface]::INSTR  (ids hex with "0x" or decimal)
//   TCPIP[board]::host[::lan device name]::INSTR            (host a dotted IPv4 address)
// Keywords are case-insensitive, as VISA names are.
struct visa_rsrc_name_t
{
    enum kind_t { KIND_USB, KIND_TCPIP };

    kind_t kind = KIND_USB;
    unsigned board = 0;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string serial;
    int usb_interface = -1; // -1: not given
    std::string host;
    std::string lan_device = "inst0";

    // One spelling per resource ("USB0::0x1234::0x5678::SN::INSTR",
    // "TCPIP0::10.0.0.2::inst0::INSTR"), so names written differently compare equal.
    std::string canonical() const;
};

// Parses a whole resource name; false for anything else, the empty text and null included.
bool visa_parse_rsrc_name(const char *text, visa_rsrc_name_t &out);

// VISA search expressions as the search uses them: '?' is one character, '*' any run
// (the empty one too), everything else itself; letters compare case-insensitively.
bool visa_match_expr(const std::string &expr, const std::string &name);
