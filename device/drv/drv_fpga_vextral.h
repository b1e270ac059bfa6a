#pragma once
// drv_fpga_vextral_t: the USB module's FPGA. Its image is already in the module's
// boot flash, so nothing starts it; its carrier DDS runs at 125 MHz with a 48-bit
// accumulator; its flash is reached through the USB transport's byte transfers, with
// register 24 selecting the user or the boot flash and register 255 releasing it. It
// adds no fields and touches no register when constructed.
#include "drv_fpga.h"

class drv_fpga_vextral_t : public drv_fpga_t
{
public:
    drv_fpga_vextral_t() = default;

    // Nothing: the module starts its FPGA itself.
    void init_fpga() override;
    // Bit 1 of register 31 only: clear gives state 0 and 1; set returns 0.
    int32 get_overload_state(uint32 *state) override;
    // Nothing: the module has no time-base trim.
    void set_time_base_dac(int32 code) override;
    // No attenuator relay: gain_db (set to 0.0 in the record when off) to
    // set_digital_gain; extra_db is not used.
    void set_atten(int32 ch, drv_fpga_atten_t *atten) override;
    // A 12-bit value.
    int32 read_adc() override;
    // Register 49 / 51 = trunc(volts x 10922.0).
    void set_dc_level(int32 ch, long double volts) override;
    // Register 84 written 0, then 1, whatever the channel.
    void trigger_ch(int32 ch) override;
    // Reads register 51.
    int32 get_counter_level_dac(uint32 *code) override;
    // Register 4 bit 1 = on (other values rewrite register 4 unchanged); 1.
    int32 set_ref_out(int32 on) override;
    // 10, 20 and 30 dB give the codes 317, 103 and 32; anything else 1024 (unity).
    void set_digital_gain(int32 ch, long double db) override;
    // The transport's byte write to the 16-bit address, then 300 ms; the transport's
    // status (0 on the USB transport), 0 for null data.
    int32 write_flash_page(uint32 addr, uint32 count, const uint8 *data) override;
    // The transport's byte read from the 16-bit address, then 10 ms.
    int32 read_flash_data(uint32 addr, uint32 count, uint8 *out) override;
    // {128, 128}; 1.
    int32 get_flash_chunks(drv_flash_chunk_t *chunks) override;
    // The base chunking between begin_flash_access and end_flash_access.
    int32 write_flash(uint32 addr, uint32 len, const uint8 *data, const drv_flash_chunk_t *chunks) override;
    int32 read_flash(uint32 addr, uint32 len, uint8 *out, const drv_flash_chunk_t *chunks) override;
    // Register 24 (read once, written once, not traced) with bit 8 set and bit 9 clear
    // for the user flash, the other way round for the boot flash; then 10 ms. 1.
    int32 begin_flash_access() override;
    int32 begin_boot_flash_access() override;
    // Register 255 = 0xFFFF, then 10 ms; 1.
    int32 end_flash_access() override;
    // {256, 256}; 1.
    int32 get_boot_flash_chunks(drv_flash_chunk_t *chunks) override;
    // Selects the boot flash, erases it and writes the image in 256-byte pieces (the
    // last padded with 0xFF) with progress 0.2 after the erase and 0.2 + (k / n) / 1.3
    // after piece k of n; 1, or 0 without any access for null data or an empty image.
    int32 write_boot_image(uint32 addr, uint32 len, const uint8 *data, drv_flash_progress_cb_t progress) override;
    // The transport's byte write to the 24-bit address, then 50 ms.
    int32 write_flash_data24(uint32 addr, uint32 count, const uint8 *data) override;
    // 1.25e14 micro-hertz and 2^48.
    long double get_dds_clock() override;
    long double get_dds_phase_range() override;

    bool replaces_write_boot_image() const override;

    // Register 0 = 0, then 5 s; 1.
    int32 erase_boot_flash();
};
