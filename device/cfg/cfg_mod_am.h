#pragma once
// cfg_mod_am_t: amplitude modulation. Depth 0 to 120 %; the modulating frequency is
// bounded by the frequency limits only, not by the carrier. Its apply sends the type
// before the source, and with the external source a fixed depth of 100 %.
#include "cfg_mod.h"

class cfg_mod_am_t : public cfg_mod_t
{
public:
    static constexpr long double MAX_DEPTH = 120.0L;
    static constexpr long double EXTERNAL_DEPTH = 100.0L;

    void apply(int32 type, bool flag) override;
    long double get_max_mod_freq() override;
    long double get_min_deviation() override;
    long double get_max_deviation() override;
};
