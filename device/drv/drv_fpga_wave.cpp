// drv_fpga_t: the wave-memory block writes, the sample-rate-mode load and the bits of
// register 65 that switch and steer sample-rate mode.
#include "drv_fpga.h"

#include "drv_fpga_reg.h"
#include "drv_reg_spi.h"
#include "gos.h"

namespace {

// Register 65, per channel: padding count field, start-offset load, sample-rate mode,
// wave-load enable.
constexpr uint16 DRV_SR_PAD_SHIFT[2] = {3, 0};
constexpr uint16 DRV_SR_PAD_MASK = 0x7;
constexpr uint16 DRV_SR_OFFSET_LOAD_BIT[2] = {0x0080, 0x0040};
constexpr uint16 DRV_SR_MODE_BIT[2] = {0x0200, 0x0100};
constexpr uint16 DRV_SR_LOAD_ENABLE_BIT[2] = {0x0800, 0x0400};
// Sample-rate-mode blocks are whole multiples of this many samples.
constexpr uint32 DRV_SR_BLOCK_ALIGN = 8;

uint32 drv_pad_count(uint32 length)
{
    const uint32 rest = length % DRV_SR_BLOCK_ALIGN;
    return rest == 0 ? 0 : DRV_SR_BLOCK_ALIGN - rest;
}

} // namespace

int32 drv_fpga_t::write_wave_block(int32 ch, const std::vector<uint16> *samples)
{
    if (!is_channel(ch) || !samples)
        return 0;
    if (samples->empty())
        return 1;
    return transport()->reg_write_fpga_words(DRV_FPGA_PORT_WAVE[ch], samples->data(),
                                             static_cast<uint32>(samples->size()));
}

int32 drv_fpga_t::write_mod_wave_block(int32 ch, const std::vector<uint16> *samples)
{
    if (!is_channel(ch) || !samples)
        return 0;
    if (samples->empty())
        return 1;
    return transport()->reg_write_fpga_words(DRV_FPGA_PORT_MOD_WAVE[ch], samples->data(),
                                             static_cast<uint32>(samples->size()));
}

void drv_fpga_t::write_true_arb_wave_data(int32 ch, const std::vector<uint16> *samples, uint32 start)
{
    if (!is_channel(ch) || !samples)
        return;
    gos_printf("write_true_arb_wave_data++\n");
    const uint32 n = static_cast<uint32>(samples->size());
    set_sample_rate_mode(ch, 0);
    set_arb_load_enable(ch, false);
    set_start_offset_load(ch, 1);
    set_wave_len_pad(ch, n);
    set_start_offset(ch, start);
    set_arb_load_enable(ch, true);
    write_true_arb_samples(ch, samples);
    set_sample_rate_mode(ch, 1);
}

void drv_fpga_t::write_true_arb_samples(int32 ch, const std::vector<uint16> *samples)
{
    if (!is_channel(ch) || !samples || samples->empty())
        return;
    const uint32 n = static_cast<uint32>(samples->size());
    const uint32 pad = drv_pad_count(n);
    // A whole block goes out as it is; only a padded one needs a copy.
    if (pad == 0) {
        transport()->reg_write_fpga_words(DRV_FPGA_PORT_SAMPLE_RATE[ch], samples->data(), n);
        return;
    }
    std::vector<uint16> padded;
    padded.reserve(static_cast<std::size_t>(n) + pad);
    padded.assign(samples->begin(), samples->end());
    padded.resize(static_cast<std::size_t>(n) + pad, 0);
    transport()->reg_write_fpga_words(DRV_FPGA_PORT_SAMPLE_RATE[ch], padded.data(),
                                      static_cast<uint32>(padded.size()));
}

void drv_fpga_t::set_wave_pad(int32 ch, int32 length)
{
    if (!is_channel(ch))
        return;
    const uint16 pad = static_cast<uint16>(drv_pad_count(static_cast<uint32>(length)));
    const uint16 mask = static_cast<uint16>(DRV_SR_PAD_MASK << DRV_SR_PAD_SHIFT[ch]);
    const uint16 v = reg_read(DRV_FPGA_REG_SAMPLE_RATE_CTRL);
    reg_write(DRV_FPGA_REG_SAMPLE_RATE_CTRL, (v & ~mask) | (pad << DRV_SR_PAD_SHIFT[ch]));
}

void drv_fpga_t::set_wave_len(int32 ch, uint32 length)
{
    if (!is_channel(ch))
        return;
    reg_write(DRV_FPGA_REG_WAVE_LEN[ch][0], length & 0xFFFF);
    reg_write(DRV_FPGA_REG_WAVE_LEN[ch][1], length >> 16);
}

void drv_fpga_t::set_wave_len_pad(int32 ch, uint32 length)
{
    set_wave_pad(ch, static_cast<int32>(length));
    set_wave_len(ch, length);
}

void drv_fpga_t::set_sample_rate_mode(int32 ch, int32 on)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_SAMPLE_RATE_CTRL, DRV_SR_MODE_BIT[ch], on != 0);
}

int32 drv_fpga_t::get_sample_rate_mode(int32 ch)
{
    if (!is_channel(ch))
        return 0;
    return (reg_read(DRV_FPGA_REG_SAMPLE_RATE_CTRL) & DRV_SR_MODE_BIT[ch]) != 0 ? 1 : 0;
}

void drv_fpga_t::set_arb_load_enable(int32 ch, bool on)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_SAMPLE_RATE_CTRL, DRV_SR_LOAD_ENABLE_BIT[ch], on);
}

void drv_fpga_t::set_start_offset_load(int32 ch, int32 on)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_SAMPLE_RATE_CTRL, DRV_SR_OFFSET_LOAD_BIT[ch], on != 0);
}

void drv_fpga_t::set_start_offset(int32 ch, uint32 offset)
{
    if (!is_channel(ch))
        return;
    reg_write(DRV_FPGA_REG_START_OFFSET[ch][0], offset & 0xFFFF);
    reg_write(DRV_FPGA_REG_START_OFFSET[ch][1], offset >> 16);
}
