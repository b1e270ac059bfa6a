#include "cfg_wave_info.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>

cfg_wave_info_t::cfg_wave_info_t(const std::string &file_name) : file_name(file_name) {}

bool cfg_wave_info_t::exists() const
{
    std::ifstream in(file_name);
    return !in.fail();
}

int32 cfg_wave_info_t::check_file(int32, int32) const
{
    return exists() ? 0 : -13;
}

int32 cfg_wave_info_t::read_param(const std::string &, lib_unit_data_t *) const
{
    return exists() ? 0 : -13;
}

int32 cfg_wave_info_t::write_param(const std::string &, long double) const
{
    return 0;
}

int32 cfg_wave_info_t::parse_key_value(const std::string &text, const std::string &key, float *out)
{
    const std::size_t at = text.find(key);
    if (at == std::string::npos)
        return -13;
    const std::size_t comma = text.find(',', at);
    if (comma == std::string::npos)
        return -13;
    const std::size_t start = comma + 1;
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos)
        end = text.size();
    if (end == start)
        return -13;
    *out = static_cast<float>(std::atof(text.substr(start, end - start).c_str()));
    return 1;
}

u32 cfg_wave_info_t::read_csv_header(const std::string &path) const
{
    if (path.find(".csv") == std::string::npos && path.find(".CSV") == std::string::npos)
        return 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    constexpr std::size_t buffer_bytes = 1048576;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[buffer_bytes]);
    if (!buffer)
        return 0;
    // The header's content does not decide the answer; it is read as the caller expects.
    in.read(buffer.get(), buffer_bytes);
    return exists() ? 1 : 0;
}

int32 cfg_copy_wave_names(int32, const std::string &a, const std::string &b)
{
    if (a.size() > 100 || b.size() > 100)
        return -13;
    struct
    {
        char a[101];
        char b[101];
    } names = {};
    std::memcpy(names.a, a.c_str(), a.size());
    std::memcpy(names.b, b.c_str(), b.size());
    (void)names;
    return 1;
}
