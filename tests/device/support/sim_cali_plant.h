#pragma once
// sim_cali_plant_t: the analog path of channel 0 as the calibration procedures measure
// it, answering reads of the feedback ADC (register 98) of a sim_fpga_t with bit 15 set
// and the 12-bit code of a voltage that depends linearly on the registers the
// procedures set:
//   reference   r = (signed register 41 - ref_zero) / 10922        (volts)
//   wave        w = the first sample of the last block at port 252, as a 14-bit
//                   two's-complement DAC code, over 8191.5
//   input 0:  r
//   input 2:  w x r x line_gain + (trim_zero - signed register 44) x trim_volts
//   input 4:  G x (w x r x line_gain + (signed register 132 - dc_zero) x dc_volts)
//   others:   0
// with G = path_gain, times relay1_gain while bit 1 of the relay word (register 24) is
// set and relay2_gain while bit 2 is; the input is register 96 bits 0-2. The code is
// round(adc_zero - adc_per_volt x volts), clamped to 12 bits.
//
// flat makes every reading the code adc_zero rounded (the same voltage everywhere);
// offset makes every measured voltage that much higher (a large one keeps every zero
// search from converging).
#include "sim_fpga.h"

struct sim_cali_plant_t
{
    double ref_zero = 12.0;
    double line_gain = 0.5;
    double trim_zero = 7.0;
    double trim_volts = 0.0002;
    double dc_zero = -25.0;
    double dc_volts = 1.0 / 10922.0;
    double path_gain = 0.8;
    double relay1_gain = 0.5;
    double relay2_gain = 0.25;
    double adc_zero = 2044.1;
    double adc_per_volt = 1365.0;
    bool flat = false;
    double offset = 0.0;

    // The voltage at the ADC for the simulator's current registers.
    double volts(const sim_fpga_t &sim) const;
    std::uint16_t adc_read(const sim_fpga_t &sim) const;
    // Makes the simulator answer register 98 from this plant (kept by reference).
    void install(sim_fpga_t &sim) const;
};
