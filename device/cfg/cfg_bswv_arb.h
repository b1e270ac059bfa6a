#pragma once
// cfg_bswv_arb_t: the limits of the arbitrary wave. For now it keeps every limit of the base
// class; its own limits replace them.
#include "cfg_bswv_wave.h"

class cfg_bswv_arb_t : public cfg_bswv_wave_t
{
public:
    void init(int32 ch) { cfg_bswv_wave_t::init(ch); }
};
