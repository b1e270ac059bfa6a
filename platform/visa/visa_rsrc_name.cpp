#include "visa_rsrc_name.h"

#include <arpa/inet.h>
#include <cctype>
#include <cstdio>
#include <vector>

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool equal_nocase(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::vector<std::string> split_fields(const std::string &text)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = text.find("::", from);
        if (at == std::string::npos) {
            out.push_back(text.substr(from));
            return out;
        }
        out.push_back(text.substr(from, at - from));
        from = at + 2;
    }
}

bool all_digits(const std::string &s, std::size_t from = 0)
{
    if (from >= s.size())
        return false;
    for (std::size_t i = from; i < s.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(s[i])))
            return false;
    return true;
}

// Decimal digits with a value up to `max`.
bool parse_decimal(const std::string &s, std::size_t from, unsigned long max, unsigned long &out)
{
    if (!all_digits(s, from))
        return false;
    unsigned long v = 0;
    for (std::size_t i = from; i < s.size(); ++i) {
        v = v * 10 + static_cast<unsigned long>(s[i] - '0');
        if (v > max)
            return false;
    }
    out = v;
    return true;
}

// "0x" and hex digits, or decimal digits; at most 0xFFFF.
bool parse_id(const std::string &s, std::uint16_t &out)
{
    unsigned long v = 0;
    if (s.size() > 2 && s[0] == '0' && lower(s[1]) == 'x') {
        for (std::size_t i = 2; i < s.size(); ++i) {
            if (!std::isxdigit(static_cast<unsigned char>(s[i])))
                return false;
            v = v * 16 + static_cast<unsigned long>(std::isdigit(static_cast<unsigned char>(s[i]))
                                                        ? s[i] - '0'
                                                        : lower(s[i]) - 'a' + 10);
            if (v > 0xFFFF)
                return false;
        }
    } else if (!parse_decimal(s, 0, 0xFFFF, v)) {
        return false;
    }
    out = static_cast<std::uint16_t>(v);
    return true;
}

// "USB" or "TCPIP" with an optional decimal board number.
bool parse_interface(const std::string &field, const std::string &keyword, unsigned &board)
{
    if (field.size() < keyword.size() || !equal_nocase(field.substr(0, keyword.size()), keyword))
        return false;
    if (field.size() == keyword.size()) {
        board = 0;
        return true;
    }
    unsigned long b = 0;
    if (!parse_decimal(field, keyword.size(), 0xFFFF, b))
        return false;
    board = static_cast<unsigned>(b);
    return true;
}

bool parse_usb(const std::vector<std::string> &f, visa_rsrc_name_t &out)
{
    if (f.size() != 5 && f.size() != 6)
        return false;
    if (!parse_interface(f[0], "USB", out.board) || !parse_id(f[1], out.vendor_id) ||
        !parse_id(f[2], out.product_id) || f[3].empty())
        return false;
    out.serial = f[3];
    if (f.size() == 6) {
        unsigned long itf = 0;
        if (!parse_decimal(f[4], 0, 255, itf))
            return false;
        out.usb_interface = static_cast<int>(itf);
    }
    out.kind = visa_rsrc_name_t::KIND_USB;
    return true;
}

bool parse_tcpip(const std::vector<std::string> &f, visa_rsrc_name_t &out)
{
    if (f.size() != 3 && f.size() != 4)
        return false;
    if (!parse_interface(f[0], "TCPIP", out.board))
        return false;
    struct in_addr addr;
    if (inet_pton(AF_INET, f[1].c_str(), &addr) != 1)
        return false;
    out.host = f[1];
    if (f.size() == 4) {
        if (f[2].empty())
            return false;
        out.lan_device = f[2];
    }
    out.kind = visa_rsrc_name_t::KIND_TCPIP;
    return true;
}

} // namespace

std::string visa_rsrc_name_t::canonical() const
{
    if (kind == KIND_TCPIP)
        return "TCPIP" + std::to_string(board) + "::" + host + "::" + lan_device + "::INSTR";
    char ids[32];
    std::snprintf(ids, sizeof ids, "::0x%04X::0x%04X::", vendor_id, product_id);
    std::string s = "USB" + std::to_string(board) + ids + serial;
    if (usb_interface >= 0)
        s += "::" + std::to_string(usb_interface);
    return s + "::INSTR";
}

bool visa_parse_rsrc_name(const char *text, visa_rsrc_name_t &out)
{
    if (text == nullptr || *text == '\0')
        return false;
    std::vector<std::string> f = split_fields(text);
    if (f.size() < 3 || !equal_nocase(f.back(), "INSTR"))
        return false;
    visa_rsrc_name_t parsed;
    bool ok = parse_usb(f, parsed) || parse_tcpip(f, parsed);
    if (ok)
        out = parsed;
    return ok;
}

bool visa_match_expr(const std::string &expr, const std::string &name)
{
    // Greedy wildcard match that backs up to the last '*' on a mismatch.
    std::size_t e = 0, n = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (e < expr.size() && expr[e] == '*') {
            star = e++;
            resume = n;
        } else if (e < expr.size() && (expr[e] == '?' || lower(expr[e]) == lower(name[n]))) {
            ++e;
            ++n;
        } else if (star != std::string::npos) {
            e = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (e < expr.size() && expr[e] == '*')
        ++e;
    return e == expr.size();
}
