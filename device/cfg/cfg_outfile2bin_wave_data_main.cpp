#include "cfg_outfile2bin_wave_data_main.h"

#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_text2bin_wave_data.h"
#include "cfg_wave_info.h"
#include "drv_instance_manage.h"
#include "drv_wave_data.h"
#include "gos.h"
#include "lib_trunc.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <new>

int32 cfg_outfile2bin_wave_data_main_t::import_text_wave(int32 ch, std::string path, std::string dir)
{
    std::string out_name;
    cfg_text2bin_wave_data_t text;
    text.convert(path, dir, out_name);
    // Without a converted file the channels keep their waves: an older file of that
    // name must not be loaded in its place.
    if (out_name.empty())
        return 1;
    const cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple->get_track_en() == 1 && couple->get_src_ch() == ch)
        load_bin_to_channel(ch == 0 ? 1 : 0, out_name);
    load_bin_to_channel(ch, out_name);
    cfg_get_couple()->update_and_resync();
    return 1;
}

int32 cfg_outfile2bin_wave_data_main_t::load_bin_to_channel(int32 ch, const std::string &bin_name)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    const int32 r = bswv->load_user_arb_wave(bin_name);
    if (r >= 0)
        bswv->set_wave_type(6);
    return r;
}

int32 cfg_outfile2bin_wave_data_main_t::convert_outfile_to_bin(const std::string &path, const std::string &dir,
                                                               std::string &out_name)
{
    std::ifstream file(path, std::ios::binary);
    std::string buf;
    end_flag = 0;
    u32 pos = 0;
    int32 n = read_outside_file(file, 10485760, buf, pos);
    if (n < 0)
        return n;
    int32 col = 0;
    if (get_first_xpos_ypos(buf, &col, &pos) == -1)
        return -13;
    std::vector<float> values;
    float max = 0.0f;
    float min = 0.0f;
    int32 pct = 15;
    int32 r = 0;
    do {
        if (pct <= 81) {
            cfg_main_t::get_instance()->report_progress(0, pct, r);
            pct += 5;
        }
        r = collect_points(buf, col, &pos, values, max, min);
        n = read_outside_file(file, 10485760, buf, pos);
    } while (n > 0 && r >= 0);
    if (r < 0)
        return r;
    std::vector<int16> samples;
    scale_to_samples(values, max, min, samples);
    const std::string name = dir + "/" + get_file_stem(path) + ".bin";
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char *>(samples.data()),
                  static_cast<std::streamsize>(samples.size() * sizeof(int16)));
    out_name = name;
    return 1;
}

int32 cfg_outfile2bin_wave_data_main_t::read_outside_file(std::ifstream &file, int32, std::string &buf, u32 &pos)
{
    if (end_flag)
        return -1;
    if (pos != 0) {
        buf.erase(0, std::min<std::size_t>(pos, buf.size()));
        pos = 0;
    }
    if (!file.is_open() || !file.good())
        return 0;
    const std::size_t before = buf.size();
    char chunk[65536];
    while (file.read(chunk, sizeof chunk) || file.gcount() > 0)
        buf.append(chunk, static_cast<std::size_t>(file.gcount()));
    return static_cast<int32>(buf.size() - before);
}

int32 cfg_outfile2bin_wave_data_main_t::collect_points(std::string &buf, int32 col, u32 *pos,
                                                       std::vector<float> &values, float &max, float &min)
{
    const std::size_t limit =
        static_cast<std::size_t>(drv_instance_manage_t::get_instance()->get_wave_data()->get_max_wave_len());
    for (;;) {
        float x = 0.0f;
        if (get_next_point(buf, col, pos, &x) == -1)
            return values.size() >= 8 ? 1 : -11;
        if (values.size() >= limit)
            return -10;
        try {
            values.push_back(x);
        } catch (const std::bad_alloc &) {
            values.clear();
            return -9;
        }
        if (x > max)
            max = x;
        else if (x < min)
            min = x;
    }
}

int32 cfg_outfile2bin_wave_data_main_t::scale_to_samples(const std::vector<float> &values, float max, float min,
                                                         std::vector<int16> &out)
{
    const double peak = std::max(std::fabs(max), std::fabs(min));
    out.clear();
    out.reserve(values.size());
    for (float x : values)
        out.push_back(peak == 0.0 ? int16(0) : lib_trunc_i16(static_cast<double>(x) * (32767.0 / peak)));
    return 1;
}

