#pragma once
#include <string>

// One identified waveform generator.
struct awg_prod_info_t
{
    int model_class = 0; // an instr_zqw_t value
    std::string addr_res;
    std::string manufacturer;
    std::string model;
    std::string serial_number;
    std::string firmware; // as received: a trailing line feed stays
    // The fifth "*IDN?" field without one trailing line feed or blank; empty when
    // there is none or the record came from the private query.
    std::string extra;
};
