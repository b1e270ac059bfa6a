#pragma once
#include "lib_wv_data.h"

#include <cstddef>
#include <string>
#include <vector>

// Kind of a waveform file path by its last four characters: 0 ".csv"/".CSV",
// 1 ".dat"/".DAT", 2 ".bin"/".BIN", 3 anything else (short paths included).
int get_outside_file_type(const std::string &path);

// Scales volts to int16 full scale between the levels high and low; a result outside
// the int16 range, or NaN when high equals low, is stored as -32768. Returns 1.
int convert_float2short(const std::vector<float> &values, float high, float low, std::vector<short int> &out);
// The same over a block of n values (out holds n samples).
void cfg_convert_float2short_block(const float *values, std::size_t n, float high, float low, short int *out);

// Saves a record's samples as a .bin file: 1, or -13 when the sample file cannot be
// read or the destination cannot be written (which then stays as it was).
int copy_wave_data_file(const std::string &destination, lib_wv_data_t<short int> &record);

// The key-word search shared by the .csv and .dat readers: finds the header line,
// sets pos to the line feed ending it and returns the value column, or -1.
int cfg_find_key_words_form(const std::string &text, size_t &pos, const char *search_name);

// The qDebug source file of the reader's diagnostics.
extern const char *const CFG_OUTSIDE_FILE_SOURCE;
