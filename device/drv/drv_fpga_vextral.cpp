#include "drv_fpga_vextral.h"

#include "drv_flash_chunk.h"
#include "drv_fpga_atten.h"
#include "drv_fpga_reg.h"
#include "drv_reg_spi.h"
#include "gos.h"
#include "lib_trunc.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr long double DRV_VEXTRAL_DDS_CLOCK = 1.25e14L;
constexpr long double DRV_VEXTRAL_DDS_RANGE = 281474976710656.0L;

constexpr uint16 DRV_VEXTRAL_ADC_VALUE = 0x0FFF;
constexpr long double DRV_VEXTRAL_DC_CODE_PER_VOLT = 10922.0L;
constexpr int32 DRV_VEXTRAL_GAIN_UNITY = 1024;
constexpr uint16 DRV_VEXTRAL_REF_OUT = 0x0002;

constexpr uint16 DRV_VEXTRAL_USER_FLASH = 0x0100;
constexpr uint16 DRV_VEXTRAL_BOOT_FLASH = 0x0200;
constexpr uint16 DRV_VEXTRAL_FLASH_RELEASE = 0xFFFF;
constexpr uint32 DRV_VEXTRAL_FLASH_CHUNK = 128;
constexpr uint32 DRV_VEXTRAL_BOOT_CHUNK = 256;
constexpr int DRV_VEXTRAL_SELECT_WAIT_US = 10000;
constexpr int DRV_VEXTRAL_PAGE_WAIT_US = 300000;
constexpr int DRV_VEXTRAL_READ_WAIT_US = 10000;
constexpr int DRV_VEXTRAL_BOOT_PAGE_WAIT_US = 50000;
constexpr int DRV_VEXTRAL_BOOT_ERASE_WAIT_US = 5000000;
constexpr float DRV_VEXTRAL_PROGRESS_ERASED = 0.2f;

// Register 24 is also the relay word, which its driver keeps in a shadow and writes
// straight to the transport; the flash select goes the same way and leaves the shadow
// alone (the next relay write clears the select bits again).
int32 drv_vextral_select_flash(drv_reg_spi_t *transport, uint16 set, uint16 clear)
{
    const uint32 v = static_cast<uint32>(transport->reg_read_fpga_reg(DRV_FPGA_REG_RELAY_WORD)) & 0xFFFF;
    transport->reg_write_fpga_reg(DRV_FPGA_REG_RELAY_WORD, (v & ~static_cast<uint32>(clear)) | set);
    gos_usleep(DRV_VEXTRAL_SELECT_WAIT_US);
    return 1;
}

} // namespace

void drv_fpga_vextral_t::init_fpga() {}

int32 drv_fpga_vextral_t::get_overload_state(uint32 *state)
{
    if (reg_read(DRV_FPGA_REG_OVERLOAD_STATUS) & 0x0002)
        return 0;
    if (state)
        *state = 0;
    return 1;
}

void drv_fpga_vextral_t::set_time_base_dac(int32) {}

void drv_fpga_vextral_t::set_atten(int32 ch, drv_fpga_atten_t *atten)
{
    if (!is_channel(ch) || !atten)
        return;
    if (!atten->on)
        atten->gain_db = 0.0L;
    set_digital_gain(ch, atten->gain_db);
}

int32 drv_fpga_vextral_t::read_adc()
{
    return poll_adc(DRV_VEXTRAL_ADC_VALUE);
}

void drv_fpga_vextral_t::set_dc_level(int32 ch, long double volts)
{
    if (is_channel(ch))
        reg_write(DRV_FPGA_REG_DC_LEVEL[ch],
                  static_cast<uint32>(static_cast<uint64>(lib_trunc_i64(volts * DRV_VEXTRAL_DC_CODE_PER_VOLT)) & 0xFFFF));
}

void drv_fpga_vextral_t::trigger_ch(int32)
{
    reg_write(DRV_FPGA_REG_MANUAL_TRIGGER, 0);
    reg_write(DRV_FPGA_REG_MANUAL_TRIGGER, 1);
}

int32 drv_fpga_vextral_t::get_counter_level_dac(uint32 *code)
{
    const uint16 v = reg_read(DRV_FPGA_REG_DC_LEVEL[1]);
    if (code)
        *code = v;
    return 1;
}

int32 drv_fpga_vextral_t::set_ref_out(int32 on)
{
    uint16 v = reg_read(DRV_FPGA_REG_CLOCK);
    if (on == 1)
        v |= DRV_VEXTRAL_REF_OUT;
    else if (on == 0)
        v &= ~DRV_VEXTRAL_REF_OUT;
    reg_write(DRV_FPGA_REG_CLOCK, v);
    return 1;
}

void drv_fpga_vextral_t::set_digital_gain(int32 ch, long double db)
{
    int32 code = DRV_VEXTRAL_GAIN_UNITY;
    if (db == 10.0L)
        code = 317;
    else if (db == 20.0L)
        code = 103;
    else if (db == 30.0L)
        code = 32;
    write_gain_reg(ch, code);
}

int32 drv_fpga_vextral_t::write_flash_page(uint32 addr, uint32 count, const uint8 *data)
{
    if (!data)
        return 0;
    const int32 status = transport()->reg_write_fpga_data_by_byte(static_cast<uint16>(addr), data, count);
    gos_usleep(DRV_VEXTRAL_PAGE_WAIT_US);
    return status;
}

