#include "sim_journal_file.h"

#include <cinttypes>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

const char *const k_kinds[] = {"OPEN", "CLOSE", "WRITE", "READ", "TIMEOUT", "CLEAR", "PAUSE"};

std::string escape(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            } else {
                out += char(c);
            }
        }
    }
    return out;
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool unescape(const std::string &text, std::string &out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i >= text.size())
            return false;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 'x': {
            if (i + 2 >= text.size())
                return false;
            const int hi = hex_digit(text[i + 1]), lo = hex_digit(text[i + 2]);
            if (hi < 0 || lo < 0)
                return false;
            out += char(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

std::vector<std::string> split_tabs(const std::string &line)
{
    std::vector<std::string> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', from);
        out.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
        if (tab == std::string::npos)
            return out;
        from = tab + 1;
    }
}

} // namespace

std::string sim_journal_line(const sim_journal_entry_t &e)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "\t%" PRId32 "\t%" PRIu64 "\t%016" PRIx64 "\t", e.status, e.size,
                  e.checksum);
    return std::string(k_kinds[e.kind]) + "\t" + escape(e.resource) + numbers + escape(e.text);
}

bool sim_journal_parse_line(const std::string &line, sim_journal_entry_t &entry)
{
    const std::vector<std::string> f = split_tabs(line);
    if (f.size() != 6)
        return false;
    int kind = -1;
    for (int k = 0; k < int(sizeof k_kinds / sizeof k_kinds[0]); ++k)
        if (f[0] == k_kinds[k])
            kind = k;
    sim_journal_entry_t e{sim_journal_entry_t::OPEN, ""};
    char *end = nullptr;
    if (kind < 0 || !unescape(f[1], e.resource) || !unescape(f[5], e.text) || f[2].empty() || f[3].empty() ||
        f[4].size() != 16)
        return false;
    e.kind = sim_journal_entry_t::kind_t(kind);
    e.status = std::int32_t(std::strtol(f[2].c_str(), &end, 10));
    if (*end)
        return false;
    e.size = std::strtoull(f[3].c_str(), &end, 10);
    if (*end)
        return false;
    e.checksum = std::strtoull(f[4].c_str(), &end, 16);
    if (*end)
        return false;
    entry = std::move(e);
    return true;
}

std::vector<sim_journal_entry_t> sim_journal_read(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<sim_journal_entry_t> out;
    std::size_t from = 0;
    for (std::size_t nl; (nl = all.find('\n', from)) != std::string::npos; from = nl + 1) {
        sim_journal_entry_t e{sim_journal_entry_t::OPEN, ""};
        if (sim_journal_parse_line(all.substr(from, nl - from), e))
            out.push_back(std::move(e));
    }
    return out;
}
