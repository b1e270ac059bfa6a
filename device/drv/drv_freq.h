#pragma once
// drv_freq_t: the frequency driver: hertz to micro-hertz to tuning words, per
// channel, in DDS or sample-rate mode. It is handed the FPGA and phase drivers.
class drv_fpga_t;
class drv_phase_t;

class drv_freq_t
{
public:
    drv_freq_t(drv_fpga_t &fpga, drv_phase_t &phase) : _fpga(fpga), _phase(phase) {}
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_freq_t() = default;

protected:
    drv_fpga_t &_fpga;
    drv_phase_t &_phase;
};
