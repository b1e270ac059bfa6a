#pragma once
// drv_arb_wave_t: the arbitrary wave of each output channel, loaded in the form the
// channel's playback mode (DDS or sample rate) needs. It is handed the FPGA, phase and
// frequency drivers.
class drv_fpga_t;
class drv_phase_t;
class drv_freq_t;

class drv_arb_wave_t
{
public:
    drv_arb_wave_t(drv_fpga_t *fpga, drv_phase_t *phase, drv_freq_t *freq) : _fpga(fpga), _phase(phase), _freq(freq) {}

private:
    drv_fpga_t *_fpga;
    drv_phase_t *_phase;
    drv_freq_t *_freq;
};
