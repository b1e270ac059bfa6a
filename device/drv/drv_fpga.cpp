// drv_fpga_t: construction, register access, the chip check, the update strobe and
// hold, the channel control register, run modes, the start-up and progress path and
// the constant base bodies of the virtual operations. The DDS words are in
// drv_fpga_dds.cpp, the wave memory in drv_fpga_wave.cpp, modulation, burst, pulse and
// counter registers in drv_fpga_mod.cpp, the output path in drv_fpga_output.cpp and the
// flash in drv_fpga_flash.cpp.
#include "drv_fpga.h"

#include "drv_delay.h"
#include "drv_fpga_reg.h"
#include "drv_instance_manage.h"
#include "drv_reg_access.h"
#include "gos.h"

namespace {

constexpr uint16 DRV_FPGA_CHIP_PATTERN[2] = {0x55, 0xAA};
constexpr uint16 DRV_FPGA_HOLD_BIT = 0x0008;
constexpr uint16 DRV_FPGA_CTRL_BIT0 = 0x0001;

} // namespace

drv_fpga_t::drv_fpga_t()
    : _fpga_file("config/fpga/fpga.bin"), _ask_on{0, 0}, _psk_on{0, 0}, _trig_out_mode{0, 0}, _run_mode{0, 0},
      _time_base_factor(2), _hold_count(0), _progress_cb(nullptr)
{
}

drv_fpga_t::~drv_fpga_t() = default;

void drv_fpga_t::reg_write_bits(uint32 reg, uint16 mask, bool on)
{
    const uint16 v = reg_read(reg);
    reg_write(reg, on ? (v | mask) : (v & ~mask));
}

drv_reg_spi_t *drv_fpga_t::transport()
{
    return drv_instance_manage_t::get_instance()->get_reg_transport();
}

int32 drv_fpga_t::check_chip()
{
    for (uint16 pattern : DRV_FPGA_CHIP_PATTERN) {
        reg_write(DRV_FPGA_REG_CHIP_CHECK, pattern);
        const uint16 read = reg_read(DRV_FPGA_REG_CHIP_CHECK);
        if (read != pattern) {
            gos_printf("chip not ok! write_value:%u,read_walue:%u\n", static_cast<unsigned>(pattern),
                       static_cast<unsigned>(read));
            return 0;
        }
    }
    return 1;
}

int32 drv_fpga_t::get_ctrl_reg(int32 ch)
{
    return is_channel(ch) ? DRV_FPGA_REG_CTRL[ch] : 0;
}

int32 drv_fpga_t::get_coef_reg(int32 ch)
{
    return is_channel(ch) ? DRV_FPGA_REG_FILTER_COEF[ch] : 0;
}

int32 drv_fpga_t::read_ctrl_reg(int32 ch)
{
    return is_channel(ch) ? reg_read(DRV_FPGA_REG_CTRL[ch]) : 0;
}

void drv_fpga_t::write_ctrl_reg(int32 ch, uint16 value)
{
    if (is_channel(ch))
        reg_write(DRV_FPGA_REG_CTRL[ch], value);
}

int32 drv_fpga_t::read_reg32(uint32 lo, uint32 hi)
{
    const uint32 high = reg_read(hi);
    const uint32 low = reg_read(lo);
    return static_cast<int32>((high << 16) | low);
}

void drv_fpga_t::update()
{
    const uint16 v = reg_read(DRV_FPGA_REG_UPDATE);
    reg_write(DRV_FPGA_REG_UPDATE, (v | 0x8000) & 0xFFFF);
    reg_write(DRV_FPGA_REG_UPDATE, (v | 0x9000) & 0xFFFF);
    reg_write(DRV_FPGA_REG_UPDATE, (v | 0x8000) & 0xEFFF);
    reg_write(DRV_FPGA_REG_UPDATE, v & 0x6FFF);
}

void drv_fpga_t::begin_hold()
{
    const uint16 v = reg_read(DRV_FPGA_REG_CTRL[0]);
    reg_write(DRV_FPGA_REG_CTRL[0], v | DRV_FPGA_HOLD_BIT);
    ++_hold_count;
}

void drv_fpga_t::end_hold()
{
    --_hold_count;
    if (_hold_count == 0)
        release_hold_bit();
}

