#pragma once
#include "cfg_if_wv.h"

// A 16-channel digital pattern: each sample word holds one bit per channel for one bit
// period. The digital editor writes the samples; this object keeps the point count and
// the frequency in step with the bit rate.
class cfg_if_digwv_t : public cfg_if_wv_t
{
public:
    cfg_if_digwv_t();
    ~cfg_if_digwv_t() override;
    int set_wv_len(const uint32 &value) override;
    int create_wv_data() override;

    void set_bit_rate(float value) { bit_rate = value; }
    double get_bit_rate() const { return bit_rate; }
    // Fills the whole pattern with all channels toggling on every bit, starting high.
    void init_wv_data();

protected:
    double bit_rate;
};
