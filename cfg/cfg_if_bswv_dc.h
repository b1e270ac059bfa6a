#pragma once
#include "cfg_if_wv.h"

// DC: all samples 0; the record's offset carries the level.
class cfg_if_bswv_dc_t : public cfg_if_wv_t
{
public:
    ~cfg_if_bswv_dc_t() override;
    float get_limit_amp() override;
    float get_limit_freq() override;
    int create_wv_data() override;
};
