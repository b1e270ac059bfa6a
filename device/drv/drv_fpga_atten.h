#pragma once
// drv_fpga_atten_t: the digital attenuation that the amplitude driver's range selection
// chose for one amplitude; drv_fpga_t::set_atten applies it to a channel.
struct drv_fpga_atten_t
{
    // A digital attenuation is applied.
    bool on = false;
    // Its step in dB.
    long double gain_db = 0.0L;
    // extra_db is added to the step.
    bool add_extra = false;
    long double extra_db = 0.0L;
};
