#pragma once
// cfg_outfile2bin_wave_data_main_t: a converter of outside wave files. Its import road
// converts a text export with cfg_text2bin_wave_data_t and loads the result on a
// channel; its own column reader (CSV or DAT, one value column) writes a ".bin" file
// named after the input. The CSV and DAT converters differ only in how they find the
// value column and skip to it.
#include "lib_types.h"

#include <fstream>
#include <string>
#include <vector>

class cfg_outfile2bin_wave_data_main_t
{
public:
    virtual ~cfg_outfile2bin_wave_data_main_t() = default;

    // The value column of buf (or -1, with the header message); *pos is where the data
    // begins.
    virtual int32 get_first_xpos_ypos(std::string &buf, int32 *col, u32 *pos) = 0;
    virtual int32 check_format_vaild(std::string &buf, u32 *pos) = 0;
    // The next value of column col after *pos: the offset of the line end that closed it,
    // or -1 when there is none (pos is then left as it was).
    virtual int32 get_next_point(std::string &buf, int32 col, u32 *pos, float *value) = 0;

    // Converts the text export at path into dir + "\test.bin" and loads it on ch (first
    // on the other channel while ch is the tracking source). 1 whatever happened.
    int32 import_text_wave(int32 ch, std::string path, std::string dir);
    // Loads the file as channel ch's user wave and selects the arbitrary wave when the
    // load succeeded; the load's result.
    static int32 load_bin_to_channel(int32 ch, const std::string &bin_name);

    // The column reader: dir + "/" + stem + ".bin". 1, or -1, -9, -10, -11, -13.
    int32 convert_outfile_to_bin(const std::string &path, const std::string &dir, std::string &out_name);
    // Drops the first pos characters of buf, appends the rest of the file; the count
    // appended, or -1 when the end flag is set.
    int32 read_outside_file(std::ifstream &file, int32 n, std::string &buf, u32 &pos);
    // Appends values of column col to values: 1 at the end of the data with 8 values or
    // more, -11 with fewer, -10 beyond the wave store's size, -9 when out of memory.
    int32 collect_points(std::string &buf, int32 col, u32 *pos, std::vector<float> &values, float &max, float &min);
    static int32 scale_to_samples(const std::vector<float> &values, float max, float min, std::vector<int16> &out);
    // The file name without folder (only '/' separates) up to its first '.'; empty
    // when the name has no '.'.
    static std::string get_file_stem(std::string path);
    // Removes the ".info" companion of the converted file's name and looks at the wave's
    // ".csv" header; applies nothing.
    void load_with_info(int32 ch, const std::string &path, const std::string &dir);

    u8 get_end_flag() const { return end_flag; }
    void set_end_flag(u8 flag) { end_flag = flag; }

protected:
    // get_next_point with a separator to skip col times (0: none).
    int32 next_point_after(std::string &buf, int32 col, u32 *pos, float *value, char separator) const;

    u8 end_flag = 0;
};

class cfg_csv2bin_wave_data_main_t : public cfg_outfile2bin_wave_data_main_t
{
public:
    int32 get_first_xpos_ypos(std::string &buf, int32 *col, u32 *pos) override;
    int32 check_format_vaild(std::string &buf, u32 *pos) override;
    int32 get_next_point(std::string &buf, int32 col, u32 *pos, float *value) override;

    // The column after the first of the keys "Second,Volt", "xpos,value", "Time,Ampl".
    int32 find_csv_data_pos_in_key_words_form(std::string &buf, u32 *pos);
    int32 find_csv_data_pos_in_first_raw_form(std::string &buf, u32 *pos);
    int32 find_csv_data_pos_in_secord_raw_form(std::string &buf, u32 *pos);
};

class cfg_dat2bin_wave_data_main_t : public cfg_outfile2bin_wave_data_main_t
{
public:
    int32 get_first_xpos_ypos(std::string &buf, int32 *col, u32 *pos) override;
    int32 check_format_vaild(std::string &buf, u32 *pos) override;
    int32 get_next_point(std::string &buf, int32 col, u32 *pos, float *value) override;

    // 0 none, 1 tab, 2 space, 3 comma.
    int32 separator = 0;
};

// The column of the field after key's comma, with *pos at the line feed ending key's
// line; -1 when buf does not hold key.
int32 find_key_in_line(std::string &buf, u32 *pos, const std::string &key);
// find_key_in_line for each key in order: the first column found, or -1.
int32 find_first_key(std::string &buf, u32 *pos, std::vector<std::string> &keys);
// Commas before the first line feed; -1 without a line feed.
int32 count_first_line_commas(const std::string &buf);
// Commas between the line feed before end (or the start) and end; *start is that line feed.
int32 count_commas_before(const std::string &buf, u32 end, u32 *start);
// The first "\r\n", else the first "\n"; -1 when there is none.
int32 find_line_end(const std::string &buf, u32 from);
bool is_number_char(char c);
