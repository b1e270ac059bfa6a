#include "cfg_outside_file.h"

#include "cfg_safe_save.h"
#include "lib_diag.h"
#include "lib_file_io.h"

#include <cstdio>

const char *const CFG_OUTSIDE_FILE_SOURCE = "cfg/api/file_manager/cfg_outside_file";

int get_outside_file_type(const std::string &path)
{
    if (path.size() <= 3)
        return 3;
    const std::string ext = path.substr(path.size() - 4);
    if (ext == ".csv" || ext == ".CSV")
        return 0;
    if (ext == ".dat" || ext == ".DAT")
        return 1;
    if (ext == ".bin" || ext == ".BIN")
        return 2;
    return 3;
}

void cfg_convert_float2short_block(const float *values, std::size_t n, float high, float low, short int *out)
{
    const float center = (high + low) * 0.5f;
    const float half = (high - low) * 0.5f;
    for (std::size_t i = 0; i < n; ++i) {
        float scaled = (values[i] - center) / half * 32767.0f;
        // Truncation keeps everything above -32769 and below 32768 in range; the rest,
        // and NaN, is marked with the one value full scale never reaches.
        out[i] = (scaled > -32769.0f && scaled < 32768.0f) ? static_cast<short int>(static_cast<int>(scaled))
                                                            : static_cast<short int>(-32768);
    }
}

int convert_float2short(const std::vector<float> &values, float high, float low, std::vector<short int> &out)
{
    out.clear();
    out.resize(values.size());
    cfg_convert_float2short_block(values.data(), values.size(), high, low, out.data());
    return 1;
}

int cfg_find_key_words_form(const std::string &text, size_t &pos, const char *search_name)
{
    static const char *const k_key_words[] = {"Second,Volt", "xpos,value", "Time,Ampl", "Second,Value"};
    for (const char *key : k_key_words) {
        size_t at = text.find(key);
        if (at == std::string::npos)
            continue;
        size_t line_start = at == 0 ? 0 : text.rfind('\n', at - 1);
        line_start = line_start == std::string::npos || at == 0 ? 0 : line_start + 1;
        int column = 1;
        for (size_t i = line_start; i < at; ++i)
            if (text[i] == ',')
                ++column;
        size_t end = text.find('\n', at);
        pos = end == std::string::npos ? text.size() : end;
        char line[256];
        std::snprintf(line, sizeof line, "csv: %s:xpos=%d,ypos=%d\n", search_name, column, static_cast<int>(pos));
        lib_diag_out(line);
        return column;
    }
    return -1;
}

int copy_wave_data_file(const std::string &destination, lib_wv_data_t<short int> &record)
{
    const std::string &source = record.samples.get_path();
    lib_fd_t in = lib_open_read(source);
    std::int64_t length = lib_file_length(source);
    if (!in.ok() || length < 0) {
        lib_diag_line("文件" + source + "打开失败");
        return -13;
    }
    cfg_safe_save_t out;
    if (out.open(destination) != 0) {
        lib_diag_line("文件" + destination + "打开失败");
        return -13;
    }
    if (!out.copy_from(in.get(), static_cast<std::uint64_t>(length)) || out.commit() != 0) {
        lib_diag_line("文件" + destination + "写入失败");
        return -13;
    }
    return 1;
}
