#include "cfg_dat_main.h"

#include "cfg_outside_file.h"
#include "lib_diag.h"

#include <cstdio>

namespace {

bool is_number_char(char c)
{
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e';
}

} // namespace

int cfg_dat_main_t::find_dat_data_pos_in_key_words_form(const std::string &text, size_t &pos)
{
    return cfg_find_key_words_form(text, pos, "find_dat_data_pos_in_key_words_form");
}

int cfg_dat_main_t::get_first_xpos_ypos(const std::string &text, int &column, size_t &pos)
{
    int found = find_dat_data_pos_in_key_words_form(text, pos);
    if (found == -1 && check_format_vaild(text, pos) == 1) {
        // Headerless: the value is the second field, or the only one.
        found = separator == 0 ? 0 : 1;
        pos = 0;
    }
    if (found == -1) {
        lib_diag_line("get_first_xpos_ypos::err header::");
        return -1;
    }
    column = found;
    return column;
}

int cfg_dat_main_t::check_format_vaild(const std::string &text, size_t &pos)
{
    size_t line_end = text.find('\n');
    if (line_end == std::string::npos)
        return -1;
    if (line_end > 0 && text[line_end - 1] == '\r')
        --line_end;
    const std::string line = text.substr(0, line_end);
    size_t field_end;
    if ((field_end = line.find(',')) != std::string::npos) {
        separator = 3;
    } else if ((field_end = line.find('\t')) != std::string::npos) {
        separator = 1;
    } else if ((field_end = line.find(' ')) != std::string::npos) {
        separator = 2;
    } else {
        separator = 0;
        field_end = line.size();
    }
    for (size_t i = 0; i < field_end; ++i) {
        if (!is_number_char(line[i])) {
            char msg[128];
            std::snprintf(msg, sizeof msg, "check_format_vaild fail:c_num=%d,ypos=%d\n",
                          static_cast<int>(static_cast<unsigned char>(line[i])), static_cast<int>(i));
            lib_diag_out(msg);
            return -1;
        }
    }
    pos = 0;
    return 1;
}

char cfg_dat_main_t::field_separator() const { return separator == 2 ? ' ' : (separator == 1 ? '\t' : ','); }

int cfg_dat_main_t::get_next_point(const std::string &text, size_t column, size_t &pos, float &value)
{
    return next_point_by(text, column, pos, value, field_separator());
}
