#include "cfg_csv_main.h"

#include "cfg_outside_file.h"
#include "lib_diag.h"

int cfg_csv_main_t::find_csv_data_pos_in_key_words_form(const std::string &text, size_t &pos)
{
    return cfg_find_key_words_form(text, pos, "find_csv_data_pos_in_key_words_form");
}

int cfg_csv_main_t::get_first_xpos_ypos(const std::string &text, int &column, size_t &pos)
{
    int found = find_csv_data_pos_in_key_words_form(text, pos);
    if (found == -1) {
        lib_diag_line("get_first_xpos_ypos::err header::");
        return -1;
    }
    column = found;
    return column;
}

int cfg_csv_main_t::check_format_vaild(const std::string &text, size_t &pos)
{
    return find_csv_data_pos_in_key_words_form(text, pos);
}

int cfg_csv_main_t::get_next_point(const std::string &text, size_t column, size_t &pos, float &value)
{
    return next_point_by(text, column, pos, value, ',');
}
