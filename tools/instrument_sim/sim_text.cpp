#include "sim_text.h"

#include <cctype>
#include <charconv>

std::string sim_upper(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool sim_starts_with(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> sim_split(const std::string &text)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = text.find(',', from);
        out.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return out;
        from = at + 1;
    }
}

std::string sim_number(double value, int digits)
{
    char buf[64];
    std::to_chars_result r = digits < 0 ? std::to_chars(buf, buf + sizeof buf, value)
                                        : std::to_chars(buf, buf + sizeof buf, value,
                                                        std::chars_format::scientific, digits);
    std::string out(buf, r.ptr);
    for (char &c : out)
        if (c == 'e')
            c = 'E';
    return out;
}

void sim_keep_assign(std::string &to, const std::string &text) { to.assign(text); }