std::string cfg_outfile2bin_wave_data_main_t::get_file_stem(std::string path)
{
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos)
        path.erase(0, slash + 1);
    const std::size_t dot = path.find('.');
    if (dot == std::string::npos)
        return std::string();
    return path.substr(0, dot);
}

void cfg_outfile2bin_wave_data_main_t::load_with_info(int32, const std::string &path, const std::string &dir)
{
    const std::string stem = get_file_stem(path);
    const std::string info = dir + "/" + stem + ".info";
    // The stale companion goes by name; no shell is involved.
    gos_printf("rm -f %s\n", info.c_str());
    ::unlink(info.c_str());
    cfg_wave_info_t companion(info);
    if (companion.read_csv_header(path) != 1)
        return;
    // The companion's reads deliver no value, so no parameter is applied.
    lib_unit_data_t value = {0.0L, 14, false};
    for (const std::string *key : {&companion.amp_key, &companion.freq_key, &companion.offset_key, &companion.phase_key})
        companion.read_param(*key, &value);
}

int32 cfg_outfile2bin_wave_data_main_t::next_point_after(std::string &buf, int32 col, u32 *pos, float *value,
                                                         char separator) const
{
    const u32 saved = *pos;
    if (buf.find('\n', saved) == std::string::npos)
        return -1;
    std::size_t start = saved == 0 ? 0 : static_cast<std::size_t>(saved) + 1;
    *pos = static_cast<u32>(start);
    if (separator != 0) {
        for (int32 i = 0; i < col; ++i) {
            const std::size_t at = buf.find(separator, start);
            if (at == std::string::npos) {
                *pos = saved;
                return -1;
            }
            start = at + 1;
        }
    }
    std::size_t end = buf.find('\n', start);
    if (end == std::string::npos) {
        if (!end_flag) {
            *pos = saved;
            return -1;
        }
        end = buf.size();
    }
    if (end <= start) {
        *pos = saved;
        return -1;
    }
    *value = static_cast<float>(std::atof(buf.substr(start, end - start).c_str()));
    *pos = static_cast<u32>(end);
    return static_cast<int32>(end);
}

// --- CSV ---

int32 cfg_csv2bin_wave_data_main_t::get_first_xpos_ypos(std::string &buf, int32 *col, u32 *pos)
{
    *col = check_format_vaild(buf, pos);
    if (*col == -1)
        gos_printf("get_first_xpos_ypos::err header::\n");
    return *col;
}

int32 cfg_csv2bin_wave_data_main_t::check_format_vaild(std::string &buf, u32 *pos)
{
    return find_csv_data_pos_in_key_words_form(buf, pos);
}

int32 cfg_csv2bin_wave_data_main_t::get_next_point(std::string &buf, int32 col, u32 *pos, float *value)
{
    return next_point_after(buf, col, pos, value, ',');
}

int32 cfg_csv2bin_wave_data_main_t::find_csv_data_pos_in_key_words_form(std::string &buf, u32 *pos)
{
    std::vector<std::string> keys = {"Second,Volt", "xpos,value", "Time,Ampl"};
    const int32 col = find_first_key(buf, pos, keys);
    if (col != -1)
        gos_printf("csv: %s:xpos=%d,ypos=%d\n", "find_csv_data_pos_in_key_words_form", static_cast<int>(col),
                   static_cast<int>(*pos));
    return col;
}

int32 cfg_csv2bin_wave_data_main_t::find_csv_data_pos_in_first_raw_form(std::string &buf, u32 *pos)
{
    const int32 col = buf.find('\n') != std::string::npos ? 0 : -1;
    *pos = 0;
    gos_printf("csv: %s:xpos=%d,ypos=%d\n", "find_csv_data_pos_in_first_raw_form", static_cast<int>(col),
               static_cast<int>(*pos));
    return col;
}

