#pragma once
#include "cfg_bin_main.h"

#include <memory>
#include <string>

class cfg_if_wv_t;

// The one entry for opening a waveform file into a record and saving a waveform to a
// file; built for one operation with the file's path.
class cfg_file_main_t
{
public:
    explicit cfg_file_main_t(const std::string &path);
    ~cfg_file_main_t();
    cfg_file_main_t(const cfg_file_main_t &) = delete;
    cfg_file_main_t &operator=(const cfg_file_main_t &) = delete;

    int open_outside_file(const std::string &path, lib_wv_data_t<short int> &record);
    int save_outside_file(const std::string &path, cfg_if_wv_t *wave);
    int load_outside_wave_data(int unused, const std::string &path, const std::string &directory);
    int load_outside_wave_data(const std::string &path, const std::string &directory, std::string &out_name);

    // Reads the file on open; holds the parameters a save writes.
    std::unique_ptr<cfg_bin_main_t> reader;
    // 0 .csv, 1 .dat, 2 .bin, 3 anything else.
    int file_type;
};
