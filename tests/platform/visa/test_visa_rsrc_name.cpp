#include "visa_rsrc_name.h"

#include <gtest/gtest.h>

TEST(VisaRsrcName, AcceptsTheTwoKindsInEverySpelling)
{
    const struct {
        const char *text;
        const char *canonical;
    } cases[] = {
        {"USB0::0x1234::0x5678::SIM0001::INSTR", "USB0::0x1234::0x5678::SIM0001::INSTR"},
        {"usb::4660::22136::SIM0001::instr", "USB0::0x1234::0x5678::SIM0001::INSTR"},
        {"USB3::0xabcd::0X00ff::A-1 B::2::INSTR", "USB3::0xABCD::0x00FF::A-1 B::2::INSTR"},
        {"TCPIP0::192.168.1.20::INSTR", "TCPIP0::192.168.1.20::inst0::INSTR"},
        {"tcpip1::10.0.0.2::hislip0::Instr", "TCPIP1::10.0.0.2::hislip0::INSTR"},
    };
    for (const auto &c : cases) {
        visa_rsrc_name_t n;
        ASSERT_TRUE(visa_parse_rsrc_name(c.text, n)) << c.text;
        EXPECT_EQ(n.canonical(), c.canonical) << c.text;
    }
}

TEST(VisaRsrcName, RefusesEverythingElse)
{
    const char *bad[] = {
        "",
        "INSTR",
        "USB0::0x1234::0x5678::INSTR",            // no serial
        "USB0::0x1234::0x5678::::INSTR",          // empty serial
        "USB0::0x12345::0x5678::S::INSTR",        // id above 0xFFFF
        "USB0::0xG234::0x5678::S::INSTR",         // not hex
        "USB0::0x::0x5678::S::INSTR",             // "0x" alone
        "USB0::-1::0x5678::S::INSTR",
        "USBX::0x1234::0x5678::S::INSTR",         // board not a number
        "USB0::0x1234::0x5678::S::one::INSTR",    // interface not a number
        "USB0::0x1234::0x5678::S::RAW",
        "USB0::0x1234::0x5678::S::INSTR::",
        "TCPIP0::host.example.com::INSTR",        // not a dotted address
        "TCPIP0::256.1.1.1::INSTR",
        "TCPIP0::1.2.3::INSTR",
        "TCPIP0:: 1.2.3.4::INSTR",
        "TCPIP0::1.2.3.4::::INSTR",               // empty device name
        "TCPIP0::1.2.3.4::5025::SOCKET",
        "TCPIP0::1.2.3.4::inst0::x::INSTR",
        "GPIB0::1::INSTR",
        " USB0::0x1234::0x5678::S::INSTR",
    };
    for (const char *text : bad) {
        visa_rsrc_name_t n;
        EXPECT_FALSE(visa_parse_rsrc_name(text, n)) << '"' << text << '"';
    }
    visa_rsrc_name_t n;
    EXPECT_FALSE(visa_parse_rsrc_name(nullptr, n));
}

TEST(VisaRsrcName, SearchExpressionWildcards)
{
    const struct {
        const char *expr;
        const char *name;
        bool match;
    } cases[] = {
        {"USB?*INSTR", "USB0::0x1234::0x5678::S::INSTR", true},
        {"USB?*INSTR", "USB::INSTR", true},
        {"USB?*INSTR", "USBINSTR", false}, // '?' needs a character
        {"USB?*INSTR", "TCPIP0::1.2.3.4::INSTR", false},
        {"usb?*instr", "USB0::0x1234::0x5678::S::INSTR", true},
        {"?*::S2::INSTR", "USB0::0x1::0x2::S2::INSTR", true},
        {"?*::S2::INSTR", "USB0::0x1::0x2::S22::INSTR", false},
        {"*", "", true},
        {"?", "", false},
        {"a*b*c", "axxbyyc", true},
        {"a*b*c", "axxbyy", false},
        {"[0-9]", "[0-9]", true}, // no other special characters
    };
    for (const auto &c : cases)
        EXPECT_EQ(visa_match_expr(c.expr, c.name), c.match) << c.expr << " ~ " << c.name;
}
