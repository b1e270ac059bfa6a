#include "lib_sample_conv.h"

#include <cmath>

short int lib_round_to_int16_sat(double value, short int nan_value)
{
    if (std::isnan(value))
        return nan_value;
    return lib_to_int16_sat(std::round(value), nan_value);
}

int lib_to_int_sat(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(value);
}

float sample_to_volt(short int sample, float amplitude, float offset)
{
    long double v = (long double)sample / 32767.0L * ((long double)amplitude * 0.5L) + (long double)offset;
    return static_cast<float>(v);
}

static float volt_quotient(float volts, float amplitude, float offset)
{
    long double q = ((long double)volts - (long double)offset) / ((long double)amplitude * 0.5L) * 32767.0L;
    if (std::isnan(q))
        return NAN;
    if (q > 3.4028234663852886e38L)
        return INFINITY;
    if (q < -3.4028234663852886e38L)
        return -INFINITY;
    return static_cast<float>(q);
}

short int volt_to_sample(float volts, float amplitude, float offset)
{
    if (amplitude == 0.0f)
        return 0;
    return lib_to_int16_sat(volt_quotient(volts, amplitude, offset), 0);
}

float volt_to_sample_f(float volts, float amplitude, float offset)
{
    if (amplitude == 0.0f)
        return 0.0f;
    return volt_quotient(volts, amplitude, offset);
}

void volts_to_samples(const float *volts, short int *samples, std::size_t count, float amplitude, float offset)
{
    if (amplitude == 0.0f) {
        for (std::size_t i = 0; i < count; ++i)
            samples[i] = 0;
        return;
    }
    const double scale = 32767.0 / (static_cast<double>(amplitude) * 0.5);
    const double off = offset;
    for (std::size_t i = 0; i < count; ++i) {
        const double q = (static_cast<double>(volts[i]) - off) * scale;
        // The exact quotient differs from q by far less than 1e-9 and its float rounding
        // by less than 1e-3 below 65536: away from an integer both truncate alike.
        if (std::fabs(q) < 65536.0) {
            const int whole = static_cast<int>(q);
            const double frac = std::fabs(q - whole);
            if (frac > 0.002 && frac < 0.998) {
                samples[i] = lib_to_int16_sat(whole, 0);
                continue;
            }
        }
        samples[i] = volt_to_sample(volts[i], amplitude, offset);
    }
}
