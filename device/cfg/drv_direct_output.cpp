// The direct output-parameter setter.
#include "drv_direct_output.h"

#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "drv_amp.h"
#include "drv_delay.h"
#include "drv_fpga.h"
#include "drv_fpga_atten.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_output.h"
#include "drv_voltage_overload.h"

void drv_set_output_params(u8 ch, long double freq, long double ampl, long double offset)
{
    drv_set_freq(ch, freq);
    drv_set_ampl_offset_direct(ch, ampl, offset, 0.0L);
}

int32 drv_set_freq(u8 ch, long double freq)
{
    return drv_interface_t::get_instance()->set_freq_phase(ch, freq, 0.0L);
}

int32 drv_get_load(int32 ch, u32 *ohms)
{
    int32 load = 0;
    cfg_get_bswv_main(ch)->get_load(&load);
    *ohms = static_cast<u32>(load);
    return 1;
}

void drv_set_ampl_offset_direct(u8 ch, long double ampl, long double offset, long double corr_db)
{
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    drv_amp_t *amp = manager->get_amp();
    drv_fpga_t *fpga = manager->get_fpga();
    drv_voltage_overload_t *overload = manager->get_voltage_overload();

    u32 ohms = 0;
    drv_get_load(ch, &ohms);
    const long double load = ohms;
    long double a = 0.0L;
    long double o = 0.0L;
    amp->convert_ampl_for_load(load, ampl, &a);
    amp->convert_ampl_for_load(load, offset, &o);

    drv_fpga_atten_t info{};
    const int32 word = amp->select_amp_range(&a, &o, &info);
    const int32 change = amp->update_range_state(ch, a, o);

    // A range change under a closed relay happens with the output disconnected.
    const int32 relay_closed = drv_get_output_relay(fpga, ch);
    if (relay_closed == 1 && word != amp->get_applied_range(ch))
    {
        drv_set_output_relay(fpga, ch, 0);
        drv_msleep(3.0L);
    }
    const long double offset_total = o + amp->get_offset_correction(ch, word, a, o);
    if (change == amp->get_range_up_code())
        overload->set_amp_range(ch, static_cast<uint32>(word));
    amp->write_range_word(ch, word);
    fpga->set_atten(ch, &info);
    amp->set_amplitude(ch, word, &info, a, corr_db);
    amp->set_offset_dac(ch, word, offset_total);
    if (change == amp->get_range_down_code())
        overload->set_amp_range(ch, static_cast<uint32>(word));
    amp->set_applied_range(ch, word);
    if (relay_closed == 1)
    {
        drv_msleep(3.0L);
        drv_set_output_relay(fpga, ch, 1);
    }
}
