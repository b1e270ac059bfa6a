#include "cfg_file_main.h"

#include "cfg_csv_main.h"
#include "cfg_dat_main.h"
#include "cfg_if_wv.h"
#include "cfg_outside_file.h"
#include "lib_diag.h"

cfg_file_main_t::cfg_file_main_t(const std::string &path) : file_type(get_outside_file_type(path))
{
    if (file_type == 1)
        reader = std::make_unique<cfg_dat_main_t>();
    else
        reader = std::make_unique<cfg_csv_main_t>();
}

cfg_file_main_t::~cfg_file_main_t()
{
    lib_diag_line("++++++++cfg_file_main_t::~cfg_file_main_t()");
}

int cfg_file_main_t::open_outside_file(const std::string &path, lib_wv_data_t<short int> &record)
{
    switch (get_outside_file_type(path)) {
    case 0:
        return reader->read_csv_file(path, record);
    case 1:
        return reader->read_dat_file(path, record);
    case 2:
        return reader->read_bin_file(path, record);
    default:
        lib_diag_line("Not support outside file!");
        return -12;
    }
}

int cfg_file_main_t::save_outside_file(const std::string &path, cfg_if_wv_t *wave)
{
    const int kind = get_outside_file_type(path);
    if (kind == 3) {
        lib_diag_line("Not support outside file!");
        return -12;
    }
    if (!wave)
        return -1;
    switch (kind) {
    case 0:
        return reader->write_csv_file(path, wave);
    case 1:
        return reader->write_dat_file(path, wave);
    default:
        return copy_wave_data_file(path, *wave->get_wv_data());
    }
}

int cfg_file_main_t::load_outside_wave_data(int, const std::string &path, const std::string &directory)
{
    const int kind = get_outside_file_type(path);
    if (kind != 0 && kind != 1) {
        lib_diag_line("+++cfg_file_main_t::load_outside_wave_data():Not support outside file!");
        return -12;
    }
    std::string out_name;
    return reader->convert_outfile_to_bin(path, directory, out_name);
}

int cfg_file_main_t::load_outside_wave_data(const std::string &path, const std::string &directory,
                                            std::string &out_name)
{
    const int kind = get_outside_file_type(path);
    if (kind != 0 && kind != 1) {
        lib_diag_line("Not support outside file!");
        return -12;
    }
    return reader->convert_outfile_to_bin(path, directory, out_name);
}
