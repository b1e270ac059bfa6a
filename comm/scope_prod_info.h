#pragma once
#include <string>

// One identified oscilloscope.
struct scope_prod_info_t
{
    int model_class = 0; // the oscilloscope family, 0 to 15
    std::string addr_res;
    std::string manufacturer;
    std::string model;
    std::string serial_number;
    std::string firmware;
};
