#pragma once
// cali_data_vextral_t: the USB module's calibration object over its calibration
// record.
#include "cali.h"

class cali_data_vextral_t : public cali_t
{
public:
    cali_data_vextral_t() = default;
};
