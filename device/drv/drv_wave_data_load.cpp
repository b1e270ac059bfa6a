// drv_wave_data_t: the wave-memory writes: DAC scaling, the control-bit pulse before a
// block, the DDS, modulating and sample-rate wave memories, and the channel waves
// kept for get_ch_wave.
#include "drv_wave_data.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_phase.h"
#include "lib_trunc.h"

namespace {

constexpr uint16 DRV_CTRL_WAVE_LOAD = 0x0001;
constexpr uint16 DRV_CTRL_MOD_WAVE_LOAD = 0x0002;

drv_fpga_t *drv_load_fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

// One read of the channel control register, then the bit cleared and set.
void drv_pulse_ctrl_bit(drv_fpga_t *fpga, int32 ch, uint16 bit)
{
    const uint16 v = static_cast<uint16>(fpga->read_ctrl_reg(ch));
    fpga->write_ctrl_reg(ch, static_cast<uint16>(v & ~bit));
    fpga->write_ctrl_reg(ch, static_cast<uint16>(v | bit));
}

// The block writers take the samples as 16-bit words.
std::vector<uint16> drv_words(const std::vector<int16> &wave)
{
    return std::vector<uint16>(wave.begin(), wave.end());
}

} // namespace

int32 drv_wave_data_t::get_dac_bits()
{
    switch (drv_instance_manage_t::get_instance()->get_product_id()) {
    case 0:
    case 2:
    case 3:
        return 16;
    case 1:
    case DRV_PRODUCT_VEXTRAL:
        return 14;
    default:
        return 0;
    }
}

void drv_wave_data_t::scale_to_dac_bits(std::vector<int16> &wave)
{
    const int32 bits = get_dac_bits();
    if (bits >= 16)
        return;
    const int shift = 16 - bits;
    for (int16 &sample : wave)
        sample = static_cast<int16>(sample >> shift);
}

int32 drv_wave_data_t::write_channel_wave(int32 ch, std::vector<int16> &wave, bool scale)
{
    if (!is_channel(ch))
        return 0;
    drv_fpga_t *fpga = drv_load_fpga();
    drv_pulse_ctrl_bit(fpga, ch, DRV_CTRL_WAVE_LOAD);
    if (scale)
        scale_to_dac_bits(wave);
    const std::vector<uint16> words = drv_words(wave);
    return fpga->write_wave_block(ch, &words);
}

int32 drv_wave_data_t::write_wave(int32 ch, std::vector<int16> &wave)
{
    if (!is_channel(ch))
        return 0;
    write_channel_wave(ch, wave, true);
    return 1;
}

int32 drv_wave_data_t::set_ch_wave(int32 ch, std::vector<int16> &wave)
{
    if (!is_channel(ch))
        return 0;
    _ch_wave[ch] = wave;
    write_channel_wave(ch, wave, true);
    return 1;
}

void drv_wave_data_t::get_ch_wave(int32 ch, std::vector<int16> &out)
{
    if (is_channel(ch))
        out = _ch_wave[ch];
}

int32 drv_wave_data_t::write_mod_wave(int32 ch, const std::vector<int16> &wave)
{
    if (!is_channel(ch))
        return 0;
    drv_fpga_t *fpga = drv_load_fpga();
    drv_pulse_ctrl_bit(fpga, ch, DRV_CTRL_MOD_WAVE_LOAD);
    const std::vector<uint16> words = drv_words(wave);
    return fpga->write_mod_wave_block(ch, &words);
}

int32 drv_wave_data_t::write_wave_with_phase(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch,
                                             const std::vector<int16> &wave)
{
    if (!is_channel(ch) || !fpga || !phase)
        return 0;
    const int32 n = static_cast<int32>(wave.size());
    const int32 offset = phase_to_offset(phase->get_phase(ch), n);
    const std::vector<uint16> words = drv_words(wave);
    fpga->write_true_arb_wave_data(ch, &words, static_cast<uint32>(offset));
    phase->set_phase(fpga, ch, phase->get_phase(ch));
    return 1;
}

int32 drv_wave_data_t::phase_to_offset(long double degrees, int32 n)
{
    return lib_trunc_i32(degrees / 360 * n);
}

int32 drv_wave_data_t::is_sample_rate_mode(drv_fpga_t *fpga, int32 ch)
{
    return fpga && fpga->get_sample_rate_mode(ch) == 1 ? 1 : 0;
}
