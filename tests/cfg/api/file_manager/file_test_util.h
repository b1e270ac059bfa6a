#pragma once
#include "cfg_if_wv.h"

#include <string>
#include <vector>

// The smallest concrete waveform: arbitrary samples put in by the test.
class test_wave_t : public cfg_if_wv_t
{
public:
    int create_wv_data() override { return 0; }
};

void put_samples(lib_wv_data_t<short int> &record, const std::vector<short int> &samples);
std::vector<short int> samples_of(const lib_wv_data_t<short int> &record);

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &bytes);
// A fixture of tests/data/files.
std::string fixture(const std::string &name);
