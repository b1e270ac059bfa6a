#include "sim_cali_plant.h"

#include <cmath>

namespace {

double signed16(std::uint16_t v)
{
    return static_cast<double>(static_cast<std::int16_t>(v));
}

} // namespace

double sim_cali_plant_t::volts(const sim_fpga_t &sim) const
{
    const double r = (signed16(sim.peek(41)) - ref_zero) / 10922.0;
    double w = 0.0;
    if (const std::vector<std::uint16_t> *block = sim.block(252); block && !block->empty()) {
        int code = (*block)[0] & 0x3FFF;
        if (code >= 0x2000)
            code -= 0x4000;
        w = code / 8191.5;
    }
    const std::uint16_t relays = sim.peek(24);
    double gain = path_gain;
    if (relays & 0x2)
        gain *= relay1_gain;
    if (relays & 0x4)
        gain *= relay2_gain;
    switch (sim.peek(96) & 0x7) {
    case 0: return r + offset;
    case 2: return w * r * line_gain + (trim_zero - signed16(sim.peek(44))) * trim_volts + offset;
    case 4: return gain * (w * r * line_gain + (signed16(sim.peek(132)) - dc_zero) * dc_volts) + offset;
    default: return offset;
    }
}

std::uint16_t sim_cali_plant_t::adc_read(const sim_fpga_t &sim) const
{
    double code = flat ? adc_zero : adc_zero - adc_per_volt * volts(sim);
    code = std::round(code);
    if (code < 0.0)
        code = 0.0;
    if (code > 4095.0)
        code = 4095.0;
    return static_cast<std::uint16_t>(0x8000 | static_cast<std::uint16_t>(code));
}

void sim_cali_plant_t::install(sim_fpga_t &sim) const
{
    const sim_cali_plant_t *plant = this;
    sim.set_read_model(98, [plant](const sim_fpga_t &s) { return plant->adc_read(s); });
}
