#pragma once
// cfg_mod_dsb_am_t: double-sideband amplitude modulation, whose depth is always 100 %.
#include "cfg_mod.h"

class cfg_mod_dsb_am_t : public cfg_mod_t
{
public:
    static constexpr long double DEPTH = 100.0L;

    void save_config(const char *path) override;
    void load_config(const char *path) override;
    long double get_max_mod_freq() override;
    long double get_min_deviation() override;
    long double get_max_deviation() override;
};
