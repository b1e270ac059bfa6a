#pragma once
#include "cfg_bin_main.h"

// .csv files: parameter lines, a key-word header, comma-separated rows.
class cfg_csv_main_t : public cfg_bin_main_t
{
public:
    int get_first_xpos_ypos(const std::string &text, int &column, size_t &pos) override;
    int check_format_vaild(const std::string &text, size_t &pos) override;
    int get_next_point(const std::string &text, size_t column, size_t &pos, float &value) override;

    int find_csv_data_pos_in_key_words_form(const std::string &text, size_t &pos);
};
