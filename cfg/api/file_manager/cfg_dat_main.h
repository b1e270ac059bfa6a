#pragma once
#include "cfg_bin_main.h"

// .dat files: a key-word header as in .csv, or headerless columns whose separator the
// first line decides.
class cfg_dat_main_t : public cfg_bin_main_t
{
public:
    int get_first_xpos_ypos(const std::string &text, int &column, size_t &pos) override;
    int check_format_vaild(const std::string &text, size_t &pos) override;
    int get_next_point(const std::string &text, size_t column, size_t &pos, float &value) override;

    int find_dat_data_pos_in_key_words_form(const std::string &text, size_t &pos);

    // 0 none (one field per line), 1 tab, 2 space, 3 comma.
    int separator = 0;

protected:
    char field_separator() const override;
};
