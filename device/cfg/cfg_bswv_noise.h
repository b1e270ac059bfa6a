#pragma once
// cfg_bswv_noise_t: the limits of the noise wave. The channel stores the noise
// deviation as an amplitude (deviation / the driver's factor), so its amplitude limits
// are deviation limits in disguise.
#include "cfg_bswv_wave.h"

class cfg_bswv_noise_t : public cfg_bswv_wave_t
{
public:
    virtual void init(int32 ch);
    virtual long double get_zero() { return 0.0L; }
    // Sets the bandwidth range when the device has a bandwidth setting; otherwise both
    // stay 0.
    virtual void set_bandwidth_limits(int32 ch);

    long double get_max_ampl(long double offset, long double freq, int32 load) override;
    long double get_min_ampl(int32 load) override;
    long double get_max_noise_bandwidth() override { return max_bandwidth; }
    long double get_min_noise_bandwidth() override { return min_bandwidth; }

private:
    long double max_bandwidth = 0.0L;
    long double min_bandwidth = 0.0L;
};

// Noise standard deviation and amplitude of channel ch, through the driver's factor
// for the channel's open-circuit offset.
long double cfg_noise_ampl_to_stdev(int32 ch, long double ampl);
long double cfg_noise_stdev_to_ampl(int32 ch, long double stdev);
