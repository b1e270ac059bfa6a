#pragma once
// cfg_text2bin_wave_data_t: turns the text export of a trace (a ".csv" or ".dat" file of
// a few header lines and one number per line) into the module's raw wave file: 16384
// little-endian int16 samples scaled so that the largest magnitude read is 32767,
// written as the caller's folder followed by "\test.bin".
//
// Lines are read as the exporting instruments' readers read them: at most 99
// characters of a line are seen, a longer line ends the reading (every later line is
// empty), and the form of the export is told by case-sensitive keywords.
#include "lib_types.h"

#include <string>
#include <vector>

enum text_wave_format_t : int
{
    TEXT_FMT_DATA = 0,
    TEXT_FMT_AMPLITUDE = 1,
    TEXT_FMT_DUVARN_AMPL = 2,
    TEXT_FMT_DUVARN = 3,
    TEXT_FMT_RECORD = 4,
    TEXT_FMT_NONE = 5,
};

class cfg_text2bin_wave_data_t
{
public:
    static constexpr u32 wave_points = 16384;
    static constexpr u32 buffer_points = 524288;
    // The file name appended to the caller's folder, backslash included.
    static constexpr const char *out_file_suffix = "\\test.bin";

    // Reads the export at path and writes dir + "\test.bin"; out_name receives that
    // name only once the whole file was written (it stays as it was for an empty path,
    // an unknown form, or a folder that cannot take the file). Always 0. Works on an
    // object of its own.
    int32 convert(const std::string &path, const std::string &dir, std::string &out_name) const;

    // detect_format, then read_values: 1 when the form is TEXT_FMT_NONE, else 0.
    int32 read_file(std::string path, float *buf, u32 max_count);
    text_wave_format_t detect_format(std::string path);
    // Skips the form's header lines and takes up to max_count further lines; each
    // line with a value stores it in buf and counts it in point_count. Always 0.
    int32 read_values(std::string path, float *buf, u32 max_count, text_wave_format_t form);
    // read_values that stores only the first kept values (the others still count in
    // point_count, max_value and min_value).
    int32 read_values_kept(const std::string &path, float *buf, u32 max_count, u32 kept, text_wave_format_t form);
    // out = one sample per entry of in, scaled by 32767 / peak of max_value and
    // min_value and truncated (all 0 for a peak of 0). Always 1.
    int32 scale_to_samples(std::vector<int16> &out, const std::vector<float> &in) const;

    void set_header_values(double a, double b, double c);
    void get_header_values(double *a, double *b, double *c) const;

    // A plain list of 16384 sample lines followed by up to three header values;
    // out must hold 16384 samples. Always 0.
    int32 read_sample_text(const std::string &path, int16 *out);
    // 16384 14-bit two's-complement converter codes from the point_count values at buf
    // (buf must hold at least 32769 floats). Always 0.
    int16 to_dac_codes(u16 *out, float *buf) const;
    // n values at buf brought to 16384: decimated into dst (0), left in place (0), or
    // interpolated into buf + 16385 (1).
    static int32 resample(float *buf, u32 n, float *dst);
    static void decimate(const float *src, u32 n, float *dst);
    static void interpolate(const float *src, float *dst, u32 n);
    // The outputs of segment k (between src[k-1] and src[k]) into dst.
    static void interpolate_segment(const float *src, u32 k, float ratio, float *dst);

    double max_value = 0.0;
    double min_value = 0.0;
    u32 point_count = 0;
    u32 target_points = wave_points;
    double header_values[3] = {0.0, 0.0, 0.0};
};

// Removes trailing, then leading ' ' characters from s and returns a copy of the result.
std::string trim_blanks(std::string &s);
// Appends the comma-separated fields of line: the text between two commas (possibly
// empty), and the text after the last comma only when it is not empty.
void split_fields(std::vector<std::string> &fields, std::string line);
