#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

class cfg_if_wv_t;

// Reader of outside waveform files and holder of the parameters a file carries: the
// facade reads into it on open and fills it before a save. The text formats differ
// only in how they find the data and split a line, which the subclasses supply.
class cfg_bin_main_t
{
public:
    cfg_bin_main_t();
    virtual ~cfg_bin_main_t();
    cfg_bin_main_t(const cfg_bin_main_t &) = delete;
    cfg_bin_main_t &operator=(const cfg_bin_main_t &) = delete;

    virtual uint32 *get_points();
    virtual void set_points(const uint32 &value);
    virtual float *get_freq();
    virtual void set_freq(const float &value);
    virtual float *get_amp();
    virtual void set_amp(const float &value);
    virtual float *get_offset();
    virtual void set_offset(const float &value);
    virtual float *get_phase();
    virtual void set_phase(const float &value);
    virtual float *get_high();
    virtual float *get_low();
    // Finds the data of the first chunk: sets the value column and the position of the
    // line feed before the first data line. Returns the column or -1.
    virtual int get_first_xpos_ypos(const std::string &text, int &column, size_t &pos) = 0;
    virtual int check_format_vaild(const std::string &text, size_t &pos) = 0;
    // Reads the value of the data line after pos; returns the new position or -1.
    virtual int get_next_point(const std::string &text, size_t column, size_t &pos, float &value) = 0;

    int read_outside_file(std::istream &in, int size, std::string &text, size_t &pos);
    int32 convert_outfile2bin(const std::string &text, size_t column, size_t &pos, std::vector<float> &values,
                              float &max, float &min);
    bool parse_header_params(const std::string &text);
    int read_csv_file(const std::string &path, lib_wv_data_t<short int> &record);
    int read_dat_file(const std::string &path, lib_wv_data_t<short int> &record);
    int read_bin_file(const std::string &path, lib_wv_data_t<short int> &record);

    // 0 written, -1 empty or .dat path, -13 nothing or only part could be written.
    int write_csv_file(const std::string &path, cfg_if_wv_t *wave);
    // The .dat layout the .dat reader takes: "xpos,value" and the .csv rows. 0 or -13.
    int write_dat_file(const std::string &path, cfg_if_wv_t *wave);

    int32 convert_outfile_to_bin(const std::string &path, const std::string &directory, std::string &out_name);
    std::string get_outfile_file_name(const std::string &path);
    // Writes the frequency, amplitude, offset and phase beside a ".bin" file, in the
    // ".info" file of the same name; false for a path without ".bin".
    bool write_info_file(const std::string &path);

protected:
    // get_next_point with the separator of the format.
    int next_point_by(const std::string &text, size_t column, size_t &pos, float &value, char separator);
    // The separator get_next_point splits a data line at.
    virtual char field_separator() const { return ','; }
    // Whether another chunk can still add values: not once a data line failed to
    // parse (collection has stopped for good) or a line outgrew a chunk.
    bool more_to_collect(const std::string &text, size_t pos) const;
    // Starts a pass over a text file: reads its first chunk (and, when asked, its parameter
    // lines) and finds the data. The bytes read, the read's failure code, or -13 when no
    // data header or valid first line is there.
    int begin_pass(std::istream &in, std::string &text, int &column, size_t &pos, bool *all_parameters);
    // The same for the readers' one pass over a file.
    int begin_text(class cfg_text_file_t &src, int &column, size_t &pos, bool *all_parameters);
    // Collects the values of this chunk and every later one (per_chunk: the vector keeps
    // only the current chunk's values) until the file ends or collection stops: 1 or the
    // failure code.
    int32 collect_rest(std::istream &in, int chunk, std::string &text, size_t column, size_t &pos,
                       std::vector<float> &values, float &max, float &min, bool per_chunk);

    bool file_end;
    float high;
    float low;
    uint32 points;
    float freq;
    float amp;
    float offset;
    float phase;

private:
    int write_text_file(const std::string &path, cfg_if_wv_t &wave, bool with_parameters);
    // The .csv reader with its levels from the parameter lines (amp and offset known):
    // each chunk's values are scaled and written as they come.
    int read_scaled_as_read(class cfg_text_file_t &src, size_t column, size_t &pos, lib_wv_data_t<short int> &record);
    // Reads the values of a text file into a scratch file of floats and their extremes
    // (starting from max and min): one pass over the text whatever the levels depend on.
    int read_values_and_levels(class cfg_text_file_t &src, size_t column, size_t &pos, class cfg_float_spill_t &spill,
                               float &max, float &min);
    // Collects the values of the current chunk and of every later one, handing each
    // chunk's values to take() in order: 1, or the failure code (take()'s included).
    template <typename F>
    int32 collect_chunks(class cfg_text_file_t &src, size_t column, size_t &pos, F take);

    // Values collected in the current pass over a file.
    uint64 pass_total = 0;
    bool data_stopped = false;
};
