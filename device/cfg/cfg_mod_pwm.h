#pragma once
// cfg_mod_pwm_t: pulse-width modulation of a pulse carrier. The width deviation, in
// seconds, lets the width swing both ways and stay the driver's margin away from zero
// and from the full period.
#include "cfg_mod.h"

class cfg_mod_pwm_t : public cfg_mod_t
{
public:
    static constexpr long double DEFAULT_DEVIATION = 0.00019L;

    cfg_mod_pwm_t();

    void reset_deviation() override;
    long double get_max_mod_freq() override;
    long double get_min_deviation() override;
    long double get_max_deviation() override;

private:
    // The second platform's further limit from the pulse edges and the driver's width
    // steps.
    long double limit_by_edges(long double deviation, long double width);
};
