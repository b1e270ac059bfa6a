#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "plat_visa.h"

#include <string>

class drv_device_comm_t;

// Samples per download segment.
constexpr uint32 INSTR_SEGMENT_POINTS = 20971520;

// The parameters of one download and the steps that build and send it: the command
// text up to "WAVEDATA,", the samples of the segment, the basic-wave preamble of model
// classes 0 and 1 and the selection of the stored waveform.
class instr_send_wv_t
{
public:
    instr_send_wv_t();

    void set_params(int ch, ViSession sesn, float amplitude, float offs, double frequency, double sample_rate,
                    float ph, const std::string &wave_name, int length, uint32 model);

    // 1 success; 0 a failed preamble or selection write; -1 a failed download write or an
    // unreadable sample file; -2 no memory for the command (nothing written then).
    int32 send_wave(ViSession sesn, int ch, float amplitude, float offs, double frequency, double sample_rate,
                    float ph, int length, const std::string &wave_name, const lib_wv_data_t<short int> &data,
                    const std::string &store, uint32 model, int segment, bool more);
    // "OUTPut OFF", then the "BSWV " settings: the result of the second write.
    int32 send_bswv_preset(drv_device_comm_t *comm);
    // The command text up to and including "WAVEDATA," for the segment.
    std::string build_wave_head(const std::string &store, int segment, bool more) const;
    // Reads `count` samples from sample `first` of the record's file into `out`,
    // shifted to 14 bits for classes 6 to 8.
    bool append_wave_data(int16 *out, const lib_wv_data_t<short int> &data, uint64 first, uint64 count) const;
    // 1 without writing while more segments follow, else the result of the selection write.
    int32 select_sent_wave(drv_device_comm_t *comm, const std::string &store, int segment, bool more);

    // "LENGTH," with half the byte size of the file.
    std::string length_from_file(const std::string &path) const;
    static std::string bswv_keyword() { return "BSWV "; }
    static std::string output_off_keyword() { return "OUTPut OFF"; }

    // The process-wide segment counter: 1 between downloads, counting up across the
    // segments of one.
    static int segment_counter();

    std::string name;
    int ch_code;
    ViSession session;
    float amp;
    float offset;
    double freq;
    float phase;
    int len;
    uint32 model_class;
    double srate;

private:
    std::string prefix() const;
    bool short_keys() const { return model_class <= 1; }
    bool fourteen_bit() const { return model_class >= 6 && model_class <= 8; }
    std::string storage_field(const std::string &store) const;
};

// Sends one segment of a waveform: -30 when the session is 0, else the result of
// instr_send_wv_t::send_wave. Segments are numbered from 1; `more` is true for every
// segment but the last.
int32 instr_send_wave(ViSession session, int ch, float amp, float offset, double freq, double srate, float phase,
                      int len, const std::string &name, const lib_wv_data_t<short int> &data,
                      const std::string &store, uint32 model, int segment, bool more);
