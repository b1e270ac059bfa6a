#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "plat_visa.h"

#include <string>

// The oscilloscope commands: the channel count, the scale of a channel and the import of
// a captured trace as a waveform. The fields are valid after scope_query_channel_params
// succeeded.
class instr_scope_t
{
public:
    // "C1" to "C8" for 0 to 7, "C1" for anything else.
    std::string scope_channel_name(int channel) const;
    // 2, 4 or 8 (2 also for session 0 and a failed read); -2 without memory.
    int32 scope_get_channel_count(ViSession session);
    // 0 with vdiv, ofst, tdiv and sara set; -1 a failed read or a reply without a
    // usable number; -2 without memory.
    int32 scope_query_channel_params(ViSession session, int channel);
    // Imports the channel's trace into the record: 0, -20 session 0, -1 a failed trace
    // read, -2 no memory or a trace without data, or the failure of the parameter query.
    // The record changes only on success.
    int32 scope_read_waveform(ViSession session, int channel, lib_wv_data_t<short int> &data);
    float scope_code_to_volt(uint8_t code) const;
    // The number before the first G/g, K/k or M, times 1e9, 1e3 or 1e6.
    float scope_parse_scaled_number(const std::string &text) const;
    int32 scope_model_family(const std::string &product) const;

    float vdiv = 0;
    float ofst = 0;
    float tdiv = 0;
    float sara = 0;
};