int32 cfg_csv2bin_wave_data_main_t::find_csv_data_pos_in_secord_raw_form(std::string &buf, u32 *pos)
{
    const int32 col = count_first_line_commas(buf) > 0 ? 1 : -1;
    *pos = 0;
    gos_printf("csv: %s:xpos=%d,ypos=%d\n", "find_csv_data_pos_in_secord_raw_form", static_cast<int>(col),
               static_cast<int>(*pos));
    return col;
}

// --- DAT ---

int32 cfg_dat2bin_wave_data_main_t::get_first_xpos_ypos(std::string &buf, int32 *col, u32 *pos)
{
    *col = check_format_vaild(buf, pos);
    if (*col == -1)
        gos_printf("get_first_xpos_ypos::err header::\n");
    return *col;
}

int32 cfg_dat2bin_wave_data_main_t::check_format_vaild(std::string &buf, u32 *pos)
{
    const int32 eol = find_line_end(buf, 0);
    if (eol < 0)
        return -1;
    const std::size_t line_end = static_cast<std::size_t>(eol);
    separator = 0;
    std::size_t stop = line_end;
    const struct
    {
        char c;
        int32 code;
    } separators[] = {{',', 3}, {'\t', 1}, {' ', 2}};
    for (const auto &s : separators) {
        const std::size_t at = buf.find(s.c);
        if (at < line_end) {
            separator = s.code;
            stop = at;
            break;
        }
    }
    for (std::size_t i = 0; i < stop; ++i) {
        if (!is_number_char(buf[i])) {
            gos_printf("check_format_vaild fail:c_num=%d,ypos=%d\n", static_cast<int>(static_cast<unsigned char>(buf[i])),
                       static_cast<int>(i));
            return -1;
        }
    }
    *pos = 0;
    return 1;
}

int32 cfg_dat2bin_wave_data_main_t::get_next_point(std::string &buf, int32 col, u32 *pos, float *value)
{
    static const char separator_chars[] = {0, '\t', ' ', ','};
    const char c = separator >= 0 && separator <= 3 ? separator_chars[separator] : 0;
    return next_point_after(buf, c == 0 ? 0 : col, pos, value, c);
}

// --- column search helpers ---

int32 find_key_in_line(std::string &buf, u32 *pos, const std::string &key)
{
    const std::size_t p = buf.find(key);
    if (p == std::string::npos)
        return -1;
    const std::size_t before = p == 0 ? std::string::npos : buf.rfind('\n', p - 1);
    const std::size_t line_start = before == std::string::npos ? 0 : before + 1;
    const std::size_t line_end = buf.find('\n', p);
    const std::size_t comma = buf.find(',', p);
    int32 col = 0;
    const std::size_t last = comma == std::string::npos ? buf.size() : comma + 1;
    for (std::size_t i = line_start; i < last && i < buf.size(); ++i)
        if (buf[i] == ',')
            ++col;
    *pos = static_cast<u32>(line_end == std::string::npos ? buf.size() : line_end);
    return col;
}

int32 find_first_key(std::string &buf, u32 *pos, std::vector<std::string> &keys)
{
    for (const std::string &key : keys) {
        const int32 col = find_key_in_line(buf, pos, key);
        if (col != -1)
            return col;
    }
    return -1;
}

int32 count_first_line_commas(const std::string &buf)
{
    const std::size_t feed = buf.find('\n');
    if (feed == std::string::npos)
        return -1;
    int32 count = 0;
    for (std::size_t i = 0; i < feed; ++i)
        if (buf[i] == ',')
            ++count;
    return count;
}

int32 count_commas_before(const std::string &buf, u32 end, u32 *start)
{
    const std::size_t limit = std::min<std::size_t>(end, buf.size());
    const std::size_t feed = limit == 0 ? std::string::npos : buf.rfind('\n', limit - 1);
    *start = feed == std::string::npos ? 0 : static_cast<u32>(feed);
    int32 count = 0;
    for (std::size_t i = *start; i < limit; ++i)
        if (buf[i] == ',')
            ++count;
    return count;
}

int32 find_line_end(const std::string &buf, u32 from)
{
    std::size_t at = buf.find("\r\n", from);
    if (at == std::string::npos)
        at = buf.find('\n', from);
    return at == std::string::npos ? -1 : static_cast<int32>(at);
}

bool is_number_char(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e';
}
