#pragma once
// cfg_mod_fm_t: frequency modulation. The deviation keeps the carrier plus or minus it
// between 0 and the highest frequency the carrier wave allows at its amplitude; the
// modulating frequency is bounded by the carrier.
#include "cfg_mod.h"

class cfg_mod_fm_t : public cfg_mod_t
{
public:
    long double get_min_deviation() override;
    long double get_max_deviation() override;
};