int32 drv_fpga_vextral_t::read_flash_data(uint32 addr, uint32 count, uint8 *out)
{
    if (!out)
        return 0;
    const int32 status = transport()->reg_read_fpga_data(static_cast<uint16>(addr), out, count);
    gos_usleep(DRV_VEXTRAL_READ_WAIT_US);
    return status;
}

int32 drv_fpga_vextral_t::get_flash_chunks(drv_flash_chunk_t *chunks)
{
    if (chunks)
        *chunks = {DRV_VEXTRAL_FLASH_CHUNK, DRV_VEXTRAL_FLASH_CHUNK};
    return 1;
}

int32 drv_fpga_vextral_t::write_flash(uint32 addr, uint32 len, const uint8 *data, const drv_flash_chunk_t *chunks)
{
    if (!data || !chunks || chunks->write_chunk == 0)
        return 0;
    if (len == 0)
        return 1;
    begin_flash_access();
    write_flash_pieces(addr, len, data, chunks->write_chunk);
    end_flash_access();
    return 1;
}

int32 drv_fpga_vextral_t::read_flash(uint32 addr, uint32 len, uint8 *out, const drv_flash_chunk_t *chunks)
{
    if (!out || !chunks || chunks->read_chunk == 0)
        return 0;
    if (len == 0)
        return 1;
    begin_flash_access();
    read_flash_pieces(addr, len, out, chunks->read_chunk);
    end_flash_access();
    return 1;
}

int32 drv_fpga_vextral_t::begin_flash_access()
{
    return drv_vextral_select_flash(transport(), DRV_VEXTRAL_USER_FLASH, DRV_VEXTRAL_BOOT_FLASH);
}

int32 drv_fpga_vextral_t::begin_boot_flash_access()
{
    return drv_vextral_select_flash(transport(), DRV_VEXTRAL_BOOT_FLASH, DRV_VEXTRAL_USER_FLASH);
}

int32 drv_fpga_vextral_t::end_flash_access()
{
    reg_write(DRV_FPGA_REG_FLASH_RELEASE, DRV_VEXTRAL_FLASH_RELEASE);
    gos_usleep(DRV_VEXTRAL_SELECT_WAIT_US);
    return 1;
}

int32 drv_fpga_vextral_t::get_boot_flash_chunks(drv_flash_chunk_t *chunks)
{
    if (chunks)
        *chunks = {DRV_VEXTRAL_BOOT_CHUNK, DRV_VEXTRAL_BOOT_CHUNK};
    return 1;
}

int32 drv_fpga_vextral_t::write_boot_image(uint32 addr, uint32 len, const uint8 *data,
                                           drv_flash_progress_cb_t progress)
{
    drv_flash_chunk_t chunks = {0, 0};
    get_boot_flash_chunks(&chunks);
    const uint32 c = chunks.write_chunk;
    // An empty image would leave the module with an erased boot flash.
    if (!data || len == 0 || c == 0 || c > DRV_VEXTRAL_BOOT_CHUNK)
        return 0;
    begin_boot_flash_access();
    erase_boot_flash();
    if (progress)
        progress(DRV_VEXTRAL_PROGRESS_ERASED, 1);
    uint8 piece[DRV_VEXTRAL_BOOT_CHUNK];
    const uint64 n = (static_cast<uint64>(len) + c - 1) / c;
    if (len < c || n <= 1) {
        std::memset(piece, 0xFF, sizeof piece);
        std::memcpy(piece, data, len);
        write_flash_data24(addr, c, piece);
    } else {
        for (uint64 k = 0; k < n; ++k) {
            const uint64 done = k * c;
            const uint8 *source = data + done;
            if (k + 1 == n) {
                std::memset(piece, 0xFF, sizeof piece);
                std::memcpy(piece, source, len - done);
                source = piece;
            }
            write_flash_data24(addr + static_cast<uint32>(done), c, source);
            if (progress) {
                const long double fraction = static_cast<long double>(k) / static_cast<long double>(n);
                progress(static_cast<float>(0.2L + fraction / 1.3L), 1);
            }
        }
    }
    end_flash_access();
    return 1;
}

int32 drv_fpga_vextral_t::write_flash_data24(uint32 addr, uint32 count, const uint8 *data)
{
    if (!data)
        return 0;
    const int32 status = transport()->reg_write_fpga_data_by_byte(addr, data, count);
    gos_usleep(DRV_VEXTRAL_BOOT_PAGE_WAIT_US);
    return status;
}

int32 drv_fpga_vextral_t::erase_boot_flash()
{
    reg_write(DRV_FPGA_REG_BOOT_FLASH_ERASE, 0);
    gos_usleep(DRV_VEXTRAL_BOOT_ERASE_WAIT_US);
    return 1;
}

long double drv_fpga_vextral_t::get_dds_clock()
{
    return DRV_VEXTRAL_DDS_CLOCK;
}

long double drv_fpga_vextral_t::get_dds_phase_range()
{
    return DRV_VEXTRAL_DDS_RANGE;
}

bool drv_fpga_vextral_t::replaces_write_boot_image() const
{
    return true;
}
