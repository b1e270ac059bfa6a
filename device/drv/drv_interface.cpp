// drv_interface_t: the object, its start-up and shut-down, the trace, run mode and
// update strobe, PRBS and coupling, combining and phase, the load conversion, and the
// operations the module does not have.
#include "drv_interface.h"

#include "drv_amp.h"
#include "drv_combine.h"
#include "drv_flash_chunk.h"
#include "drv_instance_manage.h"
#include "drv_phase.h"
#include "drv_para.h"
#include "drv_reg_access.h"
#include "drv_wave_manage.h"
#include "gos.h"

#include <cstring>
#include <vector>

namespace {

drv_instance_manage_t *manager()
{
    return drv_instance_manage_t::get_instance();
}

drv_fpga_t *fpga()
{
    return manager()->get_fpga();
}

// Where the module's flash keeps its serial number, and how far it is looked for.
constexpr char SERIAL_MARKER[] = "KRVN-SN:";
constexpr uint32 SERIAL_SEARCH_BYTES = 16384;
constexpr uint32 SERIAL_OFFSET = 10;
constexpr uint32 SERIAL_READ_BYTES = 128;
constexpr uint32 SERIAL_CHARS = 14;

} // namespace

drv_interface_t *drv_interface_t::get_instance()
{
    static drv_interface_t instance;
    return &instance;
}

bool drv_interface_t::init()
{
    return manager()->init();
}

bool drv_interface_t::init_drivers()
{
    return manager()->init();
}

void drv_interface_t::reinit_chips()
{
    manager()->reinit_chip();
}

int32 drv_interface_t::uninit()
{
    manager()->uninit();
    return 0;
}

void drv_interface_t::set_reg_trace(int32 on)
{
    drv_fpga_set_reg_trace(on);
}

std::string *drv_interface_t::get_reg_trace()
{
    return drv_fpga_get_reg_trace();
}

void drv_interface_t::set_progress_callback(drv_progress_cb_t callback)
{
    fpga()->set_progress_callback(callback);
}

void drv_interface_t::set_run_mode(int32 ch, int32 mode)
{
    fpga()->set_run_mode(ch, mode);
}

int32 drv_interface_t::get_run_mode(int32 ch)
{
    return fpga()->get_run_mode(ch);
}

bool drv_interface_t::is_burst_mode(int32 ch)
{
    return fpga()->get_run_mode(ch) == 2;
}

int32 drv_interface_t::get_update_strobe()
{
    return (fpga()->read_update_reg() >> 12) & 1;
}

void drv_interface_t::update_fpga()
{
    fpga()->update();
}

void drv_interface_t::set_prbs_mode(int32 ch, int32 on)
{
    fpga()->set_prbs_mode(ch, on);
}

void drv_interface_t::set_prbs_length(int32 ch, int32 length)
{
    fpga()->set_prbs_length(ch, length);
}

void drv_interface_t::set_ch_couple(int32 ch, const drv_couple_para_t *para)
{
    manager()->get_wave_manage()->set_prbs_edge(ch, para);
}

void drv_interface_t::set_phase_option(int32) {}

void drv_interface_t::set_phase_lock(bool) {}

void drv_interface_t::set_sys_option(int32) {}

void drv_interface_t::sys_option_on() {}

void drv_interface_t::sys_option_off() {}

int32 drv_interface_t::write_flash_image(const uint8 *data, uint32 length, drv_flash_progress_cb_t progress)
{
    drv_fpga_t *f = fpga();
    if (!f->replaces_write_boot_image())
        return 1;
    return f->write_boot_image(0, length, data, progress) != 0 ? 1 : 0;
}

int32 drv_interface_t::update_flash_serial(int32, char *out)
{
    drv_fpga_t *f = fpga();
    drv_flash_chunk_t chunks = {0, 0};
    f->get_flash_chunks(&chunks);
    std::vector<uint8> flash(SERIAL_SEARCH_BYTES, 0);
    f->read_flash(0, SERIAL_SEARCH_BYTES, flash.data(), &chunks);

    const size_t marker_len = sizeof(SERIAL_MARKER) - 1;
    size_t pos = 0;
    while (pos + marker_len <= flash.size() && std::memcmp(&flash[pos], SERIAL_MARKER, marker_len) != 0)
        ++pos;
    if (pos + marker_len > flash.size())
        return 0;
    const uint32 addr = static_cast<uint32>(pos) + SERIAL_OFFSET;
    gos_printf("write_addr = %d\n", static_cast<int>(addr));
    // The serial block itself is not rewritten: nothing is known to belong there, and a
    // block of zeros would erase the number this operation is meant to read.
    if (out == nullptr)
        return 0;
    std::vector<uint8> serial(SERIAL_READ_BYTES, 0);
    f->read_flash(addr, SERIAL_READ_BYTES, serial.data(), &chunks);
    for (uint32 i = 0; i < SERIAL_CHARS; ++i)
        out[i] = static_cast<char>(serial[2 * i]);
    return 1;
}

void drv_interface_t::set_combine(int32 ch, int32 on)
{
    manager()->get_combine()->set_combine(ch, on);
}

void drv_interface_t::set_combine_ratio(int32 ch, long double weight)
{
    manager()->get_combine()->set_combine_ratio(ch, weight);
}

void drv_interface_t::set_phase(int32 ch, long double degrees)
{
    manager()->get_phase()->set_phase(fpga(), ch, degrees);
}

void drv_interface_t::sync_phase(int32 ch)
{
    manager()->get_phase()->sync_phase(ch);
}

bool drv_interface_t::get_phase_lock()
{
    return manager()->get_phase()->is_start_phase_mode();
}

void drv_interface_t::update_and_sync_phase(int32 ch)
{
    update_fpga();
    sync_phase(ch);
}

void drv_interface_t::set_phase_mode(int32 mode)
{
    manager()->get_phase()->set_couple(mode);
}

int32 drv_interface_t::convert_ampl_for_load(long double load, long double value, long double *out)
{
    // A load of 0 ohms has no conversion; callers keep the load positive.
    if (out == nullptr || load == 0.0L)
        return 0;
    return manager()->get_amp()->convert_ampl_for_load(load, value, out);
}