void drv_fpga_t::release_hold_bit()
{
    reg_write_bits(DRV_FPGA_REG_CTRL[0], DRV_FPGA_HOLD_BIT, false);
}

int32 drv_fpga_t::read_update_reg()
{
    return reg_read(DRV_FPGA_REG_UPDATE);
}

void drv_fpga_t::set_ctrl_bit0(int32 ch)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_CTRL[ch], DRV_FPGA_CTRL_BIT0, true);
}

void drv_fpga_t::clear_ctrl_bit0(int32 ch)
{
    if (is_channel(ch))
        reg_write_bits(DRV_FPGA_REG_CTRL[ch], DRV_FPGA_CTRL_BIT0, false);
}

void drv_fpga_t::set_run_mode(int32 ch, int32 mode)
{
    if (is_channel(ch))
        _run_mode[ch] = mode;
}

int32 drv_fpga_t::get_run_mode(int32 ch) const
{
    return is_channel(ch) ? _run_mode[ch] : 0;
}

// Base bodies that are the same on every product.

int32 drv_fpga_t::load_fpga_file(std::string) { return 1; }
int32 drv_fpga_t::get_fpga_state() { return 0; }
void drv_fpga_t::set_pulse_ctrl_bit14(int32, int32) {}
void drv_fpga_t::set_pulse_ctrl_bit13(int32, int32) {}
void drv_fpga_t::set_pulse_ctrl_bit12(int32, int32) {}
void drv_fpga_t::set_pulse_ctrl_bit11(int32, int32) {}
void drv_fpga_t::set_dc_level(int32, long double) {}
int32 drv_fpga_t::set_ref_out(int32) { return 1; }
int32 drv_fpga_t::get_flash_chunks(drv_flash_chunk_t *) { return 1; }
void drv_fpga_t::set_sample_rate(int32, long double) {}
void drv_fpga_t::set_prbs_mode(int32, int32) {}
int32 drv_fpga_t::get_prbs_mode(int32) { return 0; }
void drv_fpga_t::set_prbs_length(int32, int32) {}
void drv_fpga_t::set_prbs_rate(int32) {}
int32 drv_fpga_t::begin_flash_access() { return 1; }
int32 drv_fpga_t::begin_boot_flash_access() { return 1; }
int32 drv_fpga_t::end_flash_access() { return 1; }
int32 drv_fpga_t::is_fpga_ready() { return 1; }
int32 drv_fpga_t::get_boot_flash_chunks(drv_flash_chunk_t *) { return 1; }
int32 drv_fpga_t::write_boot_image(uint32, uint32, const uint8 *, drv_flash_progress_cb_t) { return 1; }
int32 drv_fpga_t::write_flash_data24(uint32, uint32, const uint8 *) { return 1; }
bool drv_fpga_t::replaces_write_boot_image() const { return false; }

// The second platform's start-up. Its gpio lines are driven through the shell; the
// module's class replaces init_fpga with nothing.

void drv_fpga_t::init_fpga()
{
    gos_system("echo 56 > /sys/class/gpio/export");
    gos_system("echo out > /sys/class/gpio/gpio56/direction");
    load_fpga_file(_fpga_file);
    pulse_fpga_reset();
}

void drv_fpga_t::pulse_fpga_reset()
{
    gos_system("echo 54 > /sys/class/gpio/export");
    gos_system("echo out > /sys/class/gpio/gpio54/direction");
    gos_system("echo 0 > /sys/class/gpio/gpio54/value");
    drv_msleep(2.0L);
    gos_system("echo 1 > /sys/class/gpio/gpio54/value");
    drv_msleep(20.0L);
}

std::string drv_fpga_t::get_fpga_file() const
{
    return _fpga_file;
}

void drv_fpga_t::set_fpga_file(const std::string &path)
{
    _fpga_file = path;
}

void drv_fpga_t::set_progress_callback(drv_progress_cb_t callback)
{
    if (!callback)
        return;
    _progress_cb = callback;
    reg_set_progress_callback(callback);
}

void drv_fpga_t::report_progress(int32 a, int32 b, int32 c)
{
    if (_progress_cb)
        _progress_cb(a, b, c);
}
